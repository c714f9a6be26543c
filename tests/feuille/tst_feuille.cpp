// The calculation sheet: texts, values and their separators, fonts by level,
// variants by language, country and eye, the warnings, and the PDF itself
// read back with poppler's tools.

#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "FeuilleCalcul.h"
#include "ListParam.h"
#include "PageEnregistree.h"
#include "Processus.h"
#include "Saisies.h"
#include "Version.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString DEG = QString::fromUtf8(" °");

// A finished right-eye calculation in dioptres, sent to France.
void remplir(ListParam& p, const QString& langue = "fr", const QString& pays = "France") {
    p.langue_t = langue;
    p.modele_iol_t = "VELAN";
    p.oeil_t = std::make_shared<const QString>("droit");
    p.enab_od_t = true;
    p.sph_ind_t = 24;
    p.puiss_sph_t = "21.5";
    p.unit_ind_t = 1;
    p.K1D_t = 43.25;
    p.K2D_t = 45.5;
    p.K1mm_t = 337.5 / 43.25;
    p.K2mm_t = 337.5 / 45.5;
    p.K1axe_t = 90;
    p.K2axe_t = 0;
    p.incD_t = 0.5;
    p.incaxe_t = 120;
    p.astpre_D_t = 2.25;
    p.astpre_axe_t = 0;
    p.astcross_D_t = 2.41;
    p.astcross_axe_t = 5;
    p.tcalc_D_t = 3.0;
    p.tperfect_D_t = 3.44;
    p.tcalc_axe_t = 5;
    p.astpost_D_t = 0.22;
    p.astpost_axe_t = 95;
    p.choix_torique_t = 2.25;
    p.etape_t = 10;
    Saisies::identification(p, QString::fromUtf8("Dupont Zoé 12"), pays == "France" ? 20 : 22, pays);
    p.date_str_t = "lundi 3 mars 2025";
}

MoteurEnregistreur::Texte premier(const PageEnregistree& page, const QString& s) {
    auto t = page.moteur.trouver(s);
    return t.empty() ? MoteurEnregistreur::Texte{} : t.front();
}

// Text drawn left-aligned in the box (x, y, w, h): starts at x, baseline inside the box.
bool dans(const MoteurEnregistreur::Texte& t, double x, double y, double h) {
    return qAbs(t.position.x() - x) < 0.01 && t.position.y() > y && t.position.y() < y + h;
}

using Processus::sans_blancs;

// Every text drawn on a page, where and how.
QStringList textes_dessines(const PageEnregistree& page) {
    QStringList l;
    for (const auto& t : page.moteur.textes)
        l << QString("%1|%2|%3|%4|%5")
                 .arg(t.texte)
                 .arg(t.position.x())
                 .arg(t.position.y())
                 .arg(t.police.toString())
                 .arg(t.couleur.name());
    return l;
}

} // namespace

class TstFeuille : public QObject {
    Q_OBJECT
private slots:
    void valeurs_data();
    void valeurs();
    void puissance_ideale_data();
    void puissance_ideale();
    void identification_et_commande();
    void identification_entiere_data();
    void identification_entiere();
    void variantes_pays_data();
    void variantes_pays();
    void langues_data();
    void langues();
    void polices_par_niveau_data();
    void polices_par_niveau();
    void oeil_et_schemas_data();
    void oeil_et_schemas();
    void avertissements_data();
    void avertissements();
    void pdf_data();
    void pdf();
    void pdf_non_ecrit_data();
    void pdf_non_ecrit();
    void nom_fichier_data();
    void nom_fichier();

private:
    void peindre(PageEnregistree& page, const ListParam& p, int niveau = 0) {
        QPainter painter(&page);
        FeuilleCalcul::peindre(painter, p, niveau, PageEnregistree::LARGEUR);
    }
};

