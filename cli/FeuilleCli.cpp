#include "FeuilleCli.h"

#include "FeuilleCalcul.h"
#include "Identification.h"
#include "LecteurImages.h"
#include "ListParam.h"
#include "Textes.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

QString FeuilleCli::dossier_images() {
    const QDir outil(QCoreApplication::applicationDirPath());
    const QString installees =
        QDir::cleanPath(outil.filePath(QStringLiteral("../share/calculateur-torique")));
    if (QFileInfo(outil.filePath(QLatin1String(LecteurImages::LOGO))).isFile())
        return outil.path();
    return installees;
}

int FeuilleCli::ecrire(const OptionsCli::Demande& demande, ListParam& record, QTextStream& erreurs) {
    const QString& langue = demande.cas.langue;
    const QString nom = Textes::cite(demande.pdf.nom, -1);
    auto non_ecrit = [&](const QString& raison) {
        erreurs << FeuilleCalcul::message_non_ecrit(nom, langue, raison) << '\n';
        return 1;
    };
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return non_ecrit(QString());
    if (!demande.pdf.probleme.isEmpty())
        return non_ecrit(demande.pdf.probleme);

    // The record of the accepted calculation, completed as the
    // identification dialog would complete it.
    const OptionsCli::Identite& id = demande.identite;
    record.nom_chir_str_t = id.chirurgien;
    record.clinique_str_t = id.etablissement;
    record.nom_pat_str_t = id.patient;
    record.date_dat_t = id.date.isValid() ? id.date : QDate::currentDate();
    record.date_str_t = Identification::texte_date(record.date_dat_t, record.langue_t);
    record.adresse1_str_t = id.adresse1;
    record.adresse2_str_t = id.adresse2;
    record.codepost_str_t = id.codepost;
    record.ville_str_t = id.ville;
    record.codepays_ind_t =
        id.pays >= 0 ? id.pays : (record.langue_t == "fr" ? Identification::INDEX_FRANCE : 0);
    record.codepays_str_t = Identification::liste_pays().value(record.codepays_ind_t);

    // Drawn in memory first: a sheet that lacks a picture is not written.
    LecteurImages::utiliser_dossier(dossier_images());
    LecteurImages::manquantes();
    QByteArray pdf;
    QBuffer tampon(&pdf);
    tampon.open(QIODevice::WriteOnly);
    if (!FeuilleCalcul::ecrire_pdf(&tampon, record, 0))
        return non_ecrit(QString());
    const QStringList manquantes = LecteurImages::manquantes();
    if (!manquantes.isEmpty())
        return non_ecrit(Textes::selon(langue, "image illisible %1", "cannot read picture %1")
                             .arg(Textes::cite(manquantes.first(), -1)));
    QString raison;
    if (!demande.pdf.ecrire(pdf, &raison))
        return non_ecrit(raison);
    return 0;
}
