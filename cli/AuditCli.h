#ifndef AUDITCLI_H
#define AUDITCLI_H

#include "AuditPrevisions.h"
#include "CsvCli.h"
#include "OptionsCli.h"

#include <QList>
#include <QString>

#include <functional>

class EcrivainJson;
class QTextStream;

// How well the predictions held on the surgeon's own operated eyes:
//
//   torique --audit FILE.csv [--plot FILE.pdf|png|svg] [--lang fr|en] [--json]
//
// The file has one row per operated eye under a header naming the columns
// eye,seq,unit,k1,k2,axis,sia,incision,cyl,lens_axis,ref_sph,ref_cyl,
// ref_axis,vertex (in any order): the pre-operative entries as in a batch
// file, the implanted cylinder (a power of the range) and the axis on which
// the lens marks were placed, the post-operative manifest refraction
// (sphere, cylinder of either sign, axis) and its vertex distance in
// millimetres (12 when empty). A row that is not valid, or that the checks
// of the calculation refuse, is answered with its line number and the
// reason, and does not count.
//
// For each eye, the residual predicted on both bases (AuditPrevisions) for
// the lens as it was placed, the refraction's astigmatism at the corneal
// plane, and the prediction error; over the eyes, the figures of each
// basis side by side, as text in the language or as one JSON object; --plot
// draws the errors' double-angle plots, through the function the program
// hands in.
//
// Exit status: 0 every row counted (and the plot written); 1 a row refused,
// no valid row, or the plot not written; 2 bad usage.
class AuditCli {
public:
    // The header of the file, in its documented order.
    static QString en_tete();

    // A file of operated eyes has at most this many rows.
    static constexpr int LIGNES_MAX = 100000;

    using Refus = CsvCli::Refus;

    // Reads the rows of a file whose header is read; the eyes go to the
    // audit, the rows refused to `refus`. False, with the message in
    // `erreur`, when the file is refused as a whole.
    static bool lire(CsvCli& csv, AuditPrevisions& audit, QList<Refus>& refus, QString& erreur);

    // The two outputs of an audit.
    static void texte(const AuditPrevisions& audit, const QString& langue, QTextStream& sortie);
    static void json(const AuditPrevisions& audit, const QList<Refus>& refus, EcrivainJson& j);

    // Draws the plot of the request's audit to its file: 0 written, 1 not.
    using Graphique =
        std::function<int(const OptionsCli::Demande&, const AuditPrevisions&, QTextStream& erreurs)>;

    static int executer(const OptionsCli::Demande& demande, int descripteur_sortie,
                        const Graphique& graphique, QTextStream& sortie, QTextStream& erreurs);
};

#endif
