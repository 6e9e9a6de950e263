#pragma once

#include "GaugeConfig.h"
#include "Units.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>

// The instrument itself: its settings, its memories and its reading, and the answer to each
// order. Knows nothing of the line, of time sources or of misbehaviour.
class GaugeCore final {
public:
    using EventSink = std::function<void(const QByteArray&)>;

    struct Answer {
        enum class Kind { Reply, Ignored, Unknown };
        Kind What = Kind::Reply;
        QList<QByteArray> Lines; // each ends with CR LF; empty: nothing is sent
        bool StartStream = false;
        bool StopStream = false;
    };

    GaugeCore(const GaugeConfig& config, EventSink events);

    // `now` is the gauge's clock in seconds; it drives the reading.
    Answer Handle(const QByteArray& order, double now);

    // Continuous sending.
    bool Streaming() const { return m_streaming; }
    void SetStreaming(bool on);
    // The line sent at time t, and the value as sent ("-12.34") for the event log.
    QByteArray StreamLine(double t, QByteArray* valueText = nullptr);

    // The keypad and the stdin commands. Each returns false with an error text when refused.
    // A unit change during continuous sending of families 1 and 2 gives the "Munit" line to
    // send in *announce.
    bool SetUnit(const QByteArray& token, QByteArray* announce, QByteArray* error);
    void SetSignalValue(double value);
    void SetSignalAmplitude(double amplitude);
    bool SetSignalPeriod(double seconds);
    bool SetBattery(int percent);
    void SetPower(bool on);
    void SetStandby(bool on);
    void PressMem(double now);

    int Family() const { return int(m_family); }
    QByteArray Unit() const { return m_unit; }
    double SampleTime() const { return m_sampleTime; }
    bool Powered() const { return m_powered; }
    int MemoryCount(int index) const { return int(m_memories.at(index).Values.size()); }
    // Every setting as key=value words (values escaped), for the "state" event.
    QByteArray StateWords() const;

private:
    QByteArray DisplayLine(double now);
    double Reading(double t);
    double SignalBase(double t) const;
    double PerBase() const;
    QList<QByteArray> Report() const;
    QList<QByteArray> Dump(int index) const;
    QByteArray Sample(double value) const;
    void Change(const QByteArray& key, const QByteArray& value);
    void ResetPeak() { m_peakValid = false; }

    EventSink m_events;
    Units::Family m_family = Units::Family::Force;
    QByteArray m_model;
    QByteArray m_serial;
    QByteArray m_unit;
    int m_peak = 0;
    int m_speed = 0;
    double m_sampleTime = 0.1;
    int m_acquisition = 0;
    int m_count = 100;
    int m_countMax = 800;
    double m_thrMin = 0;
    double m_thrMax = 0;
    double m_thrZero = 0;
    bool m_thrOn = false;
    double m_acceleration = 9.81;
    int m_battery = 87;
    int m_decimals = 2;
    char m_plusSign = ' ';
    bool m_answerWhileStreaming = false;

    double m_offsetBase = 0;    // signal, in newtons or newton-metres
    double m_amplitudeBase = 0; // likewise
    double m_period = 10;
    double m_tareBase = 0;
    bool m_peakValid = false;
    double m_peakBase = 0;

    bool m_powered = true;
    bool m_standby = false;
    bool m_streaming = false;
    std::array<MemorySeries, 3> m_memories;
};
