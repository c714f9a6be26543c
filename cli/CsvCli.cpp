#include "CsvCli.h"

#include "EcrivainJson.h"
#include "MessagesCli.h"
#include "Textes.h"

#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString texte_systeme(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

CsvCli::CsvCli(const QString& option, const QStringList& colonnes, const QStringList& obligatoires,
               const QString& langue)
    : option(option), langue_m(langue), colonnes(colonnes), obligatoires(obligatoires),
      lecteur(&f, LecteurCsv::DETECTE) {}

QString CsvCli::attendu() const {
    return Textes::selon(langue_m, "un fichier CSV dont la première ligne est ",
                         "a CSV file whose first line is ") +
           colonnes.join(QLatin1Char(','));
}

QString CsvCli::cite() const {
    return MessagesCli::citation_fichier(nom, langue_m);
}

bool CsvCli::ouvrir(const OptionsCli::Fichier& fichier, QString& erreur) {
    nom = fichier.nom;
    // By the bytes of its name, which need not be UTF-8.
    int raison = 0;
    const int fd = ::open(fichier.octets.constData(), O_RDONLY | O_CLOEXEC);
    struct stat etat = {};
    if (fd < 0)
        raison = errno;
    else if (fstat(fd, &etat) != 0)
        raison = errno;
    else if (S_ISDIR(etat.st_mode)) // opens for reading, and reads as nothing
        raison = EISDIR;
    if (raison == 0 && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        peripherique = etat.st_dev;
        inode = etat.st_ino;
        return true;
    }
    if (fd >= 0 && !f.isOpen())
        ::close(fd);
    erreur =
        MessagesCli::erreur(option,
                            Textes::selon(langue_m, "fichier %1 illisible (%2)", "cannot read file %1 (%2)")
                                .arg(cite(), raison ? texte_systeme(raison) : f.errorString()),
                            attendu(), langue_m);
    return false;
}

QString CsvCli::illisible() const {
    return MessagesCli::erreur(
        option,
        Textes::selon(langue_m, "fichier %1 illisible (%2)", "cannot read file %1 (%2)")
            .arg(cite(), lecteur.erreur()),
        attendu(), langue_m);
}

bool CsvCli::lire_en_tete(QString& erreur) {
    LecteurCsv::Ligne ligne;
    const bool lue = lecteur.suivante(ligne) && ligne.etat == LecteurCsv::Complete;
    positions = QList<int>(colonnes.size(), -1);
    QString inconnue, repetee;
    bool une_connue = false;
    for (int i = 0; lue && i < ligne.taille(); ++i) {
        const QString n = ligne.champ(i).trimmed();
        int c = -1; // the documented column it names, in any case
        for (int k = 0; k < colonnes.size() && c < 0; ++k)
            if (colonnes[k].compare(n, Qt::CaseInsensitive) == 0)
                c = k;
        if (c < 0 && inconnue.isNull())
            inconnue = n;
        else if (c >= 0 && positions[c] >= 0 && repetee.isNull())
            repetee = n;
        else if (c >= 0)
            positions[c] = i;
        une_connue = une_connue || c >= 0;
    }
    nb_champs = ligne.taille();
    const QString colonnes_attendues =
        Textes::selon(langue_m, "les colonnes %1, dans n'importe quel ordre", "the columns %1, in any order")
            .arg(colonnes.join(QStringLiteral(", ")));
    auto refus = [&](const char* fr, const char* en, const QString& colonne) {
        erreur = MessagesCli::erreur(
            option, Textes::selon(langue_m, fr, en).arg(MessagesCli::citation(colonne, langue_m), cite()),
            colonnes_attendues, langue_m);
        return false;
    };
    if (lecteur.echec()) {
        erreur = illisible();
        return false;
    }
    // A first line that names none of the columns is no header at all (a
    // row of data, another kind of file).
    if (!une_connue) {
        erreur = MessagesCli::erreur(option,
                                     Textes::selon(langue_m, "la première ligne de %1 n'est pas l'en-tête",
                                                   "the first line of %1 is not the header")
                                         .arg(cite()),
                                     attendu(), langue_m);
        return false;
    }
    if (!inconnue.isNull())
        return refus("colonne %1 inconnue dans %2", "unknown column %1 in %2", inconnue);
    if (!repetee.isNull())
        return refus("colonne %1 donnée deux fois dans %2", "column %1 given twice in %2", repetee);
    for (int c = 0; c < colonnes.size(); ++c)
        if (positions[c] < 0 && obligatoires.contains(colonnes[c]))
            return refus("colonne %1 absente de %2", "column %1 missing from %2", colonnes[c]);
    return true;
}

