// Help window: first picture and step counter, the arrows up to both ends,
// the exit button, and opening again from the welcome band.

#include "BandeBasAccueil.h"
#include "BandeBasImplant.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonPageAide.h"
#include "FenetreAide.h"
#include "TestUtil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QtTest>

namespace {

QString compteur(const QString& mot, int n) {
    return "<font color=\"#006482\">" + mot + "</font>" + QString::number(n) +
           "<font color=\"#006482\"> / 7</font>";
}

// Same pixels, whatever the storage format of the file.
bool meme_image(const QPixmap& a, const QString& fichier) {
    return a.toImage().convertToFormat(QImage::Format_ARGB32) ==
           QImage(fichier).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TstAide : public QObject {
    Q_OBJECT
private slots:
    void ouverture_data();
    void ouverture();
    void fleches_jusqu_aux_bouts_data();
    void fleches_jusqu_aux_bouts();
    void bouton_de_sortie();
    void reouverture_depuis_la_bande_data();
    void reouverture_depuis_la_bande();
    void langue_ou_page_hors_liste();
};

void TstAide::ouverture_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("mot");
    QTest::newRow("accueil fr") << 1 << "fr"
                                << "Aide"
                                << "Etape ";
    QTest::newRow("accueil en") << 1 << "en"
                                << "Help"
                                << "Step ";
    QTest::newRow("calcul en") << 2 << "en"
                               << "Help"
                               << "Step ";
    QTest::newRow("calcul fr") << 2 << "fr"
                               << "Aide"
                               << "Etape ";
}

void TstAide::ouverture() {
    QFETCH(int, page);
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, mot);
    FenetreAide f(page, langue);
    QCOMPARE(f.size(), QSize(764, 575));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QCOMPARE(f.windowTitle(), titre);
    QVERIFY(f.parentWidget() == nullptr);
    QCOMPARE(f.page_act, page - 1);
    QCOMPARE(f.etape->text(), compteur(mot, page - 1));
    QCOMPARE(f.etape->font().family(), QString("Arial"));
    QCOMPARE(f.etape->font().pointSize(), 12);
    QVERIFY(f.etape->font().bold());
    QCOMPARE(f.etape->palette().color(QPalette::WindowText), QColor(0, 100, 130));
    QVERIFY(meme_image(f.pixaide_lab->pixmap(), QString("aide_p%1_%2.png").arg(page).arg(langue)));
    QCOMPARE(f.pix_list.size(), 8);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // The band of arrows is 40 high at the bottom, the picture above it.
    auto* bande = f.findChild<QFrame*>("bande_aide");
    QVERIFY(bande);
    QCOMPARE(bande->height(), 40);
    QCOMPARE(bande->geometry().bottom(), 574);
}

void TstAide::fleches_jusqu_aux_bouts_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("fr") << "fr";
    QTest::newRow("en") << "en";
}

void TstAide::fleches_jusqu_aux_bouts() {
    QFETCH(QString, langue);
    const QString mot = langue == "fr" ? "Etape " : "Step ";
    FenetreAide f(1, langue);
    auto* precedente = f.findChild<BoutonPageAide*>("aide_precedente");
    auto* suivante = f.findChild<BoutonPageAide*>("aide_suivante");
    QVERIFY(precedente && suivante);
    QCOMPARE(precedente->cursor().shape(), Qt::PointingHandCursor);

    // Nothing before the first picture.
    QTest::mousePress(precedente, Qt::LeftButton);
    QCOMPARE(f.page_act, 0);
    QCOMPARE(f.etape->text(), compteur(mot, 0));
    // Seven presses reach the eighth picture, counted 7 / 7.
    for (int i = 1; i <= 7; ++i) {
        QTest::mousePress(suivante, i % 2 ? Qt::LeftButton : Qt::RightButton);
        QCOMPARE(f.page_act, i);
        QCOMPARE(f.etape->text(), compteur(mot, i));
        QVERIFY(meme_image(f.pixaide_lab->pixmap(), QString("aide_p%1_%2.png").arg(i + 1).arg(langue)));
    }
    QTest::mousePress(suivante, Qt::LeftButton);
    QTest::mousePress(suivante, Qt::LeftButton);
    QCOMPARE(f.page_act, 7);
    QCOMPARE(f.page_act_str, QString("7"));
    QCOMPARE(f.etape->text(), compteur(mot, 7));
    QTest::mousePress(precedente, Qt::LeftButton);
    QCOMPARE(f.page_act, 6);
    QCOMPARE(f.etape->text(), compteur(mot, 6));
}

