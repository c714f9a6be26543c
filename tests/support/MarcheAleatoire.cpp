// The random walk through the whole program: its actions, its answers to
// the modal boxes and its checks of the screen (MarcheAleatoire.h).

#include "MarcheAleatoire.h"

#include "BandeBasAccueil.h"
#include "BandeBasCalcul.h"
#include "BandeBasImplant.h"
#include "BandeHaut.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonImage.h"
#include "BoutonPageAide.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "Dialogues.h"
#include "FenetreAide.h"
#include "FenetreIdentite.h"
#include "FenetrePrinc.h"
#include "Identification.h"
#include "ListParam.h"
#include "PageAccueil.h"
#include "PageCalcul.h"
#include "PageImplant.h"
#include "TestUtil.h"
#include "Verification.h"
#include "ZoneDessin.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <random>

namespace Marche {
namespace {

// QObject::receivers is protected; a pointer to it, named through a class
// that makes it public, reaches it on any object (no cast of the object).
struct AccesReceveurs : QObject {
    using QObject::receivers;
};
inline int nb_receveurs(const QObject* o, const char* signal) {
    auto receveurs = &AccesReceveurs::receivers;
    return (o->*receveurs)(signal);
}

using TestUtil::vider_evenements;

inline int axe_K1(int axe_k2) {
    return axe_k2 + 90 >= 180 ? axe_k2 - 90 : axe_k2 + 90;
}

// The inputs of a calculation page as they stand on screen.
struct Saisie {
    bool od = false, og = false;
    QString oeil;
    int sph = 0;
    bool diop = false, mili = false;
    double k1 = 0, k2 = 0;
    int axe_k2 = 90;
    double inc = 0;
    int axe_inc = 0;
    int etape = 0;
    bool totale = false; // the lens chosen on the estimated total cornea

    static Saisie lire(const PageCalcul* c) {
        Saisie s;
        s.od = c->enab_od;
        s.og = c->enab_og;
        s.oeil = c->oeil_c ? *c->oeil_c : QString("(none)");
        s.sph = c->combo_sph->currentIndex();
        s.diop = c->diop->isChecked();
        s.mili = c->mili->isChecked();
        s.k1 = c->spin_K1->value();
        s.k2 = c->spin_K2->value();
        s.axe_k2 = c->spinaxe_K2->value();
        s.inc = c->spin_inc->value();
        s.axe_inc = c->spinaxe_inc->value();
        s.etape = c->etape;
        s.totale = c->posterieure_case->isChecked();
        return s;
    }
    QString texte() const {
        return QString("eye %1%2 %3, SEQ #%4, unit %5%6, K1 %7, K2 %8 @%9, SIA %10 @%11, step %12, total %13")
            .arg(od)
            .arg(og)
            .arg(oeil)
            .arg(sph)
            .arg(diop)
            .arg(mili)
            .arg(k1, 0, 'f', 2)
            .arg(k2, 0, 'f', 2)
            .arg(axe_k2)
            .arg(inc, 0, 'f', 2)
            .arg(axe_inc)
            .arg(etape)
            .arg(totale);
    }
    // As the boxes show them: two decimals (the arrows of a box may leave
    // a value one bit away from the one typing the same digits gives).
    bool memes_entrees(const Saisie& a) const {
        auto montre = [](double v) { return QString::number(v, 'f', 2); };
        return od == a.od && og == a.og && oeil == a.oeil && sph == a.sph && diop == a.diop &&
               mili == a.mili && montre(k1) == montre(a.k1) && montre(k2) == montre(a.k2) &&
               axe_k2 == a.axe_k2 && montre(inc) == montre(a.inc) && axe_inc == a.axe_inc &&
               totale == a.totale;
    }
};

// The identification fields as a form shows them.
struct Identite {
    QString chir, clinique, patient;
    QDate date;
    QString adresse1, adresse2, codepost, ville;
    int pays = 0;

    static Identite lire(const FenetreIdentite* f) {
        Identite i;
        i.chir = f->edit_nom_chir->text();
        i.clinique = f->edit_clinique->text();
        i.patient = f->edit_nom_pat->text();
        i.date = f->edit_date->date();
        i.adresse1 = f->edit_adresse1->text();
        i.adresse2 = f->edit_adresse2->text();
        i.codepost = f->edit_codepost->text();
        i.ville = f->edit_ville->text();
        i.pays = f->combo_codepays->currentIndex();
        return i;
    }
    static Identite lire(const ListParam* p) {
        Identite i;
        i.chir = p->nom_chir_str_t;
        i.clinique = p->clinique_str_t;
        i.patient = p->nom_pat_str_t;
        i.date = p->date_dat_t;
        i.adresse1 = p->adresse1_str_t;
        i.adresse2 = p->adresse2_str_t;
        i.codepost = p->codepost_str_t;
        i.ville = p->ville_str_t;
        i.pays = p->codepays_ind_t;
        return i;
    }
    bool operator==(const Identite& a) const {
        return chir == a.chir && clinique == a.clinique && patient == a.patient && date == a.date &&
               adresse1 == a.adresse1 && adresse2 == a.adresse2 && codepost == a.codepost &&
               ville == a.ville && pays == a.pays;
    }
    // The texts as the record keeps them: on one line, without blanks at
    // either end.
    Identite propre() const {
        Identite i = *this;
        for (QString* t : {&i.chir, &i.clinique, &i.patient, &i.adresse1, &i.adresse2, &i.codepost, &i.ville})
            *t = Identification::texte_propre(*t);
        return i;
    }
    QString texte() const {
        return QString("[%1|%2|%3|%4|%5|%6|%7|%8|%9]")
            .arg(chir, clinique, patient, date.toString(Qt::ISODate), adresse1, adresse2, codepost, ville)
            .arg(pays);
    }
};

// The walk itself; what it found is in its base class.
class Promeneur : public MarcheAleatoire {
public:
    Promeneur(quint64 graine, const QString& dossier) : g(graine), dossier(dossier) {
        Dialogues::setRepondeur([this](QDialog* d) { return repondre(d); });
        fenetre = new FenetrePrinc;
        fenetre->show();
        vider_evenements();
    }
    ~Promeneur() override {
        Dialogues::setRepondeur(nullptr);
        delete fenetre;
        vider_evenements();
    }

