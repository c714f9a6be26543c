#include "ToriqueCli.h"

#include "CasCli.h"
#include "ListParam.h"
#include "LotCli.h"
#include "MessagesCli.h"
#include "Verification.h"
#include "Version.h"

#include <QTextStream>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Option = OptionsCli::Option;

// The option's name in an argument: "--k1" in "--k1" and "--k1=42".
QByteArray nom_option(const QByteArray& argument) {
    const int egal = argument.indexOf('=');
    return argument.startsWith("--") && egal > 2 ? argument.left(egal) : argument;
}

// The mode asked for: that of the first option given that starts one, when
// it may (an option that bears the name of an option of a case starts its
// mode only when no other option of a case is given).
int mode_demande(const QList<QByteArray>& arguments) {
    auto autre_option_de_cas = [&arguments](const QByteArray& nom) {
        for (const QByteArray& a : arguments)
            for (const Option* o : OptionsCli::colonnes())
                if (nom != o->nom && nom_option(a) == o->nom)
                    return true;
        return false;
    };
    for (const QByteArray& a : arguments) {
        const QByteArray nom = nom_option(a);
        bool homonyme = false;
        for (const Option* o : OptionsCli::colonnes())
            homonyme = homonyme || nom == o->nom;
        for (const Option* o : OptionsCli::nommees(QString::fromUtf8(nom)))
            if ((o->drapeaux & OptionsCli::DEMARRE) && (!homonyme || !autre_option_de_cas(nom)))
                return o->modes;
    }
    return OptionsCli::CAS;
}

// The row that an option's name stands for in the mode: the one that
// starts this mode, else the one that starts none, else any.
const Option* choisir(const QString& nom, int mode) {
    const QList<const Option*> rangs = OptionsCli::nommees(nom);
    for (const Option* o : rangs)
        if ((o->drapeaux & OptionsCli::DEMARRE) && o->modes == mode)
            return o;
    for (const Option* o : rangs)
        if (!(o->drapeaux & OptionsCli::DEMARRE))
            return o;
    return rangs.value(0, nullptr);
}

// The refusal of a value that is no number given to an option of a case
// that bears the name of an option starting a mode (--sia: the induced
// astigmatism of the case, or a file of past cases): what the option was
// taken for, and how to give the file. Empty for any other option.
QString refus_homonyme(const Option& o, const QString& valeur, const OptionsCli::Demande& d) {
    double x;
    if ((o.drapeaux & OptionsCli::DEMARRE) || OptionsCli::nombre(valeur, true, x))
        return QString();
    for (const Option* autre : OptionsCli::nommees(QLatin1String(o.nom)))
        if (autre->drapeaux & OptionsCli::DEMARRE) {
            const QString& langue = d.cas.langue;
            const Option& fichier = OptionsCli::demarreur(autre->modes);
            return MessagesCli::erreur(
                QLatin1String(o.nom),
                Textes::selon(langue,
                              "valeur %1 refusée : avec les options d'un cas, %2 est l'astigmatisme "
                              "induit par son incision",
                              "value %1 refused: with the options of a case, %2 is the induced astigmatism "
                              "of its incision")
                    .arg(MessagesCli::citation(valeur, langue), QLatin1String(o.nom)),
                Textes::selon(langue, "%1, ou un fichier de cas passés avec %2 et aucune option de cas",
                              "%1, or a file of past cases with %2 and no option of a case")
                    .arg(OptionsCli::attendu(o, langue),
                         MessagesCli::mots_usage(QLatin1String(fichier.nom) + QLatin1Char(' ') +
                                                     QLatin1String(fichier.valeur),
                                                 langue)),
                langue);
        }
    return QString();
}

// An option given in a mode it has no part in.
QString hors_du_mode(const QString& nom, const OptionsCli::Demande& d) {
    const QString& langue = d.cas.langue;
    return MessagesCli::erreur(
        nom, Textes::selon(langue, "sans objet avec %1", "not allowed with %1").arg(d.nom_du_mode()),
        OptionsCli::usage(d.mode, langue), langue);
}

} // namespace

ToriqueCli::ToriqueCli() {
    // The folder now: a relative output name means it, even if the tool is
    // moved or the folder removed meanwhile.
    if (char* ici = getcwd(nullptr, 0)) {
        depart = ici;
        std::free(ici);
    } else {
        depart_perdu = QString::fromLocal8Bit(std::strerror(errno));
    }
}

int ToriqueCli::executer(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs) {
    QList<QByteArray> octets;
    for (const QString& a : arguments)
        octets << a.toUtf8();
    return executer(octets, sortie, erreurs);
}

