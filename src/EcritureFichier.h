#ifndef ECRITUREFICHIER_H
#define ECRITUREFICHIER_H

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFile;
class QFileDevice;
class QSaveFile;

// A file written whole, or not at all: the device that every file the
// programs produce (the calculation sheet as PDF, pictures) is written
// through. Whatever writes into it (QPdfWriter, QImageWriter,
// QSvgGenerator, a QTextStream, plain write()) need not check anything;
// valider() says at the end whether every byte reached the file.
//
//   EcritureFichier sortie(chemin);
//   if (!sortie.open(QIODevice::WriteOnly)) -> sortie.erreur()
//   ... write into &sortie ...
//   if (!sortie.valider())                 -> sortie.erreur()
//
// - A regular file, or a new one, is written to a temporary file beside it
//   (QSaveFile), which takes the file's name only once every byte is written
//   and the file closed. On any failure (a write refused, no space left, the
//   file-size limit reached, a target that is no longer a regular file when
//   the time comes to rename) the temporary file is removed and the file
//   that was there before is left as it was. What a name is follows from the
//   type of the file it leads to, not from where it lives: a regular file
//   under /dev/shm, or reached through /proc/self/fd/N or /dev/stdout, is
//   replaced like any other. A symbolic link is followed: the file it points
//   to is the one replaced.
// - A character or block device (/dev/full, /dev/null), a FIFO or a socket
//   is written to directly and never replaced: renaming a file over it
//   would put a file in place of the device itself. When it is one of the
//   process's descriptors (/dev/stdout, /dev/fd/N, /proc/self/fd/N), it is
//   written through that descriptor, after what it already holds. A FIFO
//   that no reader opens within ATTENTE_FIFO_MS is given up, with the
//   reason, rather than waited for without end. Every write is checked;
//   what a failed write left behind cannot be taken back.
// - A folder is refused.
//
// erreur() gives the system's reason for the first failure ("No space left
// on device", "Permission denied", "Is a directory", "File too large").
// close() (which a PDF writer calls when it ends) only stops the writing;
// the file is kept only by valider(). An object destroyed without valider()
// keeps nothing of what was written to a temporary file.
//
// So that the file-size limit makes a write fail instead of ending the
// program, the signal the system sends for it (SIGXFSZ) is ignored once the
// first file is opened.
class EcritureFichier : public QIODevice {
public:
    explicit EcritureFichier(const QString& chemin);
    // An output already open, such as the standard output (1): written to
    // directly through its descriptor, every write checked, never closed.
    explicit EcritureFichier(int descripteur);
    ~EcritureFichier() override;

    // Opens for writing (WriteOnly, with Text allowed); false with the reason
    // in erreur() when the file cannot be written at all.
    bool open(OpenMode mode) override;
    // Puts the written bytes in place; true only when every byte is there.
    bool valider();

    QString erreur() const { return raison; }

    // How long a FIFO is waited for a reader.
    static constexpr int ATTENTE_FIFO_MS = 5000;

    // Writes `octets` to `chemin` in one go, as above.
    static bool ecrire(const QString& chemin, const QByteArray& octets, QString* erreur = nullptr);
    // Writes `octets` to an output already open, through its descriptor.
    static bool ecrire(int descripteur, const QByteArray& octets, QString* erreur = nullptr);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* donnees, qint64 taille) override;

private:
    // Drops what was written (the temporary file; a direct target is only
    // closed).
    void abandonner();
    static bool ecrire(EcritureFichier& sortie, const QByteArray& octets, QString* erreur);
    void echec(const QString& pourquoi);
    bool vider();
    QFileDevice* cible() const;

    QString chemin;
    int descripteur = -1;
    QSaveFile* sauvegarde = nullptr; // regular or new file
    QFile* direct = nullptr;         // anything else
    QByteArray tampon;               // written, not yet handed to the file
    bool echoue = false;
    QString raison;
};

#endif
