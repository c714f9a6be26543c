#ifndef VESPACE_H
#define VESPACE_H

#include <QFrame>

// Empty frame of fixed height used to space the columns.
class VEspace : public QFrame {
    Q_OBJECT
public:
    explicit VEspace(int hauteur);
};

#endif
