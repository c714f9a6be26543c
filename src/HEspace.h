#ifndef HESPACE_H
#define HESPACE_H

#include <QFrame>

// Empty frame of fixed width used to align the rows.
class HEspace : public QFrame {
    Q_OBJECT
public:
    explicit HEspace(int largeur);
    void setLargeur(int largeur);
};

#endif
