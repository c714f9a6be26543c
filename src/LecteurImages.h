#ifndef LECTEURIMAGES_H
#define LECTEURIMAGES_H

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

// Reads the program's pictures by name from the working directory (the
// window, which its launcher starts in the picture folder), or from a folder
// given once (the command-line tool, which finds them from its own place and
// never changes its working directory); a missing or unreadable file, or
// anything that is not a regular file (a FIFO, a device, a folder), gives an
// empty picture and no error, and is noted among manquantes().
//
// At start-up a worker thread reads the pictures of the splash screen and of
// the first window ahead of time, while the application object is set up:
// decoding them is most of what building that window costs. A picture asked
// for while it is still being read is waited for; pictures not read ahead,
// and every picture once handed out, are read on the spot.
class LecteurImages {
public:
    struct Demande {
        QString fichier;
        int hauteur; // 0: the picture's own size; otherwise scaled smoothly to it
    };

    // Starts reading the pictures, replacing those read ahead before. May be
    // called before the application object exists, from the main thread.
    static void precharger(const QList<Demande>& demandes);
    // Waits for the worker thread to end.
    static void terminer();

    // The picture in its own size.
    static QPixmap pixmap(const QString& fichier);
    // The picture scaled smoothly to a height, width in proportion.
    static QPixmap pixmap(const QString& fichier, int hauteur);
    static QIcon icone(const QString& fichier);

    // Reads the pictures from `dossier` from now on (empty: the working
    // directory, by relative name).
    static void utiliser_dossier(const QString& dossier);
    // The full names of the pictures asked for that could not be read since
    // the last call, each once, in the order asked.
    static QStringList manquantes();

    // Pictures that more than one part of the program reads.
    static const char* const ATTENTION; // the warning sign of the page and of the sheet
    static const char* const LOGO;      // the sheet's logo, which torique --pdf looks for

    // How many of the pictures asked for ahead are not handed out yet.
    static int en_reserve();
};

#endif