bool CsvCli::preparer(const OptionsCli::Fichier& fichier, const OptionsCli::Fichier& graphique,
                      const QString& option_graphique, int descripteur_sortie, QString& erreur) {
    if (!ouvrir(fichier, erreur))
        return false;
    const QString autre =
        Textes::selon(langue_m, "une sortie vers un autre fichier", "an output to another file");
    if (graphique.donne() && est_lu(graphique.chemin))
        erreur = MessagesCli::erreur(
            option_graphique,
            Textes::selon(langue_m, "le fichier %1 est celui que lit %2", "the file %1 is the one %2 reads")
                .arg(cite(), option),
            autre, langue_m);
    else if (est_lu(descripteur_sortie))
        erreur = MessagesCli::erreur(option,
                                     Textes::selon(langue_m, "le fichier %1 est aussi la sortie standard",
                                                   "the file %1 is also the standard output")
                                         .arg(cite()),
                                     autre, langue_m);
    return erreur.isEmpty() && lire_en_tete(erreur);
}

QString CsvCli::sans_ligne_valide(const QString& quoi) const {
    return MessagesCli::erreur(
        option, Textes::selon(langue_m, "aucune ligne valide dans %1", "no valid row in %1").arg(cite()),
        Textes::selon(langue_m, "au moins %1 sous l'en-tête %2", "at least %1 under the header %2")
            .arg(quoi, colonnes.join(QLatin1Char(','))),
        langue_m);
}

int CsvCli::conclure(const OptionsCli::Demande& demande, const QList<Refus>& refus, const Sorties& s,
                     QTextStream& sortie, QTextStream& erreurs) const {
    const bool muet = demande.graphique.sortie_standard;
    if (!demande.json || muet)
        for (const Refus& r : refus)
            erreurs << Textes::selon(langue_m, "ligne %1 : %2", "line %1: %2")
                           .arg(r.ligne)
                           .arg(QString::fromUtf8(r.erreur))
                    << '\n';
    if (s.vide) {
        erreurs << sans_ligne_valide(s.quoi) << '\n';
    } else if (demande.graphique.donne()) {
        if (!s.graphique) {
            erreurs << MessagesCli::sans_dessin(s.option_graphique, langue_m) << '\n';
            return 1;
        }
        const int statut = s.graphique(erreurs);
        if (statut != 0)
            return statut;
    }
    if (demande.json && !muet) {
        EcrivainJson j(sortie);
        s.json(j);
        j.vider();
        sortie << '\n';
    } else if (!s.vide && !muet) {
        s.texte(sortie);
    }
    return refus.isEmpty() && !s.vide ? 0 : 1;
}

QString CsvCli::valeur(const LecteurCsv::Ligne& ligne, int colonne) const {
    const int p = positions.value(colonne, -1);
    return p >= 0 && p < ligne.taille() ? ligne.champ(p).trimmed() : QString();
}

QString CsvCli::probleme(const LecteurCsv::Ligne& ligne) const {
    const QString& l = langue_m;
    if (ligne.etat == LecteurCsv::TropLongue)
        return MessagesCli::erreur(
            QString(),
            Textes::selon(l, "ligne de plus de %1 octets", "row longer than %1 bytes")
                .arg(LecteurCsv::LONGUEUR_MAX),
            Textes::selon(l, "une ligne de %1 octets au plus", "a row of at most %1 bytes")
                .arg(LecteurCsv::LONGUEUR_MAX),
            l);
    if (ligne.etat == LecteurCsv::GuillemetNonFerme)
        return MessagesCli::erreur(
            QString(), Textes::selon(l, "valeur entre guillemets non fermée", "quoted value not closed"),
            Textes::selon(l, "un guillemet fermant", "a closing double quote"), l);
    if (ligne.taille() > nb_champs) {
        QStringList noms;
        for (int c = 0; c < colonnes.size(); ++c)
            if (positions[c] >= 0)
                noms << colonnes[c];
        return MessagesCli::erreur(QString(), Textes::selon(l, "%1 valeurs", "%1 values").arg(ligne.taille()),
                                   Textes::selon(l, "au plus %1 (%2)", "at most %1 (%2)")
                                       .arg(nb_champs)
                                       .arg(noms.join(QLatin1Char(','))),
                                   l);
    }
    return QString();
}

bool CsvCli::est_lu(const QString& chemin) const {
    struct stat etat = {};
    return f.isOpen() && stat(QFile::encodeName(chemin).constData(), &etat) == 0 &&
           etat.st_dev == peripherique && etat.st_ino == inode;
}

bool CsvCli::est_lu(int descripteur) const {
    struct stat etat = {};
    return f.isOpen() && descripteur >= 0 && fstat(descripteur, &etat) == 0 && S_ISREG(etat.st_mode) &&
           etat.st_dev == peripherique && etat.st_ino == inode;
}
