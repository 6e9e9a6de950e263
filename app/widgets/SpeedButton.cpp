#include "app/widgets/SpeedButton.h"

#include "app/widgets/Pictures.h"

SpeedButton::SpeedButton(const QString& text, QWidget* parent)
    : QToolButton(parent) {
    setText(text);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QToolButton::clicked, this, &SpeedButton::Click);
}

void SpeedButton::SetPicture(const QString& name, QSize size) {
    setIcon(Pictures::Icon(name, size));
    setIconSize(size);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}
