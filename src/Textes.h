#ifndef TEXTES_H
#define TEXTES_H

#include <QString>

// The texts that several parts of the program show — the calculation page,
// the calculation sheet, the command-line tool, the screen reader's names
// and the check messages — written once here in French and in English, with
// the one way of choosing a language and the one way of quoting what the
// user typed.
//
// A text is kept in one form only, as a sentence ("Astigmatisme
// pré-opératoire"); the other forms in which the program shows it are made
// from it here (texte() with a Forme): before a value with " :", as a
// heading in capitals, as rich text with HTML entities for a label, in
// brackets. So the page's "INFORMATIONS PR&Eacute;-OP&Eacute;RATOIRES :",
// the terminal's "INFORMATIONS PRÉ-OPÉRATOIRES :" and the sheet's
// "Informations pré-opératoires :" cannot drift apart.
//
// Language codes are "fr" and "en"; any other code gives a null text, which
// leaves a widget's text as it was and draws nothing on the sheet.
class Textes {
public:
    enum Cle {
        // The operated eye.
        OEIL_DROIT,     // "oeil droit"
        OEIL_GAUCHE,    // "oeil gauche"
        OEIL_DROIT_OD,  // "OEIL DROIT (OD)": the eye button, the terminal's first line
        OEIL_GAUCHE_OS, // "OEIL GAUCHE (OS)"

        // The inputs and results, as the page, the sheet and the terminal
        // name their rows.
        PUISSANCE_SEQ,         // "Puissance sphérique de l'implant (SEQ)"
        PUISSANCE_SPHERIQUE,   // "Puissance sphérique"
        DIOPTRIES,             // "Dioptries (D)": the unit buttons
        MILLIMETRES,           // "Millimètres (mm)"
        AXE_PLAT,              // "Axe plat"
        AXE_ELEVE,             // "Axe élevé"
        AXE_ELEVE_SAISIE,      // "Axe élévé": the spelling of the K2 entry row of the page
        AXE_PLAT_K1,           // "Axe plat K1"
        AXE_ELEVE_K2,          // "Axe élevé K2"
        AXE_K2,                // "Axe de K2": the steep axis entry
        ASTIGMATISME_PREOP,    // "Astigmatisme pré-opératoire"
        ASTIGMATISME_INDUIT,   // "Astigmatisme induit chirurgicalement"
        POSITION_INCISION,     // "Position de l'incision"
        CYLINDRE_CROISE,       // "Cylindre croisé (au plan cornéen)"
        CALCULER,              // "Calculer": the button, and the message asking for it
        PUISSANCE_IDEALE,      // "Puissance cylindrique idéale"
        IDEALE_OUVERTURE,      // "(idéale : ", before the ideal power after the recommended one
        PUISSANCE_CONSEILLEE,  // "Puissance cylindrique conseillée"
        ORIENTATION_MARQUES,   // "Orientation des marques de l'implant"
        IMPLANT_BREVANTA,      // "Implant torique Brevanta"
        ASTIGMATISME_RESIDUEL, // "Astigmatisme résiduel prévu"
        // The two corneas when the lens is chosen on the total cornea
        // estimated from keratometry (CorneePosterieure).
        ASTIGMATISME_ANTERIEUR, // "Astigmatisme antérieur mesuré"
        ASTIGMATISME_TOTAL,     // "Astigmatisme total estimé"
        FACE_POSTERIEURE,       // "Face postérieure": the page's check box
        ESTIME,                 // "estimé", beside the estimated astigmatism

        // The headings of the three parts of a calculation.
        INFORMATIONS_PREOP, // "Informations pré-opératoires"
        IMPLANT_CALCULE,    // "Implant torique calculé"
        PREVISIONS_POSTOP,  // "Prévisions post-opératoires"

        // The warnings of a residual (CalculTorique::Avertissement).
        INVERSION,      // "Attention à l'inversion de l'astigmatisme (sur-correction)"
        RESIDUEL_ELEVE, // "Attention, l'astigmatisme résiduel est élevé (sous-correction)"

        // The identification of the order form.
        PATIENT,           // "ID ou n° patient"
        ETABLISSEMENT,     // "Etablissement"
        ADRESSE_LIVRAISON, // "Adresse de livraison"
        CALCULATEUR,       // "Calculateur Torique Brevanta": the sheet's and the window's title
        DATE_PREVUE,       // "Date de chirurgie prévue": the dialog's date and its screen-reader name

        // The buttons of the bottom bands, also named to the screen reader.
        PAGE_PRECEDENTE, // "Page précédente"
        NOUVEAU_CALCUL,  // "Nouveau calcul"
        ENREGISTRER,     // "Enregistrer": the preview's save action and its warning's title

        NB_CLES
    };

    enum Forme {
        TEXTE,       // as kept: "Astigmatisme pré-opératoire"
        LIBELLE,     // before its value: "Astigmatisme pré-opératoire :"
        TITRE,       // a heading: "INFORMATIONS PRÉ-OPÉRATOIRES :"
        TITRE_RICHE, // the same for a rich-text label: "INFORMATIONS PR&Eacute;-OP&Eacute;RATOIRES :"
        MAJUSCULES,  // "OEIL DROIT"
        PARENTHESES, // "(oeil droit)"
        RETOUR,      // a button going back: "<<   Page précédente"
    };

    // A text of the table in a language, in a form.
    static QString texte(Cle cle, const QString& langue, Forme forme = TEXTE);
    // Any text in a form (a text of the table made longer, for instance).
    static QString forme(const QString& texte, Forme forme);

    // What a table of texts elsewhere holds (the screen reader's names, the
    // check messages): a text of this table, or one written there in both
    // languages because only that part shows it, or none.
    struct Paire {
        const char* fr = nullptr;
        const char* en = nullptr;
        int cle = -1;
        constexpr Paire() = default;
        constexpr Paire(const char* francais, const char* anglais) : fr(francais), en(anglais) {}
        constexpr Paire(Cle c) : cle(c) {}
        // The text in a language; null when there is none or the language
        // is not known.
        QString dans(const QString& langue) const;
    };

    // The one language helper: `fr` for "fr", `en` for "en", a null text for
    // any other code. The texts are UTF-8.
    static QString selon(const QString& langue, const char* fr, const char* en);
    static bool langue_connue(const QString& langue);
    // The colon between a label and its value as each language writes it:
    // " : " in French, ": " in English (the labels of the form keep their
    // own, `forme`).
    static QString deux_points(const QString& langue);

    // Rich text of a plain text: "&", "<", ">", the guillemets and the
    // accented capitals and small letters of the texts as HTML entities.
    static QString riche(const QString& texte);
    // Plain text of rich text, for a terminal or a file: line breaks for
    // <br>, tags dropped, the entities of riche() and "&nbsp;", "&quot;"
    // decoded.
    static QString brut(const QString& riche);

    // A value as quoted in a message: its control and format characters
    // (line breaks, escapes, bidirectional overrides) replaced by "?", cut
    // after `longueur_max` characters with "..." (no cut when negative).
    static QString cite(const QString& valeur, int longueur_max = 40);

    // Numbers with their unit, as every part shows them: "2.25 D" (two
    // decimals), "90 °" (a blank and the degree sign).
    static QString D(double dioptries);
    static QString degres(int axe);

    // The lens of the range as ordered: "VELAN T2.25".
    static QString implant(const QString& modele, double cylindre);

    // The calculator's name with its version, as the window title and the
    // sheet's header give it ("... v2.0.0"); null for another language.
    static QString calculateur_version(const QString& langue);
};

#endif
