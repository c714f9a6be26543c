#include "Bureau.h"

#include <QDesktopServices>

Bureau::Bureau() {
    QDesktopServices::setUrlHandler("file", this, "ouvrir");
}

Bureau::~Bureau() {
    QDesktopServices::unsetUrlHandler("file");
}

void Bureau::ouvrir(const QUrl& url) {
    ouverts << url;
}
