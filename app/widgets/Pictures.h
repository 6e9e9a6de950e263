#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures (":/pictures/<name>.svg"), drawn at the size they are shown
// at, so that they stay sharp on any screen.
namespace Pictures {

// Resource path of a picture by its name, e.g. "flag-pl".
QString PathOf(const QString& name);

// The picture drawn into a transparent pixmap of the given logical size (device pixel ratio
// of the primary screen); an empty pixmap of that size when the picture does not exist.
QPixmap Render(const QString& name, QSize size);

QIcon Icon(const QString& name, QSize size);

bool Exists(const QString& name);

} // namespace Pictures
