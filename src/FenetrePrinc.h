#ifndef FENETREPRINC_H
#define FENETREPRINC_H

#include <QString>
#include <QWidget>

class BandeBasAccueil;
class BandeBasCalcul;
class BandeBasImplant;
class BandeHaut;
class BoutonPays;
class BoutonPerso;
class FenetreIdentite;
class ListParam;
class PageAccueil;
class PageCalcul;
class PageImplant;
class QPrintPreviewDialog;
class QPrinter;
class QVBoxLayout;

// The main window, fixed 965 x 650: one page at a time between the top band
// with the flags and the page's own bottom band.
class FenetrePrinc : public QWidget {
    Q_OBJECT
public:
    FenetrePrinc();
    ~FenetrePrinc() override;

    void enreg_p();
    int verif_remp();
    void messages_erreur(int code);

    BandeHaut* haut = nullptr;
    PageAccueil* accueil = nullptr;
    BandeBasAccueil* basaccueil = nullptr;
    PageImplant* implant = nullptr;
    BandeBasImplant* basimplant = nullptr;
    PageCalcul* calcul = nullptr;
    BandeBasCalcul* bascalcul = nullptr;
    QString langue_p;
    BoutonPays* anglais_p = nullptr;
    BoutonPays* francais_p = nullptr;
    BoutonPerso* boutonOK = nullptr;
    BoutonPerso* imprimer = nullptr;
    FenetreIdentite* fenident = nullptr;
    QPrintPreviewDialog* apercu = nullptr;
    QVBoxLayout *layoutaccueil = nullptr, *layoutimplant = nullptr, *layoutcalcul = nullptr;
    ListParam* param_p = nullptr;
    int flag_save = 0;
    int flag_save_info = 0;
    int flag_imprim = 0;
    int flag_verif = 0;
    int flag_reset = 0;
    int test_police_p = 0;
    // Whether the last drawing of the sheet reached its printer or file.
    bool feuille_ecrite = false;

public slots:
    void page1vers2();
    void page2vers1();
    void page2vers3(QString modele);
    void page3vers2();
    void traduction_page1(QString pays_p);
    void traduction_page2(QString pays_p);
    void traduction_page3(QString pays_p);
    void impression2();
    void imp_apercu(QPrinter* Printer);
    void save_pdf();
    void accept_pdf(QString fileName);
    void open_identite();
    void reset();
    void verif_calcul();
    int confirm_quit();
    int confirm_reprise();
    int confirm_toric();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void changer_langue(const QString& pays_p);
    // Page-building steps shared by the moves.
    void relier_drapeaux(void (FenetrePrinc::*traduction)(QString));
    void construire_page1();
    void construire_page2();
    void construire_page3();
    void poser_layout(QVBoxLayout*& membre, QWidget* page, QWidget* bande);
    void quitter_pages_sauf(QWidget* garder);
    void remplacer_param(ListParam* p);
    void preparer_feuille();
    // Two-button question box without parent; 0 for the first button, 1 for
    // the second. Escape and the box's close button give `sans_reponse`.
    static int question(const QString& titre, const QString& texte, const QString& oui, const QString& non,
                        int sans_reponse = 1);

    // Set while the window asks its enclosing scroll frame to close after
    // the user agreed to quit, so that the frame does not ask again.
    bool fermeture_acceptee = false;
    friend class CadreDefilant;
};

#endif
