#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

// Checks of the values typed into the settings panel before their order is sent. Each check
// returns the message to show, or nothing when the value may be sent.
class SettingsRules {
    Q_DECLARE_TR_FUNCTIONS(SettingsRules)

public:
    // Thresholds and acceleration: a number, no range.
    static std::optional<QString> CheckThreshold(const QString& text);
    static std::optional<QString> CheckAcceleration(const QString& text);
    // A whole number from 1 to the bound written in the caption ("Liczba próbek (1-800):").
    static std::optional<QString> CheckSampleCount(const QString& text, const QString& caption);
    // Limits and resolution of the sampling time; the speed group's visibility tells the
    // force family (SLOW 0.1 s steps, FAST 0.025 s steps) from the others (0.001-100 s).
    static std::optional<QString> CheckSampleTime(const QString& text, bool speedVisible,
                                                  int speedIndex);
};