int ToriqueCli::executer(const QList<QByteArray>& arguments, QTextStream& sortie, QTextStream& erreurs) {
    OptionsCli::Demande d;
    d.cas.langue = MessagesCli::langue_demandee(arguments);
    d.depart = depart;
    d.depart_perdu = depart_perdu;
    // A value is read as the page's entries read it: "44,25" is 44.25.
    d.virgule_decimale = true;
    const QString langue = d.cas.langue;
    // --help and --version, wherever they are.
    for (const Option& o : OptionsCli::table()) {
        QString rien;
        if ((o.drapeaux & OptionsCli::IMMEDIAT) && arguments.contains(o.nom))
            o.lire(o, {}, d, rien);
    }
    if (d.aide) {
        sortie << OptionsCli::usage(langue);
        return 0;
    }
    if (d.version) {
        sortie << "torique " VERSION_TORIQUE "\n";
        return 0;
    }
    if (arguments.isEmpty()) {
        erreurs << OptionsCli::usage(langue);
        return 2;
    }
    d.mode = mode_demande(arguments);
    QString refus = lire(arguments, d);
    if (refus.isEmpty())
        refus = refus_ensemble(d);
    if (refus.isEmpty())
        refus = prendre_sortie_standard(d);
    if (!refus.isEmpty()) {
        erreurs << refus << '\n';
        return 2;
    }
    if (d.mode == OptionsCli::SIA)
        return SiaCli::executer(d, descripteur_sortie, graphique, sortie, erreurs);
    if (d.mode == OptionsCli::AUDIT)
        return AuditCli::executer(d, descripteur_sortie, graphique_audit, sortie, erreurs);
    if (d.mode == OptionsCli::LOT)
        return LotCli::executer(d, descripteur_sortie, sortie, erreurs);
    return calculer_cas(d, sortie, erreurs);
}

// Reads every option and its value; returns the line that refuses the first
// one not understood, or an empty text.
QString ToriqueCli::lire(const QList<QByteArray>& arguments, OptionsCli::Demande& d) const {
    const QString langue = d.cas.langue;
    QStringList vues;
    for (int i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        const QByteArray nom_octets = nom_option(argument);
        const QString nom = QString::fromUtf8(nom_octets);
        const bool jointe = nom_octets.size() < argument.size();
        const Option* o = nom.startsWith(QLatin1String("--")) ? choisir(nom, d.mode) : nullptr;
        if (!o)
            return MessagesCli::erreur(Textes::cite(QString::fromUtf8(argument)),
                                       Textes::selon(langue, "option inconnue", "unknown option"),
                                       OptionsCli::liste(langue), langue);
        if (vues.contains(nom))
            return MessagesCli::erreur(nom,
                                       Textes::selon(langue, "donnée plusieurs fois", "given more than once"),
                                       Textes::selon(langue, "une seule fois", "it once"), langue);
        if ((o->drapeaux & OptionsCli::DEMARRE) && d.premiere(OptionsCli::DEMARRE))
            return hors_du_mode(nom, d);
        vues << nom;
        d.donnees << o;
        QByteArray valeur = jointe ? argument.mid(nom_octets.size() + 1) : QByteArray();
        if (!o->valeur && jointe)
            return MessagesCli::refus_valeur(nom, QString::fromUtf8(valeur), OptionsCli::attendu(*o, langue),
                                             langue);
        if (o->valeur && !jointe) {
            if (i + 1 >= arguments.size())
                return MessagesCli::valeur_absente(nom, OptionsCli::attendu(*o, langue), langue);
            valeur = arguments[++i];
        }
        QString probleme;
        const QString texte = QString::fromUtf8(valeur);
        if (!o->lire(*o, {texte, valeur}, d, probleme)) {
            if (probleme.isEmpty())
                probleme = refus_homonyme(*o, texte, d);
            return !probleme.isEmpty()
                       ? probleme
                       : MessagesCli::refus_valeur(nom, texte, OptionsCli::attendu(*o, langue), langue);
        }
    }
    return QString();
}

