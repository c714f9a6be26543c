#include "GraphiqueAstigmatismeInduit.h"

#include "GraphiqueDoubleAngle.h"

#include <QPainter>

namespace {

using Bilan = AstigmatismeInduit::Bilan;
using GDA = GraphiqueDoubleAngle;

// The plot's circle in drawing units, below the title.
constexpr double CX = GraphiqueAstigmatismeInduit::LARGEUR / 2;
constexpr double CY = 455;
constexpr double R = 305;
// The legend, below the circle.
constexpr double LEGENDE_X = 40;
constexpr double LEGENDE_Y = 812;
constexpr double LEGENDE_PAS = 26;

} // namespace

void GraphiqueAstigmatismeInduit::dessiner(QPainter& p, const AstigmatismeInduit& serie,
                                           const QString& langue) {
    using AI = AstigmatismeInduit;
    const Bilan b = serie.bilan();
    const QList<AI::Vecteur> yeux = serie.combines();
    const double rayon = GDA::rayon_D(yeux, b);

    if (b.miroir) {
        p.setFont(GDA::police(13));
        p.drawText(QRectF(0, 76, LARGEUR, 22), Qt::AlignCenter, AI::libelle(AI::MIROIR, langue));
    }

    GDA::dessiner(p, QPointF(CX, CY), R, rayon, yeux, b, GDA::BLEU_PANNEAU);
    GDA::legende(p, LEGENDE_X, LEGENDE_Y, LARGEUR - LEGENDE_X - 20, LEGENDE_PAS, b, rayon, langue,
                 GDA::BLEU_PANNEAU);
}

QByteArray GraphiqueAstigmatismeInduit::rendre(const QByteArray& format, const AstigmatismeInduit& serie,
                                               const QString& langue) {
    return GDA::rendre(format, LARGEUR, HAUTEUR,
                       AstigmatismeInduit::libelle(AstigmatismeInduit::TITRE, langue),
                       AstigmatismeInduit::libelle(AstigmatismeInduit::SOUS_TITRE, langue),
                       [&](QPainter& p) { dessiner(p, serie, langue); });
}
