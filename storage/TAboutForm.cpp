#include "storage/TAboutForm.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("Informacja o programie"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}