    bool executer(int n) override {
        for (int k = 0; k < n && echec.isEmpty(); ++k) {
            ++pas;
            une_action();
            if (!echec.isEmpty())
                break;
            vider_evenements();
            if (verifier)
                verifier_ecran();
            const int w = QApplication::allWidgets().size();
            if (pas <= n / 2)
                max_widgets_debut = std::max(max_widgets_debut, w);
            else
                max_widgets_fin = std::max(max_widgets_fin, w);
        }
        return echec.isEmpty();
    }

    bool retour_et_reprise() override {
        if (!fenetre->calcul)
            return true;
        forcer_reprise = 0;
        appuyer_style(fenetre->bascalcul->getRetour2(), "back");
        vider_evenements();
        if (fenetre->accueil)
            appuyer_style(fenetre->basaccueil->getAccepter(), "accept");
        vider_evenements();
        forcer_reprise = -1;
        if (fenetre->calcul == nullptr)
            defaut("no calculation page after back and resume");
        if (verifier && echec.isEmpty())
            verifier_ecran();
        return echec.isEmpty();
    }

private:
    std::mt19937_64 g;
    QString dossier;
    QStringList journal;
    int forcer_reprise = -1; // answer of the resume question, -1 at random

    // What "back" left, for the resume that follows.
    bool reprise_attendue = false;
    Saisie saisie_retour;
    int reponse_reprise = -1; // answer given to the resume question, -1 not asked

    // Identification typed in the latest form, and whether a new
    // calculation began since (identifier and date start afresh).
    bool identite_tapee = false;
    Identite identite_derniere;
    int formulaires = 0;

    // ------------------------------------------------------------- chance

    int entier(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); }
    double reel(double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); }
    bool chance(double p) { return reel(0, 1) < p; }
    template <class T> T un_de(const QList<T>& l) { return l[entier(0, l.size() - 1)]; }

    void noter(const QString& a) {
        journal << QString("%1: %2").arg(pas).arg(a);
        if (journal.size() > 25)
            journal.removeFirst();
        ++stats[a.section(' ', 0, 0)];
    }
    void defaut(const QString& d) {
        if (echec.isEmpty())
            echec = QString("step %1: %2\nlast actions:\n  %3").arg(pas).arg(d).arg(journal.join("\n  "));
    }

    // ------------------------------------------------------------ presses

    // A styled button pressed as the mouse does; most presses deliver their
    // delayed click at once (as its timer would), some wait for the timer.
    void appuyer_style(BoutonStyle* b, const QString& nom) {
        if (!b)
            return;
        noter("press " + nom);
        QPointer<BoutonStyle> p(b);
        QSignalSpy spy(b, &BoutonStyle::click);
        QTest::mousePress(b, chance(0.85) ? Qt::LeftButton : Qt::RightButton);
        if (chance(0.15))
            spy.wait(1000);
        else if (p)
            p->emit_click();
        if (p)
            QTest::mouseRelease(p, Qt::LeftButton);
    }

    // Two presses on a styled button before its delay ends. Both delays are
    // made to end at once, in order; a box that the first click opens lets
    // the events through before it is answered (as its modal loop would), so
    // that the second click arrives while the first is being handled.
    void appuyer_deux_fois(BoutonStyle* b, const QString& nom) {
        noter("double press " + nom);
        QPointer<BoutonStyle> p(b);
        QTest::mousePress(b, Qt::LeftButton);
        if (p)
            QTest::mousePress(p, chance(0.5) ? Qt::LeftButton : Qt::RightButton);
        if (p)
            for (QTimer* t : p->findChildren<QTimer*>())
                if (t->isActive())
                    t->start(0);
        double_pression = true;
        boites_vues.clear();
        QCoreApplication::processEvents();
        vider_evenements();
        double_pression = false;
        if (p)
            QTest::mouseRelease(p, Qt::LeftButton);
    }
    bool double_pression = false;
    QStringList boites_vues;

    void appuyer_image(BoutonImage* b, const QString& nom) {
        noter("press " + nom);
        QPointer<BoutonImage> p(b);
        QTest::mousePress(b, chance(0.8) ? Qt::LeftButton : Qt::RightButton);
        if (p)
            QTest::mouseRelease(p, Qt::LeftButton);
    }

    // ------------------------------------------------------------ actions

    struct Candidat {
        double poids;
        std::function<void()> faire;
    };

