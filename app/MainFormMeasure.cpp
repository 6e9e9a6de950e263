// On-line measurement: Start and Stop, a run begun at once or at a set time of day, the
// repeated stop order, the replay of a fast run's capture, and the results file.
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "app/RunJournalKeeper.h"
#include "app/SeriesRecorder.h"
#include "link/CaptureFile.h"
#include "link/CaptureReplay.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"
#include "protocol/Numbers.h"
#include "protocol/OrderSet.h"
#include "state/GaugeState.h"
#include "state/Messages.h"
#include "state/ProgramState.h"
#include "storage/ResultsFile.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <cmath>
#include <optional>

namespace {

// A sampling time as typed or reported; nothing for a text that is not a finite number
// ("inf" would put every sample at the same place).
std::optional<double> SampleTimeOf(const QString& text) {
    const std::optional<double> value = ReadNumber(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

// Only the seven-character lines of families 1 and 2 can be replayed from a capture; a force
// gauge's lines are longer and carry their unit, so a force gauge is always read as it sends,
// whether its run starts at once or at a set time.
bool RawCaptureFor(std::uint8_t family, double sampleTime) {
    return family != Family::Force && RecordRawFor(sampleTime);
}

} // namespace

void TMainForm::SetRunAtClock(std::shared_ptr<const DayClock> clock) {
    m_runAtClock = std::move(clock);
}

const DayClock& TMainForm::RunAtClock() {
    if (!m_runAtClock)
        m_runAtClock = std::make_shared<SystemDayClock>();
    return *m_runAtClock;
}

void TMainForm::sbStartClick() {
    const std::optional<double> sampleTime = SampleTimeOf(Settings().Text(SettingText::SampleTime));
    if (!sampleTime || *sampleTime <= 0) {
        ShowMessage(tr("Pomiar on-line"), tr("Zerowy czas próbkowania."), MessageIcon::Warning,
                    this);
        return;
    }
    // A fast run lives in its capture file: one that cannot be written would leave the run
    // in memory alone, or an earlier run's text to be replayed at Stop.
    CaptureFile& capture = m_exchange->Capture();
    if (RawCaptureFor(m_gauge.DeviceFamily, *sampleTime) && !capture.CanWrite()) {
        ShowMessage(tr("Pomiar on-line"),
                    tr("Nie można zapisać pliku %1: pomiar nie został rozpoczęty.")
                        .arg(QDir::toNativeSeparators(capture.Path())),
                    MessageIcon::Warning, this);
        return;
    }
    m_gauge.LowThreshold = ReadThreshold(Settings().Text(SettingText::Low));
    m_gauge.HighThreshold = ReadThreshold(Settings().Text(SettingText::High));
    BeginOnlineMeasurement();
    SetSeriesName(tr("Pomiar on-line"));
}

// A run continues the chart after its last point; it never clears it.
void TMainForm::BeginOnlineMeasurement() {
    m_resultsFailureReported = false;
    m_seriesOrigin = SeriesOrigin::Run;
    m_gauge.SampleTime = SampleTimeOf(Settings().Text(SettingText::SampleTime)).value_or(-1.0);
    m_gauge.ChartTimeOffset = 0;
    m_gauge.ChartIndexOffset = 0;
    if (const int points = m_chartModel.PointCount(); points > 0) {
        m_gauge.ChartTimeOffset = m_chartModel.LastX();
        m_gauge.ChartIndexOffset = points - 1;
    }
    const bool raw = RawCaptureFor(m_gauge.DeviceFamily, m_gauge.SampleTime);
    const bool runAt = m_instrument->RunAtChecked();
    m_tests->RunStarted();
    if (!runAt)
        JournalRunStarted();
    m_exchange->StartStream(raw, !runAt);
    SetStatusText(tr("Nadawanie ciągle włączone"));
    if (runAt) {
        m_instrument->ShowCountdown(ChartModel::EmptyStatText());
        auto* worker = new ComThread(this, m_instrument->StartTime(), raw, m_runAtClock);
        worker->Start();
    }
    EnableMeasure(true);
}

void TMainForm::RunAtCountdownMessageReceived(const RunAtCountdownEvent& message) {
    if (message.WParam == RunAtCountdownEvent::StartReached) {
        // A start that Stop or a new arming overtook changes nothing.
        if (!HandOverRunAtStart(message))
            return;
        m_exchange->BeginRun(message.RecordRaw);
        m_tests->RunStarted();
        JournalRunStarted();
        m_instrument->HideCountdown();
        return;
    }
    if (RunAtArmed(message.Generation))
        m_instrument->ShowCountdown(QString::number(message.LParam) + QStringLiteral(" s"));
}

void TMainForm::sbStopClick() {
    SetThreadRunning(false, this);
    m_instrument->HideCountdown();
    if (!m_exchange->Running()) {
        // No run: a gauge left sending, or a start that never came, is told to stop.
        m_exchange->StopStream(false);
        m_TimerPomiarOnline->start();
        return;
    }
    // The run goes on until the gauge confirms its end: the samples it sent before the
    // confirmation are kept, read as they come or, in a fast run, replayed at the end.
    m_replayPending = m_replayPending || m_exchange->FastCapture();
    m_stopClock.start();
    m_exchange->StopAtConfirmation();
    m_TimerPomiarOnline->start();
}

// A fast run's capture is plotted once the run is over, or once the gauge can no longer
// confirm its end.
void TMainForm::ReplayPendingCapture() {
    if (!m_replayPending)
        return;
    m_replayPending = false;
    ReplayCapture();
}

// The fast run's text is parsed and plotted only now, in one pass.
void TMainForm::ReplayCapture() {
    m_exchange->EndFastCapture();
    // The capture lines carry no unit: the last display reading tells it. When nothing
    // came, the points already shown keep the unit they were taken in.
    const QString unit = Settings().ReadingUnit();
    bool named = false;
    CaptureReplay::ReplayRun(m_exchange->Capture(), [&](double value) {
        if (!named) {
            named = true;
            m_gauge.SampleUnit = unit;
            SetYTitle(ProcessData::SampleTitle(unit));
        }
        AddSample(m_gauge.SampleTime, value);
    });
}

// Repeats the stop order until the gauge's "Me0" ends the run; there is no time-out. A fast run
// is shown after a while even without the confirmation.
void TMainForm::TimerPomiarOnlineTimer() {
    m_TimerPomiarOnline->stop();
    if (!m_gauge.MeasurementRunning)
        return;
    if (m_replayPending && m_stopClock.hasExpired(ReplayWithoutConfirmation.count()))
        ReplayPendingCapture();
    m_exchange->StopAtConfirmation();
    m_TimerPomiarOnline->start();
}

void TMainForm::RunEnded() {
    ReplayPendingCapture();
    m_journal->RunEnded(m_tests->RunEnded());
    // The repetition belongs to this run: left to its next tick it would stop a run started
    // within the second after the confirmation.
    m_TimerPomiarOnline->stop();
    SetStatusText(tr("Nadawanie ciągle wyłączone"));
    EnableMeasure(false);
    for (const WindowTimer timer :
         {WindowTimer::Battery, WindowTimer::Report, WindowTimer::Display})
        EnableTimer(timer);
}

void TMainForm::sbSetTimeClick() {
    m_instrument->SetStartTime(NextMinute(RunAtClock().MsecsSinceMidnight()));
}

// A results file that cannot be created is said once per run; the run goes on. The box waits
// until the reply side has returned, so that no event loop runs in the middle of parsing.
void TMainForm::StartResultsFile() {
    if (ResultsFile::Start(m_gauge, TheProgram.DataDirectory, QDateTime::currentDateTime()) ||
        m_resultsFailureReported)
        return;
    m_resultsFailureReported = true;
    const QString text = tr("Nie można utworzyć pliku wyników %1")
                             .arg(QDir::toNativeSeparators(m_gauge.ResultsFileName));
    SetStatusText(text);
    QMetaObject::invokeMethod(
        this, [this, text] { ShowMessage(tr("Pomiar on-line"), text, MessageIcon::Warning, this); },
        Qt::QueuedConnection);
}

// Each sample is appended on its own, so the file is complete after every sample.
void TMainForm::AppendResult(double value) {
    ResultsFile::Append(m_gauge.ResultsFileName, value);
}
