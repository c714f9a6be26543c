#include "MessagesCli.h"

#include "Textes.h"

QString MessagesCli::langue_demandee(const QList<QByteArray>& arguments) {
    QString langue = QStringLiteral("fr");
    for (int i = 0; i < arguments.size(); ++i) {
        QByteArray valeur;
        if (arguments[i] == "--lang" && i + 1 < arguments.size())
            valeur = arguments[i + 1];
        else if (arguments[i].startsWith("--lang="))
            valeur = arguments[i].mid(7);
        const QString l = QString::fromUtf8(valeur).trimmed().toLower();
        if (Textes::langue_connue(l))
            langue = l;
    }
    return langue;
}

QString MessagesCli::erreur(const QString& nom, const QString& probleme, const QString& attendu,
                            const QString& langue) {
    const bool en = langue == QLatin1String("en");
    QString ligne;
    if (!nom.isEmpty())
        ligne = nom + Textes::deux_points(langue);
    return ligne + probleme + (en ? QStringLiteral("; expected ") : QStringLiteral(" ; attendu : ")) +
           attendu;
}

QString MessagesCli::citation(const QString& valeur, const QString& langue) {
    if (langue == QLatin1String("en"))
        return QLatin1Char('\'') + Textes::cite(valeur) + QLatin1Char('\'');
    return QString::fromUtf8("« ") + Textes::cite(valeur) + QString::fromUtf8(" »");
}

QString MessagesCli::citation_fichier(const QString& fichier, const QString& langue) {
    if (langue == QLatin1String("en"))
        return QLatin1Char('\'') + Textes::cite(fichier, -1) + QLatin1Char('\'');
    return QString::fromUtf8("« ") + Textes::cite(fichier, -1) + QString::fromUtf8(" »");
}

QString MessagesCli::refus_valeur(const QString& nom, const QString& valeur, const QString& attendu,
                                  const QString& langue) {
    return erreur(
        nom, Textes::selon(langue, "valeur %1 refusée", "value %1 refused").arg(citation(valeur, langue)),
        attendu, langue);
}

QString MessagesCli::valeur_absente(const QString& nom, const QString& attendu, const QString& langue) {
    return erreur(nom, Textes::selon(langue, "valeur absente", "value missing"), attendu, langue);
}

QString MessagesCli::ligne_usage(const QString& commande, const QString& langue, bool premiere) {
    const QString debut =
        langue == QLatin1String("en") ? QStringLiteral("usage: ") : QStringLiteral("usage : ");
    return (premiere ? debut : QString(debut.size(), QLatin1Char(' '))) + mots_usage(commande, langue) +
           QLatin1Char('\n');
}

QString MessagesCli::mots_usage(QString commande, const QString& langue) {
    if (langue != QLatin1String("en")) {
        commande.replace(QStringLiteral("FILE"), QStringLiteral("FICHIER"));
        commande.replace(QStringLiteral("YYYY-MM-DD"), QStringLiteral("AAAA-MM-JJ"));
        commande.replace(QStringLiteral("NAME"), QStringLiteral("PAYS"));
    }
    return commande;
}

QString MessagesCli::sortie_non_ecrite(const QString& raison, const QString& langue) {
    return (langue == QLatin1String("en")
                ? QStringLiteral("The standard output could not be written. Reason: %1.")
                : QString::fromUtf8("La sortie standard n'a pas pu être écrite. Cause : %1."))
        .arg(raison);
}

QString MessagesCli::sans_dessin(const QString& option, const QString& langue) {
    return erreur(option,
                  Textes::selon(langue, "non écrit : cet outil est construit sans le dessin",
                                "not written: this tool is built without drawing"),
                  Textes::selon(langue, "l'outil torique", "the torique tool"), langue);
}