void TstFeuille::valeurs_data() {
    QTest::addColumn<int>("unite");
    QTest::addColumn<QString>("k1");
    QTest::addColumn<QString>("k2");
    QTest::addColumn<bool>("totale"); // the lens chosen on the estimated total cornea
    QTest::addColumn<QString>("langue");
    QTest::newRow("dioptres") << 1 << QString("43.25 D     @  90" + DEG) << QString("45.50 D     @  0" + DEG)
                              << false << "fr";
    QTest::newRow("millimetres") << 2 << QString("7.80 mm     @  90" + DEG)
                                 << QString("7.42 mm     @  0" + DEG) << false << "fr";
    QTest::newRow("unite inconnue") << 3 << QString() << QString() << false << "fr";
    QTest::newRow("dioptres, total cornea")
        << 1 << QString("43.25 D     @  90" + DEG) << QString("45.50 D     @  0" + DEG) << true << "fr";
    QTest::newRow("millimetres, total cornea, en")
        << 2 << QString("7.80 mm     @  90" + DEG) << QString("7.42 mm     @  0" + DEG) << true << "en";
}

// Every value of the sheet, with its exact separators, in its row.
void TstFeuille::valeurs() {
    QFETCH(int, unite);
    QFETCH(QString, k1);
    QFETCH(QString, k2);
    QFETCH(bool, totale);
    QFETCH(QString, langue);
    ListParam p;
    remplir(p, langue);
    p.unit_ind_t = unite;
    // The estimate of 2.25 D at 0 (X' = 0.508 + 0.926 * 2.25, Y' = 0.009):
    // 2.59 D at 0.
    if (totale) {
        p.posterieure_t = CorneePosterieure::ABULAFIA_KOCH;
        p.totale_t = CorneePosterieure::abulafia_koch(p.K1D_t, p.K2D_t, p.K2axe_t);
    }
    PageEnregistree page;
    peindre(page, p);

    struct Attendu {
        QString texte;
        double x, y;
    };
    // The pre-operative rows, 35 apart; with the estimate one more, under
    // the keratometry's own astigmatism, the rows 30 apart and the crossed
    // cylinder in its place.
    const int pas = totale ? 30 : 35;
    auto rangee = [pas](int k) { return 300.0 + k * pas; };
    const int apres = totale ? 1 : 0;
    QList<Attendu> attendus{{"21.5 D", 310, rangee(0)},
                            {QString::fromUtf8("2.25 D      x   0") + DEG, 310, rangee(3)},
                            {"120" + DEG, 310, rangee(4 + apres)},
                            {"- 0.50 D", 310, rangee(5 + apres)},
                            {"2.41 D   x   5" + DEG, 310, rangee(6 + apres)},
                            {"3.00 D", 310, 635},
                            {"5" + DEG, 310, 670},
                            {"VELAN T2.25", 310, 760},
                            {"0.22 D   x   95" + DEG, 310, 795}};
    if (!k1.isEmpty()) {
        attendus << Attendu{k1, 310, rangee(1)} << Attendu{k2, 310, rangee(2)};
    } else {
        // No unit: the K rows keep their labels and no value.
        for (const auto& t : page.moteur.textes)
            QVERIFY2(!(t.position.x() == 310 && t.position.y() > 335 && t.position.y() < 405),
                     qPrintable(t.texte));
    }
    // The basis of the choice: the measured astigmatism, the estimate and
    // its method; the labels before the values.
    const QString estime = langue == "fr" ? QString::fromUtf8("Astigmatisme total estimé (Abulafia-Koch) :")
                                          : QString("Estimated total astigmatism (Abulafia-Koch) :");
    const QString mesure = langue == "fr" ? QString::fromUtf8("Astigmatisme antérieur mesuré :")
                                          : QString("Measured anterior astigmatism :");
    if (totale) {
        attendus << Attendu{"2.59 D      x   0" + DEG, 310, rangee(4)} << Attendu{estime, 50, rangee(4)}
                 << Attendu{mesure, 50, rangee(3)};
        const auto e = premier(page, estime);
        QVERIFY2(e.position.x() + e.largeur < 305, qPrintable(QString::number(e.largeur)));
    } else {
        QVERIFY(!page.moteur.contient(estime) && !page.moteur.contient(mesure));
    }
    if (langue == "fr")
        attendus << Attendu{QString::fromUtf8("Puissance sphérique de l'implant (SEQ) :"), 50, rangee(0)}
                 << Attendu{"Axe plat K1 :", 50, rangee(1)}
                 << Attendu{QString::fromUtf8("Axe élevé K2 :"), 50, rangee(2)}
                 << Attendu{QString::fromUtf8("Position de l'incision :"), 50, rangee(4 + apres)}
                 << Attendu{"Astigmatisme induit chirurgicalement :", 50, rangee(5 + apres)}
                 << Attendu{QString::fromUtf8("Cylindre croisé (au plan cornéen) :"), 50, rangee(6 + apres)};
    if (langue == "fr" && !totale)
        attendus << Attendu{QString::fromUtf8("Astigmatisme pré-opératoire :"), 50, rangee(3)};
    for (const Attendu& a : attendus) {
        auto t = page.moteur.trouver(a.texte);
        QVERIFY2(!t.empty(), qPrintable(a.texte));
        QVERIFY2(dans(t.front(), a.x, a.y, pas), qPrintable(a.texte));
    }
    // Without the estimate, the record's cornea (as a calculation fills it,
    // or left over) draws nothing: the same texts, at the same places.
    if (!totale) {
        ListParam q;
        remplir(q, langue);
        q.unit_ind_t = unite;
        q.totale_t = CorneePosterieure::abulafia_koch(q.K1D_t, q.K2D_t, q.K2axe_t);
        PageEnregistree autre;
        peindre(autre, q);
        QCOMPARE(textes_dessines(autre), textes_dessines(page));
    }
    // Order table values: centred in their columns, in the blue of the bars.
    const int T = PageEnregistree::LARGEUR - 175;
    const QList<std::pair<QString, int>> commande{
        {"VELAN T2.25", 50}, {"21.5 D", 50 + T / 4}, {"2.25 D", 50 + (2 * T) / 4}};
    for (const auto& [texte, x] : commande) {
        bool trouve = false;
        for (const auto& t : page.moteur.trouver(texte))
            if (t.position.y() > 987 && t.position.y() < 1022) {
                trouve = true;
                QCOMPARE(t.couleur, QColor(0, 160, 194));
                QVERIFY(qAbs(t.position.x() + t.largeur / 2 - (x + T / 8.0)) < 1.0);
            }
        QVERIFY2(trouve, qPrintable(texte));
    }
}

