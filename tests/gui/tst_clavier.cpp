// Keyboard use of the widget kit: a focused styled button or picture button
// is pressed with Space, Enter or Return exactly as with the mouse.

#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonImplant.h"
#include "BoutonPageAide.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "TestUtil.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

struct Touche {
    Qt::Key key;
    Qt::KeyboardModifiers mod;
};

// A button of each kind with the spy of the signal it gives when pressed.
struct Bouton {
    std::unique_ptr<QWidget> w;
    std::unique_ptr<QSignalSpy> spy;
    QString valeur; // value carried by the signal, if any
};

QPixmap image_implant() {
    QPixmap p(120, 90);
    p.fill(Qt::gray);
    return p;
}

Bouton faire(const QString& genre) {
    Bouton b;
    if (genre == "BoutonPerso") {
        auto* x = new BoutonPerso(150, 30);
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonStyle::click);
    } else if (genre == "BoutonPersoVert") {
        auto* x = new BoutonPersoVert(110, 25);
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonStyle::click);
    } else if (genre == "BoutonExit") {
        auto* x = new BoutonExit(30);
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonExit::click_exit);
    } else if (genre == "BoutonPays") {
        auto* x = new BoutonPays(QPixmap("francais_01.png"), "fr");
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonPays::click_pays);
        b.valeur = "fr";
    } else if (genre == "BoutonImplant") {
        auto* x = new BoutonImplant(image_implant(), "VELAN");
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonImplant::click_modele);
        b.valeur = "VELAN";
    } else if (genre == "BoutonAide") {
        auto* x = new BoutonAide(3, "en");
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonAide::click_aide);
        b.valeur = "3";
    } else if (genre == "BoutonPageAide") {
        auto* x = new BoutonPageAide(1, "fr");
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonPageAide::clicked);
        b.valeur = "1";
    } else {
        auto* x = new BoutonPlus;
        b.w.reset(x);
        b.spy = std::make_unique<QSignalSpy>(x, &BoutonPlus::clicked);
    }
    return b;
}

// Long enough for the delayed click of a styled button to have come.
int attente(const Bouton& b) {
    auto* style = qobject_cast<BoutonStyle*>(b.w.get());
    return style ? 2 * style->delai() + 20 : 0;
}

void envoyer(QWidget* w, QEvent::Type type, Touche t, bool repetition = false) {
    QKeyEvent e(type, t.key, t.mod, t.key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r"),
                repetition);
    QApplication::sendEvent(w, &e);
}

} // namespace

Q_DECLARE_METATYPE(Touche)

class TstClavier : public QObject {
    Q_OBJECT
private slots:
    void touches_data();
    void touches();
    void bouton_style_data();
    void bouton_style();
    void touche_maintenue_data();
    void touche_maintenue();
    void autres_touches_data();
    void autres_touches();
    void souris_inchangee();
    void suppression_pendant_le_delai();
    void tabulation_et_souris();
    void cadre_de_focus();
};

static void lignes_touches() {
    QTest::addColumn<QString>("genre");
    QTest::addColumn<Touche>("touche");
    const QStringList genres{"BoutonPerso",   "BoutonPersoVert", "BoutonExit", "BoutonPays",
                             "BoutonImplant", "BoutonPlus",      "BoutonAide", "BoutonPageAide"};
    for (const QString& g : genres) {
        QTest::newRow(qPrintable(g + " espace")) << g << Touche{Qt::Key_Space, Qt::NoModifier};
        QTest::newRow(qPrintable(g + " retour")) << g << Touche{Qt::Key_Return, Qt::NoModifier};
        QTest::newRow(qPrintable(g + " entrée du pavé")) << g << Touche{Qt::Key_Enter, Qt::KeypadModifier};
    }
}

void TstClavier::touches_data() {
    lignes_touches();
}

