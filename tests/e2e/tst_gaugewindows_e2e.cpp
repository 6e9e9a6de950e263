// Two gauges at one PC, each in a main window of its own: a force gauge streaming every
// 0.025 s in the first window and a torque meter in a fast run in a further one, recorded at
// once. Each window keeps exactly its own gauge's samples, files and records, and the further
// window comes back with its link at the next start.
#include "app/GaugeWindows.h"
#include "app/SeriesRecorder.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "link/CaptureFile.h"
#include "link/SerialLink.h"
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
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int Patience = 20000; // generous: two gauges and two windows on a busy machine
// How long both gauges stream side by side.
constexpr int RunMilliseconds = 6000;

const QStringList Rising{"--value", "0", "--amplitude", "1000", "--period", "1000"};
const QString ForceModel = QStringLiteral("FM-500");
const QString TorqueModel = QStringLiteral("FS-20");

QList<double> Values(const ChartModel& chart) {
    QList<double> values;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        values << it->value;
    return values;
}

QList<double> RecordValues(const TestRecord& record) {
    QList<double> values;
    for (const QPointF& sample : record.Samples)
        values << sample.y();
    return values;
}

template <typename T> T* Find(TMainForm& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

// The window's gauge has reported its model and whole settings; the display poll is off, so
// that no reading asked for before Start comes in as a sample the gauge never streamed.
bool Settled(TMainForm& window, const QString& model) {
    if (!QTest::qWaitFor([&] { return Find<QLabel>(window, "LabelModel")->text() == model; },
                         Patience))
        return false;
    if (!QTest::qWaitFor([&] { return !Find<QTimer>(window, "TimerReport")->isActive(); },
                         Patience))
        return false;
    Find<QAbstractButton>(window, "chkbUpdateDisplay")->setChecked(false);
    if (!QTest::qWaitFor([&] { return !Find<QTimer>(window, "TimerDisplay")->isActive(); },
                         Patience))
        return false;
    QTest::qWait(200);
    return true;
}

} // namespace

class TestGaugeWindowsEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void twoGaugesRecordSideBySide();
    void newWindowFindsAGaugeNoOtherWindowHolds();
};

