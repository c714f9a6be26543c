// Bad input thrown at the command-line tool `torique`: thousands of
// generated argument vectors (random bytes, text that is not UTF-8, empty
// values, huge, negative and non-finite numbers, very long values, unknown,
// repeated and missing options) and CSV files of cases (rows with the same,
// missing header, extra and missing columns, quotes, carriage returns, a byte
// order mark, NUL bytes, very long lines). Every run must end by itself
// within a time bound with the status 0, 1 or 2 and a clear message: a
// refusal names what is wrong on one short line of standard error, a result
// is complete and well formed (one JSON object per line where JSON is
// asked), and nothing prints "nan" or "inf". In the sanitizer build a
// sanitizer report also fails the run (its exit status is set apart).

#include "Processus.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Status that a sanitizer gives the child when it reports something.
constexpr int STATUT_SANITIZER = 86;
// A run that has not ended after this long is taken as hung (the sanitizer
// build is several times slower than the Release build).
constexpr int DELAI_MS = 30000;

struct Issue {
    int statut = -1;     // exit status, or -signal
    bool expire = false; // killed after DELAI_MS
    QByteArray sortie;   // stdout
    QByteArray erreurs;  // stderr
};

struct Lancement {
    QList<QByteArray> arguments;
    QString description;
    std::function<void(const Issue&, QStringList&)> verifier;
    Issue issue;
};

// The environment of the children: the test's own, with the sanitizers'
// exit status moved away from the tool's 1 and 2; without the leak check
// when `fuites` is false.
std::vector<QByteArray> environnement(bool fuites) {
    std::vector<QByteArray> env;
    for (char** e = environ; *e; ++e) {
        const QByteArray v(*e);
        if (!v.startsWith("ASAN_OPTIONS=") && !v.startsWith("UBSAN_OPTIONS="))
            env.push_back(v);
    }
    QByteArray asan = qgetenv("ASAN_OPTIONS");
    env.push_back("ASAN_OPTIONS=" + asan + (asan.isEmpty() ? "" : ":") +
                  "exitcode=" + QByteArray::number(STATUT_SANITIZER) + (fuites ? "" : ":detect_leaks=0"));
    env.push_back("UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=" +
                  QByteArray::number(STATUT_SANITIZER));
    return env;
}

// Runs the tool on each argument vector, two at a time (the machine's two
// cores), and collects what each printed and how it ended. In the sanitizer
// build the leak check at the end of a run costs as much as the run itself:
// it is made on one run in four, spread over every kind of vector.
class Lanceur {
public:
    explicit Lanceur(const QByteArray& programme)
        : programme(programme), env(environnement(true)), env_sans_fuites(environnement(false)) {
        for (QByteArray& v : env)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        for (QByteArray& v : env_sans_fuites)
            envp_sans_fuites.push_back(v.data());
        envp_sans_fuites.push_back(nullptr);
    }