    void une_action() {
        QList<Candidat> c;
        FenetrePrinc* f = fenetre;
        for (BoutonStyle* b : f->findChildren<BoutonStyle*>()) {
            if (!b->isVisible() || !b->isEnabled())
                continue;
            const QString nom = b->objectName().isEmpty() ? b->text() : b->objectName();
            double poids = 1;
            if (f->calcul && b == f->calcul->calculer_bouton)
                poids = 5;
            else if (f->basaccueil && b == f->basaccueil->getAccepter())
                poids = 6;
            else if (f->calcul && (b == f->calcul->oeil_droit || b == f->calcul->oeil_gauche))
                poids = 2;
            else if (f->bascalcul && b == f->bascalcul->getImprimer())
                poids = 2.5;
            else if (f->bascalcul && b == f->bascalcul->getRetour2())
                poids = 1;
            else if (f->bascalcul && b == f->bascalcul->getNouveau())
                poids = 0.5;
            QPointer<BoutonStyle> p(b);
            c << Candidat{poids, [this, p, nom] {
                              if (p)
                                  appuyer_style(p, nom);
                          }};
            c << Candidat{poids / 8, [this, p, nom] {
                              if (p)
                                  appuyer_deux_fois(p, nom);
                          }};
        }
        for (BoutonImage* b : f->findChildren<BoutonImage*>()) {
            if (!b->isVisible() || !b->isEnabled())
                continue;
            double poids = 1;
            QString nom = b->metaObject()->className();
            if (qobject_cast<BoutonExit*>(b))
                poids = 0.4;
            else if (qobject_cast<BoutonAide*>(b))
                poids = 0.6;
            else if (qobject_cast<BoutonPlus*>(b))
                poids = 2;
            else if (auto* pays = qobject_cast<BoutonPays*>(b))
                nom += " " + pays->pays_p;
            QPointer<BoutonImage> p(b);
            c << Candidat{poids, [this, p, nom] {
                              if (p)
                                  appuyer_image(p, nom);
                          }};
        }
        if (PageCalcul* page = f->calcul) {
            QPointer<PageCalcul> pp(page);
            if (page->combo_sph->isVisible() && page->combo_sph->isEnabled())
                c << Candidat{3, [this, pp] {
                                  if (pp)
                                      choisir_puissance(pp);
                              }};
            if (page->posterieure_case->isVisible() && page->posterieure_case->isEnabled()) {
                QPointer<QCheckBox> pc(page->posterieure_case);
                c << Candidat{0.8, [this, pc] {
                                  if (pc) {
                                      noter("posterior cornea");
                                      pc->click();
                                  }
                              }};
            }
            for (QRadioButton* r : {page->diop, page->mili})
                if (r->isVisible() && r->isEnabled()) {
                    QPointer<QRadioButton> pr(r);
                    c << Candidat{1.2, [this, pr] {
                                      if (pr) {
                                          noter("radio " + pr->objectName());
                                          pr->click();
                                      }
                                  }};
                }
            for (QAbstractSpinBox* s : page->findChildren<QAbstractSpinBox*>()) {
                if (!s->isVisible() || !s->isEnabled())
                    continue;
                const bool kerato = s == page->spin_K1 || s == page->spin_K2;
                QPointer<QAbstractSpinBox> ps(s);
                c << Candidat{kerato ? 4.0 : 2.0, [this, ps, pp] {
                                  if (ps && pp)
                                      changer_valeur(pp, ps);
                              }};
                c << Candidat{kerato ? 1.0 : 0.5, [this, ps, pp] {
                                  if (ps && pp)
                                      taper_valeur(pp, ps);
                              }};
            }
        }
        c << Candidat{0.25, [this] {
                          noter("close window");
                          fenetre->close();
                      }};

        double total = 0;
        for (const Candidat& x : c)
            total += x.poids;
        double r = reel(0, total);
        const Candidat* choisi = &c.last();
        for (const Candidat& x : c) {
            if (r < x.poids) {
                choisi = &x;
                break;
            }
            r -= x.poids;
        }

        // What the action may move: pages left must die, "back" leaves its
        // inputs for the resume.
        QPointer<QWidget> pages[] = {f->accueil,    f->basaccueil, f->implant,
                                     f->basimplant, f->calcul,     f->bascalcul};
        const bool sur_calcul = f->calcul != nullptr;
        Saisie avant;
        if (sur_calcul)
            avant = Saisie::lire(f->calcul);
        reponse_reprise = -1;
        const int formulaires_avant = formulaires;

        choisi->faire();
        if (!echec.isEmpty())
            return;
        vider_evenements();

        if (f->flag_reset == 1)
            nouveau_calcul_depuis_formulaire = true;
        for (const QPointer<QWidget>& p : pages)
            if (p && p != f->accueil && p != f->basaccueil && p != f->calcul && p != f->bascalcul)
                defaut(QString("a widget of a page left is still alive: %1 (%2)")
                           .arg(p->metaObject()->className(), p->objectName()));

        if (sur_calcul && f->accueil) {
            // Back: the snapshot kept the inputs shown.
            reprise_attendue = true;
            saisie_retour = avant;
            ++stats["(back)"];
        } else if (!sur_calcul && f->calcul) {
            // Entered the calculation page: resumed or afresh.
            if (reprise_attendue && reponse_reprise < 0)
                defaut("the resume question was not asked after back");
            const Saisie s = Saisie::lire(f->calcul);
            if (reponse_reprise == 0) {
                ++stats["(resumed)"];
                Saisie attendu = saisie_retour;
                const int etape_attendue = attendu.etape > 9 ? 7 : attendu.etape;
                if (!s.memes_entrees(attendu) || s.etape != etape_attendue)
                    defaut("resume lost inputs:\n    left  " + attendu.texte() + "\n    back  " + s.texte());
            } else {
                Saisie neuve = Saisie::lire(f->calcul);
                if (neuve.etape != 0 || neuve.od || neuve.og || neuve.sph != 0 || neuve.k1 != 0 ||
                    neuve.k2 != 0)
                    defaut("a new calculation is not empty: " + neuve.texte());
            }
            reprise_attendue = false;
        } else if (sur_calcul && f->calcul && reponse_reprise >= 0) {
            defaut("resume question asked on the calculation page");
        }
        (void)formulaires_avant;
    }

