#include "FeuilleCalcul.h"
#include "LecteurImages.h"

#include "CalculTorique.h"
#include "EcritureFichier.h"
#include "ListParam.h"
#include "ZoneDessin.h"

#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>

const char* const FeuilleCalcul::SITE_WEB = "www.brevanta.example";
const char* const FeuilleCalcul::FAX = "+00 (0)0 00 00 00 00";
const char* const FeuilleCalcul::EMAIL = "commandes@brevanta.example";
const char* const FeuilleCalcul::TELEPHONE = "+00 (0)0 00 00 00 01";

namespace {

// Layout constants of the page, in device pixels at screen resolution.
constexpr int bonus = 12;
constexpr int decalHaut = 75;
constexpr int decalGauche = 50;
constexpr int colDroite = 420;
constexpr int largeurText = 165;
constexpr int largeurText_2 = 260;
constexpr int hauteurLigne = 35;
constexpr int hauteurTitre = 25;
constexpr int rapproche = 15;
constexpr int bonus_commande = 15;
constexpr int legX = decalGauche + 455;
constexpr int legY = decalHaut + 465;
constexpr int decalInc = 135;
// Scale of the two protractor diagrams on the page.
constexpr double echelleSchema = 0.81;

struct Polices {
    QFont importantes, legende, legende_2, titre, unites, Kgras, Knormal, OD, contact, mention;
};

// Sizes of the ten fonts at levels 0, 1 and 2 (smaller system fonts first).
Polices polices(int niveau) {
    const int n = (niveau == 1 || niveau == 2) ? niveau : 0;
    auto taille = [n](int t0, int t1, int t2) { return n == 0 ? t0 : (n == 1 ? t1 : t2); };
    auto police = [](int taille, bool gras, bool italique, int espacement) {
        QFont f("Arial", taille, gras ? QFont::Bold : QFont::Normal, italique);
        if (espacement != 100)
            f.setLetterSpacing(QFont::PercentageSpacing, espacement);
        return f;
    };
    Polices p;
    p.importantes = police(taille(13, 12, 11), true, false, 105);
    p.legende = police(taille(10, 7, 6), false, true, 110);
    p.legende_2 = police(taille(7, 6, 5), false, false, 110);
    p.titre = police(taille(11, 10, 9), true, false, 110);
    p.unites = police(taille(8, 7, 6), false, true, 120);
    p.Kgras = police(taille(10, 9, 8), true, false, 105);
    p.Knormal = police(taille(10, 9, 8), false, false, 105);
    p.OD = police(taille(22, 20, 18), true, false, 100);
    p.contact = police(taille(9, 8, 7), false, false, 110);
    p.mention = police(taille(7, 6, 5), false, true, 125);
    return p;
}

QString D(double v) {
    return CalculTorique::texte_D(v);
}
QString deg(int a) {
    return QString::number(a) + QString::fromUtf8(" °");
}

// One of the two protractor diagrams, built off screen and grabbed without
// the 20 pixels of margin on each side.
QPixmap schema(const ListParam& p, bool preoperatoire) {
    ZoneDessin zone(p.modele_iol_t);
    if (p.enab_og_t)
        zone.oeil(1);
    if (preoperatoire) {
        zone.rotation_K1(p.K1axe_t);
        zone.rotation_K2(p.K2axe_t);
        zone.incision(p.incaxe_t);
        zone.upd_etape_dessin(8);
    } else {
        zone.incision(p.incaxe_t);
        zone.rotation_iol(p.tcalc_axe_t);
        zone.upd_etape_dessin(11);
    }
    return zone.grab(QRect(20, 0, 360, 290));
}

void dessiner_schema(QPainter& painter, const QPixmap& pix, int x, int y) {
    painter.save();
    painter.scale(echelleSchema, echelleSchema);
    painter.drawPixmap(x, y, pix);
    painter.restore();
}

void dessiner_image(QPainter& painter, int x, int y, const char* fichier, int hauteur) {
    const QPixmap pix = LecteurImages::pixmap(fichier);
    if (!pix.isNull())
        painter.drawPixmap(x, y, pix.scaledToHeight(hauteur, Qt::SmoothTransformation));
}

} // namespace

QString FeuilleCalcul::nom_fichier(const QString& identifiant, bool oeil_droit) {
    QString nom = identifiant;
    for (QChar& c : nom)
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            c = '_';
    return nom + (oeil_droit ? "_OD.pdf" : "_OS.pdf");
}

