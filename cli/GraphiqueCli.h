#ifndef GRAPHIQUECLI_H
#define GRAPHIQUECLI_H

#include "AstigmatismeInduit.h"
#include "AuditPrevisions.h"
#include "OptionsCli.h"

class QTextStream;

// The double-angle plot of --sia or --audit written to the file of --plot, in the
// format its name asks for (GraphiqueAstigmatismeInduit), whole or not at
// all (EcritureFichier). Needs a QGuiApplication for the fonts.
class GraphiqueCli {
public:
    // 0 when written; 1, the reason on `erreurs`, when not.
    static int ecrire(const OptionsCli::Demande& demande, const AstigmatismeInduit& serie,
                      QTextStream& erreurs);
    // The plot of --audit (GraphiqueAudit), likewise.
    static int ecrire_audit(const OptionsCli::Demande& demande, const AuditPrevisions& audit,
                            QTextStream& erreurs);
};

#endif
