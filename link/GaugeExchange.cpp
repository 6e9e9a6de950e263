#include "link/GaugeExchange.h"

#include "link/CaptureFile.h"
#include "link/EthConnection.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"

GaugeExchange::GaugeExchange(GaugeState& state, QObject* parent, const QString& capturePath)
    : QObject(parent)
    , m_state(state)
    , m_serial(new SerialLink(this))
    , m_capture(capturePath.isEmpty() ? CaptureFile::Claim()
                                      : std::make_unique<CaptureFile>(capturePath)) {
    connect(m_serial, &GaugeLink::BytesReceived, this, &GaugeExchange::ProcessIncoming);
    // A new gauge is not streaming into any run.
    m_state.MeasurementRunning = false;
}

GaugeExchange::~GaugeExchange() = default;

void GaugeExchange::CreateNetworkLink() {
    if (m_network)
        return;
    m_network = new CEthConnection(this);
    connect(m_network, &GaugeLink::BytesReceived, this, &GaugeExchange::ProcessIncoming);
}

void GaugeExchange::ShutdownNetworkLink() {
    if (!m_network)
        return;
    m_network->disconnect(this);
    m_network->Shutdown();
    m_network = nullptr;
}

GaugeLink* GaugeExchange::ActiveLink() {
    if (m_state.UseEthernet)
        return m_network;
    return m_serial;
}

bool GaugeExchange::OpenSerial() {
    m_replies.ResetIncoming();
    m_capture->ClearBuffer();
    return m_serial->Open();
}

void GaugeExchange::ProcessIncoming(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    const bool raw = m_state.ExchangeState == ExchangeState::RawCapture;
    const auto take = [this, raw](const QByteArray& text) {
        if (raw) {
            m_capturedBytes += text.size();
            m_capture->Append(text);
            emit Captured(text);
        } else
            m_replies.ProcessIncoming(text);
    };
    if (m_stopPending && (raw || m_state.ExchangeState == ExchangeState::Streaming)) {
        // Sample lines hold digits, signs, points, spaces and units: "Me0" is the gauge's
        // confirmation, which the stream's own reading would skip as a short line.
        const QByteArray seen = m_rawTail + bytes;
        if (const qsizetype at = seen.indexOf("Me0"); at >= 0) {
            const qsizetype before = at - m_rawTail.size();
            if (before > 0)
                take(bytes.left(before));
            m_stopPending = false;
            m_rawTail.clear();
            m_state.ExchangeState = ExchangeState::Confirming;
            m_replies.ProcessIncoming(seen.mid(at));
            return;
        }
        m_rawTail = seen.right(2);
    }
    take(bytes);
}

void GaugeExchange::ResetIncoming() {
    m_replies.ResetIncoming();
}

// --- Orders ---------------------------------------------------------------------------

bool GaugeExchange::RefusesDuringRun() {
    if (!m_state.MeasurementRunning && !ThreadRunning(parent()))
        return false;
    emit StatusText(tr("Niedostępne w czasie pomiaru on-line"));
    return true;
}

bool GaugeExchange::Send(OrderSet::Order order, const QByteArray& argument) {
    if (RefusesDuringRun())
        return false;
    Issue(order, argument);
    return true;
}

bool GaugeExchange::Poll(OrderSet::Order order) {
    if (m_state.MeasurementRunning || m_state.ConnectionDialogOpen ||
        m_state.ExchangeState == ExchangeState::Downloading)
        return false;
    // The display and battery polls wait for a report being read; the report's own poll asks
    // again until a whole one has come.
    if (order != OrderSet::Order::Report && m_state.ExchangeState == ExchangeState::ReadingSettings)
        return false;
    Issue(order);
    return true;
}

void GaugeExchange::AskForDisplay() {
    IssueOrder(OrderSet::Order::Display, {}, false);
}

void GaugeExchange::IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) {
    const OrderSet::Info& info = OrderSet::InfoOf(order);
    Expect(info.State, info.Awaited);
    if (info.Status)
        emit StatusText(OrderSet::StatusOf(order));
    Write(OrderSet::TextOf(order, argument), press);
}

