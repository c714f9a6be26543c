// Draws every picture of the calculator into a folder (images/ by default).
//
//   genimages [folder] [name...]
//
// With names, only those pictures are drawn. The drawings use only QPainter
// and fixed pixel sizes, and the pixels are put in the file's form by
// Dessin::a_ecrire, so that every run gives the same files, on any machine
// with the same fonts.

#include "Dessin.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    // Text needs a platform; drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    const QString dossier = args.isEmpty() ? QStringLiteral("images") : args.takeFirst();
    if (!QDir().mkpath(dossier)) {
        std::fprintf(stderr, "genimages: cannot create %s\n", qPrintable(dossier));
        return 1;
    }

    int ecrites = 0;
    qint64 total = 0;
    for (const auto& i : Dessin::toutes()) {
        if (!args.isEmpty() && !args.contains(i.nom))
            continue;
        const QImage img = Dessin::a_ecrire(i);
        const QString chemin = QDir(dossier).filePath(i.nom);
        QImageWriter w(chemin, "png");
        w.setQuality(0); // strongest compression
        if (!w.write(img)) {
            std::fprintf(stderr, "genimages: %s: %s\n", qPrintable(chemin), qPrintable(w.errorString()));
            return 1;
        }
        ++ecrites;
        total += QFileInfo(chemin).size();
    }
    std::printf("genimages: %d pictures, %lld bytes, in %s\n", ecrites, static_cast<long long>(total),
                qPrintable(dossier));
    return ecrites > 0 ? 0 : 1;
}