    void choisir_puissance(PageCalcul* page) {
        const int i = chance(0.85) ? entier(1, page->combo_sph->count() - 1) : 0;
        noter(QString("power #%1").arg(i));
        page->combo_sph->setCurrentIndex(i);
    }

    // A value inside the box's range: mostly a plausible one, sometimes any,
    // sometimes the arrows (which wrap on the axes).
    void changer_valeur(PageCalcul* page, QAbstractSpinBox* s) {
        if (chance(0.2)) {
            const int pas_fleche = un_de(QList<int>{-3, -1, 1, 2});
            noter(QString("arrows %1 %2").arg(s->objectName()).arg(pas_fleche));
            s->stepBy(pas_fleche);
            return;
        }
        if (auto* d = qobject_cast<QDoubleSpinBox*>(s)) {
            double v;
            const bool kerato = s == page->spin_K1 || s == page->spin_K2;
            if (kerato && chance(0.85)) {
                const bool mm = page->mili->isChecked();
                if (s == page->spin_K1)
                    v = mm ? entier(700, 850) / 100.0 : entier(160, 190) * 0.25;
                else {
                    const double k1 = page->spin_K1->value();
                    // Now and then below K1, which Calculate refuses.
                    const bool dessous = chance(0.04);
                    v = mm ? std::max(0.0, k1 - (dessous ? -entier(1, 5) : entier(0, 40)) / 100.0)
                           : k1 + (dessous ? -entier(1, 2) : entier(0, 16)) * 0.25;
                }
            } else if (!kerato && chance(0.7)) {
                v = entier(0, 100) * 0.05;
            } else {
                v = entier(int(minimum(d) * 100), int(maximum(d) * 100)) / 100.0;
            }
            v = std::clamp(v, minimum(d), maximum(d));
            noter(QString("value %1 %2").arg(s->objectName()).arg(v, 0, 'f', 2));
            d->setValue(v);
        } else if (auto* e = qobject_cast<QSpinBox*>(s)) {
            const int v = entier(int(minimum(e)), int(maximum(e)));
            noter(QString("value %1 %2").arg(s->objectName()).arg(v));
            e->setValue(v);
        }
    }

    // The range of a box's arrows, as a screen reader is told it (an entry
    // may hold more, typed).
    static double minimum(const QAbstractSpinBox* s) { return s->property("minimum").toDouble(); }
    static double maximum(const QAbstractSpinBox* s) { return s->property("maximum").toDouble(); }

    // A number typed into a box with the keyboard, then Enter: its text as
    // a surgeon writes it (a decimal comma, 180 for the horizontal axis, 360
    // for the incision at 0, a keratometry or an induced astigmatism beyond
    // the limits). The box then holds that very number.
    void taper_valeur(PageCalcul* page, QAbstractSpinBox* s) {
        double v = 0;
        QString texte;
        if (auto* e = qobject_cast<QSpinBox*>(s)) {
            // Now and then a number beyond the circle, which the entry keeps,
            // refused.
            const int periode = int(maximum(e)) + 1;
            const int a = chance(0.05)  ? entier(periode + 1, 2 * periode)
                          : chance(0.2) ? periode
                                        : entier(0, periode - 1);
            texte = QString::number(a);
            v = a > periode ? a : a % periode;
        } else {
            const bool kerato = s == page->spin_K1 || s == page->spin_K2;
            const bool mm = page->mili->isChecked();
            if (kerato)
                v = chance(0.05) ? entier(100, 200) : mm ? entier(700, 850) / 100.0 : entier(160, 190) * 0.25;
            else
                v = chance(0.05) ? entier(501, 900) / 100.0 : entier(0, 100) * 0.05;
            texte = QString::number(v, 'f', entier(0, 2));
            v = texte.toDouble();
            if (chance(0.5))
                texte.replace('.', ',');
        }
        noter(QString("type %1 \"%2\"").arg(s->objectName(), texte));
        s->setFocus(Qt::MouseFocusReason);
        s->selectAll();
        QTest::keyClicks(s, texte);
        QTest::keyClick(s, Qt::Key_Enter);
        if (!page)
            return;
        const double tient = qobject_cast<QSpinBox*>(s) ? qobject_cast<QSpinBox*>(s)->value()
                                                        : qobject_cast<QDoubleSpinBox*>(s)->value();
        if (s->isEnabled() && tient != v)
            defaut(QString("typed \"%1\" into %2, which holds %3").arg(texte, s->objectName()).arg(tient));
        // The calculation takes the K typed (the same digits as the value
        // the entry showed already leave the value kept as it was).
        if (s->isEnabled() && (s == page->spin_K1 || s == page->spin_K2)) {
            const bool mm = page->unit_ind == 2;
            const double garde =
                s == page->spin_K1 ? (mm ? page->K1mm : page->K1D) : (mm ? page->K2mm : page->K2D);
            if (QString::number(garde, 'f', 2) != QString::number(v, 'f', 2))
                defaut(QString("typed \"%1\" into %2, the calculation takes %3")
                           .arg(texte, s->objectName())
                           .arg(garde));
        }
    }

