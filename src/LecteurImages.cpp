#include "LecteurImages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QThread>
#include <QThreadPool>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

const char* const LecteurImages::ATTENTION = "attention_20.png";
const char* const LecteurImages::LOGO = "logohorz_2.png";

namespace {

struct Entree {
    QString fichier;
    int hauteur = 0;
    QImage image;
    bool prete = false;  // read by the worker
    bool servie = false; // handed out: later requests read the file again
};

// The pictures read ahead, shared by the worker (which fills them) and the
// GUI thread (which takes them).
struct Reserve {
    std::mutex verrou;
    std::condition_variable lue;
    std::vector<Entree> entrees;
    std::thread travail;
    QString dossier;        // where the pictures are read; empty: by relative name
    QStringList manquantes; // asked for and not read

    ~Reserve() {
        if (travail.joinable())
            travail.join();
    }
};

Reserve& reserve() {
    static Reserve r;
    return r;
}

// Only a regular file (or a link to one) is read as a picture: anything
// else under a picture's name (a FIFO, a device, a folder) could block or
// never end, and counts as a missing picture.
bool ordinaire(const QString& fichier) {
    return QFileInfo(fichier).isFile();
}

// The picture as a pixmap would hold it: decoded, then in the premultiplied
// format that the raster engine converts a translucent picture to (opaque
// pictures stay 32-bit RGB), then scaled, so that its pixels are those of
// QPixmap(fichier).scaledToHeight(hauteur, Qt::SmoothTransformation).
QImage lire(const QString& fichier, int hauteur) {
    if (!ordinaire(fichier))
        return QImage();
    // Read as PNG, which the program's pictures are, without first asking
    // every picture plug-in whether it reads PNG as well (asking loads them
    // all); a file that is not PNG is read as the toolkit would, by content.
    QImageReader lecteur(fichier, "png");
    lecteur.setAutoDetectImageFormat(false);
    QImage image = lecteur.read();
    if (image.isNull())
        image = QImage(fichier);
    if (image.isNull())
        return image;
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    image = std::move(image).convertToFormat(format);
    if (hauteur > 0)
        image = image.scaledToHeight(hauteur, Qt::SmoothTransformation);
    return image;
}

// The file of a picture, in the folder of the pictures (called with the
// lock held).
QString chemin(const Reserve& r, const QString& fichier) {
    return r.dossier.isEmpty() ? fichier : r.dossier + QLatin1Char('/') + fichier;
}

void lire_tout(Reserve* r) {
    for (std::size_t i = 0;; ++i) {
        QString fichier;
        int hauteur = 0;
        {
            std::lock_guard<std::mutex> l(r->verrou);
            if (i >= r->entrees.size())
                return;
            fichier = chemin(*r, r->entrees[i].fichier);
            hauteur = r->entrees[i].hauteur;
        }
        QImage image = lire(fichier, hauteur);
        {
            std::lock_guard<std::mutex> l(r->verrou);
            r->entrees[i].image = std::move(image);
            r->entrees[i].prete = true;
        }
        r->lue.notify_all();
    }
}

} // namespace

void LecteurImages::precharger(const QList<Demande>& demandes) {
    Reserve& r = reserve();
    if (r.travail.joinable())
        r.travail.join();
    // Made here, in the calling thread, before the worker starts: the
    // toolkit's record of the main thread (taken by the first thread that
    // makes an object, which must not be the worker); the index of picture
    // format plug-ins, its search path read now rather than while the
    // application object sets it up (a PNG signature is checked, which reads
    // the index without loading any plug-in); and the thread pool that
    // converts and scales large pictures.
    QThread::currentThread();
    QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    QBuffer tampon(&signature);
    QImageReader verification(&tampon, "png");
    verification.setAutoDetectImageFormat(false);
    verification.canRead();
    QThreadPool::globalInstance();
    std::lock_guard<std::mutex> l(r.verrou);
    r.entrees.clear();
    for (const Demande& d : demandes)
        r.entrees.push_back(Entree{d.fichier, d.hauteur, QImage(), false, false});
    r.travail = std::thread(lire_tout, &r);
}

void LecteurImages::terminer() {
    Reserve& r = reserve();
    if (r.travail.joinable())
        r.travail.join();
}

QPixmap LecteurImages::pixmap(const QString& fichier) {
    return pixmap(fichier, 0);
}

QPixmap LecteurImages::pixmap(const QString& fichier, int hauteur) {
    Reserve& r = reserve();
    QString nom;
    QPixmap image;
    {
        std::unique_lock<std::mutex> l(r.verrou);
        nom = chemin(r, fichier);
        for (Entree& e : r.entrees) {
            if (e.servie || e.fichier != fichier || e.hauteur != hauteur)
                continue;
            r.lue.wait(l, [&e] { return e.prete; });
            e.servie = true;
            image = QPixmap::fromImage(std::move(e.image));
            if (image.isNull() && !r.manquantes.contains(nom))
                r.manquantes << nom;
            return image;
        }
    }
    if (ordinaire(nom))
        image = QPixmap(nom);
    if (image.isNull()) {
        std::lock_guard<std::mutex> l(r.verrou);
        if (!r.manquantes.contains(nom))
            r.manquantes << nom;
        return image;
    }
    if (hauteur <= 0)
        return image;
    return image.scaledToHeight(hauteur, Qt::SmoothTransformation);
}

void LecteurImages::utiliser_dossier(const QString& dossier) {
    Reserve& r = reserve();
    std::lock_guard<std::mutex> l(r.verrou);
    r.dossier = dossier;
}

QStringList LecteurImages::manquantes() {
    Reserve& r = reserve();
    std::lock_guard<std::mutex> l(r.verrou);
    return std::exchange(r.manquantes, QStringList());
}

QIcon LecteurImages::icone(const QString& fichier) {
    return QIcon(pixmap(fichier));
}

int LecteurImages::en_reserve() {
    Reserve& r = reserve();
    std::lock_guard<std::mutex> l(r.verrou);
    int n = 0;
    for (const Entree& e : r.entrees)
        n += e.servie ? 0 : 1;
    return n;
}
