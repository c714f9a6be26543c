#include "FeuilleCli.h"

#include "FeuilleCalcul.h"
#include "Identification.h"
#include "LecteurImages.h"
#include "ListParam.h"
#include "Textes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// What --patient takes: the identifier of the form's field.
constexpr int LONGUEUR_PATIENT = 19;
QString patient_attendu(const QString& langue) {
    return langue == "en" ? QString("an identifier of 1 to %1 characters").arg(LONGUEUR_PATIENT)
                          : QString::fromUtf8("un identifiant de 1 à %1 caractères").arg(LONGUEUR_PATIENT);
}

} // namespace

bool FeuilleCli::demande(const QStringList& arguments) {
    for (const QString& a : arguments)
        if (a == "--pdf" || a.startsWith("--pdf="))
            return true;
    return false;
}

QString FeuilleCli::usage(const QString& langue) {
    return ToriqueCli::ligne_usage(
        "torique --eye ... --pdf FILE.pdf --patient T [--surgeon T] [--clinic T] "
        "[--date YYYY-MM-DD] [--address1 T] [--address2 T] [--postcode T] [--city T] "
        "[--country NAME]",
        langue);
}

FeuilleCli::FeuilleCli(ToriqueCli& outil, const QString& langue) : langue_messages(langue) {
    outil.ajouter_option(
        {"--pdf", true, "un nom de fichier PDF", "a PDF file name", [this](const QString& v) {
             if (!ToriqueCli::nom_de_fichier(v))
                 return ToriqueCli::refus_valeur("--pdf", v,
                                                 Textes::selon(langue_messages,
                                                               "un nom de fichier PDF autre que -",
                                                               "a PDF file name other than -"),
                                                 langue_messages);
             fichier = v;
             return QString();
         }});

    // The texts of the identification dialog, with its bounds.
    struct Texte {
        const char* nom;
        QString* champ;
        int longueur_max;
    };
    const Texte textes[] = {{"--surgeon", &chirurgien, 25},
                            {"--clinic", &etablissement, 25},
                            {"--patient", &patient, LONGUEUR_PATIENT},
                            {"--address1", &adresse1, 40},
                            {"--address2", &adresse2, 40},
                            {"--postcode", &codepost, 7},
                            {"--city", &ville, 20}};
    for (const Texte& t : textes) {
        const QString nom = t.nom;
        const int max = t.longueur_max;
        QString* champ = t.champ;
        // The order form names its patient: an identifier that is not
        // blank once cleaned.
        const bool requis = champ == &patient;
        const QString attendu_fr =
            requis ? patient_attendu("fr") : QString::fromUtf8("un texte de %1 caractères au plus").arg(max);
        const QString attendu_en =
            requis ? patient_attendu("en") : QString("a text of at most %1 characters").arg(max);
        outil.ajouter_option({nom, true, attendu_fr, attendu_en,
                              [=](const QString& v) {
                                  // On one line, as the dialog keeps it.
                                  const QString propre = Identification::texte_propre(v);
                                  if (propre.size() > max || (requis && propre.isEmpty()))
                                      return ToriqueCli::refus_valeur(
                                          nom, v, langue_messages == "en" ? attendu_en : attendu_fr,
                                          langue_messages);
                                  *champ = propre;
                                  return QString();
                              },
                              "--pdf"});
    }

    const char* const date_fr = "une date AAAA-MM-JJ";
    const char* const date_en = "a date YYYY-MM-DD";
    outil.ajouter_option({"--date", true, date_fr, date_en,
                          [=](const QString& v) {
                              const QDate d = QDate::fromString(v.trimmed(), "yyyy-MM-dd");
                              if (!d.isValid())
                                  return ToriqueCli::refus_valeur(
                                      "--date", v, Textes::selon(langue_messages, date_fr, date_en),
                                      langue_messages);
                              date = d;
                              return QString();
                          },
                          "--pdf"});

    const QString noms = Identification::liste_pays().join(", ");
    const QString pays_fr = QString::fromUtf8("un pays de la liste : ") + noms;
    const QString pays_en = "a country of the list: " + noms;
    outil.ajouter_option({"--country", true, pays_fr, pays_en,
                          [=](const QString& v) {
                              const QStringList& liste = Identification::liste_pays();
                              for (int i = 0; i < liste.size(); ++i)
                                  if (liste[i].compare(v.trimmed(), Qt::CaseInsensitive) == 0) {
                                      pays = i;
                                      return QString();
                                  }
                              return ToriqueCli::refus_valeur("--country", v,
                                                              langue_messages == "en" ? pays_en : pays_fr,
                                                              langue_messages);
                          },
                          "--pdf"});

    outil.ajouter_traitement([this](const ToriqueCli::Cas& cas, ListParam& record, QTextStream& erreurs) {
        return ecrire(cas, record, erreurs);
    });
}

int FeuilleCli::ecrire(const ToriqueCli::Cas& cas, ListParam& record, QTextStream& erreurs) {
    if (fichier.isEmpty())
        return 0;
    // No order form without its patient: bad usage.
    if (patient.isEmpty()) {
        erreurs << ToriqueCli::erreur(
                       "--patient",
                       Textes::selon(langue_messages, "option obligatoire avec --pdf", "required with --pdf"),
                       patient_attendu(langue_messages), langue_messages)
                << '\n';
        return 2;
    }
    const QString nom = Textes::cite(fichier, -1);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        erreurs << FeuilleCalcul::message_non_ecrit(nom, cas.langue) << '\n';
        return 1;
    }

    // The record of the accepted calculation, completed as the
    // identification dialog would complete it.
    record.nom_chir_str_t = chirurgien;
    record.clinique_str_t = etablissement;
    record.nom_pat_str_t = patient;
    record.date_dat_t = date.isValid() ? date : QDate::currentDate();
    record.date_str_t = Identification::texte_date(record.date_dat_t, record.langue_t);
    record.adresse1_str_t = adresse1;
    record.adresse2_str_t = adresse2;
    record.codepost_str_t = codepost;
    record.ville_str_t = ville;
    record.codepays_ind_t = pays >= 0 ? pays : (record.langue_t == "fr" ? Identification::INDEX_FRANCE : 0);
    record.codepays_str_t = Identification::liste_pays().value(record.codepays_ind_t);

    // The pictures are read by relative name; when they are not in the
    // working folder, those installed next to the tool are used.
    const QString sortie = QDir::current().absoluteFilePath(fichier);
    const QString dossier_outil = QCoreApplication::applicationDirPath();
    const QString dossier_courant = QDir::currentPath();
    const bool deplacer = !QFileInfo::exists(LecteurImages::LOGO) &&
                          QFileInfo::exists(dossier_outil + "/" + LecteurImages::LOGO);
    if (deplacer)
        QDir::setCurrent(dossier_outil);
    QString raison;
    const bool ecrit = FeuilleCalcul::ecrire_pdf(sortie, record, 0, &raison);
    if (deplacer)
        QDir::setCurrent(dossier_courant);
    if (!ecrit) {
        erreurs << FeuilleCalcul::message_non_ecrit(nom, cas.langue, raison) << '\n';
        return 1;
    }
    return 0;
}
