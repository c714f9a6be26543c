#ifndef FENETREIDENTITE_H
#define FENETREIDENTITE_H

#include "Identification.h"

#include <QDate>
#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <initializer_list>

class BoutonPerso;
class ListParam;
class QCalendarWidget;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;

// Identification dialog shown before the calculation sheet: surgeon and
// establishment, patient identifier and planned surgery date, delivery address
// and country. Filled from the record; the main window reads its editors back
// into the record at every snapshot, so the dialog outlives its modal run.
class FenetreIdentite : public QDialog {
    Q_OBJECT
public:
    FenetreIdentite(ListParam* param, int load);

    void transfertParam_info(ListParam* param);
    void update_langue_id(QString langue);
    BoutonPerso* getOK() const { return boutonOK; }

    bool eventFilter(QObject* obj, QEvent* event) override;

    // The delivery countries and the planned date's text (see Identification).
    static const QStringList& liste_pays();
    static constexpr int INDEX_FRANCE = Identification::INDEX_FRANCE;
    // The most characters of a patient identifier (its box on the sheet).
    static constexpr int LONGUEUR_PATIENT = 19;
    static QString texte_date(const QDate& d, const QString& langue);

    QString langue_id;
    QLineEdit* edit_nom_chir = nullptr;
    QString nom_chir_str;
    QFrame* nom_chir = nullptr;
    QLineEdit* edit_clinique = nullptr;
    QString clinique_str;
    QFrame* clinique = nullptr;
    QLineEdit* edit_nom_pat = nullptr;
    QString nom_pat_str;
    QFrame* nom_pat = nullptr;
    QDateEdit* edit_date = nullptr;
    QDate date_dat;
    QFrame* date = nullptr;
    QCalendarWidget* calend = nullptr;
    QFrame* calendrier = nullptr;
    QLineEdit* edit_adresse1 = nullptr;
    QString adresse1_str;
    QFrame* adresse1 = nullptr;
    QLineEdit* edit_adresse2 = nullptr;
    QString adresse2_str;
    QFrame* adresse2 = nullptr;
    QLineEdit* edit_codepost = nullptr;
    QString codepost_str;
    QLineEdit* edit_ville = nullptr;
    QString ville_str;
    QFrame* ville = nullptr;
    QComboBox* combo_codepays = nullptr;
    int codepays_ind = 0;
    QString codepays_str;
    QFrame* codepays = nullptr;
    int test_width_i = 0;
    QFontMetrics test_FM_i{QFont()};
    int flag_load = 0;
    QLabel *titre_chir = nullptr, *label_nom_chir = nullptr, *label_clinique = nullptr, *titre_pat = nullptr,
           *label_nom_pat = nullptr, *label_date = nullptr, *titre_livr = nullptr, *label_adresse1 = nullptr,
           *label_adresse2 = nullptr, *label_ville = nullptr, *label_codepost = nullptr,
           *label_codepays = nullptr;
    BoutonPerso *boutonOK = nullptr, *boutonCancel = nullptr;
    QFont fontTitre, fontTexte;

public slots:
    void update_edit_date(QDate d);
    void update_cal_date(QDate d);

private:
    // Construction, one section at a time.
    void choisir_polices();
    void sur_blanc(QFrame* f);
    QFrame* titre_section(QLabel*& titre);
    QFrame* ligne(QLabel*& label, int largeur_label);
    QFrame* ligne_edition(QLabel*& label, int largeur_label, QLineEdit*& edit, const char* nom, int largeur,
                          int longueur_max);
    QFrame* section(QLabel*& titre, std::initializer_list<QWidget*> lignes, int hauteur);
    QFrame* construire_chirurgien();
    QFrame* construire_patient();
    void construire_calendrier();
    QFrame* construire_livraison();
    QFrame* construire_boutons();
    void assembler(std::initializer_list<QFrame*> sections, QFrame* bandeBas);
};

#endif
