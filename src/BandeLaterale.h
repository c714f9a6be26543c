#ifndef BANDELATERALE_H
#define BANDELATERALE_H

#include <QFrame>

// Blue side band, 20 wide, that rounds the outer corners of a page's centre
// panel: cote 1 on the left, cote 2 on the right. The page number only says
// where the band belongs.
class BandeLaterale : public QFrame {
    Q_OBJECT
public:
    BandeLaterale(int page, int cote);
};

#endif
