#include "protocol/GaugeSettings.h"

template <typename T> void GaugeSettings::Store(T& member, const T& value, Item item) {
    if (member == value)
        return;
    member = value;
    emit Changed(item);
}

void GaugeSettings::SetModel(const QString& model) {
    Store(m_model, model, Item::Model);
}

void GaugeSettings::SetSerialNumber(const QString& serialNumber) {
    Store(m_serialNumber, serialNumber, Item::SerialNumber);
}

void GaugeSettings::SetUnits(const QStringList& units) {
    // A new list always clears the selection, even when the list is the same.
    m_unitIndex = -1;
    m_units = units;
    emit Changed(Item::Units);
}

void GaugeSettings::SetUnitIndex(int index) {
    Store(m_unitIndex, index, Item::Unit);
}

void GaugeSettings::SetPeak(bool on, int direction) {
    if (m_peakOn == on && m_peakDirection == direction)
        return;
    m_peakOn = on;
    m_peakDirection = direction;
    emit Changed(Item::Peak);
}

void GaugeSettings::SetSpeed(int speed) {
    Store(m_speed, speed, Item::Speed);
}

void GaugeSettings::SetSpeedChoice(bool available) {
    Store(m_speedChoice, available, Item::Speed);
}

void GaugeSettings::SetAcquisition(int acquisition) {
    Store(m_acquisition, acquisition, Item::Acquisition);
}

void GaugeSettings::SetThresholdsOn(bool on) {
    Store(m_thresholdsOn, on, Item::Thresholds);
}

void GaugeSettings::SetSampleCountMax(const QString& maximum) {
    Store(m_sampleCountMax, maximum, Item::SampleCountMax);
}

void GaugeSettings::SetText(SettingText field, const QString& text) {
    if (m_texts.value(field) == text)
        return;
    m_texts[field] = text;
    emit TextChanged(field);
}

void GaugeSettings::Report(SettingText field, const QString& text) {
    if (!m_editing.value(field))
        SetText(field, text);
}

void GaugeSettings::SetEditing(SettingText field, bool editing) {
    m_editing[field] = editing;
}

QString GaugeSettings::ReadingUnit() const {
    const QString reading = m_reading.trimmed();
    const qsizetype space = reading.indexOf(QLatin1Char(' '));
    return (space < 0 ? reading : reading.mid(space + 1)).trimmed();
}

void GaugeSettings::SetReading(const QString& reading) {
    Store(m_reading, reading, Item::Reading);
}
