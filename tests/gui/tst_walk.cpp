// Seeded random walks through the whole program (MarcheAleatoire.h): several
// fixed seeds of 2,000 actions each, every modal box answered at random, the
// screen's invariants checked after every action; then "back" and resume
// must restore the inputs on screen, the number of live widgets must not
// grow with the number of moves, and once the window is gone no widget of
// the program may be left alive. TORIQUE_WALK_SEED and TORIQUE_WALK_STEPS
// run one other walk instead.

#include "Bureau.h"
#include "FenetrePrinc.h"
#include "MarcheAleatoire.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

class TestWalk : public QObject {
    Q_OBJECT
private slots:
    void marche_data();
    void marche();
};

void TestWalk::marche_data() {
    QTest::addColumn<quint64>("graine");
    QTest::addColumn<int>("actions");
    const QByteArray graine = qgetenv("TORIQUE_WALK_SEED");
    const int actions = qEnvironmentVariableIsSet("TORIQUE_WALK_STEPS")
                            ? qEnvironmentVariableIntValue("TORIQUE_WALK_STEPS")
                            : 2000;
    if (!graine.isEmpty()) {
        QTest::newRow(("seed " + graine).constData()) << graine.toULongLong() << actions;
        return;
    }
    for (quint64 g : {1ull, 42ull, 20240611ull})
        QTest::newRow(qPrintable(QString("seed %1").arg(g))) << g << actions;
}

void TestWalk::marche() {
    QFETCH(quint64, graine);
    QFETCH(int, actions);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    Bureau bureau;
    {
        const auto marche = Marche::MarcheAleatoire::creer(graine, dossier.path());
        Marche::MarcheAleatoire& m = *marche;
        const bool ok = m.executer(actions) && m.retour_et_reprise();
        QStringList s;
        for (auto it = m.stats.cbegin(); it != m.stats.cend(); ++it)
            s << QString("%1 %2").arg(it.key()).arg(it.value());
        qInfo("%s", qPrintable(s.join(", ")));
        qInfo("live widgets: at most %d in the first half, %d in the second; %lld PDF saved, %lld opened",
              m.max_widgets_debut, m.max_widgets_fin, qlonglong(m.pdf_ecrits.size()),
              qlonglong(bureau.ouverts.size()));
        QVERIFY2(ok, qPrintable(m.echec));
        // Results were reached and the walk went through every page.
        QVERIFY(m.stats.value("(back)") > 0);
        QVERIFY(m.stats.value("(resumed)") > 0);
        QVERIFY(m.stats.value("(checked at step 10)") > 0);
        // The widgets of the second half of the walk are no more than those
        // of the first: nothing accumulates move after move.
        QVERIFY2(m.max_widgets_fin <= m.max_widgets_debut + 10,
                 qPrintable(QString("%1 then %2").arg(m.max_widgets_debut).arg(m.max_widgets_fin)));
        for (const QString& f : m.pdf_ecrits)
            QVERIFY2(bureau.ouverts.contains(QUrl::fromLocalFile(f)), qPrintable(f + " not opened"));
    }
    TestUtil::vider_evenements();
    // The window is gone: nothing it made may remain.
    QStringList restes;
    for (QWidget* w : QApplication::allWidgets())
        restes
            << QString("%1 \"%2\" %3").arg(w->metaObject()->className(), w->objectName(), w->windowTitle());
    QVERIFY2(restes.isEmpty(), qPrintable(restes.join("\n")));
}

QTEST_MAIN(TestWalk)
#include "tst_walk.moc"