void TstFeuille::puissance_ideale_data() {
    QTest::addColumn<double>("tperfect");
    QTest::addColumn<QString>("texte");
    QTest::newRow("19.99") << 19.99 << "19.99 D";
    QTest::newRow("20.0") << 20.0 << "> 20.0 D";
    QTest::newRow("35.2") << 35.2 << "> 20.0 D";
    QTest::newRow("0.00") << 0.0 << "0.00 D";
}

void TstFeuille::puissance_ideale() {
    QFETCH(double, tperfect);
    QFETCH(QString, texte);
    ListParam p;
    remplir(p);
    p.tperfect_D_t = tperfect;
    PageEnregistree page;
    peindre(page, p);
    auto t = premier(page, texte);
    QVERIFY2(dans(t, 312, 600, 35), qPrintable(texte));
    QVERIFY(t.police.italic());
}

void TstFeuille::identification_et_commande() {
    ListParam p;
    remplir(p);
    PageEnregistree page;
    peindre(page, p);
    QVERIFY(dans(premier(page, QString::fromUtf8("Dupont Zoé 12")), 195, 173, 26));
    QVERIFY(premier(page, QString::fromUtf8("Dupont Zoé 12")).police.bold());
    QVERIFY(dans(premier(page, "lundi 3 mars 2025"), 195, 202, 26));
    QVERIFY(dans(premier(page, "Dr Martin"), 515, 173, 26));
    QVERIFY(dans(premier(page, "Clinique du Lac"), 515, 202, 26));
    QVERIFY(dans(premier(page, "1 rue des Lilas"), 450, 882, 17));
    QVERIFY(dans(premier(page, QString::fromUtf8("Bâtiment B")), 450, 900, 17));
    QVERIFY(dans(premier(page, "75001 Paris (France)"), 450, 917, 17));
    // The calculation date, in the sheet's language, the month in letters.
    const QString date =
        QLocale(QLocale::French, QLocale::France).toString(QDate::currentDate(), "d MMMM yyyy");
    QVERIFY(dans(premier(page, "Date du calcul : " + date), 495, 87, 17));
    QVERIFY(page.moteur.contient(FeuilleCalcul::SITE_WEB));
    // Separators across the page and the order table's grid.
    const int W = PageEnregistree::LARGEUR, T = W - 175;
    for (int y : {161, 238, 861})
        QVERIFY(std::count(page.moteur.lignes.begin(), page.moteur.lignes.end(), QLineF(42, y, W - 42, y)) ==
                1);
    for (int y : {952, 987, 1022})
        QVERIFY(std::count(page.moteur.lignes.begin(), page.moteur.lignes.end(),
                           QLineF(50, y, 50 + (3 * T) / 4, y)) == 1);
    for (int x : {50, 50 + T / 4, 50 + (2 * T) / 4, 50 + (3 * T) / 4})
        QVERIFY(std::count(page.moteur.lignes.begin(), page.moteur.lignes.end(), QLineF(x, 952, x, 1022)) ==
                1);
    QVERIFY(dans(premier(page, "Signature :"), 50 + (3 * T) / 4 + 25, 1057, 35));
}

