#include "app/widgets/CheckBox.h"

CheckBox::CheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {
    // toggled fires for setChecked as well as for the user, and only on a real change.
    connect(this, &QCheckBox::toggled, this, &CheckBox::Click);
}
