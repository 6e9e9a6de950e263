// A day-long run's data set, 110,000,000 samples, saved and opened again through the main
// window's "Zapisz dane" and "Otwórz dane" (file dialogs answered, worker threads, progress
// windows, the chart filled in slices, the test record made). Prints the seconds each takes,
// the longest time between two ticks of a 10 ms timer on the window's thread meanwhile, and
// the peak memory of the process. Targets: 30 s each way, 100 ms between ticks.
//
// bench_largefile [SAMPLES] runs another count; the file goes to a temporary folder under
// TMPDIR (about 1.7 GB for the full count).
#include "app/MainForm.h"
#include "app/widgets/FileDialogs.h"
#include "measure/ChartView.h"
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>
#include <vector>

namespace {

constexpr qsizetype DefaultSamples = 110'000'000;
constexpr std::chrono::milliseconds TickInterval{10};
constexpr double TargetSeconds = 30.0;
constexpr qint64 TargetGapMs = 100;
// Values go into the chart in pieces of this many while the data set is made.
constexpr qsizetype FillPiece = 1 << 20;

// Answers the window's file dialogs with the benchmark's file; prints any message.
class Answers final : public FileDialogPresenter, public MessagePresenter {
public:
    explicit Answers(QString path)
        : m_path(std::move(path)) {}
    QString SaveFile(QWidget*, const FileDialogRequest&) override { return m_path; }
    QStringList OpenFiles(QWidget*, const FileDialogRequest&) override { return {m_path}; }
    QString Folder(QWidget*, const FileDialogRequest&) override { return {}; }
    void Show(QWidget*, const MessageRequest& message) override {
        std::printf("message: %s\n", qPrintable(message.Text));
    }
    bool Ask(QWidget*, const MessageRequest&) override { return false; }

private:
    QString m_path;
};

// The longest time between two ticks of a timer on this thread while it is started.
class TickGaps final {
public:
    TickGaps() {
        m_timer.setInterval(TickInterval);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            const qint64 ran = ThreadMilliseconds();
            if (now - m_last > m_longest) {
                m_longest = now - m_last;
                m_longestAt = m_last;
                m_longestRan = ran - m_lastRan;
            }
            m_last = now;
            m_lastRan = ran;
        });
    }
    void Start() {
        m_longest = 0;
        m_last = 0;
        m_lastRan = ThreadMilliseconds();
        m_clock.start();
        m_timer.start();
    }
    qint64 Stop() {
        m_timer.stop();
        return m_longest;
    }
    // When the longest gap began, in milliseconds from Start, and how long of it the thread
    // itself ran (the rest it waited: for the processor, or for the memory map).
    qint64 LongestAt() const { return m_longestAt; }
    qint64 LongestRan() const { return m_longestRan; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestAt = 0;
    qint64 m_lastRan = 0;
    qint64 m_longestRan = 0;

    static qint64 ThreadMilliseconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }
};

