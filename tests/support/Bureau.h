#ifndef BUREAU_H
#define BUREAU_H

#include <QList>
#include <QObject>
#include <QUrl>

// Stands for the desktop while it lives: the files the program hands to it
// (a saved PDF is opened by the desktop) are kept in `ouverts`, and no
// viewer starts.
class Bureau : public QObject {
    Q_OBJECT
public:
    Bureau();
    ~Bureau() override;
    QList<QUrl> ouverts;
public slots:
    void ouvrir(const QUrl& url);
};

#endif
