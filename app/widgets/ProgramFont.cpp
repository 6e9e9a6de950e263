#include "app/widgets/ProgramFont.h"

#include <QStringList>

namespace {

const QStringList& Families() {
    static const QStringList families{
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
        QStringLiteral("Arimo"),           QStringLiteral("Nimbus Sans"),
        QStringLiteral("Helvetica"),       QStringLiteral("DejaVu Sans")};
    return families;
}

} // namespace

QFont ProgramFont() {
    QFont font;
    font.setFamilies(Families());
    font.setPointSize(8);
    return font;
}

QFont ReadingFont() {
    QFont font;
    font.setFamilies(Families());
    font.setPixelSize(47);
    return font;
}