void TstFeuille::identification_entiere_data() {
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<QRect>("boite"); // where the text must stay, labels excluded
    const QRect patient(195, 173, 210, 26), chirurgien(515, 173, 215, 26), etablissement(515, 202, 215, 26),
        adresse1(450, 882, 305, 17), ville(450, 917, 305, 17);
    const QString W19(19, 'W'), W20(20, 'W'), W40(40, 'W'), M25(25, 'M');
    QTest::newRow("line break in the identifier") << "patient" << QString("PAT-12\n") << "PAT-12" << patient;
    QTest::newRow("line break inside the identifier")
        << "patient" << QString("Dupont\r\n12") << "Dupont 12" << patient;
    QTest::newRow("right-to-left override")
        << "patient" << QString::fromUtf8("\u202e21-AP\u202c") << "21-AP" << patient;
    QTest::newRow("19 wide letters before the surgeon's label") << "patient" << W19 << W19 << patient;
    QTest::newRow("tab in the surgeon") << "chirurgien" << QString("Dr\tMartin") << "Dr Martin" << chirurgien;
    QTest::newRow("25 wide letters") << "etablissement" << M25 << M25 << etablissement;
    QTest::newRow("40 wide letters") << "adresse1" << W40 << W40 << adresse1;
    QTest::newRow("line break in the city")
        << "ville" << QString("Lyon\nCedex 03") << "75001 Lyon Cedex 03 (Czech Republic)" << ville;
    QTest::newRow("long city, the country still seen")
        << "ville" << W20 << "75001 " + W20 + " (Czech Republic)" << ville;
}

// Every identification text of the order form is drawn on one line, whole
// inside its box (smaller when it must be), away from the labels.
void TstFeuille::identification_entiere() {
    QFETCH(QString, champ);
    QFETCH(QString, valeur);
    QFETCH(QString, attendu);
    QFETCH(QRect, boite);
    ListParam p;
    remplir(p, "fr", "Czech Republic");
    QString* champs[] = {&p.nom_pat_str_t, &p.nom_chir_str_t, &p.clinique_str_t, &p.adresse1_str_t,
                         &p.ville_str_t};
    const QStringList noms{"patient", "chirurgien", "etablissement", "adresse1", "ville"};
    *champs[noms.indexOf(champ)] = valeur;
    PageEnregistree page;
    peindre(page, p);
    const auto trouves = page.moteur.trouver(attendu);
    QCOMPARE(int(trouves.size()), 1);
    const MoteurEnregistreur::Texte& t = trouves.front();
    QVERIFY2(t.position.x() >= boite.left() - 0.01 && t.position.x() + t.largeur <= boite.right() + 1.01,
             qPrintable(QString("%1 to %2").arg(t.position.x()).arg(t.position.x() + t.largeur)));
    QVERIFY(t.position.y() > boite.top() && t.position.y() < boite.bottom());
    // Not a piece of it drawn anywhere else.
    int morceaux = 0;
    for (const MoteurEnregistreur::Texte& autre : page.moteur.textes)
        if (autre.texte.trimmed().size() >= 3 && attendu.contains(autre.texte))
            ++morceaux;
    QCOMPARE(morceaux, 1);
}

