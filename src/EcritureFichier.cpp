#include "EcritureFichier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

namespace {

// The bytes held before they are written out: few writes, however small
// the pieces given.
constexpr qsizetype TAILLE_TAMPON = 64 * 1024;

// The system's text for an error number.
QString texte_systeme(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

enum Genre {
    Regulier, // a regular file, or nothing yet: replaced through a temporary file
    Direct,   // a device, a FIFO, a socket, or a name under /dev or /proc
    Dossier,
};

bool systeme(const QString& chemin) {
    return chemin.startsWith(QLatin1String("/dev/")) || chemin.startsWith(QLatin1String("/proc/"));
}

Genre genre(const QString& chemin) {
    QString courant = QFileInfo(chemin).absoluteFilePath();
    if (systeme(courant))
        return Direct;
    // Each link of a chain of symbolic links: one that leads into /dev or
    // /proc (/dev/stdout, /proc/self/fd/1) names a stream, not a file.
    for (int n = 0; n < 40; ++n) {
        const QFileInfo lien(courant);
        if (!lien.isSymLink())
            break;
        courant = QDir(lien.absolutePath()).absoluteFilePath(lien.symLinkTarget());
        if (systeme(courant))
            return Direct;
    }
    const QFileInfo cible(chemin);
    if (!cible.exists())
        return Regulier;
    if (cible.isDir())
        return Dossier;
    return cible.isFile() ? Regulier : Direct;
}

} // namespace

EcritureFichier::EcritureFichier(const QString& chemin) : chemin(chemin) {}

EcritureFichier::EcritureFichier(int descripteur) : descripteur(descripteur) {}

EcritureFichier::~EcritureFichier() {
    abandonner();
}

QFileDevice* EcritureFichier::cible() const {
    if (sauvegarde)
        return sauvegarde;
    return direct;
}

void EcritureFichier::echec(const QString& pourquoi) {
    if (!echoue)
        raison = pourquoi;
    echoue = true;
}

bool EcritureFichier::open(OpenMode mode) {
    static std::once_flag signal_ignore;
    std::call_once(signal_ignore, [] { std::signal(SIGXFSZ, SIG_IGN); });

    if (isOpen() || cible() || !(mode & WriteOnly) || (mode & ReadOnly)) {
        raison = texte_systeme(EINVAL);
        return false;
    }
    echoue = false;
    raison.clear();
    if (descripteur >= 0) {
        direct = new QFile;
        if (!direct->open(descripteur, QIODevice::WriteOnly | QIODevice::Unbuffered,
                          QFileDevice::DontCloseHandle)) {
            raison = direct->errorString();
            delete direct;
            direct = nullptr;
            return false;
        }
        return QIODevice::open(mode | Unbuffered);
    }
    const QFileInfo info(chemin);
    switch (genre(chemin)) {
    case Dossier:
        raison = texte_systeme(EISDIR);
        return false;
    case Direct:
        direct = new QFile(chemin);
        if (!direct->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            raison = direct->errorString();
            delete direct;
            direct = nullptr;
            return false;
        }
        break;
    case Regulier: {
        // The folder's faults in the system's words, which the temporary
        // file's creation would not give.
        const QFileInfo dossier(info.absolutePath());
        if (!dossier.exists()) {
            raison = texte_systeme(ENOENT);
            return false;
        }
        if (!dossier.isDir()) {
            raison = texte_systeme(ENOTDIR);
            return false;
        }
        sauvegarde = new QSaveFile(chemin);
        if (!sauvegarde->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            raison = sauvegarde->errorString();
            delete sauvegarde;
            sauvegarde = nullptr;
            return false;
        }
        break;
    }
    }
    return QIODevice::open(mode | Unbuffered);
}

qint64 EcritureFichier::writeData(const char* donnees, qint64 taille) {
    if (echoue || !cible())
        return -1;
    tampon.append(donnees, taille);
    if (tampon.size() >= TAILLE_TAMPON && !vider())
        return -1;
    return taille;
}

// Writes out the bytes held. The file itself is unbuffered: a write cut
// short is followed by another, which fails with the system's reason (the
// file's own buffer would lose it).
bool EcritureFichier::vider() {
    QFileDevice* f = cible();
    while (!echoue && !tampon.isEmpty()) {
        const qint64 ecrit = f->write(tampon);
        if (ecrit <= 0)
            echec(f->errorString());
        else
            tampon.remove(0, ecrit);
    }
    tampon.clear();
    return !echoue;
}

bool EcritureFichier::valider() {
    QFileDevice* f = cible();
    if (!f) {
        if (raison.isEmpty())
            raison = texte_systeme(EBADF);
        return false;
    }
    vider();
    if (!echoue && sauvegarde && genre(chemin) != Regulier)
        // The name became something else than a file since it was opened:
        // it is not replaced.
        echec(QStringLiteral("not a regular file"));
    if (!echoue) {
        if (sauvegarde) {
            if (!sauvegarde->commit())
                echec(sauvegarde->errorString());
            delete sauvegarde;
            sauvegarde = nullptr;
        } else {
            direct->close();
            if (!echoue && direct->error() != QFileDevice::NoError)
                echec(direct->errorString());
            delete direct;
            direct = nullptr;
        }
    }
    abandonner();
    return !echoue;
}

void EcritureFichier::abandonner() {
    // A QSaveFile destroyed before its commit removes its temporary file.
    delete sauvegarde;
    sauvegarde = nullptr;
    tampon.clear();
    if (direct)
        direct->close();
    delete direct;
    direct = nullptr;
    if (isOpen())
        QIODevice::close();
}

bool EcritureFichier::ecrire(const QString& chemin, const QByteArray& octets, QString* erreur) {
    EcritureFichier sortie(chemin);
    const bool ok =
        sortie.open(QIODevice::WriteOnly) && sortie.write(octets) == octets.size() && sortie.valider();
    if (!ok && erreur)
        *erreur = sortie.erreur();
    return ok;
}
