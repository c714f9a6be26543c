#include "FenetrePrinc.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FenetrePrinc w;
    w.show();
    return app.exec();
}
