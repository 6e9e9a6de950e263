#include "link/TConnectionForm.h"

TConnectionForm::TConnectionForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ConnectionForm"));
    setWindowTitle(tr("Ustawienia połączenia"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}
