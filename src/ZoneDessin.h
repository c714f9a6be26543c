#ifndef ZONEDESSIN_H
#define ZONEDESSIN_H

#include <QHash>
#include <QLabel>
#include <QPixmap>

class QPushButton;

// Summary diagram, 400 x 290: the protractor of the operated eye with the
// flat axis K1, the steep axis K2, the incision and, once results are shown,
// the lens with its axis value. The guided step decides what is drawn.
class ZoneDessin : public QLabel {
    Q_OBJECT
public:
    explicit ZoneDessin(QString modele);

    void rotation_K1(int a);
    void rotation_K2(int a);
    void rotation_iol(int a);
    void incision(int a);
    void oeil(int o);
    void upd_etape_dessin(int e);
    // Whether the K axes and the incision are drawn at the steps that show
    // them: not while the entry they come from holds no meridian.
    void montrer_axes_K(bool oui);
    void montrer_incision(bool oui);

    QString modele_dessin;
    int angle_k1 = 0;
    int angle_k2 = 0;
    int angle_iol = 0;
    int angle_iol_vrai = 0;
    QString angle_iol_str;
    int angle_inc = 0;
    int flag_oeil = 0;
    int etape_d = 0;
    bool show_flag = true;
    bool axes_K_montres = true;
    bool incision_montree = true;
    QPushButton* bouton_iol = nullptr;

public slots:
    void show_iol();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Pictures read from the working directory the first time they are
    // drawn, then kept for the life of the widget (a missing file stays an
    // empty picture and draws nothing).
    const QPixmap& image(const QString& fichier);
    QHash<QString, QPixmap> images_d;
};

#endif