    // ---------------------------------------------------------- responder

    int repondre(QDialog* d) {
        ++stats["(dialog " + QString(d->metaObject()->className()) + ")"];
        if (double_pression) {
            // The box stays open a moment: the second click of a double
            // press arrives meanwhile, and must open nothing a second time.
            if (qobject_cast<QMessageBox*>(d)) {
                if (boites_vues.contains(d->windowTitle()))
                    defaut("a double press shows \"" + d->windowTitle() + "\" twice");
                boites_vues << d->windowTitle();
            }
            QCoreApplication::processEvents();
        }
        if (auto* box = qobject_cast<QMessageBox*>(d))
            return repondre_boite(box);
        if (auto* aide = qobject_cast<FenetreAide*>(d))
            return repondre_aide(aide);
        if (auto* saisie = qobject_cast<QInputDialog*>(d))
            return repondre_saisie(saisie);
        if (auto* ident = qobject_cast<FenetreIdentite*>(d))
            return repondre_identite(ident);
        if (auto* apercu = qobject_cast<QPrintPreviewDialog*>(d))
            return repondre_apercu(apercu);
        if (auto* fichier = qobject_cast<QFileDialog*>(d))
            return repondre_fichier(fichier);
        defaut(QString("unexpected dialog %1 \"%2\"").arg(d->metaObject()->className(), d->windowTitle()));
        d->reject();
        return QDialog::Rejected;
    }

    int repondre_boite(QMessageBox* box) {
        const QString titre = box->windowTitle();
        const QList<QAbstractButton*> boutons = box->buttons();
        if (boutons.isEmpty()) {
            defaut("message box without buttons: " + titre);
            box->reject();
            return box->result();
        }
        QAbstractButton* choisi = nullptr;
        if (titre == "Quitter" || titre == "Exit") {
            if (boutons.size() != 2)
                defaut("quit question without its two buttons");
            // Always "No": the second button, or Escape (closing the box).
            choisi = chance(0.5) ? boutons.value(1) : nullptr;
        } else if (titre == "Reprendre calcul" || titre == "Resume calculation") {
            // Escape (closing the box) keeps the calculation, as "yes" does.
            const bool echap = forcer_reprise < 0 && chance(0.2);
            reponse_reprise = forcer_reprise >= 0 ? forcer_reprise : (echap || chance(0.6) ? 0 : 1);
            choisi = echap ? nullptr : boutons.value(reponse_reprise);
            if (!fenetre->accueil)
                defaut("resume question while the welcome page is not on screen");
        } else if (boutons.size() == 1) {
            choisi = chance(0.8) ? boutons.first() : nullptr;
        } else {
            choisi = chance(0.8) ? boutons.value(entier(0, boutons.size() - 1)) : nullptr;
        }
        noter(QString("box \"%1\": %2").arg(titre, choisi ? choisi->text() : QString("(Escape)")));
        if (choisi)
            choisi->click();
        else
            box->reject();
        return box->result();
    }

    int repondre_aide(FenetreAide* aide) {
        noter("help window");
        const int n = entier(0, 10);
        for (int k = 0; k < n; ++k) {
            const QList<BoutonPageAide*> fleches = aide->findChildren<BoutonPageAide*>();
            if (fleches.size() != 2) {
                defaut("help window without its two arrows");
                break;
            }
            const int avant = aide->page_act;
            BoutonPageAide* b = un_de(fleches);
            QTest::mousePress(b, Qt::LeftButton);
            const int attendu = b->sens == 0 ? std::max(0, avant - 1) : std::min(7, avant + 1);
            if (aide->page_act != attendu)
                defaut(QString("help page %1 after an arrow from %2").arg(aide->page_act).arg(avant));
            if (!aide->etape->text().contains(QString::number(aide->page_act)))
                defaut("help counter shows " + aide->etape->text());
        }
        if (chance(0.6)) {
            const QList<BoutonExit*> sorties = aide->findChildren<BoutonExit*>();
            if (sorties.isEmpty())
                defaut("help window without its exit button");
            else
                QTest::mousePress(sorties.first(), Qt::LeftButton);
        } else {
            aide->reject();
        }
        return aide->result();
    }

    // Another cylinder (a list), or the patient identifier (a line).
    int repondre_saisie(QInputDialog* d) {
        const QStringList items = d->comboBoxItems();
        if (!items.isEmpty()) {
            if (chance(0.8)) {
                const QString item = un_de(items);
                noter("cylinder " + item);
                d->setTextValue(item);
                d->done(QDialog::Accepted);
            } else {
                noter("cylinder (Cancel)");
                d->reject();
            }
            return d->result();
        }
        const int r = entier(0, 9);
        if (r <= 1) {
            noter("identifier (Cancel)");
            d->reject();
            return d->result();
        }
        if (r <= 6)
            d->setTextValue(un_de(textes()));
        // OK waits for an identifier that is not blank once cleaned.
        auto* boutons = d->findChild<QDialogButtonBox*>();
        QPushButton* ok = boutons ? boutons->button(QDialogButtonBox::Ok) : nullptr;
        const QString propre = Identification::texte_propre(d->textValue());
        if (!ok || ok->isEnabled() == propre.isEmpty())
            defaut(QString("identifier \"%1\": OK %2")
                       .arg(d->textValue(), ok && ok->isEnabled() ? "available" : "unavailable"));
        if (ok && ok->isEnabled()) {
            noter("identifier \"" + d->textValue() + "\"");
            ok->click();
            // The identifier given here goes on the sheet; the record keeps
            // it, and the next form shows it.
            identite_derniere.patient = propre;
        } else {
            noter("identifier \"" + d->textValue() + "\" (OK unavailable, Cancel)");
            d->reject();
        }
        return d->result();
    }

