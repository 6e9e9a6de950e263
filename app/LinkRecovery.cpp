// Retries of a lost link, and a run taking up its stream after the gap.
#include "app/LinkRecovery.h"

#include "app/PortControl.h"
#include "link/GaugeExchange.h"
#include "link/GaugeLink.h"
#include "link/NewThread.h"
#include "measure/ChartModel.h"
#include "state/GaugeState.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

LinkRecovery::LinkRecovery(GaugeExchange& exchange, PortControl& port, ChartModel& chart,
                           QObject* parent)
    : QObject(parent)
    , m_exchange(exchange)
    , m_port(port)
    , m_chart(chart) {
    m_retry.setInterval(RetryInterval);
    connect(&m_retry, &QTimer::timeout, this, &LinkRecovery::Tick);
    // The port button, or the dialog's "Zastosuj", may bring the link back first.
    connect(&port, &PortControl::SerialOpenChanged, this, [this](bool open) {
        if (open)
            Restore();
    });
    connect(&port, &PortControl::NetworkConnected, this, &LinkRecovery::Restore);
    connect(&exchange, &GaugeExchange::RunBegun, this, &LinkRecovery::RunBegun);
    // A run that ended before its stream came back leaves no break for the next one.
    connect(&exchange, &GaugeExchange::RunEnded, this, [this] { m_chart.BreakBeforeNext({}); });
    connect(&chart, &ChartModel::SampleAdded, this, &LinkRecovery::SampleAdded);
}

bool LinkRecovery::Enabled() const {
    return m_exchange.Gauge().ReconnectOnLoss;
}

std::chrono::milliseconds LinkRecovery::Limit() const {
    if (m_limit)
        return *m_limit;
    return std::chrono::minutes(std::clamp(m_exchange.Gauge().ReconnectMinutes,
                                           Reconnection::LowestMinutes,
                                           Reconnection::HighestMinutes));
}

void LinkRecovery::Begin(bool gaugeStreaming) {
    if (Waiting())
        return;
    m_linkName = m_port.LinkName();
    m_gaugeStreaming = gaugeStreaming;
    m_exchange.SetAwaitingLink(true);
    m_sinceLoss.start();
    m_retry.start();
    ShowWaiting();
}

void LinkRecovery::Cancel() {
    Finish();
}

void LinkRecovery::Finish() {
    m_retry.stop();
    m_exchange.SetAwaitingLink(false);
}

void LinkRecovery::ShowWaiting() {
    const auto left = std::chrono::ceil<std::chrono::seconds>(
        Limit() - std::chrono::milliseconds(m_sinceLoss.elapsed()));
    emit StatusText(tr("Połączenie z %1 utracone, ponawianie... (%2 s)")
                        .arg(m_linkName)
                        .arg(std::max<qint64>(0, left.count())));
}

void LinkRecovery::Tick() {
    if (std::chrono::milliseconds(m_sinceLoss.elapsed()) >= Limit()) {
        GiveUp();
        return;
    }
    // The connection dialog (and the scan it starts) has the port meanwhile; its "Zastosuj"
    // opens the link itself.
    if (!m_exchange.Gauge().ConnectionDialogOpen && m_port.Reopen()) {
        Restore();
        return;
    }
    ShowWaiting();
}

void LinkRecovery::Restore() {
    const GaugeLink* link = m_exchange.ActiveLink();
    if (!Waiting() || !link || !link->IsOpen())
        return;
    Finish();
    if (m_exchange.Running()) {
        // Placed as it comes, so that a gauge slow to stream again is not put too early.
        m_chart.BreakBeforeNext([this](double sampleTime) { return PlaceAfterGap(sampleTime); });
        m_exchange.ResumeStream();
    } else if (ThreadRunning(parent())) {
        // A start waiting for its moment needs the gauge streaming when it comes.
        m_exchange.ResumeStream();
    } else {
        m_exchange.ResetIncoming();
        // A run ended meanwhile (Stop) may have left the gauge sending.
        if (std::exchange(m_gaugeStreaming, false))
            m_exchange.StopStream(false);
    }
    emit StatusText(tr("Połączenie z %1 przywrócone").arg(m_linkName));
    emit Restored();
}

void LinkRecovery::GiveUp() {
    Finish();
    m_port.AbandonReopen();
    // The run ends as a stop would have ended it: what it measured becomes its test.
    if (m_exchange.Running())
        m_exchange.EndRun();
    emit StatusText(tr("Połączenie z %1 nie zostało przywrócone").arg(m_linkName));
}

void LinkRecovery::RunBegun() {
    m_chart.BreakBeforeNext({});
    m_runOrigin = m_chart.NextX(m_exchange.Gauge().SampleTime);
    m_runClock.start();
    m_originFromSample = false;
}

void LinkRecovery::SampleAdded() {
    if (m_originFromSample || !m_exchange.Running())
        return;
    m_originFromSample = true;
    m_runOrigin = m_chart.LastX();
    m_runClock.start();
}

double LinkRecovery::PlaceAfterGap(double sampleTime) const {
    if (!m_runClock.isValid() || !(sampleTime > 0))
        return std::numeric_limits<double>::quiet_NaN(); // right after the last point
    const double elapsed = double(m_runClock.nsecsElapsed()) / 1e9;
    return m_runOrigin + std::round(elapsed / sampleTime) * sampleTime;
}
