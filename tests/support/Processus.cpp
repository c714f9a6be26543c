#include "Processus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

#include <chrono>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Processus {

Sortie lancer(const QString& programme, const QStringList& args, const QString& dossier, int delai_ms,
              const std::function<void()>& dans_l_enfant, const QString& langue_systeme) {
    QProcess p;
    if (!dossier.isEmpty())
        p.setWorkingDirectory(dossier);
    if (!langue_systeme.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"LANG", "LC_ALL", "LC_TIME", "LANGUAGE"})
            env.insert(v, langue_systeme);
        p.setProcessEnvironment(env);
    }
    if (dans_l_enfant)
        p.setChildProcessModifier(dans_l_enfant);
    p.start(programme, args);
    Sortie s;
    if (!p.waitForStarted(10000)) {
        s.erreurs = p.errorString();
        return s;
    }
    if (!p.waitForFinished(delai_ms)) {
        p.kill();
        p.waitForFinished();
        s.erreurs = "timed out";
        return s;
    }
    s.statut = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.sortie = QString::fromUtf8(p.readAllStandardOutput());
    s.erreurs = QString::fromUtf8(p.readAllStandardError());
    return s;
}

QString torique() {
    return qEnvironmentVariable("TORIQUE_BIN_DIR", QCoreApplication::applicationDirPath() + "/..") +
           "/torique";
}

Mesure mesurer(const QByteArray& programme, const QList<QByteArray>& args, const QByteArray& sortie) {
    Mesure m;
    std::vector<char*> argv{const_cast<char*>(programme.constData())};
    for (const QByteArray& a : args)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    const int fd = open(sortie.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return m;
    const auto debut = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fd, 1);
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fd);
    int statut = 0;
    struct rusage usage = {};
    if (pid < 0 || wait4(pid, &statut, 0, &usage) != pid)
        return m;
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    m.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    m.pic_ko = usage.ru_maxrss;
    m.cpu_s = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    m.duree_s = duree.count();
    return m;
}

QString texte_pdf(const QString& fichier) {
    return lancer("pdftotext", {fichier, "-"}, QString(), 30000).sortie;
}

QString sans_blancs(QString s) {
    return s.remove(QRegularExpression("\\s"));
}

const char* const EN_TETE_LOT = "eye,seq,unit,k1,k2,axis,sia,incision,cyl\n";

QByteArray ligne_lot(int n) {
    return QStringLiteral("%1,%2,D,%3,%4,%5,%6,%7,\n")
        .arg(n % 2 ? "OS" : "OD")
        .arg(10 + 0.5 * (n % 51), 0, 'f', 1)
        .arg(40 + 0.01 * (n % 300), 0, 'f', 2)
        .arg(40.5 + 0.01 * (n % 300) + 0.01 * (n % 400), 0, 'f', 2)
        .arg(n % 180)
        .arg(0.05 * (n % 7), 0, 'f', 2)
        .arg(n % 360)
        .toLatin1();
}

} // namespace Processus
