#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

class ChartModel;
class GaugeExchange;
class PortControl;

// Brings the gauge's link back after a loss: the same port or host is tried every second for
// the time the connection dialog sets. A run under way waits meanwhile and then takes up its
// stream again on its own time scale, a break in the chart's line marking the gap; without a
// run the link simply comes back. When the time passes the run ends with what it measured.
class LinkRecovery final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds RetryInterval{1000};

    LinkRecovery(GaugeExchange& exchange, PortControl& port, ChartModel& chart,
                 QObject* parent = nullptr);

    // Whether a loss is followed by retries, as the connection dialog sets it.
    bool Enabled() const;
    // How long the retries go on: the dialog's minutes, or what a test set.
    std::chrono::milliseconds Limit() const;
    void SetLimit(std::optional<std::chrono::milliseconds> limit) { m_limit = limit; }

    // The link is lost (a fast run has been ended already): the retries begin.
    // `gaugeStreaming`: the gauge was told to stream (a run, or a start waiting for its moment).
    void Begin(bool gaugeStreaming);
    // No more retries, and no run waits any longer (the window closes).
    void Cancel();
    bool Waiting() const { return m_retry.isActive(); }

signals:
    // What is happening, for the status bar.
    void StatusText(const QString& text);
    // The link is open again; the run, if one is under way, has taken up its stream.
    void Restored();

private:
    void Tick();
    void Restore();
    void GiveUp();
    void Finish();
    void ShowWaiting();
    void RunBegun();
    void SampleAdded();
    // Where the first sample after a gap belongs: its time since the run's first sample,
    // in whole sampling steps.
    double PlaceAfterGap(double sampleTime) const;

    GaugeExchange& m_exchange;
    PortControl& m_port;
    ChartModel& m_chart;
    QTimer m_retry;
    QElapsedTimer m_sinceLoss;
    std::optional<std::chrono::milliseconds> m_limit;
    QString m_linkName;
    // The gauge was told to stream when the link went: once back without a run it is told
    // to stop.
    bool m_gaugeStreaming = false;
    // The run's time base: a chart time and the moment it stands for (the run's first
    // sample, or its start until that comes).
    QElapsedTimer m_runClock;
    double m_runOrigin = 0.0;
    bool m_originFromSample = false;
};
