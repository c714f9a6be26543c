#include "EcritureFichier.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>

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
    Direct,   // a device, a socket
    Fifo,     // a FIFO: written directly, once a reader has it open
    Dossier,
};

// The descriptor of this process that a name stands for (/dev/stdout,
// /dev/fd/3, /proc/self/fd/1), or -1.
int descripteur_nomme(const QString& chemin) {
    if (chemin == QLatin1String("/dev/stdin"))
        return 0;
    if (chemin == QLatin1String("/dev/stdout"))
        return 1;
    if (chemin == QLatin1String("/dev/stderr"))
        return 2;
    for (const char* prefixe : {"/dev/fd/", "/proc/self/fd/"})
        if (chemin.startsWith(QLatin1String(prefixe))) {
            bool ok = false;
            const int fd = chemin.mid(int(std::strlen(prefixe))).toInt(&ok);
            return ok && fd >= 0 ? fd : -1;
        }
    return -1;
}

// What a name is, by the type of the file it leads to, links followed, and
// not by where it lives: a regular file under /dev/shm or reached through
// /proc/self/fd is replaced like any other. The descriptor of this process
// that it names, if any, and the file a regular file's name leads to.
Genre genre(const QString& chemin, int* descripteur = nullptr, QString* cible = nullptr) {
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    int fd = descripteur_nomme(absolu);
    QString courant = absolu;
    for (int n = 0; n < 40 && fd < 0; ++n) { // a chain of links, not a loop of them
        const QFileInfo lien(courant);
        if (!lien.isSymLink())
            break;
        courant = QDir(lien.absolutePath()).absoluteFilePath(lien.symLinkTarget());
        fd = descripteur_nomme(courant);
    }
    if (descripteur)
        *descripteur = fd;
    struct stat etat = {};
    if (stat(QFile::encodeName(chemin).constData(), &etat) != 0)
        return Regulier; // nothing there yet
    if (S_ISDIR(etat.st_mode))
        return Dossier;
    if (S_ISFIFO(etat.st_mode))
        return Fifo;
    if (!S_ISREG(etat.st_mode))
        return Direct;
    if (cible) {
        const QString canonique = QFileInfo(chemin).canonicalFilePath();
        *cible = canonique.isEmpty() ? chemin : canonique;
    }
    return Regulier;
}

// Opens a FIFO for writing without waiting for ever for a reader: opened
// without blocking, which fails while no reader has it open, tried again
// for ATTENTE_FIFO_MS, then made blocking again for the writes.
int ouvrir_fifo(const QString& chemin, QString& raison) {
    const QByteArray nom = QFile::encodeName(chemin);
    QElapsedTimer attente;
    attente.start();
    for (;;) {
        const int fd = ::open(nom.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        if (errno != ENXIO) {
            raison = texte_systeme(errno);
            return -1;
        }
        if (attente.elapsed() >= EcritureFichier::ATTENTE_FIFO_MS) {
            raison = QStringLiteral("no reader opened the FIFO within %1 seconds")
                         .arg(EcritureFichier::ATTENTE_FIFO_MS / 1000);
            return -1;
        }
        QThread::msleep(50);
    }
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
    int nomme = -1;
    QString fichier = chemin;
    const Genre g = genre(chemin, &nomme, &fichier);
    switch (g) {
    case Dossier:
        raison = texte_systeme(EISDIR);
        return false;
    case Direct:
    case Fifo: {
        // A descriptor of this process is written where it stands, after
        // what was already written to it: opened again by its name, it
        // would start over and write over it.
        const bool fifo = g == Fifo && nomme < 0;
        const int fd = nomme >= 0 ? nomme : fifo ? ouvrir_fifo(chemin, raison) : -1;
        if (fifo && fd < 0)
            return false;
        direct = new QFile(chemin);
        const bool ouvert =
            fd >= 0 ? direct->open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                                   nomme >= 0 ? QFileDevice::DontCloseHandle : QFileDevice::AutoCloseHandle)
                    : direct->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        if (!ouvert) {
            raison = direct->errorString();
            delete direct;
            direct = nullptr;
            return false;
        }
        break;
    }
    case Regulier: {
        const QFileInfo info(fichier);
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
        sauvegarde = new QSaveFile(fichier);
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
    return ecrire(sortie, octets, erreur);
}

bool EcritureFichier::ecrire(int descripteur, const QByteArray& octets, QString* erreur) {
    EcritureFichier sortie(descripteur);
    return ecrire(sortie, octets, erreur);
}

bool EcritureFichier::ecrire(EcritureFichier& sortie, const QByteArray& octets, QString* erreur) {
    const bool ok =
        sortie.open(QIODevice::WriteOnly) && sortie.write(octets) == octets.size() && sortie.valider();
    if (!ok && erreur)
        *erreur = sortie.erreur();
    return ok;
}