// The line that refuses options given together that do not go together, or
// a case with an option missing; an empty text when they may run.
QString ToriqueCli::refus_ensemble(const OptionsCli::Demande& d) const {
    const QString& langue = d.cas.langue;
    for (const Option* o : d.donnees) {
        if ((o->modes & d.mode) || (d.mode == OptionsCli::LOT && (o->drapeaux & OptionsCli::SANS_EFFET_LOT)))
            continue;
        const QString nom = QLatin1String(o->nom);
        if (d.mode == OptionsCli::CAS)
            return MessagesCli::erreur(nom,
                                       Textes::selon(langue, "seulement avec %1", "only with %1")
                                           .arg(OptionsCli::demarreurs(o->modes, langue)),
                                       OptionsCli::usage(o->modes, langue), langue);
        return hors_du_mode(nom, d);
    }
    if (d.mode != OptionsCli::CAS)
        return QString();
    for (const Option& o : OptionsCli::table())
        if ((o.drapeaux & OptionsCli::OBLIGATOIRE) && !d.donnees.contains(&o))
            return MessagesCli::erreur(
                QLatin1String(o.nom),
                Textes::selon(langue, "option obligatoire absente", "required option missing"),
                OptionsCli::attendu(o, langue), langue);
    // The identification is not ignored without the sheet it goes on.
    const Option& pdf = OptionsCli::sortie(OptionsCli::CAS);
    for (const Option* o : d.donnees)
        if ((o->drapeaux & OptionsCli::FEUILLE) && !d.donnees.contains(&pdf))
            return MessagesCli::erreur(
                QLatin1String(o->nom),
                Textes::selon(langue, "sans objet sans %1", "not allowed without %1")
                    .arg(QLatin1String(pdf.nom)),
                QLatin1String(pdf.nom) + QLatin1Char(' ') + OptionsCli::attendu(pdf, langue), langue);
    // The sheet is an order form: it names its patient.
    if (d.donnees.contains(&pdf))
        for (const Option& o : OptionsCli::table())
            if ((o.drapeaux & OptionsCli::REQUIS_FEUILLE) && !d.donnees.contains(&o))
                return MessagesCli::erreur(
                    QLatin1String(o.nom),
                    Textes::selon(langue, "option obligatoire avec %1", "required with %1")
                        .arg(QLatin1String(pdf.nom)),
                    OptionsCli::attendu(o, langue), langue);
    return QString();
}

// Marks the file to write (the sheet, the plot) that is the standard
// output; "-" is written through its descriptor. Returns the line that
// refuses a terminal, or an empty text.
QString ToriqueCli::prendre_sortie_standard(OptionsCli::Demande& d) const {
    const int fd = descripteur_sortie;
    struct stat sortie;
    const bool connue = fd >= 0 && fstat(fd, &sortie) == 0;
    for (int mode : {OptionsCli::CAS, OptionsCli::SIA}) {
        OptionsCli::Fichier& f = mode == OptionsCli::CAS ? d.pdf : d.graphique;
        if (!f.donne())
            continue;
        if (f.octets == "-") {
            f.chemin = fd >= 0 ? QStringLiteral("/proc/self/fd/%1").arg(fd) : QStringLiteral("/dev/stdout");
            f.descripteur = fd >= 0 ? fd : STDOUT_FILENO;
        }
        struct stat cible;
        f.sortie_standard =
            f.octets == "-" ||
            (connue && !f.chemin.isEmpty() && stat(f.chemin.toUtf8().constData(), &cible) == 0 &&
             cible.st_dev == sortie.st_dev && cible.st_ino == sortie.st_ino);
        if (f.sortie_standard && connue && isatty(fd)) {
            const QString& langue = d.cas.langue;
            return MessagesCli::erreur(
                QLatin1String(OptionsCli::sortie(mode).nom),
                Textes::selon(langue, "la sortie standard est un terminal",
                              "the standard output is a terminal"),
                Textes::selon(langue,
                              "un nom de fichier, ou la sortie standard envoyée vers un fichier ou un "
                              "programme (> fichier, | programme)",
                              "a file name, or the standard output sent to a file or a program (> file, | "
                              "program)"),
                langue);
        }
    }
    return QString();
}

// Computes the case, writes its sheet when asked, and prints the result
// (unless the sheet went to the standard output).
int ToriqueCli::calculer_cas(const OptionsCli::Demande& d, QTextStream& sortie, QTextStream& erreurs) const {
    CalculTorique moteur;
    ListParam record;
    const CasCli::Resultat r = d.cas.calculer(moteur, record);
    if (r.code != Verification::ACCEPTE) {
        erreurs << CasCli::message_refus(r.code, d.cas.langue);
        if (d.json && !d.pdf.sortie_standard)
            sortie << QString::fromUtf8(d.cas.json(moteur, r)) << '\n';
        return 1;
    }
    if (d.pdf.donne()) {
        if (!feuille) {
            erreurs << MessagesCli::sans_dessin(QLatin1String(OptionsCli::sortie(OptionsCli::CAS).nom),
                                                d.cas.langue)
                    << '\n';
            return 1;
        }
        const int statut = feuille(d, record, erreurs);
        if (statut != 0 || d.pdf.sortie_standard)
            return statut;
    }
    sortie << (d.json ? QString::fromUtf8(d.cas.json(moteur, r)) + QLatin1Char('\n')
                      : d.cas.texte(moteur, r));
    return 0;
}
