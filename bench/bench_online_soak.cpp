// Soak run: the program (its main window, offscreen and shown, so that the chart redraws)
// against the virtual gauge streaming a force reading every 0.025 s, for five minutes by
// default. At the end the samples the gauge sent, the samples plotted and the lines of the
// results file must be equal in number and value. With --two a torque meter records a fast
// capture at 0.005 s in a second window at the same time, and the force window's ingestion is
// compared with a single window's. Not part of the quick suite: run it with
// scripts/soak-online [seconds] [--two].
#include "app/GaugeWindows.h"
#include "measure/ChartView.h"
#include "protocol/Numbers.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/GaugeSession.h"
#include "tests/support/StallWatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int Patience = 20000;
constexpr int DefaultSeconds = 300;
constexpr int ReportEverySeconds = 30;

bool Fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    return false;
}

QList<double> ResultsFileValues(const QString& path) {
    QList<double> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            values << ReadNumber(line.trimmed()).value_or(-1e300);
    return values;
}

QList<double> ChartValues(const ChartModel& chart) {
    QList<double> values;
    values.reserve(chart.PointCount());
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        values << it->value;
    return values;
}

double CpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// What a soak measured of the force gauge's window.
struct Figures {
    bool Equal = false;
    double SamplesPerSecond = 0.0;
    qint64 LongestStall = 0;
    double CpuSeconds = 0.0;
};

// A torque meter in a fast capture in a further window: started, then checked at the end.
struct TorqueWindow {
    GaugeSim Gauge;
    std::unique_ptr<GaugeWindows> Windows;
    TMainForm* Window = nullptr;
    int Mark = 0;

    bool Start(GaugeSession& session, TMainForm& first) {
        if (!Gauge.StartPty({"--model", "FS-20", "--sample-time", "0.005", "--period", "3"}, 2,
                            session.Program.Ports()))
            return Fail("the torque meter did not start");
        Windows = std::make_unique<GaugeWindows>(nullptr, nullptr);
        first.SetWindows(Windows.get());
        Window = &Windows->Open(WindowLink{false, true, QStringLiteral("COM2"),
                                           QStringLiteral("9600"), QString(), 1001});
        const auto label = Window->findChild<QLabel*>(QStringLiteral("LabelModel"));
        if (!QTest::qWaitFor([&] { return label->text() == QStringLiteral("FS-20"); }, Patience) ||
            !QTest::qWaitFor(
                [&] {
                    return !Window->findChild<QTimer*>(QStringLiteral("TimerReport"))->isActive();
                },
                Patience))
            return Fail("the torque meter's settings report was not read");
        Window->findChild<QAbstractButton*>(QStringLiteral("chkbUpdateDisplay"))->setChecked(false);
        QTest::qWait(300);
        Mark = Gauge.Mark();
        Window->findChild<QAbstractButton*>(QStringLiteral("sbStart"))->click();
        return Window->Gauge().ExchangeState == ExchangeState::RawCapture ||
               Fail("the torque meter's run is not a fast capture");
    }

    bool Finish() {
        if (!Gauge.CommandAndWait("stream off"))
            return Fail("the torque meter did not stop streaming");
        Window->findChild<QAbstractButton*>(QStringLiteral("sbStop"))->click();
        const QList<double> sent = Gauge.Samples(Mark);
        if (!QTest::qWaitFor([&] { return !Window->Gauge().MeasurementRunning; }, Patience) ||
            !QTest::qWaitFor([&] { return Window->ChartPointCount() >= sent.size(); }, Patience))
            return Fail("the torque meter's capture was not replayed");
        const QList<double> plotted = ChartValues(Window->ChartData());
        const QList<TestRecord>& records = Window->Tests().Records();
        const bool equal = !sent.isEmpty() && plotted == sent && records.size() == 1 &&
                           records.constFirst().SampleCount == sent.size();
        std::printf("torque meter (second window): sent %lld, plotted %lld, record %d: %s\n",
                    sent.size(), plotted.size(),
                    records.isEmpty() ? 0 : records.constFirst().SampleCount,
                    equal ? "OK" : "MISMATCH");
        return equal;
    }
};

