#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>

// What the model name of a settings report tells about the instrument: its family, its unit
// list and the sampling-time range shown beside the sample-time field.
class DeviceModel {
    Q_DECLARE_TR_FUNCTIONS(DeviceModel)

public:
    // The sample-count bound before a gauge is known, and once its model is.
    static constexpr int InitialSampleCountMax = 800;
    static constexpr int IdentifiedSampleCountMax = 6400;

    static std::uint8_t FamilyOf(const QString& model);
    // Unit items for the family; a lower-case "k" in a force model's name marks a kN range.
    static QStringList UnitListFor(std::uint8_t family, const QString& model);
    // "Czas próbkowania" with the range for the family and speed (0 SLOW, 1 FAST).
    static QString SampleTimeCaption(std::uint8_t family, int speedIndex);
    // "Liczba próbek (1-<bound>):"
    static QString SampleCountCaption(const QString& bound);
    // The bound of a sample-count caption: the text between its first "-" and first ")".
    static int SampleCountLimit(const QString& caption);
};
