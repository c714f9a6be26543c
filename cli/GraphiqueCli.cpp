#include "GraphiqueCli.h"

#include "FeuilleCalcul.h"
#include "GraphiqueAstigmatismeInduit.h"
#include "GraphiqueAudit.h"
#include "Textes.h"

#include <QTextStream>

namespace {

// The plot's bytes, drawn by `rendre` unless the file's name was refused,
// to its file whole.
template <class Rendre>
int ecrire_graphique(const OptionsCli::Demande& demande, QTextStream& erreurs, Rendre rendre) {
    const QString& langue = demande.cas.langue;
    QString raison = demande.graphique.probleme;
    if (raison.isEmpty()) {
        const QByteArray octets = rendre();
        if (!octets.isEmpty() && demande.graphique.ecrire(octets, &raison))
            return 0;
    }
    erreurs << FeuilleCalcul::message_non_ecrit(Textes::cite(demande.graphique.nom, -1), langue, raison)
            << '\n';
    return 1;
}

} // namespace

int GraphiqueCli::ecrire(const OptionsCli::Demande& demande, const AstigmatismeInduit& serie,
                         QTextStream& erreurs) {
    return ecrire_graphique(demande, erreurs, [&] {
        return GraphiqueAstigmatismeInduit::rendre(demande.format_graphique, serie, demande.cas.langue);
    });
}

int GraphiqueCli::ecrire_audit(const OptionsCli::Demande& demande, const AuditPrevisions& audit,
                               QTextStream& erreurs) {
    return ecrire_graphique(demande, erreurs, [&] {
        return GraphiqueAudit::rendre(demande.format_graphique, audit, demande.cas.langue);
    });
}
