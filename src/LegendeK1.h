#ifndef LEGENDEK1_H
#define LEGENDEK1_H

#include <QLabel>

// Legend swatch of the flat axis K1 (dashed blue): grey up to step 5, in colour above.
class LegendeK1 : public QLabel {
    Q_OBJECT
public:
    LegendeK1();
    void upd_etape_legende(int e);

    int etape_l = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#endif
