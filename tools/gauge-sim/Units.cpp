#include "Units.h"

namespace Units {

namespace {

constexpr double StandardGravity = 9.80665;

bool IsTorque(Family family) {
    return family == Family::Torque;
}

} // namespace

Family FamilyOf(const QByteArray& model) {
    const bool fb = model.contains("FB");
    if (model.contains("FS") || model.contains("TTM") || (fb && model.contains("TS")) ||
        (fb && model.contains("TW")))
        return Family::Torque;
    if (model.contains("FC"))
        return Family::ForceFc;
    return Family::Force;
}

QList<QByteArray> UnitList(Family family, const QByteArray& model) {
    if (IsTorque(family))
        return {"N*m", "N*cm", "kgf*m", "gf*m", "lbf*in", "kg"};
    const int k = model.indexOf('k');
    if (k < 0)
        return {"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"};
    // The capacity in kN stands between the second character and the "k".
    bool ok = false;
    const int capacity = k > 2 ? model.mid(2, k - 2).toInt(&ok) : 0;
    const bool small = ok && (capacity == 1 || capacity == 2);
    return {small ? QByteArray("N") : QByteArray("kN"), "kgf", "Lbf", "kg", "Lb"};
}

std::optional<QByteArray> UnitForToken(Family family, const QByteArray& model,
                                       const QByteArray& token) {
    const QList<QByteArray> units = UnitList(family, model);
    QByteArray unit = token.trimmed();
    if (!IsTorque(family)) {
        if (unit == "lb")
            unit = "Lb";
        else if (unit == "N" || unit == "kN")
            unit = units.first();
    }
    if (unit.isEmpty() || !units.contains(unit))
        return std::nullopt;
    return unit;
}

double PerBaseUnit(const QByteArray& unit, double acceleration) {
    const double g = acceleration > 0 ? acceleration : StandardGravity;
    // Force units per newton.
    if (unit == "N")
        return 1.0;
    if (unit == "kN")
        return 0.001;
    if (unit == "kgf")
        return 1.0 / StandardGravity;
    if (unit == "Lbf")
        return 0.22480894309971;
    if (unit == "ozf")
        return 3.5969430895953;
    if (unit == "kg")
        return 1.0 / g;
    if (unit == "Lb")
        return 2.2046226218488 / g;
    if (unit == "oz")
        return 35.27396194958 / g;
    // Torque units per newton-metre.
    if (unit == "N*m")
        return 1.0;
    if (unit == "N*cm")
        return 100.0;
    if (unit == "kgf*m")
        return 1.0 / StandardGravity;
    if (unit == "gf*m")
        return 1000.0 / StandardGravity;
    if (unit == "lbf*in")
        return 8.8507457676;
    return 1.0;
}

} // namespace Units
