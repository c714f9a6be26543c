// Draws every picture of the calculator into a folder (images/ by default).
//
//   genimages [folder] [name...]
//
// With names, only those pictures are drawn. The drawings use only QPainter
// and fixed pixel sizes, so two runs on the same machine give the same files.

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

    std::vector<Dessin::Image> tout;
    for (auto groupe :
         {Dessin::bandes, Dessin::icones, Dessin::lentilles, Dessin::rapporteurs, Dessin::aides})
        for (auto& i : groupe())
            tout.push_back(std::move(i));

    int ecrites = 0;
    qint64 total = 0;
    for (const auto& i : tout) {
        if (!args.isEmpty() && !args.contains(i.nom))
            continue;
        QImage img = i.dessin();
        // Opaque pictures are stored without an alpha channel (smaller files).
        if (!img.hasAlphaChannel() ||
            img.convertToFormat(QImage::Format_RGB32).convertToFormat(img.format()) == img)
            img = img.convertToFormat(QImage::Format_RGB32);
        // Large opaque pictures are reduced to 256 colours, which makes them
        // compress better, but stay true-colour files: a palette file would
        // load in another format than the pictures the program compares
        // them with.
        if (i.palette && !img.hasAlphaChannel())
            img = Dessin::en_palette(img).convertToFormat(QImage::Format_RGB32);
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