void TstFeuille::variantes_pays_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("pays");
    QTest::newRow("France fr") << "fr"
                               << "France";
    QTest::newRow("France en") << "en"
                               << "France";
    QTest::newRow("Germany fr") << "fr"
                                << "Germany";
    QTest::newRow("Germany en") << "en"
                                << "Germany";
    QTest::newRow("aucun pays") << "fr"
                                << "--------";
    QTest::newRow("france en minuscules") << "fr"
                                          << "france";
}

// France: return-by-fax instructions, contact lines, loan and ring lines
// (in French in both languages); any other country: the local distributor.
void TstFeuille::variantes_pays() {
    QFETCH(QString, langue);
    QFETCH(QString, pays);
    ListParam p;
    remplir(p, langue, pays);
    PageEnregistree page;
    peindre(page, p);
    const bool france = pays == "France";
    const bool fr = langue == "fr";
    const auto& m = page.moteur;
    QCOMPARE(m.contient(QString("fax : ") + FeuilleCalcul::FAX), france);
    QCOMPARE(m.contient(QString("e-mail : ") + FeuilleCalcul::EMAIL), france);
    QCOMPARE(m.contient(QString("tel : ") + FeuilleCalcul::TELEPHONE), france);
    QCOMPARE(m.contient(fr ? "Pour effectuer une commande, veuillez retourner cette"
                           : "To make an order, please return this form"),
             france);
    QCOMPARE(m.contient(fr ? QString::fromUtf8("votre distributeur local d'implants toriques Brevanta.")
                           : "local distributor of Brevanta toric IOLs."),
             !france);
    QCOMPARE(m.contient(QString::fromUtf8("Prêt marqueur pré-opératoire :")), france);
    QCOMPARE(m.contient("Anneau de Mendez usage unique :"), france);
    QCOMPARE(int(m.trouver("Oui").size()), france ? 2 : 0);
    QCOMPARE(int(m.trouver("Non").size()), france ? 2 : 0);
    int cases = 0;
    for (const QRectF& r : m.rectangles)
        cases += r.size() == QSizeF(12, 12);
    QCOMPARE(cases, france ? 4 : 0);
    if (france)
        QVERIFY(dans(premier(page, QString("tel : ") + FeuilleCalcul::TELEPHONE), 75, 104, 17));
}

void TstFeuille::langues_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("fr") << "fr";
    QTest::newRow("en") << "en";
    QTest::newRow("autre") << "de";
}

void TstFeuille::langues() {
    QFETCH(QString, langue);
    ListParam p;
    remplir(p, langue, "Germany");
    PageEnregistree page;
    peindre(page, p);
    const auto& m = page.moteur;
    const bool fr = langue == "fr", en = langue == "en";
    const QList<std::pair<QString, QString>> textes{
        {"BON DE COMMANDE :", "ORDER FORM :"},
        {QString::fromUtf8("Informations pré-opératoires :"), "Pre-operative information :"},
        {QString::fromUtf8("Implant torique calculé :"), "Computed toric IOL :"},
        {QString::fromUtf8("Prévisions post-opératoires :"), "Post-operative predictions :"},
        {"(oeil droit)", "(right eye)"},
        {QString::fromUtf8("Cylindre croisé (au plan cornéen) :"), "Crossed cylinder (at corneal plane) :"},
        {"Implant torique Brevanta choisi :", "Selected Brevanta toric IOL :"},
        {"Nom du signataire / fonction :", "Signatory name / function :"},
        {QString::fromUtf8("(vérifiez attentivement les informations)"),
         "(please verify carefully information)"},
        {"Calculateur Torique Brevanta v" VERSION_TORIQUE, "Brevanta Toric Calculator v" VERSION_TORIQUE}};
    for (const auto& [francais, anglais] : textes) {
        QCOMPARE(m.contient(francais), fr);
        QCOMPARE(m.contient(anglais), en);
    }
    // Titles in white on the bars, the values whatever the language.
    auto titre =
        m.trouver(fr ? QString::fromUtf8("Informations pré-opératoires :") : "Pre-operative information :");
    if (fr || en) {
        QCOMPARE(titre.front().couleur, QColor(Qt::white));
        QVERIFY(dans(titre.front(), 50, 265, 25));
    }
    QVERIFY(m.contient("OD"));
    QVERIFY(m.contient("VELAN T2.25"));
    QVERIFY(m.contient(QString::fromUtf8("Dupont Zoé 12")));
}

