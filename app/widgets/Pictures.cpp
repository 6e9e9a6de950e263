#include "app/widgets/Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace Pictures {

QString PathOf(const QString& name) {
    return QStringLiteral(":/pictures/") + name + QStringLiteral(".svg");
}

bool Exists(const QString& name) {
    return QFile::exists(PathOf(name));
}

QPixmap Render(const QString& name, QSize size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (!Exists(name))
        return pixmap;
    QSvgRenderer renderer(PathOf(name));
    if (!renderer.isValid())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon Icon(const QString& name, QSize size) {
    return QIcon(Render(name, size));
}

} // namespace Pictures
