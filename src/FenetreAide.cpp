#include "FenetreAide.h"

#include <QLabel>

// Placeholder: the help window is being written.
FenetreAide::FenetreAide(int page, QString) : QDialog(nullptr), page_act(page - 1) {
    pixaide_lab = new QLabel(this);
    etape = new QLabel(this);
}
void FenetreAide::click_page(int, QString) {}