void TstFeuille::polices_par_niveau_data() {
    QTest::addColumn<int>("niveau");
    QTest::addColumn<QList<int>>("tailles"); // important, mention, contact, OD, legende, titre
    QTest::newRow("0") << 0 << QList<int>{13, 7, 9, 22, 10, 11};
    QTest::newRow("1") << 1 << QList<int>{12, 6, 8, 20, 7, 10};
    QTest::newRow("2") << 2 << QList<int>{11, 5, 7, 18, 6, 9};
    QTest::newRow("inconnu") << 5 << QList<int>{13, 7, 9, 22, 10, 11};
}

void TstFeuille::polices_par_niveau() {
    QFETCH(int, niveau);
    QFETCH(QList<int>, tailles);
    ListParam p;
    remplir(p); // France: the contact lines are drawn
    PageEnregistree page;
    peindre(page, p, niveau);
    struct Cas {
        QString texte;
        int taille;
        bool gras, italique;
        double espacement;
    };
    const QList<Cas> cas{
        {"3.00 D", tailles[0], true, false, 105},
        {QString::fromUtf8(
             "et les accepter, notamment la destination exclusive du calcul à l'implant Brevanta VELAN T."),
         tailles[1], false, true, 125},
        {QString("fax : ") + FeuilleCalcul::FAX, tailles[2], false, false, 110},
        {"OD", tailles[3], true, false, 100},
        {"3.44 D", tailles[4], false, true, 110},
        {QString::fromUtf8("Implant torique calculé :"), tailles[5], true, false, 110}};
    for (const Cas& c : cas) {
        auto t = premier(page, c.texte);
        QVERIFY2(!t.texte.isEmpty(), qPrintable(c.texte));
        QCOMPARE(t.police.pointSize(), c.taille);
        QCOMPARE(t.police.bold(), c.gras);
        QCOMPARE(t.police.italic(), c.italique);
        QCOMPARE(t.police.family(), QString("Arial"));
        // The letter spacing widens the text as much as its percentage
        // would, in equal gaps: the same gap after every letter, wide or
        // narrow, where the percentage gave a wide letter a wider gap.
        if (c.espacement != 100) {
            QCOMPARE(t.police.letterSpacingType(), QFont::AbsoluteSpacing);
            QFont pourcent = t.police;
            pourcent.setLetterSpacing(QFont::PercentageSpacing, c.espacement);
            const qreal espacee = QFontMetricsF(pourcent, &page).horizontalAdvance(c.texte);
            // (a spacing is kept to 1/64 pixel)
            QVERIFY2(qAbs(t.largeur - espacee) < 0.5 + c.texte.size() / 64.0,
                     qPrintable(QString("%1 / %2").arg(t.largeur).arg(espacee)));
        }
    }
}

void TstFeuille::oeil_et_schemas_data() {
    QTest::addColumn<bool>("droit");
    QTest::newRow("OD") << true;
    QTest::newRow("OS") << false;
}

