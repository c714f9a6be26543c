#include "FeuilleCalcul.h"
#include "LecteurImages.h"

#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "EcritureFichier.h"
#include "Identification.h"
#include "ListParam.h"
#include "Textes.h"
#include "ZoneDessin.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
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

// One of the two protractor diagrams, built off screen and grabbed without
// the 20 pixels of margin on each side.
QPixmap schema(const ListParam& p, bool preoperatoire) {
    ZoneDessin zone(p.modele_iol_t);
    if (p.enab_og_t)
        zone.oeil(1);
    if (preoperatoire) {
        // The meridians of the cornea the lens was chosen on.
        const bool totale = p.posterieure_t != CorneePosterieure::AUCUNE;
        zone.rotation_K1(totale ? p.totale_t.axe_K1() : p.K1axe_t);
        zone.rotation_K2(totale ? p.totale_t.axe : p.K2axe_t);
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
    return Textes::texte(Textes::ENREGISTRER, langue == "fr" ? "fr" : "en");
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
    const bool ecrit =
        sortie.open(QIODevice::WriteOnly) && ecrire_pdf(&sortie, param, test_police) && sortie.valider();
    if (!ecrit && raison)
        *raison = sortie.erreur();
    return ecrit;
}

bool FeuilleCalcul::ecrire_pdf(QIODevice* sortie, const ListParam& param, int test_police) {
    QPdfWriter pdf(sortie);
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
    if (!painter.begin(&pdf))
        return false;
    peindre(painter, param, test_police, W);
    // The painter ends well even when the writes failed: the device tells.
    painter.end();
    return true;
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

namespace {

// What the zones of the sheet share while it is drawn: the painter, the
// record, the fonts, the colours and pens, and the ways of writing.
struct Feuille {
    QPainter& painter;
    const ListParam& p;
    const Polices f;
    const int W;
    const bool france;

    const QColor blanc{255, 255, 255};
    const QColor bleuci_2{0, 160, 194};
    QLinearGradient grad_bleuci{0, 0, 440, 0};
    const QPen penLigne{QBrush(Qt::black), 1, Qt::SolidLine};

    Feuille(QPainter& pt, const ListParam& param, int test_police, int largeur)
        : painter(pt), p(param), f(polices(test_police)), W(largeur),
          france(param.codepays_str_t == "France") {
        grad_bleuci.setColorAt(0, bleuci_2);
        grad_bleuci.setColorAt(0.5, bleuci_2);
        grad_bleuci.setColorAt(1, blanc);
    }

    // Text of the language; any other code leaves the text out.
    QString t(const char* francais, const char* anglais) const {
        return Textes::selon(p.langue_t, francais, anglais);
    }
    QString t(Textes::Cle cle, Textes::Forme forme = Textes::LIBELLE) const {
        return Textes::texte(cle, p.langue_t, forme);
    }

    // The letter spacing of a font as a percentage widens each letter by
    // that part of its own width, so that a wide letter is followed by a
    // wider gap ("com m ande"); the same widening of the whole text is
    // spread here in equal gaps between its letters.
    static QFont espacement_egal(const QFont& police, const QString& s) {
        // A font without letter spacing says 0, as well as 100 %.
        const qreal pourcent = police.letterSpacing();
        if (police.letterSpacingType() != QFont::PercentageSpacing || pourcent == 0 || pourcent == 100 ||
            s.isEmpty())
            return police;
        QFont f = police;
        f.setLetterSpacing(QFont::PercentageSpacing, 100);
        // In the units of an absolute spacing: pixels at the toolkit's
        // default resolution, scaled to the device's.
        const qreal largeur = QFontMetricsF(f).horizontalAdvance(s);
        f.setLetterSpacing(QFont::AbsoluteSpacing, (pourcent - 100) / 100 * largeur / s.size());
        return f;
    }

    void texte(const QFont& police, int x, int y, int w, int h, const QString& s, int alignement = 0) {
        painter.setFont(espacement_egal(police, s));
        painter.drawText(QRect(x, y, w, h), alignement ? alignement : int(Qt::AlignLeft | Qt::AlignVCenter),
                         s);
    }

    // An identification text, which the order desk reads: on one line and
    // whole inside its box, in a smaller size of its font when it is too
    // wide for it.
    void identite(const QFont& police, int x, int y, int w, int h, const QString& brut) {
        const QString s = Identification::texte_propre(brut);
        QFont fi = police;
        qreal largeur = QFontMetricsF(fi, painter.device()).horizontalAdvance(s);
        for (int essai = 0; largeur > w && essai < 8; ++essai) {
            fi.setPointSizeF(fi.pointSizeF() * w / largeur * 0.98);
            largeur = QFontMetricsF(fi, painter.device()).horizontalAdvance(s);
        }
        painter.setFont(espacement_egal(fi, s));
        painter.drawText(QRect(x, y, w, h),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, s);
    }

    // Blue title bar fading to white, with its title in white.
    void barre(int y, const QString& titre) {
        painter.setBrush(grad_bleuci);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRect(decalGauche - 8, y, colDroite, hauteurTitre), 5, 5, Qt::AbsoluteSize);
        painter.setPen(blanc);
        texte(f.titre, decalGauche, y, 440, hauteurTitre, titre);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QColor(Qt::black));
    }

    // A row of the pre-operative information: its label, then its value;
    // the rows `pas` apart. A label wider than the space before the values
    // (`ajuster`) is written in a smaller size of its font, by whole points.
    void rangee(int k, const QString& label, const QString& valeur, int pas = hauteurLigne,
                bool ajuster = false) {
        const int y = rapproche + 6 * hauteurLigne + k * pas + decalHaut;
        QFont police = f.Knormal;
        // The width as drawn, letter spacing included.
        auto largeur = [&] {
            return QFontMetricsF(espacement_egal(police, label), painter.device()).horizontalAdvance(label);
        };
        const qreal place = 310 - decalGauche - 10;
        // Whole points: the text is drawn in whole pixels.
        while (ajuster && largeur() > place && police.pointSize() > 5)
            police.setPointSize(police.pointSize() - 1);
        texte(police, decalGauche, y, largeurText_2, pas, label);
        texte(f.Kgras, 310, y, largeurText_2, pas, valeur);
    }

    QString modele_choisi() const { return Textes::implant(p.modele_iol_t, p.choix_torique_t); }
};

// How to order, logo, title, date, contact, conditions of use.
void entete(Feuille& d) {
    const Polices& f = d.f;
    if (d.france) {
        d.texte(f.unites, 50, 34, 330, 17,
                d.t("Pour effectuer une commande, veuillez retourner cette",
                    "To make an order, please return this form"));
        d.texte(f.unites, 50, 48, 330, 17,
                d.t("feuille de calcul à Brevanta, par fax ou par e-mail :",
                    "to Brevanta, by fax or by e-mail :"));
        dessiner_image(d.painter, 50, 70, "fax.png", 14);
        dessiner_image(d.painter, 50, 90, "arobase.png", 12);
        dessiner_image(d.painter, 51, 107, "tel.png", 12);
    }
    {
        const QPixmap logo = LecteurImages::pixmap(LecteurImages::LOGO);
        d.painter.save();
        d.painter.scale(0.55, 0.55);
        d.painter.drawPixmap(900, 75, logo);
        d.painter.restore();
    }
    d.texte(f.unites, 495, 69, 330, 17, Textes::calculateur_version(d.p.langue_t));
    d.texte(f.unites, 495, 87, 330, 17,
            d.t("Date du calcul : ", "Calculation date : ") +
                Identification::texte_date_calcul(QDate::currentDate(), d.p.langue_t));
    d.texte(f.unites, 495, 104, 330, 17, QString::fromUtf8(FeuilleCalcul::SITE_WEB));
    if (d.france) {
        d.texte(f.contact, 75, 69, 330, 17, QString("fax : ") + FeuilleCalcul::FAX);
        d.texte(f.contact, 75, 87, 330, 17, QString("e-mail : ") + FeuilleCalcul::EMAIL);
        d.texte(f.contact, 75, 104, 330, 17, QString("tel : ") + FeuilleCalcul::TELEPHONE);
    } else {
        d.texte(f.contact, 50, 69, 380, 17,
                d.t("Pour effectuer une commande, renseignez-vous auprès de",
                    "To make an order, please contact your"));
        d.texte(f.contact, 50, 87, 380, 17,
                d.t("votre distributeur local d'implants toriques Brevanta.",
                    "local distributor of Brevanta toric IOLs."));
    }
    d.texte(
        f.mention, 50, 127, d.W - 100, 17,
        d.t("L'utilisateur du calculateur confirme avoir pris connaissance des conditions de son utilisation "
            "mentionnées en page d'accueil",
            "The user of this calculator confirms to be aware of conditions of use mentioned on the home "
            "page and "
            "confirms to accept these,"));
    d.texte(
        f.mention, 50, 139, d.W - 100, 17,
        d.t("et les accepter, notamment la destination exclusive du calcul à l'implant Brevanta VELAN T.",
            "in particular the exclusive destination of this calculation to the Brevanta VELAN T intraocular "
            "lens."));
    d.painter.setPen(d.penLigne);
    d.painter.drawLine(42, 161, d.W - 42, 161);
}

// The identifier and the date end before the labels of the right-hand
// column (x 410).
void identification(Feuille& d) {
    const Polices& f = d.f;
    d.texte(f.Knormal, 50, 173, 155, 26, d.t(Textes::PATIENT));
    d.identite(f.importantes, 195, 173, 210, 26, d.p.nom_pat_str_t);
    d.texte(f.Knormal, 50, 202, 155, 26, d.t("Date de la chirurgie :", "Surgery planned date :"));
    d.identite(f.Kgras, 195, 202, 210, 26, d.p.date_str_t);
    d.texte(f.Knormal, 410, 173, largeurText, 26, d.t("Chirurgien :", "Surgeon :"));
    d.identite(f.Kgras, 515, 173, 215, 26, d.p.nom_chir_str_t);
    d.texte(f.Knormal, 410, 202, largeurText, 26, d.t(Textes::ETABLISSEMENT));
    d.identite(f.Kgras, 515, 202, 215, 26, d.p.clinique_str_t);
    d.painter.drawLine(42, 238, d.W - 42, 238);
}

// The eye, the inputs and the pre-operative astigmatism, then the diagram
// of K1, K2 and the incision with its legend.
void preoperatoire(Feuille& d) {
    const Polices& f = d.f;
    const ListParam& p = d.p;
    QPainter& painter = d.painter;
    d.barre(265, d.t(Textes::INFORMATIONS_PREOP));
    if (p.enab_od_t) {
        d.texte(f.OD, 560, 251, largeurText_2, hauteurTitre, "OD");
        d.texte(f.Kgras, 630, 251, largeurText_2, hauteurTitre, d.t(Textes::OEIL_DROIT, Textes::PARENTHESES));
    }
    if (p.enab_og_t) {
        d.texte(f.OD, 560, 251, largeurText_2, hauteurTitre, "OS");
        d.texte(f.Kgras, 630, 251, largeurText_2, hauteurTitre,
                d.t(Textes::OEIL_GAUCHE, Textes::PARENTHESES));
    }
    auto kerato = [&p](double kD, double kmm, int axe) {
        if (p.unit_ind_t == 1)
            return CalculTorique::texte_D(kD) + " D     @  " + Textes::degres(axe);
        if (p.unit_ind_t == 2)
            return CalculTorique::texte_D(kmm) + " mm     @  " + Textes::degres(axe);
        return QString();
    };
    // A lens chosen on the total cornea estimated from the keratometry: the
    // keratometry's own astigmatism, then the estimate with its method, on
    // rows brought closer so that the crossed cylinder keeps its place.
    const bool totale = p.posterieure_t != CorneePosterieure::AUCUNE;
    const int pas = totale ? hauteurLigne - 5 : hauteurLigne;
    int k = 0;
    d.rangee(k++, d.t(Textes::PUISSANCE_SEQ), p.puiss_sph_t + " D", pas);
    d.rangee(k++, d.t(Textes::AXE_PLAT_K1), kerato(p.K1D_t, p.K1mm_t, p.K1axe_t), pas);
    d.rangee(k++, d.t(Textes::AXE_ELEVE_K2), kerato(p.K2D_t, p.K2mm_t, p.K2axe_t), pas);
    d.rangee(k++, d.t(totale ? Textes::ASTIGMATISME_ANTERIEUR : Textes::ASTIGMATISME_PREOP),
             Textes::D(p.astpre_D_t) + "      x   " + Textes::degres(p.astpre_axe_t), pas);
    if (totale)
        d.rangee(k++,
                 Textes::forme(CorneePosterieure::astigmatisme(p.posterieure_t, p.langue_t), Textes::LIBELLE),
                 Textes::D(p.totale_t.cyl) + "      x   " + Textes::degres(p.totale_t.axe), pas, true);
    d.rangee(k++, d.t(Textes::POSITION_INCISION), Textes::degres(p.incaxe_t), pas);
    d.rangee(k++, d.t(Textes::ASTIGMATISME_INDUIT), "- " + Textes::D(p.incD_t), pas);
    d.rangee(k++, d.t(Textes::CYLINDRE_CROISE),
             Textes::D(p.astcross_D_t) + "   x   " + Textes::degres(p.astcross_axe_t), pas);

    dessiner_schema(painter, schema(p, true), 580, 352);
    QPen penK1(QBrush(QColor(30, 157, 186)), 3, Qt::DashLine, Qt::RoundCap);
    penK1.setDashOffset(1.5);
    const QPen penK2(QBrush(QColor(243, 61, 107)), 3, Qt::SolidLine, Qt::RoundCap);
    const QPen penInc(QBrush(QColor(190, 0, 0)), 4, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(penK1);
    painter.drawLine(legX, legY, legX + 38, legY);
    painter.setPen(QColor(Qt::black));
    d.texte(f.legende_2, legX + 50, legY - 10, 200, 20, d.t(Textes::AXE_PLAT_K1, Textes::TEXTE));
    painter.setPen(penK2);
    painter.drawLine(legX + 1, legY + 20, legX + 36, legY + 20);
    painter.setPen(QColor(Qt::black));
    d.texte(f.legende_2, legX + 50, legY + 10, 200, 20, d.t(Textes::AXE_ELEVE_K2, Textes::TEXTE));
    painter.setPen(penInc);
    painter.drawArc(QRect(legX + decalInc - 2, legY + 2, 43, 20), -45 * 16, -90 * 16);
    painter.setPen(QColor(Qt::black));
    d.texte(f.legende_2, legX + 185, legY + 10, 200, 20, "Incision");
}

// The ideal and the recommended cylinder and the axis of the lens marks;
// then the frame of the pre-operative diagram.
void implant_calcule(Feuille& d) {
    const Polices& f = d.f;
    const ListParam& p = d.p;
    d.barre(565, d.t(Textes::IMPLANT_CALCULE));
    d.texte(f.legende, decalGauche, 600, largeurText_2, hauteurLigne, d.t(Textes::PUISSANCE_IDEALE));
    d.texte(f.legende, 312, 600, largeurText_2, hauteurLigne,
            CalculTorique::texte_tperfect(p.tperfect_D_t) + " D");
    d.texte(f.Knormal, decalGauche, 635, largeurText_2, hauteurLigne, d.t(Textes::PUISSANCE_CONSEILLEE));
    d.texte(f.importantes, 310, 635, largeurText_2, hauteurLigne, Textes::D(p.tcalc_D_t));
    d.texte(f.Knormal, decalGauche, 670, largeurText_2, hauteurLigne, d.t(Textes::ORIENTATION_MARQUES));
    d.texte(f.importantes, 310, 670, largeurText_2, hauteurLigne, Textes::degres(p.tcalc_axe_t));
    d.painter.setBrush(Qt::NoBrush);
    d.painter.drawRoundedRect(QRect(470, 282, 292, 297), 10, 10);
}

// The lens chosen and the residual it leaves, its warning, and the diagram
// of the incision and the lens.
void postoperatoire(Feuille& d) {
    const Polices& f = d.f;
    const ListParam& p = d.p;
    QPainter& painter = d.painter;
    d.barre(725, d.t(Textes::PREVISIONS_POSTOP));
    d.texte(f.Knormal, decalGauche, 760, largeurText_2, hauteurLigne,
            d.t("Implant torique Brevanta choisi :", "Selected Brevanta toric IOL :"));
    d.texte(f.importantes, 310, 760, largeurText_2, hauteurLigne, d.modele_choisi());
    d.texte(f.Knormal, decalGauche, 795, largeurText_2, hauteurLigne,
            d.t("Astigmatisme post-opératoire :", "Post-operative astigmatism :"));
    d.texte(f.importantes, 310, 795, largeurText_2, hauteurLigne,
            Textes::D(p.astpost_D_t) + "   x   " + Textes::degres(p.astpost_axe_t));

    // Warnings: the axes are compared on the 180-degree circle, as on the page.
    const CalculTorique::Avertissement alerte =
        CalculTorique::avertissement(p.astcross_axe_t, p.astpost_axe_t, p.astpost_D_t);
    if (alerte != CalculTorique::AUCUN) {
        const QPixmap attention = LecteurImages::pixmap(LecteurImages::ATTENTION);
        if (!attention.isNull())
            painter.drawPixmap(decalGauche, 832, attention);
        d.texte(f.unites, 78, 830, 520, hauteurTitre,
                d.t(alerte == CalculTorique::INVERSION ? Textes::INVERSION : Textes::RESIDUEL_ELEVE,
                    Textes::TEXTE));
    }

    dessiner_schema(painter, schema(p, false), 580, 732);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(470, 589, 292, 250), 10, 10);
}

// The delivery address, the order table and the signature block.
void bon_de_commande(Feuille& d) {
    const Polices& f = d.f;
    const ListParam& p = d.p;
    QPainter& painter = d.painter;
    painter.setPen(d.penLigne);
    painter.drawLine(42, 861, d.W - 42, 861);
    const int yCommande = decalHaut - bonus_commande; // 60
    d.texte(f.Kgras, decalGauche, yCommande + 822, largeurText_2, 17,
            d.t("BON DE COMMANDE :", "ORDER FORM :"));
    d.texte(f.legende, decalGauche, yCommande + 857, largeurText_2, 17,
            d.t("(vérifiez attentivement les informations)", "(please verify carefully information)"));
    d.texte(f.Knormal, 310, yCommande + 822, 145, 17, d.t(Textes::ADRESSE_LIVRAISON));
    d.identite(f.Knormal, 450, yCommande + 822, 305, 17, p.adresse1_str_t);
    d.identite(f.Knormal, 450, yCommande + 840, 305, 17, p.adresse2_str_t);
    d.identite(f.Knormal, 450, yCommande + 857, 305, 17,
               Identification::texte_propre(p.codepost_str_t) + " " +
                   Identification::texte_propre(p.ville_str_t) + " (" + p.codepays_str_t + ")");

    // Order table: three columns of T / 4, the signature block on the right
    const int T = d.W - int(3.5 * decalGauche);
    const int x0 = decalGauche, x1 = decalGauche + T / 4, x2 = decalGauche + (2 * T) / 4,
              x3 = decalGauche + (3 * T) / 4;
    for (int y : {952, 987, 1022})
        painter.drawLine(x0, y, x3, y);
    for (int x : {x0, x1, x2, x3})
        painter.drawLine(x, 952, x, 1022);
    const int centre = Qt::AlignCenter;
    d.texte(f.Knormal, x0, 952, T / 4, hauteurLigne, d.t("Nom du modèle", "IOL name"), centre);
    d.texte(f.Knormal, x1, 952, T / 4, hauteurLigne, d.t(Textes::PUISSANCE_SPHERIQUE, Textes::TEXTE), centre);
    d.texte(f.Knormal, x2, 952, T / 4, hauteurLigne, d.t("Puissance cylindrique", "Cylindrical power"),
            centre);
    d.texte(f.Knormal, x3 + 25, 952, T / 2, hauteurLigne,
            d.t("Nom du signataire / fonction :", "Signatory name / function :"));
    d.texte(f.Knormal, x3 + 25, 1031, T / 2, hauteurLigne, "Date :");
    d.texte(f.Knormal, x3 + 25, 1057, T / 2, hauteurLigne, "Signature :");
    if (d.france) {
        d.texte(f.Knormal, decalGauche, 1031, largeurText_2, hauteurLigne,
                QString::fromUtf8("Prêt marqueur pré-opératoire :"));
        d.texte(f.Knormal, decalGauche, 1057, largeurText_2, hauteurLigne,
                QString::fromUtf8("Anneau de Mendez usage unique :"));
        for (int x : {290, 360})
            for (int y : {1041, 1068})
                painter.drawRect(x, y, bonus, bonus);
        for (int y : {1031, 1057}) {
            d.texte(f.Knormal, 310, y, largeurText_2, hauteurLigne, "Oui");
            d.texte(f.Knormal, 380, y, largeurText_2, hauteurLigne, "Non");
        }
    }
    painter.setPen(d.bleuci_2);
    d.texte(f.importantes, x0, 987, T / 4, hauteurLigne, d.modele_choisi(), centre);
    d.texte(f.importantes, x1, 987, T / 4, hauteurLigne, p.puiss_sph_t + " D", centre);
    d.texte(f.importantes, x2, 987, T / 4, hauteurLigne, Textes::D(p.choix_torique_t), centre);
}

} // namespace

void FeuilleCalcul::peindre(QPainter& painter, const ListParam& p, int test_police, int W) {
    Feuille feuille(painter, p, test_police, W);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setPen(QColor(Qt::black));
    entete(feuille);
    identification(feuille);
    preoperatoire(feuille);
    implant_calcule(feuille);
    postoperatoire(feuille);
    bon_de_commande(feuille);
}
