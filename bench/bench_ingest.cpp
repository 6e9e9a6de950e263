// Ingestion speed: received text through the reply assembly into the chart data and the
// statistics (no redraw), compared with what a 115,200-baud link can carry; then the same
// family-0 lines through the real main window (offscreen, not shown, so never redrawn), with
// the event loop run after every chunk as the link's receive events would, and through the
// exchange owner into the headless recorder.
#include "app/MainForm.h"
#include "link/GaugeExchange.h"
#include "measure/ChartModel.h"
#include "protocol/ProcessData.h"
#include "recorder/Recorder.h"
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "storage/DataFile.h"
#include "storage/RunJournal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>

namespace {

constexpr int Lines = 1'000'000;
constexpr int ChunkBytes = 4096; // what one receive event typically holds at full speed
constexpr double LinkBytesPerSecond = 11'520.0;
// The fastest a force gauge streams: one line every 0.025 s.
constexpr double FastestGaugeLinesPerSecond = 40.0;

// The exchange's owner reduced to what a sample costs: the reply side with the gauge's
// settings, and the chart data with the statistics following it.
struct ChartOnly final : public ExchangeControl {
    GaugeState& Gauge() override { return FirstGauge(); }
    void IssueOrder(OrderSet::Order, const QByteArray&, bool) override {}
    void Settle() override {}
    void EndRun() override {}
    GaugeSettings Settings;
    ChartModel Chart{FirstGauge()};
};

QByteArray Family0Line(int i) {
    const double value = (i % 20000) / 100.0 - 100.0;
    const QByteArray digits = QByteArray::number(std::abs(value), 'f', 3);
    return QByteArray(1, value < 0 ? '-' : ' ') + digits.rightJustified(9, ' ') + " N  \r\n";
}

QByteArray CaptureLine(int i) {
    const double value = (i % 20000) / 100.0 - 100.0;
    return QByteArray(1, value < 0 ? '-' : ' ') +
           QByteArray::number(std::abs(value), 'f', 2).rightJustified(6, '0') + "\r\n";
}

// Heap in use, counting large blocks that the allocator maps separately.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Result {
    double Seconds = 0;
    double FirstWindowNs = 0; // per-sample cost among the first thousands
    double LastWindowNs = 0;  // and among the last of the million
    std::size_t HeapBytes = 0;
};

Result Ingest(std::uint8_t family, QByteArray (*line)(int), RunJournal* journal = nullptr) {
    FirstGauge() = GaugeState{};
    FirstGauge().ExchangeState = ExchangeState::Streaming;
    FirstGauge().DeviceFamily = family;
    FirstGauge().MeasurementRunning = true;
    FirstGauge().SampleTime = 0.025;
    FirstGauge().LowThreshold = -50;
    FirstGauge().HighThreshold = 50;

    QByteArray text;
    text.reserve(qsizetype(Lines) * 18);
    for (int i = 0; i < Lines; ++i)
        text += line(i);

    const std::size_t heapBefore = HeapInUse();
    ChartOnly target;
    ProcessData data(target.Settings, target);
    target.Settings.SetThresholdsOn(true);
    target.Chart.Follow(data, target.Settings);
    if (journal)
        QObject::connect(&data, &ProcessData::SampleTaken, &data,
                         [journal](double, double value) { journal->Append(value); });
    Result result;
    double earlyNs = 0, lateNs = 0;
    int earlySamples = 0, lateSamples = 0;
    QElapsedTimer clock;
    QElapsedTimer chunkClock;
    clock.start();
    for (qsizetype at = 0; at < text.size(); at += ChunkBytes) {
        const int before = target.Chart.PointCount();
        chunkClock.start();
        data.ProcessIncoming(text.mid(at, ChunkBytes));
        const double ns = double(chunkClock.nsecsElapsed());
        const int added = target.Chart.PointCount() - before;
        if (before >= 500 && before < 5000) {
            earlyNs += ns;
            earlySamples += added;
        } else if (before >= Lines - 50000) {
            lateNs += ns;
            lateSamples += added;
        }
    }
    result.Seconds = clock.nsecsElapsed() / 1e9;
    const int last = target.Chart.PointCount();
    result.FirstWindowNs = earlyNs / std::max(1, earlySamples);
    result.LastWindowNs = lateNs / std::max(1, lateSamples);
    result.HeapBytes = HeapInUse() - heapBefore;
    if (last != Lines)
        std::printf("  !! expected %d samples, got %d\n", Lines, last);
    return result;
}

void Report(const char* name, int lineBytes, QByteArray (*line)(int), std::uint8_t family) {
    const Result r = Ingest(family, line);
    const double rate = Lines / r.Seconds;
    const double linkRate = LinkBytesPerSecond / lineBytes;
    std::printf("%-22s %9.0f lines/s  (link carries %4.0f: %6.0fx, need 100x)\n", name, rate,
                linkRate, rate / linkRate);
    std::printf("%-22s per sample near the 1,000th %.0f ns, near the 1,000,000th %.0f ns "
                "(ratio %.2f, need <= 2)\n",
                "", r.FirstWindowNs, r.LastWindowNs, r.LastWindowNs / r.FirstWindowNs);
    std::printf("%-22s memory kept %.1f bytes per sample (need <= 64)\n", "",
                double(r.HeapBytes) / Lines);
}