void TstFeuille::oeil_et_schemas() {
    QFETCH(bool, droit);
    ListParam p;
    remplir(p, "en");
    p.enab_od_t = droit;
    p.enab_og_t = !droit;
    PageEnregistree page;
    peindre(page, p);
    const auto& m = page.moteur;
    QVERIFY(dans(premier(page, droit ? "OD" : "OS"), 560, 251, 25));
    QVERIFY(!m.contient(droit ? "OS" : "OD"));
    QVERIFY(dans(premier(page, droit ? "(right eye)" : "(left eye)"), 630, 251, 25));
    // Both diagrams: 360 x 290 grabs scaled by 0.81.
    int schemas = 0;
    for (const auto& im : m.images) {
        if (im.taille != QSize(360, 290))
            continue;
        ++schemas;
        QVERIFY(qAbs(im.place.x() - 469.8) < 0.01);
        QVERIFY(qAbs(im.place.width() - 291.6) < 0.01);
        QVERIFY(qAbs(im.place.height() - 234.9) < 0.01);
        QVERIFY(qAbs(im.place.y() - 285.12) < 0.01 || qAbs(im.place.y() - 592.92) < 0.01);
    }
    QCOMPARE(schemas, 2);
}

void TstFeuille::avertissements_data() {
    QTest::addColumn<int>("axe_cross");
    QTest::addColumn<int>("axe_post");
    QTest::addColumn<double>("residuel");
    QTest::addColumn<int>("attendu"); // 0 none, 1 inversion, 2 high residual
    QTest::newRow("90 deg, 0.50 D") << 10 << 100 << 0.50 << 1;
    QTest::newRow("90 deg, 0.10 D") << 10 << 100 << 0.10 << 0;
    QTest::newRow("90 deg, 0.11 D") << 10 << 100 << 0.11 << 1;
    QTest::newRow("30 deg, 1.00 D") << 10 << 40 << 1.00 << 0;
    QTest::newRow("30 deg, 1.01 D") << 10 << 40 << 1.01 << 2;
    QTest::newRow("45 deg, 1.50 D") << 10 << 55 << 1.50 << 2;
    QTest::newRow("46 deg, 0.50 D") << 10 << 56 << 0.50 << 1;
    // Axes 170 and 5 are 15 degrees apart on the 180-degree circle.
    QTest::newRow("170 et 5, 0.50 D") << 170 << 5 << 0.50 << 0;
    QTest::newRow("170 et 5, 1.50 D") << 170 << 5 << 1.50 << 2;
    QTest::newRow("0 et 90, 0.50 D") << 0 << 90 << 0.50 << 1;
}

void TstFeuille::avertissements() {
    QFETCH(int, axe_cross);
    QFETCH(int, axe_post);
    QFETCH(double, residuel);
    QFETCH(int, attendu);
    for (const QString langue : {"fr", "en"}) {
        ListParam p;
        remplir(p, langue);
        p.astcross_axe_t = axe_cross;
        p.astpost_axe_t = axe_post;
        p.astpost_D_t = residuel;
        PageEnregistree page;
        peindre(page, p);
        const bool fr = langue == "fr";
        const QString inversion =
            fr ? QString::fromUtf8("Attention à l'inversion de l'astigmatisme (sur-correction)")
               : "Be careful of astigmatism inversion (over-correcting)";
        const QString eleve =
            fr ? QString::fromUtf8("Attention, l'astigmatisme résiduel est élevé (sous-correction)")
               : "Be careful, residual astigmatism is high (sub-correction)";
        QCOMPARE(page.moteur.contient(inversion), attendu == 1);
        QCOMPARE(page.moteur.contient(eleve), attendu == 2);
        if (attendu)
            QVERIFY(dans(premier(page, attendu == 1 ? inversion : eleve), 78, 830, 25));
    }
}

void TstFeuille::pdf_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("pays");
    QTest::addColumn<bool>("droit");
    QTest::newRow("fr France OD") << "fr"
                                  << "France" << true;
    QTest::newRow("en France OS") << "en"
                                  << "France" << false;
    QTest::newRow("fr Germany OS") << "fr"
                                   << "Germany" << false;
    QTest::newRow("en Germany OD") << "en"
                                   << "Germany" << true;
}

