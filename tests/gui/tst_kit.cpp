#include "BandeLaterale.h"
#include "BoutonExit.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "HEspace.h"
#include "HLigne.h"
#include "HLigneD.h"
#include "ListParam.h"
#include "VEspace.h"
#include "TestUtil.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TstKit : public QObject {
    Q_OBJECT
private slots:
    void clic_differe_data();
    void clic_differe();
    void deux_pressions_deux_clics();
    void aucun_clic_apres_suppression();
    void boutons_image_data();
    void boutons_image();
    void espaces_et_lignes();
    void enregistrement_neuf();
};

void TstKit::clic_differe_data() {
    QTest::addColumn<bool>("vert");
    QTest::addColumn<int>("delai");
    QTest::newRow("BoutonPerso") << false << 100;
    QTest::newRow("BoutonPersoVert") << true << 50;
}

void TstKit::clic_differe() {
    QFETCH(bool, vert);
    QFETCH(int, delai);
    std::unique_ptr<BoutonStyle> b(vert ? static_cast<BoutonStyle*>(new BoutonPersoVert(110, 25))
                                        : new BoutonPerso(200, 30));
    QCOMPARE(b->size(), vert ? QSize(110, 25) : QSize(200, 30));
    QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(b->styleSheet(), BoutonStyle::style_repos());
    QSignalSpy spy(b.get(), &BoutonStyle::click);
    QSignalSpy spyQt(b.get(), &QPushButton::clicked);
    QElapsedTimer t;
    t.start();
    QTest::mousePress(b.get(), Qt::LeftButton);
    QCOMPARE(b->styleSheet(), BoutonStyle::style_enfonce());
    QCOMPARE(spy.count(), 0);
    QVERIFY(spy.wait(1000));
    QVERIFY(t.elapsed() >= delai - 5);
    QTest::qWait(delai * 2);
    QCOMPARE(spy.count(), 1);
    QTest::mouseRelease(b.get(), Qt::LeftButton);
    QCOMPARE(spyQt.count(), 0);
}

void TstKit::deux_pressions_deux_clics() {
    BoutonPerso b(100, 30);
    QSignalSpy spy(&b, &BoutonStyle::click);
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mousePress(&b, Qt::RightButton);
    QTest::qWait(300);
    QCOMPARE(spy.count(), 2);
}

void TstKit::aucun_clic_apres_suppression() {
    auto* b = new BoutonPerso(100, 30);
    int clics = 0;
    QObject::connect(b, &BoutonStyle::click, [&] { ++clics; });
    QTest::mousePress(b, Qt::LeftButton);
    delete b;
    QTest::qWait(200);
    QCOMPARE(clics, 0);

    // A button deleted (deferred) by the handler of its own click survives
    // until the handler returns and clicks only once.
    QPointer<BoutonPerso> b2 = new BoutonPerso(100, 30);
    int clics2 = 0;
    QObject::connect(b2, &BoutonStyle::click, [&] {
        ++clics2;
        b2->deleteLater();
        QVERIFY(b2);
    });
    QTest::mousePress(b2, Qt::LeftButton);
    QTest::qWait(250);
    TestUtil::vider_evenements();
    QVERIFY(!b2);
    QCOMPARE(clics2, 1);
}

void TstKit::boutons_image_data() {
    QTest::addColumn<Qt::MouseButton>("bouton");
    QTest::newRow("gauche") << Qt::LeftButton;
    QTest::newRow("droit") << Qt::RightButton;
    QTest::newRow("milieu") << Qt::MiddleButton;
}

void TstKit::boutons_image() {
    QFETCH(Qt::MouseButton, bouton);
    BoutonPays pays(QPixmap("anglais_01.png"), "en");
    QSignalSpy spyPays(&pays, &BoutonPays::click_pays);
    QTest::mousePress(&pays, bouton);
    QCOMPARE(spyPays.count(), 1);
    QCOMPARE(spyPays.at(0).at(0).toString(), QString("en"));
    QCOMPARE(pays.cursor().shape(), Qt::PointingHandCursor);

    BoutonExit sortie(30);
    QSignalSpy spyExit(&sortie, &BoutonExit::click_exit);
    QTest::mousePress(&sortie, bouton);
    QCOMPARE(spyExit.count(), 1);

    BoutonPlus plus;
    QSignalSpy spyPlus(&plus, &BoutonPlus::clicked);
    QTest::mousePress(&plus, bouton);
    QCOMPARE(spyPlus.count(), 1);
}

void TstKit::espaces_et_lignes() {
    HEspace h(0);
    VEspace v(0);
    QCOMPARE(h.minimumWidth(), 0);
    QCOMPARE(h.maximumWidth(), 0);
    QCOMPARE(v.maximumHeight(), 0);
    h.setLargeur(42);
    QCOMPARE(h.width() == 42 || h.maximumWidth() == 42, true);
    HLigne l;
    HLigneD ld;
    QCOMPARE(l.maximumWidth(), 495);
    QCOMPARE(ld.maximumWidth(), 395);
    QCOMPARE(l.palette().color(QPalette::WindowText), QColor(0, 150, 195));
    BandeLaterale b1(1, 1), b4(4, 1), b3(3, 3);
    QCOMPARE(b1.styleSheet(), b4.styleSheet());
    QVERIFY(b3.styleSheet().isEmpty());
    QCOMPARE(b1.maximumWidth(), 20);
}

void TstKit::enregistrement_neuf() {
    ListParam p;
    QCOMPARE(p.modele_iol_t, QString("null"));
    QCOMPARE(*p.oeil_t, QString("null"));
    QCOMPARE(p.puiss_sph_t, QString("00.0"));
    QCOMPARE(p.unit_ind_t, 1);
    QCOMPARE(p.K2axe_t, 90);
    QCOMPARE(p.etape_t, 0);
    QCOMPARE(p.date_dat_t, QDate::currentDate());
    QVERIFY(p.langue_t.isEmpty() && p.nom_pat_str_t.isEmpty());
}

QTEST_MAIN(TstKit)
#include "tst_kit.moc"
