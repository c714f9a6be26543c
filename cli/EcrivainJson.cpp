#include "EcrivainJson.h"

#include <QIODevice>
#include <QLocale>
#include <QTextStream>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Written out once the buffer holds this much.
constexpr std::size_t BLOC = 64 * 1024;

} // namespace

EcrivainJson::EcrivainJson() {
    tampon.reserve(2048);
}

EcrivainJson::EcrivainJson(QTextStream& sortie) : sortie(&sortie) {
    tampon.reserve(BLOC + 4096);
}

void EcrivainJson::avant_valeur() {
    if (apres_cle) {
        apres_cle = false;
        return;
    }
    if (profondeur > 0) {
        if (!premier[profondeur - 1])
            tampon += ',';
        premier[profondeur - 1] = false;
    }
}

EcrivainJson& EcrivainJson::objet() {
    avant_valeur();
    tampon += '{';
    fermant[profondeur] = '}';
    premier[profondeur++] = true;
    return *this;
}

EcrivainJson& EcrivainJson::tableau() {
    avant_valeur();
    tampon += '[';
    fermant[profondeur] = ']';
    premier[profondeur++] = true;
    return *this;
}

EcrivainJson& EcrivainJson::fin() {
    tampon += fermant[--profondeur];
    if (sortie && tampon.size() >= BLOC)
        vider();
    return *this;
}

EcrivainJson& EcrivainJson::cle(const char* nom) {
    avant_valeur();
    tampon += '"';
    tampon += nom;
    tampon += "\":";
    apres_cle = true;
    return *this;
}

EcrivainJson& EcrivainJson::nombre(double v) {
    avant_valeur();
    if (!std::isfinite(v)) {
        tampon += "null";
        return *this;
    }
    // Below 1e15 the standard library's shortest text is the toolkit's
    // (QString::number(v, 'g', QLocale::FloatingPointShortest)), and much
    // faster; beyond, the toolkit writes whole numbers with trailing zeros.
    if (std::fabs(v) < 1e15) {
        char t[32];
        const auto r = std::to_chars(t, t + sizeof t, v);
        const std::string_view vue(t, r.ptr - t);
        tampon += vue;
        if (vue.find('.') == std::string_view::npos && vue.find('e') == std::string_view::npos)
            tampon += ".0";
        return *this;
    }
    const QByteArray texte = QString::number(v, 'g', QLocale::FloatingPointShortest).toLatin1();
    tampon.append(texte.constData(), texte.size());
    if (!texte.contains('.') && !texte.contains('e'))
        tampon += ".0";
    return *this;
}

EcrivainJson& EcrivainJson::entier(qint64 v) {
    avant_valeur();
    char t[24];
    const auto r = std::to_chars(t, t + sizeof t, v);
    tampon.append(t, r.ptr - t);
    return *this;
}

EcrivainJson& EcrivainJson::chaine(const QString& t) {
    avant_valeur();
    tampon += '"';
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t u = t[i].unicode();
        // Plain printable ASCII (an eye, a lens model) as it stands.
        if (u >= 0x20 && u < 0x7F && u != u'"' && u != u'\\') {
            tampon += char(u);
            ++i;
            continue;
        }
        if (u >= 0x7F) {
            // A run of other characters, encoded in one go (surrogate
            // pairs whole).
            qsizetype j = i;
            while (j < n && t[j].unicode() >= 0x7F)
                ++j;
            const QByteArray b = QStringView(t).mid(i, j - i).toUtf8();
            tampon.append(b.constData(), b.size());
            i = j;
            continue;
        }
        switch (u) {
        case u'"':
            tampon += "\\\"";
            break;
        case u'\\':
            tampon += "\\\\";
            break;
        case u'\n':
            tampon += "\\n";
            break;
        case u'\r':
            tampon += "\\r";
            break;
        case u'\t':
            tampon += "\\t";
            break;
        default: {
            char e[8];
            std::snprintf(e, sizeof e, "\\u%04x", unsigned(u));
            tampon += e;
        }
        }
        ++i;
    }
    tampon += '"';
    return *this;
}

EcrivainJson& EcrivainJson::booleen(bool v) {
    avant_valeur();
    tampon += v ? "true" : "false";
    return *this;
}

EcrivainJson& EcrivainJson::nul() {
    avant_valeur();
    tampon += "null";
    return *this;
}

bool EcrivainJson::vider() {
    if (!sortie)
        return true;
    sortie->flush();
    QIODevice* appareil = sortie->device();
    // The text is UTF-8 already: to the stream's device as it is.
    if (appareil) {
        const qint64 n = qint64(tampon.size());
        const bool ecrit = appareil->write(tampon.data(), n) == n;
        tampon.clear();
        return ecrit;
    }
    *sortie << QString::fromUtf8(tampon.data(), qsizetype(tampon.size()));
    tampon.clear();
    return sortie->status() == QTextStream::Ok;
}