// The written file: one A4 portrait page carrying the sheet's texts.
void TstFeuille::pdf() {
    QFETCH(QString, langue);
    QFETCH(QString, pays);
    QFETCH(bool, droit);
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() ||
        QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("poppler-utils not installed");
    ListParam p;
    remplir(p, langue, pays);
    p.enab_od_t = droit;
    p.enab_og_t = !droit;
    p.astpost_D_t = 0.5; // axes 5 and 95: inversion warning
    QTemporaryDir dir;
    const QString fichier = dir.filePath("feuille.pdf");
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier);
    QVERIFY(FeuilleCalcul::dessiner(&printer, p, 0));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    QVERIFY(printer.fullPage());

    const QString info = Processus::lancer("pdfinfo", {fichier}).sortie;
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")),
             qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page rot:\\s+0\\n")), qPrintable(info));

    // pdftotext breaks letter-spaced words apart: compare without blanks.
    const QString texte = sans_blancs(Processus::texte_pdf(fichier));
    const bool fr = langue == "fr", france = pays == "France";
    for (const QString& s :
         {QString::fromUtf8("Dupont Zoé 12"), QString("43.25 D @ 90") + DEG, QString("2.41 D x 5") + DEG,
          QString("VELAN T2.25"), QString("75001 Paris (") + pays + ")", QString("21.5 D")})
        QVERIFY2(texte.contains(sans_blancs(s)), qPrintable(s));
    QCOMPARE(texte.contains(sans_blancs(QString::fromUtf8("Prêt marqueur pré-opératoire :"))), france);
    QCOMPARE(texte.contains(sans_blancs(QString("fax : ") + FeuilleCalcul::FAX)), france);
    QCOMPARE(texte.contains(sans_blancs(fr ? "BON DE COMMANDE :" : "ORDER FORM :")), true);
    QCOMPARE(texte.contains(fr ? "(oeildroit)" : "(righteye)"), droit);
    QCOMPARE(texte.contains(fr ? "(oeilgauche)" : "(lefteye)"), !droit);
    QVERIFY(texte.contains(sans_blancs(fr ? QString::fromUtf8("Attention à l'inversion de l'astigmatisme")
                                          : "Be careful of astigmatism inversion")));
}

void TstFeuille::pdf_non_ecrit_data() {
    QTest::addColumn<QString>("relatif");
    QTest::newRow("dossier absent") << "absent/sous-dossier/feuille.pdf";
    QTest::newRow("nom de dossier") << ".";
}

// A file that cannot be opened for writing is reported, and none is left.
void TstFeuille::pdf_non_ecrit() {
    QFETCH(QString, relatif);
    ListParam p;
    remplir(p);
    QTemporaryDir dir;
    const QString fichier = dir.filePath(relatif);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fichier);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
    QVERIFY(!FeuilleCalcul::dessiner(&printer, p, 0));
    if (relatif != ".")
        QVERIFY(!QFile::exists(fichier));
}

void TstFeuille::nom_fichier_data() {
    QTest::addColumn<QString>("identifiant");
    QTest::addColumn<bool>("droit");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("tel quel, espaces")
        << QString::fromUtf8("Zoé Dupont 12") << true << QString::fromUtf8("Zoé Dupont 12_OD.pdf");
    QTest::newRow("oeil gauche") << "4521" << false << "4521_OS.pdf";
    QTest::newRow("separateurs") << "12/03\\B" << true << "12_03_B_OD.pdf";
    QTest::newRow("remontee") << "../../etc/x" << false << ".._.._etc_x_OS.pdf";
    QTest::newRow("controle") << QString("a\tb\nc") + QChar(0x7f) << true << "a_b_c__OD.pdf";
    QTest::newRow("vide") << "" << true << "_OD.pdf";
}

void TstFeuille::nom_fichier() {
    QFETCH(QString, identifiant);
    QFETCH(bool, droit);
    QFETCH(QString, attendu);
    QCOMPARE(FeuilleCalcul::nom_fichier(identifiant, droit), attendu);
}

QTEST_MAIN(TstFeuille)
#include "tst_feuille.moc"
