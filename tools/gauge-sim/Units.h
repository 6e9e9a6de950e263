#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The instrument families, their unit lists and the conversion of readings between units.
namespace Units {

enum class Family { Force = 0, ForceFc = 1, Torque = 2 };

// The family a model name belongs to: "FC" -> 1; "FS", "TTM", "FB" with "TS" or "TW" -> 2
// (the torque names win over "FC"); anything else 0.
Family FamilyOf(const QByteArray& model);

// The units the gauge offers, in the order of its unit menu. A lower-case "k" in a force
// model's name marks a kN range; its first unit is "N" for a capacity of 1 or 2, else "kN".
QList<QByteArray> UnitList(Family family, const QByteArray& model);

// The unit an order's unit token selects on this model: " N" and "N" (also "kN") pick the
// first force unit, "lb" picks "Lb", every other token must name a unit of the list exactly.
std::optional<QByteArray> UnitForToken(Family family, const QByteArray& model,
                                       const QByteArray& token);

// How many of `unit` make one newton (force) or one newton-metre (torque). "kg", "Lb" and
// "oz" depend on the local gravitational acceleration; the "f" units use standard gravity.
double PerBaseUnit(const QByteArray& unit, double acceleration);

} // namespace Units
