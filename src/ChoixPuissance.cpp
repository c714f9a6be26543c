#include "ChoixPuissance.h"

#include "CalculTorique.h"
#include "Textes.h"

#include <algorithm>

QStringList ChoixPuissance::items(const CalculTorique& moteur, const QStringList& gamme,
                                  const QString& langue) {
    QStringList items;
    const int N = std::min<int>(moteur.nb_essais(), gamme.size());
    for (int n = 0; n < N; ++n) {
        // A blank before the colon in French only.
        QString item =
            QString::fromUtf8(langue == "fr" ? "%1  →  %2 x %3  (%4 : %5)" : "%1  →  %2 x %3  (%4: %5)")
                .arg(gamme.at(n), Textes::D(moteur.tab_astpost_plancornee[n]),
                     Textes::degres(moteur.tab_astpost_axe[n]), rotation(ROTATION, langue),
                     Textes::D(moteur.residuel_tourne_max(n, ROTATION)));
        if (moteur.tab_cyl[n] == moteur.tcalc_D)
            item += QStringLiteral("  ") + marque(langue);
        items << item;
    }
    return items;
}

QString ChoixPuissance::marque(const QString& langue) {
    return Textes::selon(langue, "← conseillée", "← recommended");
}

QString ChoixPuissance::rotation(int degres, const QString& langue) {
    const QString angle = QString::fromUtf8("±%1°").arg(degres);
    if (langue == "fr")
        return "si rotation " + angle;
    if (langue == "en")
        return "if rotated " + angle;
    return angle;
}
