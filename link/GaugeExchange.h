#pragma once

#include "protocol/ExchangeControl.h"
#include "protocol/GaugeSettings.h"
#include "protocol/OrderSet.h"
#include "protocol/ProcessData.h"
#include "state/GaugeState.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class CaptureFile;
class CEthConnection;
class GaugeLink;
class SerialLink;

// The one owner of the exchange with a gauge: its links, the reply assembly with the gauge's
// settings, the exchange state with the awaited reply, and the run state. Every order goes through
// it, and it is the only writer of that state; it refuses an order that would break a run under
// way.
class GaugeExchange final : public QObject, public ExchangeControl {
    Q_OBJECT

public:
    // A fast run's raw text goes to `capturePath` (empty: the program's "fcf.dat"). The gauge's
    // state is `state`; a scheduled start armed by `parent` (its window) counts as a run.
    explicit GaugeExchange(GaugeState& state, QObject* parent = nullptr,
                           const QString& capturePath = {});
    ~GaugeExchange() override;

    // --- Links ------------------------------------------------------------------------
    SerialLink& Serial() { return *m_serial; }
    const SerialLink& Serial() const { return *m_serial; }
    // The network link exists from CreateNetworkLink until ShutdownNetworkLink.
    CEthConnection* Network() { return m_network; }
    void CreateNetworkLink();
    // Says goodbye to the peer; the link goes with this object, once nothing of it runs
    // (a message box raised under its read handler may be waiting for the user).
    void ShutdownNetworkLink();
    // The link the configuration chooses: the network one when it says so, else the port.
    GaugeLink* ActiveLink();
    // Opens the serial port after forgetting half a line of an earlier connection.
    bool OpenSerial();

    // Text from the gauge, as the active link hands it over: during a fast run unparsed into
    // the capture file, otherwise to the reply side.
    void ProcessIncoming(const QByteArray& bytes);
    // Forgets text not yet read (a new port, another speed).
    void ResetIncoming();
    // What the gauge says: subscribe to its events; its settings as last reported.
    ProcessData& Replies() { return m_replies; }
    GaugeSettings& Settings() { return m_settings; }
    CaptureFile& Capture() { return *m_capture; }

    // --- Orders -----------------------------------------------------------------------
    // While a run goes on or a start waits for its moment the gauge must keep streaming: an
    // order that opens another exchange would end the collection of samples. True (and a
    // status text says why) when the user's orders must not be sent now.
    bool RefusesDuringRun();
    // A user's order: refused during a run; true when sent.
    bool Send(OrderSet::Order order, const QByteArray& argument = {});
    // The display, battery and report polls: skipped quietly while a report or a download is
    // read, during a run and while the connection dialog is open; true when sent.
    bool Poll(OrderSet::Order order);
    // The first display reading the auto-configuration's scan asks for on each port.
    void AskForDisplay();

    // ExchangeControl: what the reply side asks for.
    void IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) override;
    GaugeState& Gauge() override { return m_state; }
    const GaugeState& Gauge() const { return m_state; }
    void Settle() override;
    void EndRun() override;

    // --- The on-line run --------------------------------------------------------------
    // "Se1" under its exchange; the run begins with it (`now`) or when a run-at worker hands
    // its start over (BeginRun). `raw` reads the stream as a fast capture.
    void StartStream(bool raw, bool now);
    // The gauge's stream counts from now on.
    void BeginRun(bool raw);
    // "Se0" under its exchange, with its status text the first time; the window repeats it
    // until the gauge confirms.
    void StopStream(bool repeated);
    // A fast run's capture is closed for its replay; what comes now is read as confirmations.
    void EndFastCapture();
    // "Se0" for a run that goes on until the gauge confirms: the samples it sends before its
    // "Me0" are kept (read, or captured in a fast run), and the confirmation ends the run.
    // Sent again while the confirmation is awaited.
    void StopAtConfirmation();
    // The link is lost and tried again: a run waits for it, and a stop asked for meanwhile
    // ends the run at once, as no gauge can confirm it.
    void SetAwaitingLink(bool awaiting) { m_awaitingLink = awaiting; }
    bool AwaitingLink() const { return m_awaitingLink; }
    // The link is back: the gauge is told to stream again, and a run under way reads its
    // stream as before (what was half read before the loss is forgotten).
    void ResumeStream();

    // Bytes captured in the current fast run, for a progress display.
    qint64 CapturedBytes() const { return m_capturedBytes; }

    bool Running() const { return m_state.MeasurementRunning; }
    bool FastCapture() const { return m_state.ExchangeState == ExchangeState::RawCapture; }

signals:
    // An order has left, before any reply to it; `press` shows it as a key press.
    void OrderSent(const QByteArray& order, bool press);
    // A status text to show for an order under way or a refusal.
    void StatusText(const QString& text);
    // The run has ended (its stop confirmed, or ended by a reply).
    void RunEnded();
    // A run's stream counts from now on (BeginRun).
    void RunBegun();
    // Text of a fast run as it is captured, before its replay makes samples of it.
    void Captured(const QByteArray& text);

private:
    void Expect(ExchangeState state, std::uint8_t awaited);
    void Write(const QByteArray& order, bool press);

    // A run's stop has been sent and its samples are taken until the confirmation; the last
    // bytes seen, so that a confirmation cut in two is recognised.
    bool m_stopPending = false;
    bool m_awaitingLink = false;
    qint64 m_capturedBytes = 0;
    QByteArray m_rawTail;

    GaugeState& m_state;
    SerialLink* m_serial = nullptr;
    CEthConnection* m_network = nullptr;
    std::unique_ptr<CaptureFile> m_capture;
    GaugeSettings m_settings;
    ProcessData m_replies{m_settings, *this};
};