// Every button gives exactly one signal per key press, with its value; the
// styled ones after their delay, the picture buttons at once.
void TstClavier::touches() {
    QFETCH(QString, genre);
    QFETCH(Touche, touche);
    Bouton b = faire(genre);
    auto* style = qobject_cast<BoutonStyle*>(b.w.get());
    QVERIFY(b.w->focusPolicy() & Qt::TabFocus);

    envoyer(b.w.get(), QEvent::KeyPress, touche);
    envoyer(b.w.get(), QEvent::KeyRelease, touche);
    if (style) {
        QCOMPARE(b.spy->count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(b.spy->count(), 1, 5000);
    }
    QCOMPARE(b.spy->count(), 1);
    if (!b.valeur.isEmpty())
        QCOMPARE(b.spy->at(0).at(0).toString(), b.valeur);
    QTest::qWait(attente(b));
    QCOMPARE(b.spy->count(), 1);
}

void TstClavier::bouton_style_data() {
    QTest::addColumn<bool>("vert");
    QTest::addColumn<Touche>("touche");
    QTest::newRow("BoutonPerso espace") << false << Touche{Qt::Key_Space, Qt::NoModifier};
    QTest::newRow("BoutonPerso entrée") << false << Touche{Qt::Key_Enter, Qt::KeypadModifier};
    QTest::newRow("BoutonPersoVert espace") << true << Touche{Qt::Key_Space, Qt::NoModifier};
    QTest::newRow("BoutonPersoVert retour") << true << Touche{Qt::Key_Return, Qt::NoModifier};
}

// The key gives the pressed look at once, the click after the button's own
// delay (100 or 50 ms), then the resting look again; the toolkit's clicked()
// stays silent.
void TstClavier::bouton_style() {
    QFETCH(bool, vert);
    QFETCH(Touche, touche);
    std::unique_ptr<BoutonStyle> b(vert ? static_cast<BoutonStyle*>(new BoutonPersoVert(160, 50))
                                        : new BoutonPerso(140, 30));
    const int delai = vert ? 50 : 100;
    QCOMPARE(b->delai(), delai);
    QSignalSpy spy(b.get(), &BoutonStyle::click);
    QSignalSpy spyQt(b.get(), &QPushButton::clicked);
    QString style_au_clic;
    connect(b.get(), &BoutonStyle::click, b.get(), [&] { style_au_clic = b->styleSheet(); });
    QElapsedTimer t;
    t.start();
    envoyer(b.get(), QEvent::KeyPress, touche);
    QCOMPARE(b->styleSheet(), BoutonStyle::style_enfonce());
    envoyer(b.get(), QEvent::KeyRelease, touche);
    QCOMPARE(spy.count(), 0);
    QVERIFY(spy.wait(5000));
    QVERIFY(t.elapsed() >= delai - 5);
    QCOMPARE(style_au_clic, BoutonStyle::style_repos());
    QCOMPARE(spyQt.count(), 0);

    // Two presses, two clicks.
    envoyer(b.get(), QEvent::KeyPress, touche);
    envoyer(b.get(), QEvent::KeyRelease, touche);
    envoyer(b.get(), QEvent::KeyPress, touche);
    envoyer(b.get(), QEvent::KeyRelease, touche);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 3, 5000);
    QTest::qWait(2 * delai);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spyQt.count(), 0);
}

void TstClavier::touche_maintenue_data() {
    lignes_touches();
}

// A key held down repeats its press; it still counts as one press.
void TstClavier::touche_maintenue() {
    QFETCH(QString, genre);
    QFETCH(Touche, touche);
    Bouton b = faire(genre);
    envoyer(b.w.get(), QEvent::KeyPress, touche);
    for (int i = 0; i < 5; ++i)
        envoyer(b.w.get(), QEvent::KeyPress, touche, true);
    envoyer(b.w.get(), QEvent::KeyRelease, touche);
    QTRY_COMPARE_WITH_TIMEOUT(b.spy->count(), 1, 5000);
    QTest::qWait(attente(b));
    QCOMPARE(b.spy->count(), 1);
}

void TstClavier::autres_touches_data() {
    QTest::addColumn<QString>("genre");
    QTest::addColumn<Touche>("touche");
    for (const QString& g : {QString("BoutonPerso"), QString("BoutonPays"), QString("BoutonPlus")}) {
        QTest::newRow(qPrintable(g + " A")) << g << Touche{Qt::Key_A, Qt::NoModifier};
        QTest::newRow(qPrintable(g + " Échap")) << g << Touche{Qt::Key_Escape, Qt::NoModifier};
        QTest::newRow(qPrintable(g + " Ctrl+Espace")) << g << Touche{Qt::Key_Space, Qt::ControlModifier};
        QTest::newRow(qPrintable(g + " Alt+Retour")) << g << Touche{Qt::Key_Return, Qt::AltModifier};
    }
}

void TstClavier::autres_touches() {
    QFETCH(QString, genre);
    QFETCH(Touche, touche);
    Bouton b = faire(genre);
    envoyer(b.w.get(), QEvent::KeyPress, touche);
    envoyer(b.w.get(), QEvent::KeyRelease, touche);
    QTest::qWait(attente(b));
    QCOMPARE(b.spy->count(), 0);
    if (auto* style = qobject_cast<BoutonStyle*>(b.w.get()))
        QCOMPARE(style->styleSheet(), BoutonStyle::style_repos());
}

