#ifndef LEGENDEINC_H
#define LEGENDEINC_H

#include <QLabel>

// Legend swatch of the incision (dark red arc): grey up to step 5, in colour above.
class LegendeInc : public QLabel {
    Q_OBJECT
public:
    LegendeInc();
    void upd_etape_legende(int e);

    int etape_l = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#endif