QString FeuilleCalcul::titre_non_ecrit(const QString& langue) {
    return langue == "fr" ? "Enregistrer" : "Save";
}

QString FeuilleCalcul::message_non_ecrit(const QString& fichier, const QString& langue,
                                         const QString& raison) {
    if (langue == "fr")
        return QString::fromUtf8("Le fichier %1 n'a pas pu être écrit.").arg(fichier) +
               (raison.isEmpty() ? QString() : QString::fromUtf8(" Cause : %1.").arg(raison));
    return QString("The file %1 could not be written.").arg(fichier) +
           (raison.isEmpty() ? QString() : QString(" Reason: %1.").arg(raison));
}

bool FeuilleCalcul::ecrire_pdf(const QString& fichier, const ListParam& param, int test_police,
                               QString* raison) {
    EcritureFichier sortie(fichier);
    bool ecrit = sortie.open(QIODevice::WriteOnly);
    if (ecrit) {
        QPdfWriter pdf(&sortie);
        // The preview's printer works at the screen's resolution: the same
        // device pixels here.
        const QScreen* ecran = QGuiApplication::primaryScreen();
        pdf.setResolution(ecran ? qRound(ecran->logicalDotsPerInchY()) : 96);
        QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                         QPageLayout::Millimeter);
        page.setMode(QPageLayout::FullPageMode);
        pdf.setPageLayout(page);
        const int W = int(pdf.pageLayout().fullRectPixels(pdf.resolution()).width());
        QPainter painter;
        ecrit = painter.begin(&pdf);
        if (ecrit) {
            peindre(painter, param, test_police, W);
            // The painter ends well even when the writes failed: the device
            // tells.
            painter.end();
        }
    }
    ecrit = ecrit && sortie.valider();
    if (!ecrit && raison)
        *raison = sortie.erreur();
    return ecrit;
}

