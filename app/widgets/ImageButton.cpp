#include "app/widgets/ImageButton.h"

#include "app/widgets/Pictures.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

ImageButton::ImageButton(QWidget* parent)
    : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and pressed with Space, like any other button.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &ImageButton::Click);
}

void ImageButton::SetPicture(const QString& name) {
    m_picture = name;
    m_pixmap = Pictures::Render(name, size());
    update();
}

QSize ImageButton::sizeHint() const {
    return {24, 24};
}

void ImageButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    if (!m_picture.isEmpty())
        m_pixmap = Pictures::Render(m_picture, size());
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
    if (isDown()) {
        // Darken while held: the key gives way under the finger.
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