void TstAide::bouton_de_sortie() {
    FenetreAide f(1, "fr");
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto* sortie = f.findChild<BoutonExit*>("sortie_aide");
    QVERIFY(sortie);
    QCOMPARE(sortie->pixmap().isNull() || sortie->pixmap().height() == 25, true);
    QTest::mousePress(sortie, Qt::LeftButton);
    QVERIFY(!f.isVisible());
}

void TstAide::reouverture_depuis_la_bande_data() {
    QTest::addColumn<bool>("accueil");
    QTest::addColumn<QString>("langue");
    QTest::newRow("bande d'accueil fr") << true << "fr";
    QTest::newRow("bande d'accueil en") << true << "en";
    QTest::newRow("bande du choix de lentille fr") << false << "fr";
}

void TstAide::reouverture_depuis_la_bande() {
    QFETCH(bool, accueil);
    QFETCH(QString, langue);
    std::unique_ptr<QFrame> bande;
    BoutonAide* (*aide)(QFrame*) = nullptr;
    if (accueil) {
        auto* b = new BandeBasAccueil;
        b->update_langue_ba(langue);
        bande.reset(b);
        aide = [](QFrame* f) { return static_cast<BandeBasAccueil*>(f)->aide; };
    } else {
        auto* b = new BandeBasImplant;
        b->update_langue_bi(langue);
        bande.reset(b);
        aide = [](QFrame* f) { return static_cast<BandeBasImplant*>(f)->aide; };
    }
    bande->show();
    const int page = accueil ? 1 : 2;

    QList<int> pages_ouvertes;
    QStringList langues;
    TestUtil::Repondeur r([&](QDialog* d) {
        auto* f = qobject_cast<FenetreAide*>(d);
        if (!f)
            return 0;
        pages_ouvertes << f->page_act;
        langues << f->windowTitle();
        // The user turns a few pages, then leaves.
        f->click_page(1, langue);
        f->click_page(1, langue);
        f->close();
        return f->result();
    });
    for (int fois = 0; fois < 3; ++fois) {
        QPointer<BoutonAide> bouton = aide(bande.get());
        QCOMPARE(bouton->page_start, page);
        QCOMPARE(bouton->langue_aide, langue);
        QTest::mousePress(bouton, Qt::LeftButton);
        // A new button carries the same page and language; the pressed one
        // lasts until its press has been handled.
        QVERIFY(bouton);
        TestUtil::vider_evenements();
        QVERIFY(!bouton);
        QVERIFY(aide(bande.get()));
        QCOMPARE(bande->layout()->indexOf(aide(bande.get())), 0);
    }
    // Opened anew each time at the band's page, not where it was left.
    QCOMPARE(pages_ouvertes, (QList<int>{page - 1, page - 1, page - 1}));
    const QString titre = langue == "fr" ? "Aide" : "Help";
    QCOMPARE(langues, (QStringList{titre, titre, titre}));
}

void TstAide::langue_ou_page_hors_liste() {
    // No pictures for another language, no page outside the eight: the
    // window still opens and its arrows still work.
    FenetreAide autre(1, "de");
    QVERIFY(autre.pixaide_lab->pixmap().isNull());
    autre.click_page(1, "de");
    QCOMPARE(autre.page_act, 1);
    FenetreAide loin(12, "fr");
    QCOMPARE(loin.page_act, 7);
    FenetreAide zero(0, "fr");
    QCOMPARE(zero.page_act, 0);
}

QTEST_MAIN(TstAide)
#include "tst_aide.moc"