    static const QList<QString>& textes() {
        static const QList<QString> t = {"",
                                         "Dupont",
                                         "PAT-0042",
                                         QString::fromUtf8("Hélène Ørsted-Müller"),
                                         "a/b\\c",
                                         "../../etc/passwd",
                                         "  ",
                                         QString::fromUtf8("患者 12"),
                                         "x'\"<b>y</b>&amp;",
                                         QString(60, 'W'),
                                         "12 rue de la Paix",
                                         "75002"};
        return t;
    }

    int repondre_identite(FenetreIdentite* f) {
        ++formulaires;
        const Identite montre = Identite::lire(f);
        // The form shows what the record holds.
        if (f->flag_load == 1 && !(montre == Identite::lire(fenetre->param_p)))
            defaut("identification form differs from the record:\n    form   " + montre.texte() +
                   "\n    record " + Identite::lire(fenetre->param_p).texte());
        if (identite_tapee && f->flag_load != 1)
            defaut("second identification form not loaded from the record");
        if (identite_tapee) {
            Identite attendu = identite_derniere;
            if (nouveau_calcul_depuis_formulaire) {
                attendu.patient.clear();
                attendu.date = QDate::currentDate();
            }
            if (!(montre == attendu))
                defaut("identification typed before is lost:\n    typed  " + attendu.texte() +
                       "\n    shown  " + montre.texte());
        }
        nouveau_calcul_depuis_formulaire = false;

        // Types, picks a date and a country.
        for (QLineEdit* e : {f->edit_nom_chir, f->edit_clinique, f->edit_nom_pat, f->edit_adresse1,
                             f->edit_adresse2, f->edit_codepost, f->edit_ville})
            if (chance(0.4)) {
                // Typed (QTest types ASCII only): the maximum length holds.
                e->clear();
                e->insert(un_de(textes()));
            }
        if (chance(0.3))
            f->edit_date->setDate(QDate::currentDate().addDays(entier(-400, 400)));
        if (chance(0.2))
            f->combo_codepays->setCurrentIndex(entier(0, f->combo_codepays->count() - 1));
        identite_derniere = Identite::lire(f).propre();
        identite_tapee = true;

        const int r = entier(0, 9);
        if (r <= 6) {
            noter("identification OK " + identite_derniere.texte());
            appuyer_style(f->getOK(), "OK");
        } else if (r <= 8) {
            noter("identification Cancel");
            appuyer_style(f->boutonCancel, "Cancel");
        } else {
            noter("identification (Escape)");
            f->reject();
        }
        return f->result();
    }

    bool nouveau_calcul_depuis_formulaire = false;

    int repondre_apercu(QPrintPreviewDialog* d) {
        noter("preview");
        // Shown without its modal loop: the sheet is drawn for the preview.
        d->show();
        vider_evenements();
        if (chance(0.5)) {
            QAction* enregistrer = nullptr;
            const QList<QToolBar*> barres = d->findChildren<QToolBar*>();
            if (!barres.isEmpty())
                for (QAction* a : barres.first()->actions())
                    if (a->text() == "Enregistrer")
                        enregistrer = a;
            if (!enregistrer)
                defaut("preview without the action \"Enregistrer\" on its first toolbar");
            else {
                noter("preview save");
                fichier_choisi.clear();
                enregistrer->trigger();
                vider_evenements();
                if (!fichier_choisi.isEmpty())
                    verifier_pdf(d);
            }
        }
        vider_evenements();
        if (d->isVisible()) {
            noter("preview closed");
            d->reject();
        }
        return d->result();
    }

    int repondre_fichier(QFileDialog* d) {
        int r = entier(0, 9);
        if (r <= 1) {
            noter("file dialog (Cancel)");
            d->reject();
            return d->result();
        }
        QString nom = QFileInfo(d->selectedFiles().value(0)).fileName();
        if (nom.isEmpty() || r == 2)
            nom = QString("walk%1.pdf").arg(pas);
        if (r == 3 && !dossiers_impossibles)
            r = 4;
        const QString chemin = r == 3 ? dossier + "/no/such/folder/" + nom
                                      : QDir(dossier).filePath(QString("%1_%2").arg(pas).arg(nom));
        noter("file dialog " + chemin);
        d->selectFile(chemin);
        static_cast<QDialog*>(d)->done(QDialog::Accepted);
        fichier_choisi = chemin;
        fichier_possible = r != 3;
        return d->result();
    }

    QString fichier_choisi;
    bool fichier_possible = false;