    void executer(QList<Lancement>& lancements, int paralleles = 2) {
        struct Enfant {
            pid_t pid;
            int out, err;
            int indice;
            qint64 debut;
        };
        QList<Enfant> enfants;
        int suivant = 0;
        QElapsedTimer horloge;
        horloge.start();
        while (suivant < lancements.size() || !enfants.isEmpty()) {
            while (enfants.size() < paralleles && suivant < lancements.size()) {
                Enfant e{};
                e.indice = suivant;
                e.debut = horloge.elapsed();
                if (!demarrer(lancements[suivant].arguments, suivant % 4 == 0, e.pid, e.out, e.err)) {
                    lancements[suivant].issue.statut = -1000;
                    ++suivant;
                    continue;
                }
                enfants << e;
                ++suivant;
            }
            std::vector<pollfd> fds;
            for (const Enfant& e : enfants) {
                if (e.out >= 0)
                    fds.push_back({e.out, POLLIN, 0});
                if (e.err >= 0)
                    fds.push_back({e.err, POLLIN, 0});
            }
            if (!fds.empty())
                ::poll(fds.data(), fds.size(), 50);
            for (int k = enfants.size() - 1; k >= 0; --k) {
                Enfant& e = enfants[k];
                Issue& issue = lancements[e.indice].issue;
                lire(e.out, issue.sortie);
                lire(e.err, issue.erreurs);
                if (horloge.elapsed() - e.debut > DELAI_MS && !issue.expire) {
                    ::kill(e.pid, SIGKILL);
                    issue.expire = true;
                }
                if (e.out < 0 && e.err < 0) {
                    int etat = 0;
                    if (::waitpid(e.pid, &etat, issue.expire ? 0 : WNOHANG) == e.pid) {
                        issue.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -WTERMSIG(etat);
                        enfants.removeAt(k);
                    }
                } else if (issue.expire) {
                    // Killed: what is left in the pipes is of no interest.
                    for (int* fd : {&e.out, &e.err})
                        if (*fd >= 0) {
                            ::close(*fd);
                            *fd = -1;
                        }
                }
            }
        }
    }

private:
    bool demarrer(const QList<QByteArray>& arguments, bool fuites, pid_t& pid, int& out, int& err) {
        int p_out[2], p_err[2];
        if (::pipe2(p_out, O_CLOEXEC) != 0)
            return false;
        if (::pipe2(p_err, O_CLOEXEC) != 0) {
            ::close(p_out[0]);
            ::close(p_out[1]);
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, p_out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, p_err[1], 2);
        std::vector<QByteArray> args{programme};
        for (const QByteArray& a : arguments)
            args.push_back(a);
        std::vector<char*> argv;
        for (QByteArray& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int r = posix_spawn(&pid, programme.constData(), &actions, nullptr, argv.data(),
                                  (fuites ? envp : envp_sans_fuites).data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(p_out[1]);
        ::close(p_err[1]);
        if (r != 0) {
            ::close(p_out[0]);
            ::close(p_err[0]);
            return false;
        }
        out = p_out[0];
        err = p_err[0];
        ::fcntl(out, F_SETFL, O_NONBLOCK);
        ::fcntl(err, F_SETFL, O_NONBLOCK);
        return true;
    }

    static void lire(int& fd, QByteArray& dans) {
        if (fd < 0)
            return;
        char tampon[65536];
        for (;;) {
            const ssize_t n = ::read(fd, tampon, sizeof tampon);
            if (n > 0) {
                dans.append(tampon, n);
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                ::close(fd);
                fd = -1;
            }
            return;
        }
    }

    QByteArray programme;
    std::vector<QByteArray> env, env_sans_fuites;
    std::vector<char*> envp, envp_sans_fuites;
};

QByteArray programme() {
    return QFile::encodeName(Processus::torique());
}

bool utf8_valide(const QByteArray& b) {
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = d.decode(b);
    return !d.hasError();
}

QString apercu(const QByteArray& b) {
    QByteArray a = b.left(300);
    return QString::fromUtf8(a).replace('\n', "\\n") + (b.size() > 300 ? "..." : "");
}

// What every run must show, whatever it was given.
void verifier_commun(const Issue& i, QStringList& d, bool lot = false) {
    if (i.expire) {
        d << QString("did not end within %1 ms").arg(DELAI_MS);
        return;
    }
    if (i.statut == STATUT_SANITIZER || i.erreurs.contains("Sanitizer") ||
        i.erreurs.contains("runtime error:"))
        d << "sanitizer report: " + apercu(i.erreurs.mid(i.erreurs.indexOf("==")));
    if (i.statut < 0)
        d << QString("ended by signal %1").arg(-i.statut);
    else if (i.statut > 2)
        d << QString("exit status %1").arg(i.statut);
    if (i.erreurs.contains("terminate called") || i.erreurs.contains("QFATAL") ||
        i.erreurs.contains("ASSERT"))
        d << "abort message: " + apercu(i.erreurs);
    if (!utf8_valide(i.sortie))
        d << "stdout is not UTF-8";
    if (!utf8_valide(i.erreurs))
        d << "stderr is not UTF-8";
    if (i.statut == 0 && i.sortie.trimmed().isEmpty() && !lot) // a batch may have no row
        d << "exit 0 with nothing printed";
    // A batch reports its rows on stdout; anything else refused says why.
    if ((i.statut == 2 || (i.statut == 1 && !lot)) && i.erreurs.trimmed().isEmpty())
        d << QString("exit %1 without a message").arg(i.statut);
    // A message is a few short lines, not an echo of a huge input.
    const QList<QByteArray> lignes = i.erreurs.trimmed().split('\n');
    if (lignes.size() > 8)
        d << QString("%1 lines on stderr").arg(lignes.size());
    for (const QByteArray& l : lignes)
        if (l.size() > 1000) { // the accepted values (74 countries) fit
            d << QString("stderr line of %1 bytes").arg(l.size());
            break;
        }
    for (const QByteArray& l : lignes)
        for (char c : l)
            if ((unsigned char)c < 0x20 && c != '\t') {
                d << "control character on stderr: " + apercu(l);
                return;
            }
}

// ---------------------------------------------------------------------------
// Argument vectors.

struct Option {
    const char* nom;
    QList<QByteArray> valides;
    QList<QByteArray> refusees; // each one alone makes the tool refuse with 2
};

const QList<Option>& options() {
    static const QList<Option> o = {
        {"--eye", {"OD", "OS", "od", " os "}, {"", "OG", "droit", "O D", "0D", "nan", "ODOS"}},
        {"--seq",
         {"21.0", "10", "35", "21.5", "15.0", " 22.5", "21,5"},
         {"", "9.5", "35.5", "21.25", "21,25", "nan", "inf", "-21", "1e308", "0", "abc", "2e1x"}},
        {"--k1",
         {"42", "42.00", "7.85", "0", "99.99", "30", "60", "43.125", "0.001", "42,5"},
         {"", "nan", "NaN", "inf", "-inf", "1e308", "-1e308", "1e309", "100", "-0.01", "-5", "42,5,0", "4 2",
          "0x2A", "abc", "99.996"}},
        {"--k2",
         {"44", "44.00", "7.65", "0", "99.99", "60", "11", "44,0"},
         {"", "nan", "inf", "-inf", "1e308", "1e309", "100", "-1", "44,0.0", "--", "4.4.4"}},
        {"--axis",
         {"90", "0", "179", "45", "90.0", "180"},
         {"", "181", "-1", "360", "45.5", "nan", "inf", "1e308", "2147483648", "-2147483649", "9x"}},
        {"--unit", {"D", "mm", "d", "MM"}, {"", "cm", "dioptres", "m m", "nan"}},
        {"--sia",
         {"0", "0.5", "5", "5.00", "0.05", "2.345", "5,0"},
         {"", "5.01", "-0.5", "nan", "inf", "1e308", "5,01"}},
        {"--incision",
         {"0", "180", "359", "90", "360"},
         {"", "361", "-1", "0.5", "nan", "inf", "1e308", "99999999999"}},
        {"--cyl",
         {"0.75", "3", "3.00", "6.0", "4.5"},
         {"", "0", "1", "3.01", "6.75", "-3", "nan", "inf", "1e308"}},
        {"--lang", {"fr", "en", "EN"}, {"", "de", "francais", "nan"}},
    };
    return o;
}

// Nasty values of any kind, not all of them refused (" 42 " is a number).
QList<QByteArray> valeurs_hostiles(std::mt19937_64& g) {
    QList<QByteArray> v = {"",
                           " ",
                           "nan",
                           "-nan",
                           "inf",
                           "-inf",
                           "Infinity",
                           "1e308",
                           "-1e308",
                           "1e309",
                           "4.9e-324",
                           "-0",
                           "+44",
                           " 42 ",
                           "0x1p5",
                           "9223372036854775808",
                           "-2147483648",
                           "\xef\xbc\x94\xef\xbc\x94", // full-width digits
                           "\xd9\xa4\xd9\xa4",         // Arabic-Indic digits
                           "42\xc2\xa0",               // no-break space
                           "\xff\xfe\xfd",             // not UTF-8
                           "\xc3\x28",                 // broken UTF-8 sequence
                           "\xed\xa0\x80",             // encoded surrogate
                           "OD\tOS",
                           "a\nb",
                           "=",
                           "--",
                           "-",
                           "\"42\"",
                           "'42'",
                           QByteArray(5000, '9'),
                           QByteArray(100000, 'x'),
                           "4" + QByteArray(300, '0') + ".0"};
    QByteArray hasard;
    const int n = std::uniform_int_distribution<int>(1, 60)(g);
    for (int k = 0; k < n; ++k) {
        char c = char(std::uniform_int_distribution<int>(1, 255)(g)); // argv cannot hold NUL
        hasard.append(c);
    }
    v << hasard;
    return v;
}

template <class T> const T& choisir(const QList<T>& l, std::mt19937_64& g) {
    return l[std::uniform_int_distribution<int>(0, l.size() - 1)(g)];
}

bool pile_ou_face(std::mt19937_64& g, double p = 0.5) {
    return std::uniform_real_distribution<double>(0, 1)(g) < p;
}

QList<QByteArray> cas_valide(std::mt19937_64& g) {
    QList<QByteArray> a;
    for (const Option& o : options()) {
        const bool obligatoire = QByteArray(o.nom) == "--eye" || QByteArray(o.nom) == "--seq" ||
                                 QByteArray(o.nom) == "--k1" || QByteArray(o.nom) == "--k2" ||
                                 QByteArray(o.nom) == "--axis";
        if (obligatoire || pile_ou_face(g, 0.4))
            a << o.nom << choisir(o.valides, g);
    }
    return a;
}

QStringList lignes_non_vides(const QByteArray& b) {
    QStringList l;
    for (const QString& s : QString::fromUtf8(b).split('\n'))
        if (!s.trimmed().isEmpty())
            l << s;
    return l;
}

// Every number of a result object is a number: the tool writes null for
// one that is not finite. Only the warning may be null (no warning).
void nombres_finis(const QJsonValue& v, const QString& chemin, QStringList& d) {
    if (v.isNull() && !chemin.endsWith(".warning"))
        d << "null (not a finite number) at " + chemin;
    else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            nombres_finis(it.value(), chemin + "." + it.key(), d);
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (int k = 0; k < a.size(); ++k)
            nombres_finis(a[k], chemin + QString("[%1]").arg(k), d);
    }
}

// A complete result on stdout: text without a non-finite number, or one
// JSON object with its check.
void verifier_resultat(const Issue& i, bool json, QStringList& d) {
    if (!json) {
        static const QRegularExpression non_fini("\\b(nan|inf|infinity)\\b",
                                                 QRegularExpression::CaseInsensitiveOption);
        if (non_fini.match(QString::fromUtf8(i.sortie)).hasMatch())
            d << "non-finite number printed: " + apercu(i.sortie);
        return;
    }
    const QStringList l = lignes_non_vides(i.sortie);
    if (l.size() != 1) {
        d << QString("--json printed %1 lines").arg(l.size());
        return;
    }
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(l[0].toUtf8(), &e);
    if (!doc.isObject())
        d << "--json output is not one object: " + e.errorString();
    else if (!doc.object().value("check").isObject())
        d << "--json object without its check";
    else if (i.statut == 0 && (!doc.object().contains("chosen") || !doc.object().contains("trials")))
        d << "--json result without chosen or trials";
    else
        nombres_finis(doc.object(), "", d);
}

QList<Lancement> vecteurs(int n, quint64 graine) {
    std::mt19937_64 g(graine);
    QList<Lancement> l;
    for (int t = 0; t < n; ++t) {
        Lancement x;
        QList<QByteArray> a = cas_valide(g);
        const bool json = pile_ou_face(g, 0.3);
        if (json)
            a << "--json";
        // 0-2 one refused value, 3 a required option missing, 4 an option
        // twice or without its value, 5 a stray word, 6-8 any nasty value,
        // 9 random words, 10-13 a case the tool must compute (accepted or
        // refused by a check).
        const int genre = std::uniform_int_distribution<int>(0, 13)(g);
        QByteArray attendu_nom; // option that must be named by a refusal
        bool refus_certain = false;
        if (genre <= 2) {
            // One value that the option refuses: status 2 naming the option.
            const Option& o = choisir(options(), g);
            const QByteArray v = choisir(o.refusees, g);
            const int k = a.indexOf(o.nom);
            const bool jointe = pile_ou_face(g, 0.3);
            if (k >= 0)
                a.remove(k, 2);
            if (jointe)
                a << QByteArray(o.nom) + "=" + v;
            else
                a << o.nom << v;
            attendu_nom = o.nom;
            refus_certain = true;
            x.description = QString("%1 refused value").arg(o.nom);
        } else if (genre == 3) {
            // A required option left out.
            const QByteArray nom = choisir(QList<QByteArray>{"--eye", "--seq", "--k1", "--k2", "--axis"}, g);
            const int k = a.indexOf(nom);
            a.remove(k, 2);
            attendu_nom = nom;
            refus_certain = true;
            x.description = "missing " + QString(nom);
        } else if (genre == 4) {
            // An option given twice, or without its value at the end.
            const Option& o = choisir(options(), g);
            if (pile_ou_face(g)) {
                if (!a.contains(o.nom))
                    a << o.nom << choisir(o.valides, g);
                a << o.nom << choisir(o.valides, g);
                x.description = "twice " + QString(o.nom);
            } else {
                const int k = a.indexOf(o.nom);
                if (k >= 0)
                    a.remove(k, 2);
                a << o.nom;
                x.description = "no value " + QString(o.nom);
            }
            attendu_nom = o.nom;
            refus_certain = true;
        } else if (genre == 5) {
            // Unknown options and stray words.
            const QByteArray intrus = choisir(
                QList<QByteArray>{"--foo", "-k1", "k1", "--K1", "---k1", "--k1x", "--json=1", "--batch", "-",
                                  "--", "--eye=", "42", "--\xff", QByteArray(3000, '-')},
                g);
            a.insert(std::uniform_int_distribution<int>(0, a.size())(g), intrus);
            x.description = "stray " + apercu(intrus.left(20));
            refus_certain = true;
        } else if (genre <= 8) {
            // Any option with any nasty value, in place or appended.
            const Option& o = choisir(options(), g);
            const QList<QByteArray> hostiles = valeurs_hostiles(g);
            const QByteArray v = choisir(hostiles, g);
            const int k = a.indexOf(o.nom);
            if (k >= 0 && k + 1 < a.size() && pile_ou_face(g, 0.7))
                a[k + 1] = v;
            else
                a << o.nom << v;
            x.description = QString("%1 hostile value").arg(o.nom);
        } else if (genre >= 10) {
            x.description = "case";
        } else {
            // Nothing but random words.
            a.clear();
            const int mots = std::uniform_int_distribution<int>(0, 8)(g);
            for (int m = 0; m < mots; ++m)
                a << choisir(valeurs_hostiles(g), g);
            x.description = "random words";
        }
        x.arguments = a;
        x.verifier = [json, attendu_nom, refus_certain, genre](const Issue& i, QStringList& d) {
            verifier_commun(i, d);
            if (genre >= 10 && i.statut == 2)
                d << "a case within every range refused as bad usage: " + apercu(i.erreurs);
            if (refus_certain && i.statut != 2)
                d << QString("exit %1 where the tool must refuse (2)").arg(i.statut);
            if (i.statut == 2) {
                if (!attendu_nom.isEmpty() && !i.erreurs.contains(attendu_nom))
                    d << "the refusal does not name " + QString(attendu_nom) + ": " + apercu(i.erreurs);
                if (!i.sortie.isEmpty() && !i.sortie.startsWith("usage"))
                    d << "partial result printed with a refusal: " + apercu(i.sortie);
            }
            if (i.statut == 0 || (i.statut == 1 && json))
                verifier_resultat(i, json, d);
        };
        l << x;
    }
    return l;
}

// ---------------------------------------------------------------------------
// CSV files.

const QByteArray EN_TETE = "eye,seq,unit,k1,k2,axis,sia,incision,cyl";

QByteArray champ_valide(int colonne, std::mt19937_64& g) {
    static const QList<QList<QByteArray>> v = {
        {"OD", "OS", "od"},
        {"21.0", "10", "35.0", "15.5"},
        {"D", "mm", ""},
        {"42", "43.5", "7.85", "40.00"},
        {"44", "46.25", "7.65", "42.3"},
        {"90", "0", "179", "45", "180"},
        {"", "0", "0.5", "1.25"},
        {"", "0", "180", "359", "360"},
        {"", "", "3.00", "0.75", "6"},
    };
    return choisir(v[colonne], g);
}

QByteArray ligne_csv(std::mt19937_64& g) {
    QList<QByteArray> champs;
    for (int c = 0; c < 9; ++c) {
        if (pile_ou_face(g, 0.12)) {
            const QList<QByteArray> h = valeurs_hostiles(g);
            QByteArray v = choisir(h, g);
            if (pile_ou_face(g, 0.2))
                v.replace('x', QByteArray("\0", 1)); // NUL bytes in a file
            champs << v;
        } else if (pile_ou_face(g, 0.05)) {
            champs << "\"" + champ_valide(c, g) + "\"";
        } else {
            champs << champ_valide(c, g);
        }
    }
    const int genre = std::uniform_int_distribution<int>(0, 19)(g);
    if (genre == 0)
        champs << "extra";
    else if (genre == 1)
        champs << ""
               << "";
    else if (genre == 2)
        champs.resize(std::uniform_int_distribution<int>(0, 8)(g));
    QByteArray l = champs.join(pile_ou_face(g, 0.03) ? ";" : ",");
    if (genre == 3)
        l += "\r";
    if (genre == 4)
        l = QByteArray(std::uniform_int_distribution<int>(1, 4)(g), ' ');
    if (genre == 5)
        l += "," + QByteArray(300000, '7');
    return l;
}

struct Fichier {
    QByteArray contenu;
    bool en_tete_valide = true;
};

Fichier fichier_csv(std::mt19937_64& g) {
    Fichier f;
    QByteArray tete = EN_TETE;
    const int genre = std::uniform_int_distribution<int>(0, 19)(g);
    if (genre == 0) {
        tete = ligne_csv(g); // no header: the first case stands in its place
        f.en_tete_valide = false;
    } else if (genre == 1) {
        tete = "eye,seq,unit,k1,k2,axis,sia,incision,cyl,comment";
        f.en_tete_valide = false;
    } else if (genre == 2) {
        tete = "eye,seq,unit,k1,k2,axis"; // the optional columns left out: empty

    } else if (genre == 3) {
        tete = "\xef\xbb\xbf" + EN_TETE; // byte order mark
    } else if (genre == 4) {
        tete = EN_TETE + "\r"; // a file written with CR LF line ends
    } else if (genre == 5) {
        tete = "";
        f.en_tete_valide = false;
    }
    f.contenu = tete;
    const int lignes = std::uniform_int_distribution<int>(0, 40)(g);
    for (int n = 0; n < lignes; ++n)
        f.contenu += "\n" + ligne_csv(g);
    if (pile_ou_face(g))
        f.contenu += "\n";
    return f;
}

// Checks the output of a batch against its file: one JSON object per row
// that is not blank, in order, each a result or an error naming its line;
// status 0 exactly when every row was computed and accepted.
void verifier_lot(const Issue& i, const QByteArray& contenu, bool en_tete_valide, QStringList& d) {
    verifier_commun(i, d, true);
    if (!en_tete_valide) {
        if (i.statut != 2)
            d << QString("exit %1 for a file without its header").arg(i.statut);
        else if (!i.erreurs.contains("--batch"))
            d << "the refusal does not name --batch: " + apercu(i.erreurs);
        return;
    }
    if (i.statut == 2) {
        d << "refused a file with its header: " + apercu(i.erreurs);
        return;
    }
    QStringList rangs = QString::fromUtf8(contenu).split('\n');
    int attendues = 0;
    for (int n = 1; n < rangs.size(); ++n)
        if (!rangs[n].trimmed().isEmpty())
            ++attendues;
    const QStringList l = lignes_non_vides(i.sortie);
    if (l.size() != attendues) {
        d << QString("%1 objects printed for %2 rows").arg(l.size()).arg(attendues);
        return;
    }
    bool tout = true;
    int precedente = 1;
    for (const QString& s : l) {
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(s.toUtf8(), &e);
        if (!doc.isObject()) {
            d << "not a JSON object: " + s.left(200);
            return;
        }
        const QJsonObject o = doc.object();
        if (o.contains("error")) {
            tout = false;
            const int ligne = o.value("line").toInt();
            if (ligne <= precedente || ligne > rangs.size() || o.value("error").toString().isEmpty()) {
                d << "error object with a wrong line: " + s.left(200);
                return;
            }
            precedente = ligne;
        } else if (!o.value("check").isObject()) {
            d << "result without its check: " + s.left(200);
            return;
        } else {
            QStringList n;
            nombres_finis(o, "", n);
            if (!n.isEmpty()) {
                d << n.join("; ") + ": " + s.left(200);
                return;
            }
            if (o.value("check").toObject().value("code").toInt() != 0)
                tout = false;
        }
    }
    if (tout != (i.statut == 0))
        d << QString("exit %1 while %2 rows were computed").arg(i.statut).arg(tout ? "all" : "not all");
}

} // namespace

class TestFuzzCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void arguments_data();
    void arguments();
    void fichiers_csv();
    void fichiers_particuliers();
    void feuilles_pdf();

private:
    QTemporaryDir dossier;
    void rapporter(const QList<Lancement>& l);
};

void TestFuzzCli::initTestCase() {
    QVERIFY2(QFile::exists(QString::fromLocal8Bit(programme())), programme().constData());
    QVERIFY(dossier.isValid());
}

void TestFuzzCli::rapporter(const QList<Lancement>& l) {
    QStringList echecs;
    int n = 0;
    QMap<int, int> statuts;
    for (const Lancement& x : l) {
        ++statuts[x.issue.statut];
        QStringList d;
        x.verifier(x.issue, d);
        if (d.isEmpty())
            continue;
        ++n;
        if (echecs.size() < 12) {
            QStringList args;
            for (const QByteArray& a : x.arguments)
                args << apercu(a.left(60));
            echecs << x.description + " [" + args.join(' ') + "]: " + d.join("; ");
        }
    }
    QStringList s;
    for (auto it = statuts.cbegin(); it != statuts.cend(); ++it)
        s << QString("%1 x%2").arg(it.key()).arg(it.value());
    qInfo("%lld runs, exit statuses: %s", qlonglong(l.size()), qPrintable(s.join(", ")));
    if (n)
        QFAIL(qPrintable(QString("%1 of %2 runs fail:\n  ").arg(n).arg(l.size()) + echecs.join("\n  ")));
}

