#include "measure/SettingsRules.h"

#include "protocol/DeviceModel.h"
#include "protocol/Numbers.h"

#include <cmath>

namespace {

constexpr double SlowMinimum = 0.1;
constexpr double FastMinimum = 0.025;
constexpr double OtherMinimum = 0.001;
constexpr double SpeedGroupMaximum = 99.9;
constexpr double OtherMaximum = 100.0;

// Half up to the given decimal places, in extended precision, as the gauge's own rule.
double RoundHalfUp(double value, int places) {
    const long double scale = std::pow(10.0L, places);
    return static_cast<double>(std::trunc(static_cast<long double>(value) * scale + 0.5L) / scale);
}

// The number parser takes "inf" and "nan" too; the gauge gets numbers only.
std::optional<double> ReadFinite(const QString& text) {
    const std::optional<double> value = ReadNumber(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QString> SettingsRules::CheckThreshold(const QString& text) {
    if (!ReadFinite(text))
        return tr("Niepoprawna wartość progu");
    return std::nullopt;
}

std::optional<QString> SettingsRules::CheckAcceleration(const QString& text) {
    if (!ReadFinite(text))
        return tr("Niepoprawna wartość przyspieszenia");
    return std::nullopt;
}

std::optional<QString> SettingsRules::CheckSampleCount(const QString& text,
                                                       const QString& caption) {
    const std::optional<int> count = ReadInteger(NormalizeDecimalSeparator(text));
    if (!count)
        return tr("Niepoprawna liczba próbek");
    if (*count <= 0 || *count > DeviceModel::SampleCountLimit(caption))
        return tr("Liczba próbek powinna się zawierać w podanym przedziale.");
    return std::nullopt;
}

std::optional<QString> SettingsRules::CheckSampleTime(const QString& text, bool speedVisible,
                                                      int speedIndex) {
    const std::optional<double> read = ReadFinite(text);
    if (!read)
        return tr("Niepoprawny czas próbkowania");
    const double value = *read;
    const bool slow = speedIndex == 0;
    const bool fast = speedIndex == 1;
    if (!speedVisible && slow && value < OtherMinimum)
        return tr("Minimalny czas próbkowania wynosi 0.001s.");
    if (speedVisible && slow && value < SlowMinimum)
        return tr("Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.");
    if (speedVisible && fast && value < FastMinimum)
        return tr("Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.");
    if (speedVisible && slow && RoundHalfUp(value, 1) != value)
        return tr("Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.");
    if (speedVisible && fast && RoundHalfUp(RoundHalfUp(value * 4, 1) / 4, 3) != value)
        return tr("Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.");
    if ((speedVisible && value > SpeedGroupMaximum) || (!speedVisible && value > OtherMaximum))
        return tr("Czas próbkowania powinien się zawierać w podanym przedziale.");
    return std::nullopt;
}