    // A PDF saved where it can be is written and closes the preview; one
    // that cannot be written is not, and the preview stays open.
    void verifier_pdf(QPrintPreviewDialog* d) {
        QFile pdf(fichier_choisi);
        if (fichier_possible) {
            if (!pdf.open(QIODevice::ReadOnly) || !pdf.read(5).startsWith("%PDF-"))
                defaut("no PDF written at " + fichier_choisi);
            else
                pdf_ecrits << fichier_choisi;
            if (d->isVisible())
                defaut("the preview stays open after the PDF was saved");
        } else {
            if (pdf.exists())
                defaut("a PDF appeared where it cannot be written: " + fichier_choisi);
            if (!d->isVisible())
                defaut("the preview closed although the PDF could not be written");
        }
    }

    // ------------------------------------------------------------- checks

    void verifier_ecran() {
        FenetrePrinc* f = fenetre;
        if (!f->isVisible()) {
            defaut("the main window is no longer on screen");
            return;
        }
        // One page between the top band and its own bottom band.
        const int pages = (f->accueil != nullptr) + (f->implant != nullptr) + (f->calcul != nullptr);
        if (pages != 1 || f->implant) {
            defaut(QString("%1 pages on screen (lens page %2)").arg(pages).arg(f->implant != nullptr));
            return;
        }
        QWidget* page = f->accueil ? static_cast<QWidget*>(f->accueil) : f->calcul;
        QWidget* bande = f->accueil ? static_cast<QWidget*>(f->basaccueil) : f->bascalcul;
        auto* l = qobject_cast<QVBoxLayout*>(f->layout());
        if (!bande || !l || l->count() != 3 || l->itemAt(0)->widget() != f->haut ||
            l->itemAt(1)->widget() != page || l->itemAt(2)->widget() != bande)
            defaut("the window's layout is not top band, page, bottom band");
        for (QWidget* w : {static_cast<QWidget*>(f->haut), page, bande})
            if (w && !w->isVisible())
                defaut(QString("%1 is not visible").arg(w->objectName()));
        // No window left open but the main one.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != f && w->isVisible())
                defaut(QString("a window is left open: %1 \"%2\"")
                           .arg(w->metaObject()->className(), w->windowTitle()));
        // Each flag reaches exactly one slot.
        for (BoutonPays* drapeau : {f->anglais_p, f->francais_p})
            if (nb_receveurs(drapeau, SIGNAL(click_pays(QString))) != 1)
                defaut(QString("flag %1 connected to %2 slots")
                           .arg(drapeau->pays_p)
                           .arg(nb_receveurs(drapeau, SIGNAL(click_pays(QString)))));
        if (f->calcul)
            verifier_valeurs(f->calcul);
    }

    static QString texte_D(double v) { return CalculTorique::texte_D(v) + " D"; }
    static QString texte_axe(int a) { return QString::number(a) + " °"; }