void GaugeExchange::Settle() {
    m_state.ExchangeState = ExchangeState::Confirming;
}

void GaugeExchange::EndRun() {
    m_state.MeasurementRunning = false;
    m_state.ExchangeState = ExchangeState::Confirming;
    emit RunEnded();
}

void GaugeExchange::Expect(ExchangeState state, std::uint8_t awaited) {
    m_state.ExchangeState = state;
    m_state.AwaitedReply = awaited;
}

void GaugeExchange::Write(const QByteArray& order, bool press) {
    emit OrderSent(order, press);
    // Also while the auto-configuration has the port open without the port button.
    if (GaugeLink* link = ActiveLink(); link && link->IsOpen())
        link->Write(order + "\r\n");
}

// --- The on-line run ------------------------------------------------------------------

void GaugeExchange::StartStream(bool raw, bool now) {
    const OrderSet::Info& info = OrderSet::InfoOf(OrderSet::Order::StreamOn);
    Expect(info.State, info.Awaited);
    emit StatusText(OrderSet::StatusOf(OrderSet::Order::StreamOn));
    // The gauge streams at once also for a later start: the set time only decides when the
    // readings begin to count.
    if (now)
        BeginRun(raw);
    Write(OrderSet::TextOf(OrderSet::Order::StreamOn), info.Press);
}

void GaugeExchange::BeginRun(bool raw) {
    m_stopPending = false;
    m_rawTail.clear();
    m_capturedBytes = 0;
    m_state.MeasurementRunning = true;
    m_state.ExchangeState = raw ? ExchangeState::RawCapture : ExchangeState::Streaming;
    if (raw) {
        // A capture file holds one run only: text a failed disk left from an earlier one goes.
        m_capture->ClearBuffer();
        m_capture->Start(); // a failure is retried at every block
    }
    emit RunBegun();
}

void GaugeExchange::StopStream(bool repeated) {
    if (!repeated) {
        Issue(OrderSet::Order::StreamOff);
        return;
    }
    // A repetition shows no status: an order sent meanwhile must not keep the confirmation
    // from being recognised.
    const OrderSet::Info& info = OrderSet::InfoOf(OrderSet::Order::StreamOff);
    Expect(info.State, info.Awaited);
    Write(OrderSet::TextOf(OrderSet::Order::StreamOff), info.Press);
}

void GaugeExchange::EndFastCapture() {
    m_stopPending = false;
    m_rawTail.clear();
    m_state.ExchangeState = ExchangeState::Confirming;
}

void GaugeExchange::StopAtConfirmation() {
    if (m_awaitingLink && m_state.MeasurementRunning) {
        m_stopPending = false;
        m_rawTail.clear();
        EndRun();
        return;
    }
    if (m_state.ExchangeState != ExchangeState::RawCapture &&
        m_state.ExchangeState != ExchangeState::Streaming) {
        StopStream(true);
        return;
    }
    const OrderSet::Info& info = OrderSet::InfoOf(OrderSet::Order::StreamOff);
    if (!m_stopPending)
        emit StatusText(OrderSet::StatusOf(OrderSet::Order::StreamOff));
    m_stopPending = true;
    // The state stays: what comes until the confirmation belongs to the capture.
    m_state.AwaitedReply = info.Awaited;
    Write(OrderSet::TextOf(OrderSet::Order::StreamOff), info.Press);
}

void GaugeExchange::ResumeStream() {
    m_replies.ResetIncoming();
    m_stopPending = false;
    m_rawTail.clear();
    if (m_state.MeasurementRunning && m_state.ExchangeState != ExchangeState::RawCapture)
        m_state.ExchangeState = ExchangeState::Streaming;
    // The status stays: the window tells of the link's return.
    Write(OrderSet::TextOf(OrderSet::Order::StreamOn),
          OrderSet::InfoOf(OrderSet::Order::StreamOn).Press);
}