void TestFuzzCli::arguments_data() {
    QTest::addColumn<quint64>("graine");
    QTest::newRow("seed 1") << quint64(1);
    QTest::newRow("seed 2") << quint64(20240611);
    QTest::newRow("seed 3") << quint64(0xC0FFEE);
}

void TestFuzzCli::arguments() {
    QFETCH(quint64, graine);
    QList<Lancement> l = vecteurs(400, graine);
    Lanceur(programme()).executer(l);
    rapporter(l);
}

void TestFuzzCli::fichiers_csv() {
    std::mt19937_64 g(77);
    QList<Lancement> l;
    int rangs = 0;
    for (int n = 0; n < 180; ++n) {
        const Fichier f = fichier_csv(g);
        rangs += f.contenu.count('\n');
        const QString nom = dossier.filePath(QString("cas%1.csv").arg(n));
        QFile out(nom);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(f.contenu);
        out.close();
        Lancement x;
        x.arguments = {"--batch", QFile::encodeName(nom)};
        if (pile_ou_face(g, 0.3))
            x.arguments << "--lang" << (pile_ou_face(g) ? "en" : "fr");
        x.description = "file " + nom;
        const QByteArray contenu = f.contenu;
        const bool tete = f.en_tete_valide;
        x.verifier = [contenu, tete](const Issue& i, QStringList& d) { verifier_lot(i, contenu, tete, d); };
        l << x;
    }
    QVERIFY2(rangs >= 3000, qPrintable(QString::number(rangs)));
    Lanceur(programme()).executer(l);
    rapporter(l);
}

