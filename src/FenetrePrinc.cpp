#include "FenetrePrinc.h"

#include "ListParam.h"

#include <QCloseEvent>

// Placeholder: the main window is being written.
FenetrePrinc::FenetrePrinc() : QWidget(nullptr), langue_p("fr"), param_p(new ListParam) {
    setWindowTitle("Calculateur Torique Brevanta v2.0.0");
    setFixedSize(965, 650);
    move(10, 10);
}
FenetrePrinc::~FenetrePrinc() { delete param_p; }
void FenetrePrinc::enreg_p() {}
int FenetrePrinc::verif_remp() { return 0; }
void FenetrePrinc::messages_erreur(int) {}
void FenetrePrinc::page1vers2() {}
void FenetrePrinc::page2vers1() {}
void FenetrePrinc::page2vers3(QString) {}
void FenetrePrinc::page3vers2() {}
void FenetrePrinc::traduction_page1(QString) {}
void FenetrePrinc::traduction_page2(QString) {}
void FenetrePrinc::traduction_page3(QString) {}
void FenetrePrinc::impression2() {}
void FenetrePrinc::imp_apercu(QPrinter*) {}
void FenetrePrinc::save_pdf() {}
void FenetrePrinc::accept_pdf(QString) {}
void FenetrePrinc::open_identite() {}
void FenetrePrinc::reset() {}
void FenetrePrinc::verif_calcul() {}
int FenetrePrinc::confirm_quit() { return 0; }
int FenetrePrinc::confirm_reprise() { return 0; }
int FenetrePrinc::confirm_toric() { return 0; }
void FenetrePrinc::closeEvent(QCloseEvent* e) { e->accept(); }
