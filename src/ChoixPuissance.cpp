#include "ChoixPuissance.h"

#include "CalculTorique.h"

#include <algorithm>

QStringList ChoixPuissance::items(const CalculTorique& moteur, const QStringList& gamme,
                                  const QString& langue) {
    QStringList items;
    const int N = std::min<int>(moteur.nb_essais(), gamme.size());
    for (int n = 0; n < N; ++n) {
        QString item = QString::fromUtf8("%1  →  %2 D x %3 °  (%4° : %5 D)")
                           .arg(gamme.at(n), CalculTorique::texte_D(moteur.tab_astpost_plancornee[n]))
                           .arg(moteur.tab_astpost_axe[n])
                           .arg(ROTATION)
                           .arg(CalculTorique::texte_D(moteur.residuel_tourne_max(n, ROTATION)));
        if (moteur.tab_cyl[n] == moteur.tcalc_D)
            item += QStringLiteral("  ") + marque(langue);
        items << item;
    }
    return items;
}

QString ChoixPuissance::marque(const QString& langue) {
    return langue == "en" ? QString::fromUtf8("← recommended") : QString::fromUtf8("← conseillée");
}