    // The values on screen are the engine's for the inputs on screen, and
    // the diagram has been told the axes.
    void verifier_valeurs(PageCalcul* c) {
        const Saisie s = Saisie::lire(c);
        // Each K is kept as typed, with its exact counterpart in the other
        // unit; its entry shows it in the unit on screen, to two decimals.
        const bool mm = c->unit_ind == 2;
        const double k1 = mm ? c->K1mm : c->K1D, k2 = mm ? c->K2mm : c->K2D;
        const struct {
            const char* nom;
            double garde, autre;
            const QDoubleSpinBox* entree;
        } ks[] = {{"K1", k1, mm ? c->K1D : c->K1mm, c->spin_K1},
                  {"K2", k2, mm ? c->K2D : c->K2mm, c->spin_K2}};
        for (const auto& k : ks) {
            if (QString::number(k.garde, 'f', 2) != k.entree->text())
                defaut(QString("%1 kept as %2, its entry shows %3")
                           .arg(k.nom)
                           .arg(k.garde)
                           .arg(k.entree->text()));
            if (std::abs(CalculTorique::kerato(k.garde) - k.autre) > 1e-9 * std::max(1.0, std::abs(k.autre)))
                defaut(QString("%1 kept as %2 in the unit on screen, %3 in the other")
                           .arg(k.nom)
                           .arg(k.garde)
                           .arg(k.autre));
        }
        if (c->etape <= 5)
            return;
        // An entry refused leaves every figure computed from it empty, and
        // the diagram draws nothing from it.
        using V = Verification;
        const bool K_refuse = !V::dans_limites(V::code_kerato(1, c->unit_ind), k1) ||
                              !V::dans_limites(V::code_kerato(2, c->unit_ind), k2);
        const bool axe_refuse = !V::dans_limites(V::AXE_HORS, s.axe_k2);
        const bool incision_refusee = !V::dans_limites(V::INCISION_HORS, s.axe_inc);
        const bool croise_refuse =
            K_refuse || axe_refuse || incision_refusee || !V::dans_limites(V::INDUIT_HORS, s.inc);
        if (c->dessin->axes_K_montres == axe_refuse || c->dessin->incision_montree == incision_refusee)
            defaut(QString("diagram draws K axes %1, incision %2, for a steep axis %3 and an incision at %4")
                       .arg(c->dessin->axes_K_montres)
                       .arg(c->dessin->incision_montree)
                       .arg(s.axe_k2)
                       .arg(s.axe_inc));
        // With the estimated total cornea, the K axes are the estimate's.
        const auto methode = s.totale ? CorneePosterieure::ABULAFIA_KOCH : CorneePosterieure::AUCUNE;
        const CorneePosterieure::Estimation base = CorneePosterieure::estimer(
            methode, mm ? CalculTorique::kerato(k1) : k1, mm ? CalculTorique::kerato(k2) : k2, s.axe_k2);
        if (!axe_refuse && (c->dessin->angle_k2 != -base.axe || c->dessin->angle_k1 != -axe_K1(base.axe)))
            defaut(QString("diagram K axes %1/%2 for a steep axis %3")
                       .arg(-c->dessin->angle_k1)
                       .arg(-c->dessin->angle_k2)
                       .arg(base.axe));
        if (!incision_refusee && c->dessin->angle_inc != -s.axe_inc)
            defaut(QString("diagram incision %1 for %2").arg(-c->dessin->angle_inc).arg(s.axe_inc));
        if (c->etape < 7)
            return;
        CalculTorique m;
        m.unit_ind = s.mili ? 2 : 1;
        if (m.unit_ind == 1) {
            m.K1D = k1;
            m.K2D = k2;
        } else {
            m.K1mm = k1;
            m.K2mm = k2;
        }
        // An axis beyond its circle is no meridian: what is computed from it
        // is not on screen, and the engine is not given it.
        if (!axe_refuse) {
            m.K2axe = s.axe_k2;
            m.K1axe = axe_K1(s.axe_k2);
        }
        m.incD = s.inc;
        if (!incision_refusee)
            m.incaxe = s.axe_inc;
        m.p_sph = s.sph == 0 ? 0 : c->combo_sph->currentText().toDouble();
        CorneePosterieure::appliquer(methode, m);
        m.calcul_tout();
        QStringList d;
        auto comparer = [&d](const QLabel* l, const QString& attendu, const char* quoi) {
            if (l->text() != attendu)
                d << QString("%1 shows \"%2\", the engine gives \"%3\"").arg(quoi, l->text(), attendu);
        };
        // The estimate shows C' (the engine runs on K2' - K1'), which comes
        // from the steep axis too.
        comparer(c->label_astpre_D,
                 K_refuse || (s.totale && axe_refuse) ? QString() : texte_D(s.totale ? base.cyl : m.astpre_D),
                 "pre-operative");
        comparer(c->label_astpre_axe, axe_refuse ? QString() : texte_axe(m.astpre_axe), "pre-operative axis");
        comparer(c->label_astcross_D, croise_refuse ? QString() : texte_D(m.astcross_D), "crossed cylinder");
        comparer(c->label_astcross_axe, croise_refuse ? QString() : texte_axe(m.astcross_axe),
                 "crossed axis");
        ++stats[c->etape > 9 ? "(checked at step 10)" : "(checked at step 7)"];
        if (c->etape > 9) {
            // A result only for inputs that Calculate accepts.
            ListParam::Entrees e;
            e.od = s.od;
            e.og = s.og;
            e.sph_ind = s.sph;
            e.unite = s.mili ? 2 : 1;
            e.K1 = k1;
            e.K2 = k2;
            e.K1axe = axe_K1(s.axe_k2);
            e.K2axe = s.axe_k2;
            e.incD = s.inc;
            e.incaxe = s.axe_inc;
            e.posterieure = methode;
            ListParam r;
            r.lire_calcul(e, m, 7);
            const int code = Verification::code(r);
            if (code != Verification::ACCEPTE && code != Verification::NON_CALCULE)
                d << QString("a result is shown for inputs refused with code %1").arg(code);
            comparer(c->label_tcalc_D, texte_D(m.tcalc_D), "recommended");
            comparer(c->label_tcalc_axe, texte_axe(m.tcalc_axe), "lens axis");
            if (!c->label_tperfect_D->text().contains(CalculTorique::texte_tperfect(m.tperfect_D)))
                d << QString("ideal shows \"%1\", the engine gives %2")
                         .arg(c->label_tperfect_D->text(), CalculTorique::texte_tperfect(m.tperfect_D));
            const double choix = c->choix_torique;
            if (m.index_cylindre(choix) < 0)
                d << QString("lens shown %1 is not of the range").arg(choix);
            comparer(c->label_iolpost_3, "VELAN T" + CalculTorique::texte_D(choix), "lens");
            comparer(c->label_astpost_D, texte_D(m.residuel_D(choix)), "residual");
            comparer(c->label_astpost_axe, texte_axe(m.residuel_axe(choix)), "residual axis");
            const auto a =
                CalculTorique::avertissement(m.astcross_axe, m.residuel_axe(choix), m.residuel_D(choix));
            if (c->attention->isVisible() != (a == CalculTorique::INVERSION) ||
                c->attention_high->isVisible() != (a == CalculTorique::ELEVE))
                d << QString("warnings shown %1/%2, the engine gives %3")
                         .arg(c->attention->isVisible())
                         .arg(c->attention_high->isVisible())
                         .arg(int(a));
            if (c->dessin->angle_iol_vrai != m.tcalc_axe)
                d << QString("diagram lens axis %1 for %2").arg(c->dessin->angle_iol_vrai).arg(m.tcalc_axe);
        }
        if (!d.isEmpty())
            defaut("values on screen differ from the engine for " + s.texte() + ":\n    " + d.join("\n    "));
    }
};

} // namespace

MarcheAleatoire::~MarcheAleatoire() = default;

std::unique_ptr<MarcheAleatoire> MarcheAleatoire::creer(quint64 graine, const QString& dossier) {
    return std::make_unique<Promeneur>(graine, dossier);
}

} // namespace Marche
