#include "GraphiqueAudit.h"

#include "CalculTorique.h"
#include "GraphiqueDoubleAngle.h"
#include "Textes.h"

#include <QPainter>

#include <algorithm>

namespace {

using GDA = GraphiqueDoubleAngle;
using AP = AuditPrevisions;

constexpr double DEMI = GraphiqueAudit::LARGEUR / 2;
constexpr double CY = 470;
constexpr double R = 290;
constexpr double LEGENDE_Y = 840;
constexpr double LEGENDE_PAS = 24;

// One colour per basis, so that the two plots are told apart at a glance.
QColor couleur(int base) {
    return base == CorneePosterieure::ABULAFIA_KOCH ? QColor(0xE0, 0x8A, 0x00) : GDA::BLEU_PANNEAU;
}

} // namespace

void GraphiqueAudit::dessiner(QPainter& p, const AuditPrevisions& audit, const QString& langue) {
    QList<AP::Vecteur> erreurs[AP::NB_BASES];
    AP::Resume resumes[AP::NB_BASES];
    double rayon = 0;
    for (int b = 0; b < AP::NB_BASES; ++b) {
        erreurs[b] = audit.erreurs(CorneePosterieure::Methode(b));
        resumes[b] = AP::resumer(erreurs[b]);
        rayon = std::max(rayon, GDA::rayon_D(erreurs[b], resumes[b].bilan));
    }

    // Both plots on the same scale, each under the name of its basis.
    for (int b = 0; b < AP::NB_BASES; ++b) {
        const double x0 = b * DEMI;
        p.setPen(couleur(b).darker(130));
        p.setFont(GDA::police(20, true));
        p.drawText(QRectF(x0, 96, DEMI, 30), Qt::AlignCenter,
                   AP::base(CorneePosterieure::Methode(b), langue));
        GDA::dessiner(p, QPointF(x0 + DEMI / 2, CY), R, rayon, erreurs[b], resumes[b].bilan, couleur(b));
        double y = GDA::legende(p, x0 + 40, LEGENDE_Y, DEMI - 60, LEGENDE_PAS, resumes[b].bilan, rayon,
                                langue, couleur(b));
        // The share of eyes within each threshold, on one line:
        // "Eyes within ±0.25 / 0.50 / 0.75 / 1.00 D: 25% / 72% / 90% / 98%".
        QStringList seuils, parts;
        for (int s = 0; s < AP::NB_SEUILS; ++s) {
            seuils << CalculTorique::texte_D(AP::SEUILS[s]);
            parts << AP::pourcentage(resumes[b].dans[s], langue);
        }
        p.setPen(Qt::black);
        p.setFont(GDA::police(15));
        p.drawText(
            QRectF(x0 + 80, y - LEGENDE_PAS / 2, DEMI - 100, LEGENDE_PAS), Qt::AlignLeft | Qt::AlignVCenter,
            AP::libelle(AP::DANS, langue).arg(seuils.join(QStringLiteral(" / ")) + QStringLiteral(" D")) +
                Textes::deux_points(langue) + parts.join(QStringLiteral(" / ")));
    }
}

QByteArray GraphiqueAudit::rendre(const QByteArray& format, const AuditPrevisions& audit,
                                  const QString& langue) {
    return GDA::rendre(format, LARGEUR, HAUTEUR, AP::libelle(AP::TITRE, langue),
                       AP::libelle(AP::SOUS_TITRE, langue), [&](QPainter& p) { dessiner(p, audit, langue); });
}