bool FeuilleCalcul::dessiner(QPrinter* printer, const ListParam& param, int test_police) {
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setFontEmbeddingEnabled(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const int W = int(printer->pageLayout().fullRectPixels(printer->resolution()).width());

    QPainter painter;
    if (!painter.begin(printer))
        return false;
    peindre(painter, param, test_police, W);
    return painter.end();
}

void FeuilleCalcul::peindre(QPainter& painter, const ListParam& p, int test_police, int W) {
    const Polices f = polices(test_police);
    const bool fr = p.langue_t == "fr";
    const bool en = p.langue_t == "en";
    // Text of the language; any other code leaves the text out.
    auto t = [fr, en](const char* francais, const char* anglais) {
        return QString::fromUtf8(fr ? francais : (en ? anglais : ""));
    };
    const bool france = p.codepays_str_t == "France";
    const int gauche = Qt::AlignLeft | Qt::AlignVCenter;
    auto texte = [&painter, gauche](const QFont& police, int x, int y, int w, int h, const QString& s,
                                    int alignement = 0) {
        painter.setFont(police);
        painter.drawText(QRect(x, y, w, h), alignement ? alignement : gauche, s);
    };

    const QColor blanc(255, 255, 255);
    const QColor bleuci_2(0, 160, 194);
    const QColor bleuprod_fonce(30, 157, 186);
    const QColor roseactu_fonce(243, 61, 107);
    const QColor rouge(190, 0, 0);
    QLinearGradient grad_bleuci(0, 0, 440, 0);
    grad_bleuci.setColorAt(0, bleuci_2);
    grad_bleuci.setColorAt(0.5, bleuci_2);
    grad_bleuci.setColorAt(1, blanc);
    const QPen penLigne(QBrush(Qt::black), 1, Qt::SolidLine);
    QPen penK1(QBrush(bleuprod_fonce), 3, Qt::DashLine, Qt::RoundCap);
    penK1.setDashOffset(1.5);
    const QPen penK2(QBrush(roseactu_fonce), 3, Qt::SolidLine, Qt::RoundCap);
    const QPen penInc(QBrush(rouge), 4, Qt::SolidLine, Qt::RoundCap);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setPen(QColor(Qt::black));

    // --- Header: how to order, logo, title, date, contact, conditions of use
    if (france) {
        texte(f.unites, 50, 34, 330, 17,
              t("Pour effectuer une commande, veuillez retourner cette",
                "To make an order, please return this form"));
        texte(
            f.unites, 50, 48, 330, 17,
            t("feuille de calcul à Brevanta, par fax ou par e-mail :", "to Brevanta, by fax or by e-mail :"));
        dessiner_image(painter, 50, 70, "fax.png", 14);
        dessiner_image(painter, 50, 90, "arobase.png", 12);
        dessiner_image(painter, 51, 107, "tel.png", 12);
    }
    {
        const QPixmap logo = LecteurImages::pixmap("logohorz_2.png");
        painter.save();
        painter.scale(0.55, 0.55);
        painter.drawPixmap(900, 75, logo);
        painter.restore();
    }
    texte(f.unites, 495, 69, 330, 17,
          t("Calculateur Torique Brevanta v2.0.0", "Brevanta Toric Calculator v2.0.0"));
    texte(f.unites, 495, 87, 330, 17,
          t("Date du calcul : ", "Calculation date : ") +
              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    texte(f.unites, 495, 104, 330, 17, QString::fromUtf8(SITE_WEB));
    if (france) {
        texte(f.contact, 75, 69, 330, 17, QString("fax : ") + FAX);
        texte(f.contact, 75, 87, 330, 17, QString("e-mail : ") + EMAIL);
        texte(f.contact, 75, 104, 330, 17, QString("tel : ") + TELEPHONE);
    } else {
        texte(f.contact, 50, 69, 380, 17,
              t("Pour effectuer une commande, renseignez-vous auprès de",
                "To make an order, please contact your"));
        texte(f.contact, 50, 87, 380, 17,
              t("votre distributeur local d'implants toriques Brevanta.",
                "local distributor of Brevanta toric IOLs."));
    }
    texte(f.mention, 50, 127, W - 100, 17,
          t("L'utilisateur du calculateur confirme avoir pris connaissance des conditions de son utilisation "
            "mentionnées en page d'accueil",
            "The user of this calculator confirms to be aware of conditions of use mentioned on the home "
            "page and "
            "confirms to accept these,"));
    texte(f.mention, 50, 139, W - 100, 17,
          t("et les accepter, notamment la destination exclusive du calcul à l'implant Brevanta VELAN T.",
            "in particular the exclusive destination of this calculation to the Brevanta VELAN T intraocular "
            "lens."));
    painter.setPen(penLigne);
    painter.drawLine(42, 161, W - 42, 161);

    // --- Identification
    texte(f.Knormal, 50, 173, 155, 26, t("ID ou n° patient :", "Patient ID or n° :"));
    texte(f.importantes, 195, 173, 225, 26, p.nom_pat_str_t);
    texte(f.Knormal, 50, 202, 155, 26, t("Date de la chirurgie :", "Surgery planned date :"));
    texte(f.Kgras, 195, 202, 215, 26, p.date_str_t);
    texte(f.Knormal, 410, 173, largeurText, 26, t("Chirurgien :", "Surgeon :"));
    texte(f.Kgras, 515, 173, 215, 26, p.nom_chir_str_t);
    texte(f.Knormal, 410, 202, largeurText, 26, t("Etablissement :", "Establishment :"));
    texte(f.Kgras, 515, 202, 215, 26, p.clinique_str_t);
    painter.drawLine(42, 238, W - 42, 238);

    // Blue title bar fading to white, with its title in white.
    auto barre = [&](int y, const QString& titre) {
        painter.setBrush(grad_bleuci);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRect(decalGauche - 8, y, colDroite, hauteurTitre), 5, 5, Qt::AbsoluteSize);
        painter.setPen(blanc);
        texte(f.titre, decalGauche, y, 440, hauteurTitre, titre);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QColor(Qt::black));
    };

    // --- Pre-operative information
    barre(265, t("Informations pré-opératoires :", "Pre-operative information :"));
    if (p.enab_od_t) {
        texte(f.OD, 560, 251, largeurText_2, hauteurTitre, "OD");
        texte(f.Kgras, 630, 251, largeurText_2, hauteurTitre, t("(oeil droit)", "(right eye)"));
    }
    if (p.enab_og_t) {
        texte(f.OD, 560, 251, largeurText_2, hauteurTitre, "OS");
        texte(f.Kgras, 630, 251, largeurText_2, hauteurTitre, t("(oeil gauche)", "(left eye)"));
    }
    auto rangee = [&](int k, const QString& label, const QString& valeur) {
        const int y = rapproche + (k + 6) * hauteurLigne + decalHaut;
        texte(f.Knormal, decalGauche, y, largeurText_2, hauteurLigne, label);
        texte(f.Kgras, 310, y, largeurText_2, hauteurLigne, valeur);
    };
    auto kerato = [&](double kD, double kmm, int axe) {
        if (p.unit_ind_t == 1)
            return D(kD) + " D     @  " + deg(axe);
        if (p.unit_ind_t == 2)
            return D(kmm) + " mm     @  " + deg(axe);
        return QString();
    };
    rangee(0, t("Puissance sphérique de l'implant (SEQ) :", "IOL spherical power (SEQ) :"),
           p.puiss_sph_t + " D");
    rangee(1, t("Axe plat K1 :", "Flat axis K1 :"), kerato(p.K1D_t, p.K1mm_t, p.K1axe_t));
    rangee(2, t("Axe élevé K2 :", "Steep axis K2 :"), kerato(p.K2D_t, p.K2mm_t, p.K2axe_t));
    rangee(3, t("Astigmatisme pré-opératoire :", "Pre-operative astigmatism :"),
           D(p.astpre_D_t) + " D      x   " + deg(p.astpre_axe_t));
    rangee(4, t("Position de l'incision :", "Incision location :"), deg(p.incaxe_t));
    rangee(5, t("Astigmatisme induit chirurgicalement :", "Surgically induced astigmatism :"),
           "- " + D(p.incD_t) + " D");
    rangee(6, t("Cylindre croisé (au plan cornéen) :", "Crossed cylinder (at corneal plane) :"),
           D(p.astcross_D_t) + " D   x   " + deg(p.astcross_axe_t));

    // Pre-operative diagram (K1, K2, incision) and its legend
    dessiner_schema(painter, schema(p, true), 580, 352);
    painter.setPen(penK1);
    painter.drawLine(legX, legY, legX + 38, legY);
    painter.setPen(QColor(Qt::black));
    texte(f.legende_2, legX + 50, legY - 10, 200, 20, t("Axe plat K1", "Flat axis K1"));
    painter.setPen(penK2);
    painter.drawLine(legX + 1, legY + 20, legX + 36, legY + 20);
    painter.setPen(QColor(Qt::black));
    texte(f.legende_2, legX + 50, legY + 10, 200, 20, t("Axe élevé K2", "Steep axis K2"));
    painter.setPen(penInc);
    painter.drawArc(QRect(legX + decalInc - 2, legY + 2, 43, 20), -45 * 16, -90 * 16);
    painter.setPen(QColor(Qt::black));
    texte(f.legende_2, legX + 185, legY + 10, 200, 20, "Incision");

    // --- Computed toric lens
    barre(565, t("Implant torique calculé :", "Computed toric IOL :"));
    texte(f.legende, decalGauche, 600, largeurText_2, hauteurLigne,
          t("Puissance cylindrique idéale :", "Ideal cylindrical power :"));
    texte(f.legende, 312, 600, largeurText_2, hauteurLigne,
          CalculTorique::texte_tperfect(p.tperfect_D_t) + " D");
    texte(f.Knormal, decalGauche, 635, largeurText_2, hauteurLigne,
          t("Puissance cylindrique conseillée :", "Recommended cylindrical power :"));
    texte(f.importantes, 310, 635, largeurText_2, hauteurLigne, D(p.tcalc_D_t) + " D");
    texte(f.Knormal, decalGauche, 670, largeurText_2, hauteurLigne,
          t("Orientation des marques de l'implant :", "IOL axis of placement :"));
    texte(f.importantes, 310, 670, largeurText_2, hauteurLigne, deg(p.tcalc_axe_t));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(470, 282, 292, 297), 10, 10);

    // --- Post-operative predictions
    barre(725, t("Prévisions post-opératoires :", "Post-operative predictions :"));
    const QString modele_choisi = p.modele_iol_t + " T" + D(p.choix_torique_t);
    texte(f.Knormal, decalGauche, 760, largeurText_2, hauteurLigne,
          t("Implant torique Brevanta choisi :", "Selected Brevanta toric IOL :"));
    texte(f.importantes, 310, 760, largeurText_2, hauteurLigne, modele_choisi);
    texte(f.Knormal, decalGauche, 795, largeurText_2, hauteurLigne,
          t("Astigmatisme post-opératoire :", "Post-operative astigmatism :"));
    texte(f.importantes, 310, 795, largeurText_2, hauteurLigne,
          D(p.astpost_D_t) + " D   x   " + deg(p.astpost_axe_t));

    // Warnings: the axes are compared on the 180-degree circle, as on the page.
    const CalculTorique::Avertissement alerte =
        CalculTorique::avertissement(p.astcross_axe_t, p.astpost_axe_t, p.astpost_D_t);
    if (alerte != CalculTorique::AUCUN) {
        const QPixmap attention = LecteurImages::pixmap("attention_20.png");
        if (!attention.isNull())
            painter.drawPixmap(decalGauche, 832, attention);
        if (alerte == CalculTorique::INVERSION)
            texte(f.unites, 78, 830, 520, hauteurTitre,
                  t("Attention à l'inversion de l'astigmatisme (sur-correction)",
                    "Be careful of astigmatism inversion (over-correcting)"));
        else
            texte(f.unites, 78, 830, 520, hauteurTitre,
                  t("Attention, l'astigmatisme résiduel est élevé (sous-correction)",
                    "Be careful, residual astigmatism is high (sub-correction)"));
    }

    // Post-operative diagram (incision and lens)
    dessiner_schema(painter, schema(p, false), 580, 732);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(470, 589, 292, 250), 10, 10);

    // --- Order form
    painter.setPen(penLigne);
    painter.drawLine(42, 861, W - 42, 861);
    const int yCommande = decalHaut - bonus_commande; // 60
    texte(f.Kgras, decalGauche, yCommande + 822, largeurText_2, 17, t("BON DE COMMANDE :", "ORDER FORM :"));
    texte(f.legende, decalGauche, yCommande + 857, largeurText_2, 17,
          t("(vérifiez attentivement les informations)", "(please verify carefully information)"));
    texte(f.Knormal, 310, yCommande + 822, 145, 17, t("Adresse de livraison :", "Delivery address :"));
    texte(f.Knormal, 450, yCommande + 822, 305, 17, p.adresse1_str_t);
    texte(f.Knormal, 450, yCommande + 840, 305, 17, p.adresse2_str_t);
    texte(f.Knormal, 450, yCommande + 857, 305, 17,
          p.codepost_str_t + " " + p.ville_str_t + " (" + p.codepays_str_t + ")");

    // Order table: three columns of T / 4, the signature block on the right
    const int T = W - int(3.5 * decalGauche);
    const int x0 = decalGauche, x1 = decalGauche + T / 4, x2 = decalGauche + (2 * T) / 4,
              x3 = decalGauche + (3 * T) / 4;
    for (int y : {952, 987, 1022})
        painter.drawLine(x0, y, x3, y);
    for (int x : {x0, x1, x2, x3})
        painter.drawLine(x, 952, x, 1022);
    const int centre = Qt::AlignCenter;
    texte(f.Knormal, x0, 952, T / 4, hauteurLigne, t("Nom du modèle", "IOL name"), centre);
    texte(f.Knormal, x1, 952, T / 4, hauteurLigne, t("Puissance sphérique", "Spherical power"), centre);
    texte(f.Knormal, x2, 952, T / 4, hauteurLigne, t("Puissance cylindrique", "Cylindrical power"), centre);
    texte(f.Knormal, x3 + 25, 952, T / 2, hauteurLigne,
          t("Nom du signataire / fonction :", "Signatory name / function :"));
    texte(f.Knormal, x3 + 25, 1031, T / 2, hauteurLigne, "Date :");
    texte(f.Knormal, x3 + 25, 1057, T / 2, hauteurLigne, "Signature :");
    if (france) {
        texte(f.Knormal, decalGauche, 1031, largeurText_2, hauteurLigne,
              QString::fromUtf8("Prêt marqueur pré-opératoire :"));
        texte(f.Knormal, decalGauche, 1057, largeurText_2, hauteurLigne,
              QString::fromUtf8("Anneau de Mendez usage unique :"));
        for (int x : {290, 360})
            for (int y : {1041, 1068})
                painter.drawRect(x, y, bonus, bonus);
        for (int y : {1031, 1057}) {
            texte(f.Knormal, 310, y, largeurText_2, hauteurLigne, "Oui");
            texte(f.Knormal, 380, y, largeurText_2, hauteurLigne, "Non");
        }
    }
    painter.setPen(bleuci_2);
    texte(f.importantes, x0, 987, T / 4, hauteurLigne, modele_choisi, centre);
    texte(f.importantes, x1, 987, T / 4, hauteurLigne, p.puiss_sph_t + " D", centre);
    texte(f.importantes, x2, 987, T / 4, hauteurLigne, D(p.choix_torique_t) + " D", centre);
}
