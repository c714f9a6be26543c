#include "TraductionBoites.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// The translation installed, owned by the application object.
QPointer<QTranslator>& traduction() {
    static QPointer<QTranslator> t;
    return t;
}

QString& nom_installe() {
    static QString n;
    return n;
}

} // namespace

bool TraductionBoites::installer(const QString& nom) {
    if (traduction()) {
        QCoreApplication::removeTranslator(traduction());
        delete traduction();
    }
    nom_installe().clear();
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(nom, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    traduction() = t;
    nom_installe() = nom;
    return true;
}

QString TraductionBoites::installee() {
    return traduction() ? nom_installe() : QString();
}