// A memory figure of the process from /proc/self/status, in MiB.
double StatusMiB(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

// The peak resident memory so far, and the resident memory now.
double PeakMiB() {
    return StatusMiB("VmHWM:");
}
double ResidentMiB() {
    return StatusMiB("VmRSS:");
}

// One frame of the chart with the time axis showing `share` of the run around its middle.
qint64 ZoomedFrameMs(ChartView& chart, double share) {
    const QCPRange whole = chart.xAxis->range();
    chart.xAxis->setRange(whole.center() - whole.size() * share / 2,
                          whole.center() + whole.size() * share / 2);
    QElapsedTimer clock;
    clock.start();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    const qint64 ms = clock.elapsed();
    chart.xAxis->setRange(whole);
    return ms;
}

// Runs the menu item and waits for the window's work to end; the seconds it took.
double RunAndWait(TMainForm& window, const char* action) {
    QEventLoop loop;
    QObject::connect(&window, &TMainForm::FileWorkEnded, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    window.findChild<QAction*>(QLatin1String(action))->trigger();
    loop.exec();
    return clock.nsecsElapsed() / 1e9;
}

void Report(const char* what, double seconds, const TickGaps& gaps, qint64 gap) {
    std::printf("%-5s %7.1f s (target <= %.0f s) %s; longest gap between ticks %4lld ms "
                "(target <= %lld ms) %s, at %.1f s, running %lld ms of it; peak memory %.0f "
                "MiB\n",
                what, seconds, TargetSeconds, seconds <= TargetSeconds ? "ok" : "SLOW",
                static_cast<long long>(gap), static_cast<long long>(TargetGapMs),
                gap <= TargetGapMs ? "ok" : "SLOW", gaps.LongestAt() / 1e3,
                static_cast<long long>(gaps.LongestRan()), PeakMiB());
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    // Per-user folders (the results database among them) go to the temporary folder too.
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, dir.path().toLocal8Bit());
    QApplication app(argc, argv);
    const qsizetype count =
        argc > 1 ? qsizetype(std::strtoll(argv[1], nullptr, 10)) : DefaultSamples;
    QDir::setCurrent(dir.path());
    AppPaths::SetExecutablePathOverride(dir.filePath(QStringLiteral("zento-fm")));
    const QString path = dir.filePath(QStringLiteral("day.txt"));
    Answers answers(path);
    SetFileDialogPresenter(&answers);
    SetMessagePresenter(&answers);

    {
        TMainForm window;
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("EditSampleTime"))
            ->setText(QStringLiteral("0.01"));
        // Gauge-like readings: two decimals, a slow wave.
        const double residentBefore = ResidentMiB();
        QElapsedTimer fill;
        fill.start();
        std::vector<double> piece;
        for (qsizetype first = 0; first < count; first += FillPiece) {
            piece.clear();
            for (qsizetype i = first; i < std::min(count, first + FillPiece); ++i)
                piece.push_back(double((i * 7919) % 200'000) / 100.0 - 1000.0);
            window.ChartData().AddSamples(0.01, piece, false);
        }
        const double filled = fill.nsecsElapsed() / 1e9;
        // The chart draws the new data set on its own timer: that belongs to the filling.
        QEventLoop drawn;
        QTimer::singleShot(3 * ChartView::RefreshInterval, &drawn, &QEventLoop::quit);
        drawn.exec();
        QElapsedTimer redraw;
        redraw.start();
        window.Chart()->replot(QCustomPlot::rpImmediateRefresh);
        std::printf("%lld samples on the chart in %.1f s, redrawn whole in %lld ms; peak memory "
                    "%.0f MiB\n",
                    static_cast<long long>(window.ChartPointCount()), filled,
                    static_cast<long long>(redraw.elapsed()), PeakMiB());
        const double bytesPerSample =
            (ResidentMiB() - residentBefore) * 1048576.0 / double(std::max<qsizetype>(count, 1));
        std::printf("      memory per sample %.2f bytes (target <= 10), of which the samples' "
                    "store %.2f\n",
                    bytesPerSample,
                    double(window.ChartData().Samples().MemoryBytes()) /
                        double(std::max<qsizetype>(count, 1)));
        for (const double share : {0.1, 0.001, 0.00001})
            std::printf("      frame zoomed to %g of the run: %lld ms (target <= 16)\n", share,
                        static_cast<long long>(ZoomedFrameMs(*window.Chart(), share)));

        TickGaps gaps;
        gaps.Start();
        const double saved = RunAndWait(window, "Zapisz1");
        const qint64 saveGap = gaps.Stop();
        Report("save", saved, gaps, saveGap);
        std::printf("      file of %.0f MiB\n", QFileInfo(path).size() / 1048576.0);

        gaps.Start();
        const double opened = RunAndWait(window, "Otwrz1");
        const qint64 openGap = gaps.Stop();
        Report("open", opened, gaps, openGap);
        std::printf("      %lld samples back on the chart, %d in the statistics\n",
                    static_cast<long long>(window.ChartPointCount()),
                    FirstGauge().SampleStats.Count);
    }
    QFile::remove(path);
    SetMessagePresenter(nullptr);
    SetFileDialogPresenter(nullptr);
    AppPaths::SetExecutablePathOverride(QString());
    return 0;
}
