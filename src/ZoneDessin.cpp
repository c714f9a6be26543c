#include "ZoneDessin.h"
#include "LecteurImages.h"

#include <QChar>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPushButton>

namespace {

// The drawing's own coordinates: origin 200 pixels from the left and 150 from
// the top, one unit per pixel. The axes cross at (8, 0), the protractor's centre.
const QRect fenetre_logique(-200, -150, 400, 290);
const QPointF centre_axes(8, 0);

QPen stylo(const QColor& couleur, qreal largeur, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(QBrush(couleur), largeur, style, Qt::RoundCap);
}

QPen stylo_k1() {
    QPen p = stylo(QColor(30, 157, 186), 4, Qt::DashLine);
    p.setDashOffset(1);
    return p;
}

QPen stylo_k2() {
    return stylo(QColor(243, 61, 107), 4);
}
QPen stylo_incision() {
    return stylo(QColor(190, 0, 0), 7);
}
QPen stylo_lentille() {
    return stylo(QColor(0, 0, 0), 2);
}

} // namespace

ZoneDessin::ZoneDessin(QString modele) : QLabel(nullptr), modele_dessin(std::move(modele)) {
    setObjectName(QStringLiteral("zone_dessin"));

    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedWidth(400);
    setFixedHeight(290);

    bouton_iol = new QPushButton(this);
    bouton_iol->setObjectName(QStringLiteral("bouton_iol"));
    bouton_iol->setCursor(Qt::PointingHandCursor);
    bouton_iol->setIcon(LecteurImages::icone(QStringLiteral("mirbo_cross2.png")));
    bouton_iol->setIconSize(QSize(24, 37));
    bouton_iol->setFixedSize(35, 45);
    bouton_iol->move(360, 5);
    connect(bouton_iol, &QPushButton::clicked, this, &ZoneDessin::show_iol);
    bouton_iol->hide();
}

// Ophthalmic axes turn counter-clockwise on screen; the painter turns
// clockwise for positive angles, hence the negated axes.
void ZoneDessin::rotation_K1(int a) {
    angle_k1 = -a;
    update();
}

void ZoneDessin::rotation_K2(int a) {
    angle_k2 = -a;
    update();
}

// The lens is drawn upright (its placement line vertical) and turned so that
// this line lies along the lens axis.
void ZoneDessin::rotation_iol(int a) {
    angle_iol = -a - 90;
    angle_iol_vrai = a;
    update();
}

void ZoneDessin::incision(int a) {
    angle_inc = -a;
    update();
}

void ZoneDessin::oeil(int o) {
    flag_oeil = o;
    update();
}

void ZoneDessin::upd_etape_dessin(int e) {
    etape_d = e;
    update();
}

void ZoneDessin::montrer_axes_K(bool oui) {
    if (oui == axes_K_montres)
        return;
    axes_K_montres = oui;
    update();
}

void ZoneDessin::montrer_incision(bool oui) {
    if (oui == incision_montree)
        return;
    incision_montree = oui;
    update();
}

void ZoneDessin::show_iol() {
    show_flag = !show_flag;
    bouton_iol->setIcon(
        QIcon(show_flag ? QStringLiteral("mirbo_cross2.png") : QStringLiteral("mirbo_check2.png")));
    update();
}

const QPixmap& ZoneDessin::image(const QString& fichier) {
    auto it = images_d.find(fichier);
    if (it == images_d.end())
        it = images_d.insert(fichier, LecteurImages::pixmap(fichier));
    return *it;
}

void ZoneDessin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setWindow(fenetre_logique);

    // Protractor of the operated eye, grey until the first input, then orange.
    {
        QString fichier;
        if (etape_d <= 0)
            fichier = flag_oeil == 0 ? QStringLiteral("rapporteur_ODpxGRIS2.png")
                                     : QStringLiteral("rapporteur_OSpxGRIS2.png");
        else
            fichier = flag_oeil == 0 ? QStringLiteral("rapporteur_ODpxORANGECL2.png")
                                     : QStringLiteral("rapporteur_OSpxORANGECL2.png");
        const QPixmap& rapporteur = image(fichier);
        if (!rapporteur.isNull())
            painter.drawPixmap(-175, -140, rapporteur);
    }

    // Flat (K1) then steep (K2) corneal meridians.
    if (etape_d > 5 && etape_d != 11 && axes_K_montres) {
        const struct {
            int angle;
            QPen pen;
        } axes[] = {{angle_k1, stylo_k1()}, {angle_k2, stylo_k2()}};
        for (const auto& axe : axes) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.translate(centre_axes);
            painter.rotate(axe.angle);
            painter.setPen(axe.pen);
            painter.drawLine(QPointF(-100, 0), QPointF(100, 0));
            painter.restore();
        }
    }

    // Incision: a bracket facing outwards about 100 pixels from the centre.
    if (etape_d > 5 && incision_montree) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.translate(centre_axes);
        painter.rotate(angle_inc);
        painter.setPen(stylo_incision());
        painter.drawArc(QRectF(92, -24, 22, 48), 45 * 16, -90 * 16);
        painter.restore();
    }

    // Toric lens along its placement axis, with the axis value printed upright.
    if (etape_d > 9 && show_flag) {
        angle_iol_str = QString::number(angle_iol_vrai) + QChar(0x00B0);

        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        QFont police(QStringLiteral("Calibri"), 20);
        police.setWeight(QFont::Bold);
        painter.setFont(police);
        painter.translate(centre_axes);
        painter.rotate(angle_iol);
        painter.setPen(stylo_lentille());
        painter.drawLine(QPointF(0, -130), QPointF(0, 130));

        QString fichier;
        QPoint coin;
        if (modele_dessin == QLatin1String("MIRBO") || modele_dessin == QLatin1String("TAVRIN")) {
            fichier = QStringLiteral("mirbo_0.png");
            coin = QPoint(-65, -100);
        } else if (modele_dessin == QLatin1String("VELAN")) {
            fichier = QStringLiteral("velan_T_180x138_AS.png");
            coin = QPoint(-60, -90);
        }
        if (!fichier.isEmpty()) {
            const QPixmap& lentille = image(fichier);
            if (!lentille.isNull()) {
                // The lens turns with its axis: smooth its outline.
                painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
                painter.drawPixmap(coin, lentille);
            }
        }

        painter.rotate(-angle_iol);
        painter.drawText(QRect(-25, -22, 60, 40), Qt::AlignCenter, angle_iol_str);
        painter.restore();
    }
}
