#include "FenetreTest.h"

#include "BandeBasAccueil.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "TestUtil.h"

#include <QAbstractButton>
#include <QTest>

Boite Boite::lire(QMessageBox* box) {
    Boite b;
    b.titre = box->windowTitle();
    b.texte = box->text();
    b.icone = box->icon();
    b.parent = box->parentWidget();
    b.format = box->textFormat();
    for (QAbstractButton* bt : box->buttons()) {
        b.boutons << bt->text();
        b.roles << box->buttonRole(bt);
        b.standards << box->standardButton(bt);
    }
    return b;
}

FenetreTest::FenetreTest() {
    Dialogues::setRepondeur([this](QDialog* d) {
        dialogues << d->metaObject()->className();
        if (auto* box = qobject_cast<QMessageBox*>(d)) {
            boites << Boite::lire(box);
            const int i = box->icon() == QMessageBox::Question ? reponse_question : 0;
            box->buttons().at(i)->click();
            return box->result();
        }
        if (autre)
            return autre(d);
        d->reject();
        return 0;
    });
    f = std::make_unique<FenetrePrinc>();
    f->show();
}

FenetreTest::~FenetreTest() {
    Dialogues::setRepondeur(nullptr);
    f.reset();
    TestUtil::vider_evenements();
}

bool FenetreTest::active() {
    return QTest::qWaitForWindowActive(f.get());
}

void FenetreTest::langue(const QString& l) {
    TestUtil::presser(l == "en" ? f->anglais_p : f->francais_p, 10);
}

void FenetreTest::page3() {
    TestUtil::presser(f->basaccueil->getAccepter(), 150);
}

PageCalcul* FenetreTest::page() const {
    return f->calcul;
}
