#include "LotCli.h"

#include "CsvCli.h"
#include "EcrivainJson.h"
#include "ListParam.h"
#include "MessagesCli.h"
#include "Verification.h"

#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using Option = OptionsCli::Option;

// One row of a batch file and its answer.
struct Rangee {
    LecteurCsv::Ligne lue;
    CasCli cas;
    CasCli::Resultat resultat;
    QByteArray reponse;          // the JSON object, in UTF-8
    bool calcule = false;        // computed and accepted
    bool refus_a_ecrire = false; // refused by a check: answered by the writer
};

// Reads one row's values into the case; the first problem is the row's error.
QString lire(const Rangee& r, const CsvCli& csv, OptionsCli::Demande& d) {
    const QString& langue = csv.langue();
    QString erreur = csv.probleme(r.lue);
    const QList<const Option*>& colonnes = OptionsCli::colonnes();
    for (int c = 0; c < colonnes.size() && erreur.isEmpty(); ++c) {
        const Option& o = *colonnes[c];
        const QString valeur = csv.valeur(r.lue, c);
        if (valeur.isEmpty()) {
            if (o.drapeaux & OptionsCli::OBLIGATOIRE)
                erreur = MessagesCli::valeur_absente(OptionsCli::colonne(o), OptionsCli::attendu(o, langue),
                                                     langue);
            continue; // the default of the option
        }
        QString probleme;
        if (!o.lire(o, {valeur, QByteArray()}, d, probleme))
            erreur = !probleme.isEmpty() ? probleme
                                         : MessagesCli::refus_valeur(OptionsCli::colonne(o), valeur,
                                                                     OptionsCli::attendu(o, langue), langue);
    }
    return erreur;
}

// Reads and computes one row. Runs on any thread: the texts of a check's
// refusal, read from shared tables, are left to the writer.
void repondre(Rangee& r, const CsvCli& csv, OptionsCli::Demande& d, CalculTorique& moteur,
              ListParam& record) {
    r.calcule = false;
    r.refus_a_ecrire = false;
    d.cas = CasCli();
    d.cas.langue = csv.langue();
    const QString erreur = lire(r, csv, d);
    if (!erreur.isEmpty()) {
        EcrivainJson j;
        j.objet().cle("line").entier(r.lue.numero).cle("error").chaine(erreur).fin();
        r.reponse = j.octets();
        return;
    }
    r.cas = d.cas;
    r.resultat = r.cas.calculer(moteur, record);
    r.calcule = r.resultat.code == Verification::ACCEPTE;
    if (r.calcule)
        r.reponse = r.cas.json(moteur, r.resultat, r.lue.numero);
    else
        r.refus_a_ecrire = true;
}

// Fills a block with the next rows that are not blank; how many.
int remplir(CsvCli& csv, std::vector<Rangee>& bloc) {
    int n = 0;
    qsizetype octets = 0;
    while (n < LotCli::TAILLE_BLOC && octets < LotCli::OCTETS_BLOC && csv.suivante(bloc[n].lue))
        if (bloc[n].lue.etat != LecteurCsv::Complete || !bloc[n].lue.vide())
            octets += bloc[n++].lue.octets.size(); // a blank line is no row
    return n;
}

// Computes the rows of a block, each part of it on a core with an engine of
// its own.
void calculer(std::vector<Rangee>& bloc, int n, const CsvCli& csv, const OptionsCli::Demande& demande) {
    const int parts = std::clamp(QThread::idealThreadCount(), 1, 8);
    auto traiter_part = [&bloc, n, parts, &csv, &demande](int k) {
        CalculTorique moteur;
        // One record for the part: a row refused by a check stops at
        // step 7, where nothing of an earlier row's results is read.
        ListParam record;
        OptionsCli::Demande d = demande;
        for (int i = n * k / parts; i < n * (k + 1) / parts; ++i)
            repondre(bloc[i], csv, d, moteur, record);
    };
    std::vector<std::thread> aides;
    for (int k = 1; k < parts && n >= 64; ++k)
        aides.emplace_back(traiter_part, k);
    if (aides.empty())
        for (int k = 0; k < parts; ++k)
            traiter_part(k);
    else
        traiter_part(0);
    for (std::thread& t : aides)
        t.join();
}

} // namespace

int LotCli::executer(const OptionsCli::Demande& demande, int descripteur_sortie, QTextStream& sortie,
                     QTextStream& erreurs) {
    const QString& langue = demande.cas.langue;
    QStringList colonnes, obligatoires;
    for (const Option* o : OptionsCli::colonnes()) {
        colonnes << OptionsCli::colonne(*o);
        if (o->drapeaux & OptionsCli::OBLIGATOIRE)
            obligatoires << colonnes.last();
    }
    CsvCli csv(QLatin1String(OptionsCli::demarreur(OptionsCli::LOT).nom), colonnes, obligatoires, langue);
    // Answers appended to the file read would be read in turn, without end:
    // the standard output cannot be that file.
    QString refus;
    if (!csv.preparer(demande.lot, OptionsCli::Fichier(), QString(), descripteur_sortie, refus)) {
        erreurs << refus << '\n';
        return 2;
    }
    OptionsCli::Demande lignes = demande;
    lignes.virgule_decimale = csv.virgule_decimale();

    std::vector<Rangee> bloc(TAILLE_BLOC);
    bool tout_calcule = true;
    const CalculTorique sans_resultat; // a refused row prints only its inputs
    sortie.flush();
    QIODevice* appareil = sortie.device();
    while (const int n = remplir(csv, bloc)) {
        calculer(bloc, n, csv, lignes);
        for (int i = 0; i < n; ++i) {
            Rangee& r = bloc[i];
            if (r.refus_a_ecrire) // the check's message, read here only
                r.reponse = r.cas.json(sans_resultat, r.resultat, r.lue.numero);
            tout_calcule = tout_calcule && r.calcule;
            // The answers are UTF-8 already: to the stream's device as they
            // are, when it has one.
            if (appareil) {
                if (appareil->write(r.reponse) != r.reponse.size() || !appareil->putChar('\n'))
                    return 1;
            } else {
                sortie << QString::fromUtf8(r.reponse) << '\n';
            }
            r.reponse.clear();
            // A long row's bytes are let go, so that the block's memory
            // stays that of ordinary rows.
            if (r.lue.octets.capacity() > 4096)
                r.lue.octets = QByteArray();
            // An output that refuses what is written ends the run at once:
            // the caller tells why.
            if (sortie.status() != QTextStream::Ok)
                return 1;
        }
    }
    if (csv.echec()) {
        erreurs << csv.illisible() << '\n';
        return 1;
    }
    return tout_calcule ? 0 : 1;
}
