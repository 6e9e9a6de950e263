#pragma once

#include <QToolButton>

// A compact push button (the "sb..." buttons): a caption, a picture or both, without the
// wide minimum of ordinary push buttons, raising Click when pressed.
class SpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit SpeedButton(const QString& text = {}, QWidget* parent = nullptr);

    // Shows the named picture at the given size beside the caption (alone when the button has
    // no caption and its style is set to Qt::ToolButtonIconOnly afterwards).
    void SetPicture(const QString& name, QSize size = {16, 16});

signals:
    void Click();
};
