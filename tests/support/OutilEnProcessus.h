#ifndef OUTILENPROCESSUS_H
#define OUTILENPROCESSUS_H

// Running the command-line tool in the test's own process, on its library.

#include "Processus.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class ToriqueCli;

namespace OutilEnProcessus {

// Runs the tool on the arguments, as the system would give them (bytes) or
// in UTF-8: its exit status and what it printed on each stream.
Processus::Sortie executer(ToriqueCli& outil, const QList<QByteArray>& arguments);
Processus::Sortie executer(ToriqueCli& outil, const QStringList& arguments);

} // namespace OutilEnProcessus

#endif
