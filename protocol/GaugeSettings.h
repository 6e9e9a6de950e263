#pragma once

#include "protocol/DeviceModel.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

// Text fields of the settings panel: what the gauge reported, or what the user typed since.
enum class SettingText { SampleCount, SampleTime, Low, High, Zero, Acceleration };

// The gauge's settings and its last reading, as the settings panel shows them. The reply
// side writes what the gauge reports, the panel writes what the user picks or types; the
// panel follows every change, so nothing needs to be read back from a widget.
class GaugeSettings final : public QObject {
    Q_OBJECT

public:
    enum class Item {
        Model, // the model's name
        SerialNumber,
        Units,          // the list of units (the selection is cleared with it)
        Unit,           // the selected unit
        Peak,           // PEAK on or off, and its direction
        Speed,          // SLOW or FAST, and whether the gauge has the choice
        Acquisition,    // MANUAL or AUTO
        Thresholds,     // thresholds on or off
        SampleCountMax, // the largest sample count the gauge accepts
        Reading,        // the last reading
    };
    Q_ENUM(Item)

    // Items of the speed, acquisition and PEAK direction groups.
    static constexpr int Slow = 0;
    static constexpr int Fast = 1;
    static constexpr int Manual = 0;
    static constexpr int Auto = 1;
    static constexpr int Push = 0;
    static constexpr int Pull = 1;

    using QObject::QObject;

    QString Model() const { return m_model; }
    QString SerialNumber() const { return m_serialNumber; }
    void SetModel(const QString& model);
    void SetSerialNumber(const QString& serialNumber);

    // Empty until a gauge has named its units.
    QStringList Units() const { return m_units; }
    void SetUnits(const QStringList& units);
    // -1: none selected.
    int UnitIndex() const { return m_unitIndex; }
    void SetUnitIndex(int index);
    // The selected unit's name, or nothing.
    QString UnitName() const { return m_units.value(m_unitIndex); }

    bool PeakOn() const { return m_peakOn; }
    int PeakDirection() const { return m_peakDirection; }
    void SetPeak(bool on, int direction);
    void SetPeakOn(bool on) { SetPeak(on, m_peakDirection); }

    int Speed() const { return m_speed; }
    // Only force gauges of the first family have a speed to choose.
    bool SpeedChoice() const { return m_speedChoice; }
    void SetSpeed(int speed);
    void SetSpeedChoice(bool available);

    int Acquisition() const { return m_acquisition; }
    void SetAcquisition(int acquisition);

    bool ThresholdsOn() const { return m_thresholdsOn; }
    void SetThresholdsOn(bool on);

    // As the gauge states it; empty until a gauge is known.
    QString SampleCountMax() const { return m_sampleCountMax; }
    void SetSampleCountMax(const QString& maximum);

    QString Text(SettingText field) const { return m_texts.value(field); }
    void SetText(SettingText field, const QString& text);
    // What the gauge reports for a field; a field the user is typing into keeps the typing.
    void Report(SettingText field, const QString& text);
    void SetEditing(SettingText field, bool editing);

    // The reading as the panel shows it ("+12.34 N"), and its unit.
    QString Reading() const { return m_reading; }
    QString ReadingUnit() const;
    void SetReading(const QString& reading);

signals:
    void Changed(GaugeSettings::Item item);
    void TextChanged(SettingText field);

private:
    template <typename T> void Store(T& member, const T& value, Item item);

    QString m_model;
    QString m_serialNumber;
    QStringList m_units;
    int m_unitIndex = -1;
    bool m_peakOn = false;
    int m_peakDirection = Push;
    int m_speed = Slow;
    bool m_speedChoice = true;
    int m_acquisition = Manual;
    bool m_thresholdsOn = false;
    QString m_sampleCountMax = QString::number(DeviceModel::InitialSampleCountMax);
    QHash<SettingText, QString> m_texts;
    QHash<SettingText, bool> m_editing;
    QString m_reading = QStringLiteral("0 g");
};
