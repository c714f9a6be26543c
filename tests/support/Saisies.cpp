#include "Saisies.h"

#include "ListParam.h"

namespace Saisies {

void identification(ListParam& p, const QString& patient, int index_pays, const QString& pays) {
    p.nom_chir_str_t = "Dr Martin";
    p.clinique_str_t = "Clinique du Lac";
    p.nom_pat_str_t = patient;
    p.adresse1_str_t = "1 rue des Lilas";
    p.adresse2_str_t = QString::fromUtf8("Bâtiment B");
    p.codepost_str_t = "75001";
    p.ville_str_t = "Paris";
    p.codepays_ind_t = index_pays;
    p.codepays_str_t = pays;
}

} // namespace Saisies