// Files that are not ordinary CSV files, and a large one.
void TestFuzzCli::fichiers_particuliers() {
    auto ecrire = [this](const QString& nom, const QByteArray& contenu) {
        QFile f(dossier.filePath(nom));
        if (f.open(QIODevice::WriteOnly))
            f.write(contenu);
        return QFile::encodeName(f.fileName());
    };
    QByteArray gros = EN_TETE;
    for (int n = 0; n < 10000; ++n)
        gros += QString("\nO%1,%2,D,%3,%4,%5,0.%6,,")
                    .arg(n % 2 ? 'S' : 'D')
                    .arg(10 + (n % 51) * 0.5, 0, 'f', 1)
                    .arg(38 + n % 8)
                    .arg(42 + n % 9)
                    .arg(n % 180)
                    .arg(n % 10)
                    .toLatin1();
    QByteArray longue = EN_TETE + "\nOD,21.0,D,42," + QByteArray(5 * 1024 * 1024, '4') + ",90,,,\n";
    QDir(dossier.path()).mkdir("dossier.csv");
    const struct {
        QByteArray chemin;
        bool en_tete;
        QByteArray contenu;
    } fichiers[] = {
        {QFile::encodeName(dossier.filePath("absent.csv")), false, {}},
        {QFile::encodeName(dossier.filePath("dossier.csv")), false, {}},
        {"/dev/null", false, {}},
        {"/dev/zero", false, {}}, // endless: must be refused, not read until memory runs out
        {ecrire("vide.csv", ""), false, {}},
        {ecrire("entete.csv", EN_TETE), true, EN_TETE},
        {ecrire("entete_seule.csv", EN_TETE + "\n\n\n"), true, EN_TETE + "\n\n\n"},
        {ecrire("binaire.csv", QByteArray("\x00\x01\xff\xfe", 4).repeated(1000)), false, {}},
        {ecrire("gros.csv", gros), true, gros},
        {ecrire("longue.csv", longue), true, longue},
        {"", false, {}},
        {QByteArray("\xff\xfe.csv"), false, {}},
    };
    QList<Lancement> l;
    for (const auto& f : fichiers) {
        Lancement x;
        x.arguments = {"--batch", f.chemin};
        x.description = "special file " + QString::fromUtf8(f.chemin.right(30));
        const QByteArray contenu = f.contenu;
        const bool tete = f.en_tete;
        x.verifier = [contenu, tete](const Issue& i, QStringList& d) { verifier_lot(i, contenu, tete, d); };
        l << x;
    }
    Lanceur(programme()).executer(l);
    rapporter(l);
}

