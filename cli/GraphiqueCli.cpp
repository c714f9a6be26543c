#include "GraphiqueCli.h"

#include "EcritureFichier.h"
#include "FeuilleCalcul.h"
#include "GraphiqueAstigmatismeInduit.h"
#include "Textes.h"

#include <QTextStream>

int GraphiqueCli::ecrire(const OptionsCli::Demande& demande, const AstigmatismeInduit& serie,
                         QTextStream& erreurs) {
    const QString& langue = demande.cas.langue;
    QString raison = demande.graphique.probleme;
    if (raison.isEmpty()) {
        const QByteArray octets =
            GraphiqueAstigmatismeInduit::rendre(demande.format_graphique, serie, langue);
        if (!octets.isEmpty() && EcritureFichier::ecrire(demande.graphique.chemin, octets, &raison))
            return 0;
    }
    erreurs << FeuilleCalcul::message_non_ecrit(Textes::cite(demande.graphique.nom, -1), langue, raison)
            << '\n';
    return 1;
}