void TestGaugeWindowsEndToEnd::twoGaugesRecordSideBySide() {
    GaugeSession session;
    GaugeSim torque;
    QVERIFY2(session.StartGaugePty(QStringList{"--model", ForceModel, "--speed", "fast",
                                               "--sample-time", "0.025", "--newfile"} +
                                   Rising),
             qPrintable(session.Gauge.ErrorText()));
    QVERIFY2(torque.StartPty(QStringList{"--model", TorqueModel, "--sample-time", "0.005"} + Rising,
                             2, session.Program.Ports()),
             qPrintable(torque.ErrorText()));
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));

    auto further = std::make_unique<GaugeWindows>(nullptr, nullptr);
    session.WriteComPortIni(QStringLiteral("COM1"));
    TMainForm& first = session.CreateWindow();
    first.SetWindows(further.get());
    TheProgram.DataDirectory = folder;
    session.ClickPortButton();
    QVERIFY(Settled(first, ForceModel));

    // The further window opens its own port; the first window's stays as it is.
    TMainForm& second =
        further->Open(WindowLink{false, true, QStringLiteral("COM2"), QStringLiteral("9600"),
                                 QStringLiteral("127.0.0.1"), 1001});
    QVERIFY(Settled(second, TorqueModel));
    QCOMPARE(second.windowTitle(), QStringLiteral("ZENTO FM (2)"));
    QVERIFY(&second.Gauge() != &first.Gauge());
    QCOMPARE(first.Gauge().DeviceFamily, Family::Force);
    QCOMPARE(second.Gauge().DeviceFamily, Family::Torque);

    const int forceMark = session.Gauge.Mark();
    const int torqueMark = torque.Mark();
    StallWatch stalls;
    Find<QAbstractButton>(first, "sbStart")->click();
    Find<QAbstractButton>(second, "sbStart")->click();
    QCOMPARE(first.Gauge().ExchangeState, ExchangeState::Streaming);
    QCOMPARE(second.Gauge().ExchangeState, ExchangeState::RawCapture);
    QVERIFY(session.Gauge.WaitForEvent("sample", forceMark, Patience, 10));
    QVERIFY(torque.WaitForEvent("sample", torqueMark, Patience, 50));
    QTest::qWait(RunMilliseconds / 2);
    // "Koniec" in the first window while the further one runs: the user is asked, and "No"
    // keeps both windows and both runs.
    session.Messages.AnswerYes = false;
    QVERIFY(!first.close());
    QCOMPARE(session.Messages.Shown.size(), 1);
    QVERIFY(session.Messages.Shown.constFirst().Text.contains(QStringLiteral("(1)")));
    QVERIFY(!first.IsClosed() && further->Windows().size() == 1);
    QVERIFY(first.Gauge().MeasurementRunning && second.Gauge().MeasurementRunning);
    session.Messages.AnswerYes = true;
    QTest::qWait(RunMilliseconds / 2);
    // The gauges fall silent by themselves, so that every sample they sent can be awaited.
    QVERIFY(session.Gauge.CommandAndWait("stream off"));
    QVERIFY(torque.CommandAndWait("stream off"));
    const QList<double> forceSent = session.Gauge.Samples(forceMark);
    const QList<double> torqueSent = torque.Samples(torqueMark);
    QTRY_COMPARE_WITH_TIMEOUT(first.ChartPointCount(), forceSent.size(), Patience);
    Find<QAbstractButton>(first, "sbStop")->click();
    Find<QAbstractButton>(second, "sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!first.Gauge().MeasurementRunning, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!second.Gauge().MeasurementRunning, Patience);
    QTRY_COMPARE_WITH_TIMEOUT(second.ChartPointCount(), torqueSent.size(), Patience);
    qInfo("force gauge: %d samples, torque meter: %d samples, longest stall %lld ms",
          int(forceSent.size()), int(torqueSent.size()), stalls.Longest());
    QVERIFY(stalls.Longest() < Patience);

    // Each window's chart, capture, results file and record hold its own gauge's samples.
    QCOMPARE(Values(first.ChartData()), forceSent);
    QCOMPARE(Values(second.ChartData()), torqueSent);
    QVERIFY(first.Capture().Path() != second.Capture().Path());
    QVERIFY(first.Gauge().ResultsFileActive);
    QVERIFY(!second.Gauge().ResultsFileActive);
    QFile results(first.Gauge().ResultsFileName);
    QVERIFY(results.open(QIODevice::ReadOnly));
    QList<double> written;
    for (const QByteArray& line : results.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            written << ReadNumber(line.trimmed()).value_or(-1e300);
    QCOMPARE(written, forceSent);
    for (auto [window, model, sent] : {std::tuple{&first, ForceModel, forceSent},
                                       std::tuple{&second, TorqueModel, torqueSent}}) {
        const QList<TestRecord>& records = window->Tests().Records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.constFirst().Context.Model, model);
        QCOMPARE(RecordValues(records.constFirst()), sent);
    }

    // The first window's close takes the further one along and remembers its link; with no
    // run under way nobody is asked.
    QVERIFY(first.close());
    QCOMPARE(session.Messages.Shown.size(), 1);
    QVERIFY(further->Windows().isEmpty());
    QFile config(session.Program.FilePath(QStringLiteral("config.xml")));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray stored = config.readAll();
    QVERIFY2(stored.contains("<ComPort>COM2</ComPort>"), stored.constData());

    // The next start opens it again on its own port, beside the first window on its own.
    further = std::make_unique<GaugeWindows>(nullptr, nullptr);
    TMainForm& restarted = session.CreateWindow();
    restarted.SetWindows(further.get());
    QVERIFY(session.ShowWindow());
    QTRY_COMPARE_WITH_TIMEOUT(further->Windows().size(), 1, Patience);
    TMainForm& restored = *further->Windows().constFirst();
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(restored, "LabelModel")->text(), TorqueModel, Patience);
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(restarted, "LabelModel")->text(), ForceModel, Patience);
    restarted.close();
    QVERIFY(further->Windows().isEmpty());
    session.Window.reset();
}

// "Nowe okno" without a link looks for its gauge as a first start does, and leaves the port
// the first window holds alone: a scan there would break into that window's conversation.
void TestGaugeWindowsEndToEnd::newWindowFindsAGaugeNoOtherWindowHolds() {
    GaugeSession session;
    GaugeSim other;
    QVERIFY(session.StartGaugePty({"--model", ForceModel}, 1));
    QVERIFY(other.StartPty({"--model", TorqueModel}, 2, session.Program.Ports()));
    GaugeWindows further(nullptr, nullptr);
    session.WriteComPortIni(QStringLiteral("COM1"));
    TMainForm& first = session.CreateWindow();
    first.SetWindows(&further);
    session.ClickPortButton();
    QVERIFY(Settled(first, ForceModel));

    // A scan that never ends is closed, so that the test reports instead of hanging.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* scan = qobject_cast<TAutoKonfForm*>(widget); scan && scan->isVisible())
                scan->reject();
    });
    guard.start(Patience);
    const int mark = session.Gauge.Mark();
    TMainForm& second = further.Open();
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(second, "LabelModel")->text(), TorqueModel, Patience);
    QCOMPARE(second.ComPort1().Settings().Port, QStringLiteral("COM2"));
    QVERIFY(second.Gauge().PortConfigured);
    // The first window's gauge heard nothing of the scan, and its window is still connected.
    QCOMPARE(session.Gauge.EventsOf("garbled", mark).size(), 0);
    QVERIFY(!session.Gauge.Orders(mark).contains("SI") ||
            Find<QAbstractButton>(first, "chkbUpdateDisplay")->isChecked());
    QVERIFY(first.Connected());
    QCOMPARE(first.ComPort1().Settings().Port, QStringLiteral("COM1"));
    QCOMPARE(Find<QLabel>(first, "LabelModel")->text(), ForceModel);
    first.close();
    session.Window.reset();
}

QTEST_MAIN(TestGaugeWindowsEndToEnd)
#include "tst_gaugewindows_e2e.moc"
