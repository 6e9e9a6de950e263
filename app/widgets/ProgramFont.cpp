#include "app/widgets/ProgramFont.h"

#include <QFontInfo>
#include <QStringList>

namespace {

const QString DesignedFamily = QStringLiteral("Liberation Sans");

// The designed face first, then faces with the same metrics, then any legible sans serif.
const QStringList& Families() {
    static const QStringList families{DesignedFamily,
                                      QStringLiteral("Arial"),
                                      QStringLiteral("Arimo"),
                                      QStringLiteral("Nimbus Sans"),
                                      QStringLiteral("Helvetica"),
                                      QStringLiteral("DejaVu Sans")};
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

QString DesignedFontFamily() {
    return DesignedFamily;
}

QString DesignedFontPackage() {
    return QStringLiteral("fonts-liberation2");
}

bool DesignedFontInstalled() {
    return QFontInfo(ProgramFont()).family() == DesignedFamily;
}