// The mouse keeps its behaviour: the pressed look stays after the click
// until the mouse leaves, and a mouse press does not take the focus from
// the entry being typed in when the button is a picture.
void TstClavier::souris_inchangee() {
    BoutonPerso b(140, 30);
    QSignalSpy spy(&b, &BoutonStyle::click);
    QTest::mousePress(&b, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
    QTest::qWait(50);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(b.styleSheet(), BoutonStyle::style_enfonce());
    QCOMPARE(b.focusPolicy(), Qt::StrongFocus);
}

void TstClavier::suppression_pendant_le_delai() {
    auto* b = new BoutonPerso(100, 30);
    int clics = 0;
    connect(b, &BoutonStyle::click, [&] { ++clics; });
    QTest::keyClick(b, Qt::Key_Space);
    delete b;
    QTest::qWait(200);
    QCOMPARE(clics, 0);
}

// In a window: Tab reaches the picture buttons and the styled buttons in
// turn and the key then presses the focused one; a mouse press on a picture
// leaves the focus in the entry.
void TstClavier::tabulation_et_souris() {
    QWidget fen;
    auto* lay = new QVBoxLayout(&fen);
    auto* saisie = new QLineEdit;
    auto* pays = new BoutonPays(QPixmap("anglais_01.png"), "en");
    auto* perso = new BoutonPerso(140, 30);
    auto* plus = new BoutonPlus;
    lay->addWidget(saisie);
    lay->addWidget(pays);
    lay->addWidget(perso);
    lay->addWidget(plus);
    QSignalSpy spyPays(pays, &BoutonPays::click_pays);
    QSignalSpy spyPerso(perso, &BoutonStyle::click);
    QSignalSpy spyPlus(plus, &BoutonPlus::clicked);
    fen.show();
    fen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fen));
    saisie->setFocus();
    QTRY_VERIFY(saisie->hasFocus());

    QTest::mousePress(pays, Qt::LeftButton);
    QTest::mouseRelease(pays, Qt::LeftButton);
    QCOMPARE(spyPays.count(), 1);
    QVERIFY(saisie->hasFocus());

    QTest::keyClick(&fen, Qt::Key_Tab);
    QVERIFY(pays->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(spyPays.count(), 2);
    QCOMPARE(spyPays.at(1).at(0).toString(), QString("en"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(perso->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(spyPerso.count(), 1, 5000);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(plus->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(spyPlus.count(), 1);
    QCOMPARE(spyPays.count(), 2);
    QTest::qWait(150);
    QCOMPARE(spyPerso.count(), 1);
}

// The focus ring shows once the keyboard moves the focus, on the picture
// buttons and the styled ones; a mouse press that gives a styled button the
// focus draws it exactly as before.
void TstClavier::cadre_de_focus() {
    QWidget fen;
    auto* lay = new QVBoxLayout(&fen);
    auto* saisie = new QLineEdit;
    auto* perso = new BoutonPerso(140, 30);
    auto* exit = new BoutonExit(30);
    lay->addWidget(saisie);
    lay->addWidget(perso);
    lay->addWidget(exit);
    fen.show();
    fen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fen));

    perso->setStyleSheet(BoutonStyle::style_enfonce());
    const QImage perso_enfonce = perso->grab().toImage();
    perso->setStyleSheet(BoutonStyle::style_repos());
    QTest::mousePress(perso, Qt::LeftButton);
    QTest::mouseRelease(perso, Qt::LeftButton);
    QVERIFY(perso->hasFocus());
    QCOMPARE(perso->grab().toImage(), perso_enfonce);
    QTest::qWait(150);

    const QImage exit_sans = exit->grab().toImage();
    QTest::keyClick(perso, Qt::Key_Tab);
    QVERIFY(exit->hasFocus());
    QVERIFY(exit->grab().toImage() != exit_sans);
    QTest::keyClick(exit, Qt::Key_Backtab);
    QVERIFY(perso->hasFocus());
    QVERIFY(perso->grab().toImage() != perso_enfonce);
    QTest::keyClick(perso, Qt::Key_Backtab);
    QVERIFY(saisie->hasFocus());
    QCOMPARE(perso->grab().toImage(), perso_enfonce);
    QCOMPARE(exit->grab().toImage(), exit_sans);
}

QTEST_MAIN(TstClavier)
#include "tst_clavier.moc"
