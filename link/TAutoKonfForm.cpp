#include "link/TAutoKonfForm.h"

TAutoKonfForm::TAutoKonfForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AutoKonfForm"));
    setWindowTitle(tr("Auto-Konfi."));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}