// The sheet written with --pdf, with nasty identification values: a file
// only for an accepted calculation, a real PDF when the status is 0, none
// when the folder does not exist (status 1, said on stderr).
void TestFuzzCli::feuilles_pdf() {
    std::mt19937_64 g(99);
    struct Option {
        QByteArray nom;
        QList<QByteArray> valeurs;
    };
    const QList<Option> identite = {
        {"--surgeon", {"Dr Martin", "", QByteArray("H\xc3\xa9l\xc3\xa8ne"), QByteArray(26, 'S')}},
        {"--clinic", {"Clinique", "a/b\\c", QByteArray("\xff\xfe")}},
        {"--patient", {"PAT-0042", "../../x", QByteArray(20, 'P'), " "}},
        {"--date", {"2025-03-14", "2025-13-01", "", "nan", "14/03/2025", "9999-12-31"}},
        {"--address1", {"12 rue de la Paix", QByteArray(41, 'A')}},
        {"--postcode", {"75002", "12345678"}},
        {"--city", {"Paris", QByteArray("\xe6\x82\xa3\xe8\x80\x85")}},
        {"--country", {"France", "france", "Atlantis", "", "--------", "Yougoslavia"}},
    };
    QList<Lancement> l;
    for (int n = 0; n < 50; ++n) {
        Lancement x;
        // Mostly an eye the checks accept, so that sheets get written.
        x.arguments = pile_ou_face(g, 0.7) ? QList<QByteArray>{"--eye", "OS",   "--seq", "21.0",   "--k1",
                                                               "42",    "--k2", "44.5",  "--axis", "90"}
                                           : cas_valide(g);
        const int genre = std::uniform_int_distribution<int>(0, 9)(g);
        const QString fichier = genre == 0 ? dossier.filePath(QString("absent/f%1.pdf").arg(n))
                                           : dossier.filePath(QString("f%1.pdf").arg(n));
        x.arguments << "--pdf" << QFile::encodeName(fichier);
        for (const Option& o : identite)
            if (pile_ou_face(g, 0.4))
                x.arguments << o.nom << (pile_ou_face(g, 0.6) ? o.valeurs.first() : choisir(o.valeurs, g));
        x.description = "--pdf";
        x.verifier = [fichier, genre](const Issue& i, QStringList& d) {
            verifier_commun(i, d);
            QFile f(fichier);
            const bool ecrit = f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
            if (i.statut == 0 && !ecrit)
                d << "status 0 without a PDF written";
            if (i.statut != 0 && f.exists())
                d << QString("a file written with status %1").arg(i.statut);
            if (genre == 0 && i.statut == 0)
                d << "status 0 for a folder that does not exist";
        };
        l << x;
    }
    Lanceur(programme()).executer(l);
    rapporter(l);
}

QTEST_GUILESS_MAIN(TestFuzzCli)
#include "tst_fuzz_cli.moc"
