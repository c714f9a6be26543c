#include "LecteurCsv.h"

#include <algorithm>

#include <QFileDevice>
#include <QIODevice>

namespace {

// Size of the block read from the device at a time.
constexpr qsizetype TAILLE_BLOC = 64 * 1024;

} // namespace

LecteurCsv::LecteurCsv(QIODevice* source, char separateur)
    : source(source), tampon(TAILLE_BLOC, Qt::Uninitialized), sep(separateur) {}

// The separator of a file that has not named it: ";" when the first line
// holds more semicolons than commas outside quotes, "," otherwise. Only the
// first block is looked at, which holds any header.
void LecteurCsv::detecter() {
    if (position >= fin && !remplir()) {
        sep = ',';
        return;
    }
    int virgules = 0, points_virgules = 0;
    bool cite = false;
    for (qsizetype i = position; i < fin && (cite || tampon.at(i) != '\n'); ++i) {
        const char c = tampon.at(i);
        if (c == '"')
            cite = !cite;
        else if (!cite && c == ',')
            ++virgules;
        else if (!cite && c == ';')
            ++points_virgules;
    }
    sep = points_virgules > virgules ? ';' : ',';
}

// The next block of the input; false once the device has nothing more.
bool LecteurCsv::remplir() {
    while (!epuise) {
        const qint64 n = source->read(tampon.data(), tampon.size());
        if (n > 0) {
            position = 0;
            fin = n;
            if (debut && n >= 3 && tampon.startsWith("\xEF\xBB\xBF"))
                position = 3;
            debut = false;
            return position < fin || remplir();
        }
        if (n < 0) {
            // Some devices answer -1 at their end too: only a file's error
            // makes it a failure.
            const auto* fichier = qobject_cast<const QFileDevice*>(source);
            if (fichier && fichier->error() != QFileDevice::NoError) {
                echec_lecture = true;
                raison = fichier->errorString();
            }
            epuise = true;
        } else if (!source->waitForReadyRead(-1)) {
            // Nothing now and nothing to wait for (a file): the end.
            epuise = true;
        }
    }
    return false;
}

bool LecteurCsv::suivante(Ligne& ligne) {
    if (sep == DETECTE)
        detecter();
    // The rest of a row found too long is skipped only now, so that the row
    // is answered as soon as the bound is passed, even on an input that
    // never ends its line (such as /dev/zero).
    while (a_sauter) {
        if (position >= fin && !remplir())
            return false;
        if (tampon.at(position++) == '\n') {
            ++ligne_courante;
            a_sauter = false;
        }
    }

    enum { DebutChamp, NonCite, Cite, GuillemetVu } etat = DebutChamp;
    ligne.numero = ligne_courante;
    ligne.etat = Complete;
    ligne.octets.resize(0);
    ligne.fins.clear();
    QByteArray& champ = ligne.octets; // the field being read goes on the end
    qsizetype longueur = 0;
    bool lu = false; // a byte of this row was consumed
    bool cr = false; // a CR outside quotes, waiting to see if LF follows

    qsizetype debut_champ = 0; // where the field being read starts in `champ`
    auto fin_champ = [&ligne, &champ, &debut_champ] {
        ligne.fins.append(champ.size());
        debut_champ = champ.size();
    };
    auto terminer = [&] {
        fin_champ();
        // Trailing blank fields dropped (blank as QString::trimmed() sees it).
        while (!ligne.fins.isEmpty()) {
            const QByteArrayView dernier = ligne.octets_champ(ligne.taille() - 1);
            if (!dernier.isEmpty() && !QString::fromUtf8(dernier).trimmed().isEmpty())
                break;
            ligne.fins.removeLast();
        }
        ligne.octets.truncate(ligne.fins.isEmpty() ? 0 : ligne.fins.last());
        return true;
    };

    for (;;) {
        // Inside a field not quoted, the ordinary characters up to the next
        // comma or line end are taken in one piece.
        if (etat == NonCite && !cr && position < fin) {
            const char* debut = tampon.constData() + position;
            const qsizetype borne = std::min<qsizetype>(fin - position, LONGUEUR_MAX - longueur);
            qsizetype k = 0;
            while (k < borne && debut[k] != sep && debut[k] != '\n' && debut[k] != '\r')
                ++k;
            champ.append(debut, k);
            position += k;
            longueur += k;
        }
        if (position >= fin && !remplir()) {
            if (!lu)
                return false;
            const bool ouvert = etat == Cite;
            terminer();
            if (ouvert)
                ligne.etat = GuillemetNonFerme;
            return true;
        }
        const char c = tampon.at(position++);
        lu = true;
        if (cr) {
            cr = false;
            if (c != '\n') {
                // A CR alone is a character of the field.
                champ += '\r';
                if (etat == DebutChamp || etat == GuillemetVu)
                    etat = NonCite;
            }
        }
        if (c == '\n') {
            ++ligne_courante;
            if (etat != Cite)
                return terminer();
        }
        // A CR outside quotes may be the first half of a CRLF line end, which
        // the bound does not count any more than an LF: it is let through
        // until the next byte tells.
        if (++longueur > LONGUEUR_MAX + (c == '\r' && etat != Cite ? 1 : 0)) {
            // Not held whole: what was kept is let go, the rest of the line
            // is skipped at the next call.
            ligne.etat = TropLongue;
            ligne.fins.clear();
            ligne.octets = QByteArray();
            a_sauter = c != '\n';
            return true;
        }
        switch (etat) {
        case DebutChamp:
            if (c == '"') {
                champ.truncate(debut_champ); // blanks before the opening quote
                etat = Cite;
            } else if (c == sep) {
                fin_champ();
            } else if (c == '\r') {
                cr = true;
            } else {
                champ += c;
                if (c != ' ' && c != '\t')
                    etat = NonCite;
            }
            break;
        case NonCite:
            if (c == sep) {
                fin_champ();
                etat = DebutChamp;
            } else if (c == '\r') {
                cr = true;
            } else {
                champ += c;
            }
            break;
        case Cite:
            if (c == '"')
                etat = GuillemetVu;
            else
                champ += c;
            break;
        case GuillemetVu:
            if (c == '"') {
                champ += '"';
                etat = Cite;
            } else if (c == sep) {
                fin_champ();
                etat = DebutChamp;
            } else if (c == '\r') {
                cr = true;
            } else {
                champ += c;
                etat = NonCite;
            }
            break;
        }
    }
}

QByteArrayView LecteurCsv::Ligne::octets_champ(qsizetype i) const {
    const qsizetype debut = i > 0 ? fins.at(i - 1) : 0;
    return QByteArrayView(octets.constData() + debut, fins.at(i) - debut);
}

QString LecteurCsv::Ligne::champ(qsizetype i) const {
    return QString::fromUtf8(octets_champ(i));
}

QStringList LecteurCsv::Ligne::champs() const {
    QStringList liste;
    liste.reserve(fins.size());
    for (qsizetype i = 0; i < fins.size(); ++i)
        liste.append(champ(i));
    return liste;
}
