#pragma once

#include "app/widgets/SpeedButton.h"

#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSize>
#include <QString>

// The building blocks the main window's panels share: named controls with the sizes the
// design gives them, and tight layouts.
namespace PanelLayout {

// Property of an edit field holding the length the user may type.
inline constexpr const char* TypingLimitProperty = "TypingLimit";
inline constexpr int ButtonHeight = 22;
inline constexpr QSize SetButtonSize{20, 20};

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel* Label(const char* name, QWidget* parent, const QString& text = {}) {
    return Named(new QLabel(text, parent), name);
}

inline QLineEdit* Edit(const char* name, QWidget* parent, const QString& text, int maxLength,
                       int width) {
    auto* edit = Named(new QLineEdit(text, parent), name);
    edit->setMaxLength(maxLength);
    edit->setProperty(TypingLimitProperty, maxLength);
    edit->setFixedWidth(width);
    edit->setFixedHeight(SetButtonSize.height());
    return edit;
}

inline SpeedButton* Button(const char* name, QWidget* parent, const QString& picture,
                           const QString& text = {}) {
    auto* button = Named(new SpeedButton(text, parent), name);
    if (!picture.isEmpty())
        button->SetPicture(picture);
    button->setFixedHeight(ButtonHeight);
    return button;
}

// The small button beside an edit field that sends its value.
inline SpeedButton* SetButton(const char* name, QWidget* parent) {
    auto* button = Named(new SpeedButton({}, parent), name);
    button->SetPicture(QStringLiteral("icon-set"), {14, 14});
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(SetButtonSize);
    return button;
}

inline QGroupBox* Group(const char* name, QWidget* parent) {
    return Named(new QGroupBox(parent), name);
}

template <typename Layout>
Layout* Tight(Layout* layout, int left = 3, int top = 1, int right = 3, int bottom = 2,
              int spacing = 3) {
    layout->setContentsMargins(left, top, right, bottom);
    layout->setSpacing(spacing);
    return layout;
}

// The main window's panels are white under their controls.
inline QFrame* WhitePanel(QFrame* panel, const char* name) {
    Named(panel, name);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

// A panel keeps its designed size unless its contents need more (longer translations):
// growing beats clipping a caption.
inline void KeepDesignedHeight(QWidget* panel, int height) {
    panel->setMinimumHeight(height);
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

inline void KeepDesignedWidth(QWidget* panel, int width) {
    panel->setMinimumWidth(width);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

inline void MakeBold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

} // namespace PanelLayout
