#ifndef FEUILLECALCUL_H
#define FEUILLECALCUL_H

#include <QString>

class ListParam;
class QIODevice;
class QPainter;
class QPrinter;

// The one-page A4 calculation sheet that doubles as the lens order form.
// The print preview, the PDF export and the command-line tool all draw it
// through dessiner(), so they give the same page.
class FeuilleCalcul {
public:
    // Sets the printer to A4 portrait, full page, no margins, fonts embedded,
    // and draws the sheet of the record with the fonts of the given level
    // (0, 1 or 2; 1 and 2 are smaller). Returns false when the page could not
    // be drawn or written (the painter does not begin on the printer, e.g. a
    // PDF file in a folder that does not exist or is read-only).
    static bool dessiner(QPrinter* printer, const ListParam& param, int test_police);

    // Writes the sheet as a PDF file, at the screen's resolution like the
    // preview's printer, through EcritureFichier: a file is replaced only
    // once the whole PDF is written, a device or a FIFO is written to
    // directly. Returns false, with the system's reason in `raison`, when
    // the file could not be written whole.
    static bool ecrire_pdf(const QString& fichier, const ListParam& param, int test_police,
                           QString* raison = nullptr);
    // Draws the sheet as a PDF into a device open for writing; false when
    // the page could not be begun.
    static bool ecrire_pdf(QIODevice* sortie, const ListParam& param, int test_police);

    // Draws the sheet with a painter already begun on a page W device pixels
    // wide (origin at the top left corner of the paper).
    static void peindre(QPainter& painter, const ListParam& param, int test_police, int W);

    // The proposed PDF file name: the patient identifier as typed, where
    // path separators and control characters become "_", then "_OD.pdf" for
    // the right eye or "_OS.pdf" for the left eye.
    static QString nom_fichier(const QString& identifiant, bool oeil_droit);

    // Title and text telling that a file could not be written ("fr": French,
    // otherwise English), with the system's reason when there is one, for
    // the warning box and the command-line tool.
    static QString titre_non_ecrit(const QString& langue);
    static QString message_non_ecrit(const QString& fichier, const QString& langue,
                                     const QString& raison = QString());

    // Contact lines of the header. Plainly fictitious values.
    static const char* const SITE_WEB;
    static const char* const FAX;
    static const char* const EMAIL;
    static const char* const TELEPHONE;
};

#endif
