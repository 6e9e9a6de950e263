#include "protocol/DeviceModel.h"

#include "state/GaugeState.h"

std::uint8_t DeviceModel::FamilyOf(const QString& model) {
    std::uint8_t family = Family::Force;
    if (model.contains(QLatin1String("FC")))
        family = Family::ForceFC;
    const bool fb = model.contains(QLatin1String("FB"));
    if (model.contains(QLatin1String("FS")) || model.contains(QLatin1String("TTM")) ||
        (fb && model.contains(QLatin1String("TS"))) || (fb && model.contains(QLatin1String("TW"))))
        family = Family::Torque;
    return family;
}

QStringList DeviceModel::UnitListFor(std::uint8_t family, const QString& model) {
    if (family == Family::Torque) {
        return {QStringLiteral("N*m"),  QStringLiteral("N*cm"),   QStringLiteral("kgf*m"),
                QStringLiteral("gf*m"), QStringLiteral("lbf*in"), QStringLiteral("kg")};
    }
    const qsizetype k = model.indexOf(QLatin1Char('k'));
    if (k < 0) {
        return {QStringLiteral("N"),   QStringLiteral("kgf"), QStringLiteral("Lbf"),
                QStringLiteral("ozf"), QStringLiteral("kg"),  QStringLiteral("Lb"),
                QStringLiteral("oz")};
    }
    // The capacity is written from the third character of the name up to the "k".
    bool ok = false;
    const int capacity = k > 2 ? model.mid(2, k - 2).toInt(&ok) : -1;
    const bool small = ok && (capacity == 1 || capacity == 2);
    return {small ? QStringLiteral("N") : QStringLiteral("kN"), QStringLiteral("kgf"),
            QStringLiteral("Lbf"), QStringLiteral("kg"), QStringLiteral("Lb")};
}

QString DeviceModel::SampleTimeCaption(std::uint8_t family, int speedIndex) {
    QString range;
    if (family == Family::Force)
        range = speedIndex == 1 ? QStringLiteral(" (0.025-99.9):") : QStringLiteral(" (0.1-99.9):");
    else
        range = QStringLiteral(" (0.001-100):");
    return tr("Czas próbkowania") + range;
}

QString DeviceModel::SampleCountCaption(const QString& bound) {
    return tr("Liczba próbek") + QStringLiteral(" (1-") + bound + QStringLiteral("):");
}

int DeviceModel::SampleCountLimit(const QString& caption) {
    const qsizetype dash = caption.indexOf(QLatin1Char('-'));
    const qsizetype paren = caption.indexOf(QLatin1Char(')'));
    if (dash < 0 || paren < 0 || paren <= dash)
        return 0;
    bool ok = false;
    const int limit = caption.mid(dash + 1, paren - dash - 1).trimmed().toInt(&ok);
    return ok ? limit : 0;
}
