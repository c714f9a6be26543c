#include "OutilEnProcessus.h"

#include "ToriqueCli.h"

#include <QTextStream>

namespace OutilEnProcessus {

Processus::Sortie executer(ToriqueCli& outil, const QList<QByteArray>& arguments) {
    Processus::Sortie s;
    QTextStream o(&s.sortie), e(&s.erreurs);
    s.statut = outil.executer(arguments, o, e);
    o.flush();
    e.flush();
    return s;
}

Processus::Sortie executer(ToriqueCli& outil, const QStringList& arguments) {
    QList<QByteArray> octets;
    for (const QString& a : arguments)
        octets << a.toUtf8();
    return executer(outil, octets);
}

} // namespace OutilEnProcessus
