#pragma once

#include "GaugeConfig.h"
#include "GaugeCore.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class EventLog;
class Link;
class Output;
class PtyLink;
class QSocketNotifier;
class TcpLink;

// The running gauge: the line, the gauge's clock and its continuous sending, the commands
// on stdin and the events on stdout around one GaugeCore.
class VirtualGauge final : public QObject {
    Q_OBJECT

public:
    explicit VirtualGauge(const GaugeConfig& config, QObject* parent = nullptr);
    ~VirtualGauge() override;

    // Opens the line and prints the ready event.
    bool Start(QString* error);

private:
    void OnReceived(const QByteArray& bytes);
    void OnOrder(const QByteArray& order);
    void OnListeners(int listeners);
    void OnStdin();
    void OnCommand(const QByteArray& line);
    void OnSignal();
    void StartStream();
    void StopStream();
    void OnStreamTick();
    bool OpenLink(QString* error);
    void Quit(int code);
    void Event(const QByteArray& line);
    double Now() const { return double(m_clock.nsecsElapsed()) / 1e9; }

    // Longest line the gauge collects before it takes the input for noise.
    static constexpr qsizetype InputLimit = 256;
    // After a stall the stream skips ahead rather than send more than this at once.
    static constexpr qint64 CatchUpLimit = 2000;

    GaugeConfig m_config;
    EventLog* m_log = nullptr;
    GaugeCore m_core;
    PtyLink* m_pty = nullptr;
    TcpLink* m_tcp = nullptr;
    Link* m_link = nullptr;
    Output* m_output = nullptr;
    QElapsedTimer m_clock;

    QTimer m_streamTimer;
    double m_runPeriod = 0; // seconds per sample for the current schedule
    qint64 m_runBaseNs = 0; // clock at the schedule's sample m_runBaseSamples
    qint64 m_runBaseSamples = 0;
    qint64 m_runSlots = 0; // schedule slots passed
    qint64 m_runSent = 0;  // samples sent in this run

    QByteArray m_input;
    QByteArray m_stdinBuffer;
    QSocketNotifier* m_stdinNotifier = nullptr;
    QSocketNotifier* m_signalNotifier = nullptr;
    int m_listeners = 0;
    bool m_burstDone = false;
    bool m_quitting = false;
    // The core's change events wait while an order is handled, so that the log reads
    // "order" before what the order changed.
    bool m_holdEvents = false;
    QList<QByteArray> m_heldEvents;
};
