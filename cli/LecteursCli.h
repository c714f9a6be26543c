#ifndef LECTEURSCLI_H
#define LECTEURSCLI_H

#include "OptionsCli.h"

#include <QString>

// The readers of the values of the options (OptionsCli's table): each takes
// the value of its option, or of the column of that name in a file, into
// the request, as the page's entries hold it; false when it refuses it,
// with the problem in `probleme` when the usual refusal ("value x refused;
// expected ...") would not say it.
class LecteursCli {
public:
    using Option = OptionsCli::Option;
    using Valeur = OptionsCli::Valeur;
    using Demande = OptionsCli::Demande;

    static bool lire_oeil(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_seq(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_unite(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_k1(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_k2(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_axe(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_sia(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_incision(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_cyl(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_posterieure(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_langue(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_json(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_aide(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_version(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_lot(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_fichier_sia(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_sia_ou_fichier(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_audit(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_pdf(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_graphique(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_patient(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_date(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_pays(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_chirurgien(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_etablissement(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_adresse1(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_adresse2(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_codepost(const Option& o, const Valeur& v, Demande& d, QString& probleme);
    static bool lire_ville(const Option& o, const Valeur& v, Demande& d, QString& probleme);

    // The countries of the list, for what --country accepts.
    static QString pays();
};

#endif
