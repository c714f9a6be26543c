// Scales the window icon to the sizes of the desktop's hicolor icon theme:
//   icones ICONE.png DOSSIER NOM TAILLE...
// writes DOSSIER/hicolor/<n>x<n>/apps/NOM.png for each size n. The picture
// is the program's own icon, reduced with smoothing; nothing is redrawn.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s ICONE.png DOSSIER NOM TAILLE...\n", argv[0]);
        return 2;
    }
    QImage icone(QString::fromLocal8Bit(argv[1]));
    if (icone.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    icone = icone.convertToFormat(QImage::Format_ARGB32);
    const QString dossier = QString::fromLocal8Bit(argv[2]);
    const QString nom = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int n = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || n <= 0 || n > 1024) {
            std::fprintf(stderr, "%s: bad size %s\n", argv[0], argv[i]);
            return 2;
        }
        const QString sous = QString("%1/hicolor/%2x%2/apps").arg(dossier).arg(n);
        if (!QDir().mkpath(sous)) {
            std::fprintf(stderr, "%s: cannot create %s\n", argv[0], qPrintable(sous));
            return 1;
        }
        const QImage image = icone.size() == QSize(n, n)
                                 ? icone
                                 : icone.scaled(n, n, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString fichier = sous + "/" + nom + ".png";
        if (!image.save(fichier, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(fichier));
            return 1;
        }
    }
    return 0;
}
