// Soak run: the program (its main window, offscreen and shown, so that the chart redraws)
// against the virtual gauge streaming a force reading every 0.025 s, for five minutes by
// default. At the end the samples the gauge sent, the samples plotted and the lines of the
// results file must be equal in number and value. Not part of the quick suite: run it with
// scripts/soak-online [seconds].
#include "measure/ChartView.h"
#include "protocol/Numbers.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

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

bool Soak(int seconds) {
    GaugeSession session;
    if (!session.StartGaugePty({"--model", "FM-500", "--speed", "fast", "--sample-time", "0.025",
                                "--newfile", "--period", "7"}))
        return Fail("the gauge did not start");
    // As a user's program: the port is known to work, the first activation opens it.
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.WriteConfig(true);
    session.CreateWindow();
    if (!session.ShowWindow())
        return Fail("the window was never activated");
    const auto waitFor = [](const std::function<bool()>& done) {
        return QTest::qWaitFor(done, Patience);
    };
    if (!waitFor([&] { return session.Find<QLabel>("LabelModel")->text() == "FM-500"; }) ||
        !waitFor([&] { return !session.Find<QTimer>("TimerReport")->isActive(); }))
        return Fail("the settings report was not read");
    if (session.Find<QLineEdit>("EditSampleTime")->text() != QStringLiteral("0.025"))
        return Fail("the sampling time field does not read 0.025");
    // No reading asked for before Start may arrive as a sample.
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(false);
    waitFor([&] { return !session.Find<QTimer>("TimerDisplay")->isActive(); });
    QTest::qWait(300);
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QDir().mkpath(folder);
    TheProgram.DataDirectory = folder;

    int replots = 0;
    QObject::connect(session.Window->Chart(), &QCustomPlot::afterReplot, [&] { ++replots; });
    const int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QElapsedTimer clock;
    clock.start();
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
    // The gauge falls silent by itself, so that every sample it sent can be awaited.
    if (!session.Gauge.CommandAndWait("stream off"))
        return Fail("the gauge did not stop streaming");
    const QList<double> sent = session.Gauge.Samples(mark);
    if (!waitFor([&] { return session.Window->ChartPointCount() >= sent.size(); }))
        std::printf("the chart holds %d of %lld samples\n", session.Window->ChartPointCount(),
                    sent.size());
    QTest::qWait(500);
    session.Find<QAbstractButton>("sbStop")->click();
    if (!waitFor([] { return !FirstGauge().MeasurementRunning; }))
        return Fail("the gauge never confirmed the stop");

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
    return equal;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultSeconds;
    std::printf("On-line soak: force gauge at 0.025 s for %d s\n", seconds);
    return Soak(seconds) ? 0 : 1;
}