Figures Soak(int seconds, bool withTorque) {
    Figures figures;
    const auto failed = [&figures](const char* what) {
        Fail(what);
        return figures;
    };
    GaugeSession session;
    if (!session.StartGaugePty({"--model", "FM-500", "--speed", "fast", "--sample-time", "0.025",
                                "--newfile", "--period", "7"}))
        return failed("the gauge did not start");
    // As a user's program: the port is known to work, the first activation opens it.
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.WriteConfig(true);
    session.CreateWindow();
    if (!session.ShowWindow())
        return failed("the window was never activated");
    const auto waitFor = [](const std::function<bool()>& done) {
        return QTest::qWaitFor(done, Patience);
    };
    if (!waitFor([&] { return session.Find<QLabel>("LabelModel")->text() == "FM-500"; }) ||
        !waitFor([&] { return !session.Find<QTimer>("TimerReport")->isActive(); }))
        return failed("the settings report was not read");
    if (session.Find<QLineEdit>("EditSampleTime")->text() != QStringLiteral("0.025"))
        return failed("the sampling time field does not read 0.025");
    // No reading asked for before Start may arrive as a sample.
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(false);
    waitFor([&] { return !session.Find<QTimer>("TimerDisplay")->isActive(); });
    QTest::qWait(300);
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QDir().mkpath(folder);
    TheProgram.DataDirectory = folder;

    TorqueWindow torque;
    if (withTorque && !torque.Start(session, *session.Window))
        return figures;

    int replots = 0;
    QObject::connect(session.Window->Chart(), &QCustomPlot::afterReplot, [&] { ++replots; });
    const int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QElapsedTimer clock;
    clock.start();
    const double cpuAtStart = CpuSeconds();
    StallWatch stalls;
    std::printf("%6s %10s %10s %10s %8s\n", "s", "sent", "plotted", "file", "redraws");
    while (clock.elapsed() < qint64(seconds) * 1000) {
        QTest::qWait(1000);
        const qint64 elapsed = clock.elapsed() / 1000;
        if (elapsed % ReportEverySeconds == 0 || elapsed >= seconds) {
            std::printf("%6lld %10lld %10d %10lld %8d\n", elapsed,
                        session.Gauge.Samples(mark).size(), session.Window->ChartPointCount(),
                        ResultsFileValues(FirstGauge().ResultsFileName).size(), replots);
            std::fflush(stdout);
        }
    }
    const double runSeconds = clock.elapsed() / 1000.0;
    figures.CpuSeconds = CpuSeconds() - cpuAtStart;
    figures.LongestStall = stalls.Longest();
    // The gauge falls silent by itself, so that every sample it sent can be awaited.
    if (!session.Gauge.CommandAndWait("stream off"))
        return failed("the gauge did not stop streaming");
    const QList<double> sent = session.Gauge.Samples(mark);
    if (!waitFor([&] { return session.Window->ChartPointCount() >= sent.size(); }))
        std::printf("the chart holds %d of %lld samples\n", session.Window->ChartPointCount(),
                    sent.size());
    QTest::qWait(500);
    session.Find<QAbstractButton>("sbStop")->click();
    if (!waitFor([] { return !FirstGauge().MeasurementRunning; }))
        return failed("the gauge never confirmed the stop");

    const QList<double> plotted = ChartValues(session.Window->ChartData());
    const QList<double> written = ResultsFileValues(FirstGauge().ResultsFileName);
    std::printf("\nsamples sent by the gauge: %lld\n", sent.size());
    std::printf("samples plotted:           %lld\n", plotted.size());
    std::printf("results file lines:        %lld\n", written.size());
    std::printf("statistics count:          %d\n", FirstGauge().SampleStats.Count);
    std::printf("chart redraws: %d in %.0f s (%.1f per second, at most %.0f allowed)\n", replots,
                runSeconds, replots / runSeconds, 1000.0 / ChartView::RefreshInterval.count());
    const bool equal = sent.size() > 0 && plotted == sent && written == sent &&
                       FirstGauge().SampleStats.Count == sent.size();
    std::printf("%s\n", equal ? "OK: nothing lost, values equal"
                              : "MISMATCH: samples were lost or changed");
    figures.SamplesPerSecond = plotted.size() / runSeconds;
    std::printf("force gauge ingestion: %.2f samples/s; longest stall %lld ms; CPU %.1f s\n",
                figures.SamplesPerSecond, figures.LongestStall, figures.CpuSeconds);
    figures.Equal = equal && (!withTorque || torque.Finish());
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool two = arguments.contains(QStringLiteral("--two"));
    int seconds = DefaultSeconds;
    for (const QString& argument : arguments)
        if (argument != QStringLiteral("--two"))
            seconds = std::max(1, argument.toInt());
    std::printf("On-line soak: force gauge at 0.025 s for %d s\n", seconds);
    const Figures single = Soak(seconds, false);
    if (!two)
        return single.Equal ? 0 : 1;
    std::printf(
        "\nThe same beside a torque meter in a fast capture (0.005 s) in a second window\n");
    const Figures both = Soak(seconds, true);
    const double ratio =
        single.SamplesPerSecond > 0 ? both.SamplesPerSecond / single.SamplesPerSecond : 0;
    std::printf("\nforce window ingestion beside the second window: %.3f of a single window's "
                "(within 10%%: %s); longest stall %lld ms (single window: %lld ms)\n",
                ratio, std::abs(ratio - 1) <= 0.1 ? "yes" : "NO", both.LongestStall,
                single.LongestStall);
    return single.Equal && both.Equal && std::abs(ratio - 1) <= 0.1 ? 0 : 1;
}
