#ifndef LEGENDEK2_H
#define LEGENDEK2_H

#include <QLabel>

// Legend swatch of the steep axis K2 (solid pink-red): grey up to step 5, in colour above.
class LegendeK2 : public QLabel {
    Q_OBJECT
public:
    LegendeK2();
    void upd_etape_legende(int e);

    int etape_l = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#endif