// The same with the run's journal taking every sample as the window's does: the best of a
// few rounds each way, so that the machine's other work weighs less.
void ReportJournal(const char* name, QByteArray (*line)(int), std::uint8_t family) {
    constexpr int Rounds = 3;
    QTemporaryDir folder;
    double without = 1e300;
    double with = 1e300;
    for (int round = 0; round < Rounds; ++round) {
        without = std::min(without, Ingest(family, line).Seconds);
        RunJournal journal;
        const QString path =
            journal.Begin(DataFile::NewHeader({"FAST", "AUTO", "newton 'N'", "0.025"}, 0, "0.025"),
                          folder.path());
        with = std::min(with, Ingest(family, line, &journal).Seconds);
        journal.Flush();
        if (qsizetype(DataFile::Read(path).Values.size()) != Lines)
            std::printf("  !! the journal does not hold all %d samples\n", Lines);
        journal.Finish(true);
    }
    std::printf("%-22s with the run's journal %.0f lines/s, without %.0f (ratio %.3f, need <= "
                "1.10)\n",
                name, Lines / with, Lines / without, with / without);
}

// The same lines through TMainForm (its run journaled): Start as the user gives it, ProcessIncoming
// per chunk, then the event loop (statistics labels, the chart's refresh timer).
Result IngestWindow() {
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    // The window journals its run as in use, beside the bench's own files.
    qputenv("ZENTO_FM_RECOVERY", QFile::encodeName(folder.filePath(QStringLiteral("recovery"))));
    AppPaths::SetExecutablePathOverride(QDir(folder.path()).filePath(QStringLiteral("zento-fm")));
    FirstGauge() = GaugeState{};
    TMainForm window;
    FirstGauge().DeviceFamily = Family::Force;
    window.findChild<QLineEdit*>(QStringLiteral("EditSampleTime"))
        ->setText(QStringLiteral("0.025"));
    window.findChild<QAbstractButton*>(QStringLiteral("sbStart"))->click();

    QByteArray text;
    text.reserve(qsizetype(Lines) * 16);
    for (int i = 0; i < Lines; ++i)
        text += Family0Line(i);

    Result result;
    double earlyNs = 0, lateNs = 0;
    int earlySamples = 0, lateSamples = 0;
    QElapsedTimer clock;
    QElapsedTimer chunkClock;
    clock.start();
    for (qsizetype at = 0; at < text.size(); at += ChunkBytes) {
        const int before = window.ChartPointCount();
        chunkClock.start();
        window.Exchange().ProcessIncoming(text.mid(at, ChunkBytes));
        QCoreApplication::processEvents();
        const double ns = double(chunkClock.nsecsElapsed());
        const int added = window.ChartPointCount() - before;
        if (before >= 500 && before < 5000) {
            earlyNs += ns;
            earlySamples += added;
        } else if (before >= Lines - 50000) {
            lateNs += ns;
            lateSamples += added;
        }
    }
    result.Seconds = clock.nsecsElapsed() / 1e9;
    result.FirstWindowNs = earlyNs / std::max(1, earlySamples);
    result.LastWindowNs = lateNs / std::max(1, lateSamples);
    if (window.ChartPointCount() != Lines || FirstGauge().SampleStats.Count != Lines)
        std::printf("  !! expected %d samples, got %d plotted, %d counted\n", Lines,
                    window.ChartPointCount(), FirstGauge().SampleStats.Count);
    AppPaths::SetExecutablePathOverride(QString());
    return result;
}

void ReportWindow() {
    const Result r = IngestWindow();
    const double rate = Lines / r.Seconds;
    const double linkRate = LinkBytesPerSecond / 16;
    std::printf("%-22s %9.0f lines/s  (link carries %4.0f: %6.0fx, need 100x; "
                "gauge at 0.025 s sends %.0f: %.0fx)\n",
                "main window, family 0", rate, linkRate, rate / linkRate,
                FastestGaugeLinesPerSecond, rate / FastestGaugeLinesPerSecond);
    std::printf("%-22s per sample near the 1,000th %.0f ns, near the 1,000,000th %.0f ns "
                "(ratio %.2f, need <= 2)\n",
                "", r.FirstWindowNs, r.LastWindowNs, r.LastWindowNs / r.FirstWindowNs);
}

// The recorder's path: the exchange owner routes each chunk to the reply assembly, which hands
// the samples to the recorder.
void ReportRecorder() {
    FirstGauge() = GaugeState{};
    Recorder recorder(RecorderOptions{});
    GaugeExchange exchange(FirstGauge());
    recorder.Follow(exchange);
    FirstGauge().DeviceFamily = Family::Force;
    FirstGauge().SampleTime = 0.025;
    exchange.BeginRun(false);
    QByteArray text;
    text.reserve(qsizetype(Lines) * 16);
    for (int i = 0; i < Lines; ++i)
        text += Family0Line(i);
    QElapsedTimer clock;
    clock.start();
    for (qsizetype at = 0; at < text.size(); at += ChunkBytes)
        exchange.ProcessIncoming(text.mid(at, ChunkBytes));
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double rate = Lines / seconds;
    std::printf("%-22s %9.0f lines/s  (need >= 1,000,000: %s)\n", "recorder, family 0", rate,
                rate >= 1e6 ? "yes" : "NO");
    if (recorder.SampleCount() != Lines)
        std::printf("  !! expected %d samples, got %d\n", Lines, recorder.SampleCount());
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("Ingestion of %d lines in chunks of %d bytes\n", Lines, ChunkBytes);
    Report("family 0 (16 bytes)", 16, Family0Line, Family::Force);
    Report("capture lines (9 bytes)", 9, CaptureLine, Family::Torque);
    ReportJournal("family 0 (16 bytes)", Family0Line, Family::Force);
    ReportJournal("capture lines (9 bytes)", CaptureLine, Family::Torque);
    ReportWindow();
    ReportRecorder();
    return 0;
}
