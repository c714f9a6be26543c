#include "TestUtil.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

namespace TestUtil {

void vider_evenements() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void presser(QWidget* w, int attente_ms, Qt::MouseButton b) {
    QTest::mousePress(w, b);
    QTest::qWait(attente_ms);
    vider_evenements();
}

Repondeur::Repondeur(Dialogues::Repondeur r) {
    Dialogues::setRepondeur(std::move(r));
}

Repondeur::~Repondeur() {
    Dialogues::setRepondeur(nullptr);
}

int cliquer_bouton(QDialog* d, const QString& texte) {
    auto* box = qobject_cast<QMessageBox*>(d);
    if (!box)
        return -1;
    for (QAbstractButton* b : box->buttons())
        if (b->text() == texte) {
            b->click();
            return box->result();
        }
    return -1;
}

bool choisir_cylindre(QInputDialog* d, const QString& libelle) {
    for (const QString& item : d->comboBoxItems())
        if (item == libelle || item.startsWith(libelle + QLatin1Char(' '))) {
            d->setTextValue(item);
            return true;
        }
    return false;
}

void saisir(QAbstractSpinBox* s, const QString& texte) {
    s->setFocus(Qt::MouseFocusReason);
    s->selectAll();
    QTest::keyClicks(s, texte);
    QTest::keyClick(s, Qt::Key_Enter);
}

int index_sph(double p) {
    return 1 + static_cast<int>((p - 10.0) * 2 + 0.5);
}

} // namespace TestUtil
