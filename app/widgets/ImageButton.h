#pragma once

#include <QAbstractButton>
#include <QString>

// A clickable picture (the keys of the instrument picture): shows one of the program's
// pictures at its own size, with a hint, and raises Click when clicked.
class ImageButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit ImageButton(QWidget* parent = nullptr);

    QString Picture() const { return m_picture; }
    void SetPicture(const QString& name);

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_picture;
    QPixmap m_pixmap;
};
