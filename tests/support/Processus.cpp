#include "Processus.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

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

QString texte_pdf(const QString& fichier) {
    return lancer("pdftotext", {fichier, "-"}, QString(), 30000).sortie;
}

QString sans_blancs(QString s) {
    return s.remove(QRegularExpression("\\s"));
}

} // namespace Processus
