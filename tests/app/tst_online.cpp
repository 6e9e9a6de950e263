// On-line measurement through the main window: Start and its refusals, the way a run is
// collected, thresholds, statistics and the time scale across runs, Clear, Stop and its
// repeated order, a unit change, the replay of a fast run, a start at a set time, the
// results file and the redraw rate. Orders are read on the gauge's side of a pseudo-terminal.
#include "app/MainForm.h"
#include "app/SeriesTableModel.h"
#include "app/widgets/RadioGroup.h"
#include "link/CaptureFile.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"
#include "measure/ChartView.h"
#include "protocol/Numbers.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/ResultsFile.h"
#include "tests/support/ExchangeSetup.h"
#include "tests/support/IsolatedProgram.h"
#include "tests/support/ManualDayClock.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/Unprivileged.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

constexpr int Patience = 5000;
using ManualClock = ManualDayClock;

constexpr std::int64_t At(int h, int m, int s = 0, int ms = 0) {
    return ManualDayClock::At(h, m, s, ms);
}

// A force gauge's stream line: sign, value right-aligned in nine columns, a space, the unit
// in three, CR LF.
QByteArray ForceLine(double value, const char* unit = "N") {
    QByteArray digits = QByteArray::number(std::abs(value), 'f', 5);
    while (digits.endsWith('0'))
        digits.chop(1);
    if (digits.endsWith('.'))
        digits.chop(1);
    return QByteArray(1, value < 0 ? '-' : ' ') + digits.rightJustified(9, ' ') + ' ' +
           QByteArray(unit).leftJustified(3, ' ') + "\r\n";
}

QList<double> Keys(const SampleStore& data) {
    QList<double> keys;
    for (const auto point : data)
        keys << point.key;
    return keys;
}

QList<double> Values(const SampleStore& data) {
    QList<double> values;
    for (const auto point : data)
        values << point.value;
    return values;
}

QList<double> Values(const QSharedPointer<ChartModel::Container>& data) {
    QList<double> values;
    for (auto it = data->constBegin(); it != data->constEnd(); ++it)
        values << it->value;
    return values;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The main window on a pseudo-terminal linked as COM1; the polls are stopped, so that every
// order the gauge's side reads comes from what the test did.
struct OnlineWindow {
    IsolatedProgram program;
    RecordingMessages messages;
    PtyPair gauge;
    std::unique_ptr<TMainForm> form;
    QByteArray received;

    explicit OnlineWindow(std::uint8_t family = Family::Force) {
        QFile::link(gauge.DevicePath(), QDir(program.Ports()).filePath(QStringLiteral("COM1")));
        QFile ini(program.FilePath(QStringLiteral("ComPort.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[ComPort1]\nPort=COM1\nBaudRate=9600\n");
        ini.close();
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
        form = std::make_unique<TMainForm>();
        FirstGauge().DeviceFamily = family;
        for (const char* timer : {"TimerDisplay", "TimerBattery", "TimerReport", "TimerPress"})
            Find<QTimer>(timer)->stop();
        Find<QAbstractButton>("sbComPort")->click();
    }
    template <typename T> T* Find(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    QString Text(const char* name) const {
        if (const auto* label = Find<QLabel>(name))
            return label->text();
        return Find<QLineEdit>(name)->text();
    }
    void SetText(const char* name, const QString& text) { Find<QLineEdit>(name)->setText(text); }
    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }

    // Every order the program has written to the line so far.
    QList<QByteArray> Orders() {
        received += gauge.ReadAvailable();
        QList<QByteArray> orders = received.split('\n');
        orders.removeLast(); // after the last line end
        for (QByteArray& order : orders)
            order = order.trimmed();
        return orders;
    }
    int CountOf(const char* order) { return int(Orders().count(QByteArray(order))); }

    // A run begun at once with the given sampling time.
    void StartRun(const QString& sampleTime) {
        SetText("EditSampleTime", sampleTime);
        Click("sbStart");
    }
    void Feed(const QList<double>& values, const char* unit = "N") {
        for (double value : values)
            form->Exchange().ProcessIncoming(ForceLine(value, unit));
    }
    // Stop, and the gauge's confirmation.
    void StopRun() {
        Click("sbStop");
        form->Exchange().ProcessIncoming("Me0\r\n");
    }
    QString CapturePath() const { return program.FilePath(QLatin1String(CaptureFile::FileName)); }
};

} // namespace

class TestOnline : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void startRefusesAnUnusableSampleTime_data();
    void startRefusesAnUnusableSampleTime();
    void startChoosesHowTheRunIsCollected_data();
    void startChoosesHowTheRunIsCollected();
    void statisticsAndChartThroughTheWindow_data();
    void statisticsAndChartThroughTheWindow();
    void secondRunContinuesTheTimeScale();
    void everyRunIsAJudgedTest();
    void clearEmptiesChartLabelsAndTitles();
    void stopRepeatsTheOrderUntilConfirmed();
    void nextRunIsNotStoppedByTheLastOnesRepetition_data();
    void nextRunIsNotStoppedByTheLastOnesRepetition();
    void unitChangeEndsTheRun();
    void fastRunIsReplayedAtStop_data();
    void fastRunIsReplayedAtStop();
    void fastRunWithoutConfirmation_data();
    void fastRunWithoutConfirmation();
    void replayOfNothingKeepsTheUnit();
    void replayWhenTheCaptureFileCannotBeWritten_data();
    void replayWhenTheCaptureFileCannotBeWritten();
    void scheduledStartHandsOverAtTheMoment_data();
    void scheduledStartHandsOverAtTheMoment();
    void stopDuringTheCountdownAbandonsTheStart();
    void scheduledStartInThePastBeginsAtOnce();
    void nextMinuteFillsTheFields_data();
    void nextMinuteFillsTheFields();
    void resultsFileFollowsEverySample_data();
    void resultsFileFollowsEverySample();
    void resultsFileInAMissingFolder();
    void chartRedrawsAtMostAtItsRate();
    void settingsWaitUntilTheRunEnds_data();
    void settingsWaitUntilTheRunEnds();
};

void TestOnline::startRefusesAnUnusableSampleTime_data() {
    QTest::addColumn<QString>("sampleTime");
    for (const char* text : {"0", "0.0", "0,000", "", "  ", "abc", "-0.1", "inf", "nan", "1e999"})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void TestOnline::startRefusesAnUnusableSampleTime() {
    QFETCH(QString, sampleTime);
    OnlineWindow window;
    QVERIFY(window.form->Connected());
    SetExchange(ExchangeState::Confirming, Reply::Tare);
    window.StartRun(sampleTime);
    QCOMPARE(window.messages.Shown.size(), 1);
    QCOMPARE(window.messages.Shown[0].Caption, QStringLiteral("Pomiar on-line"));
    QCOMPARE(window.messages.Shown[0].Text, QStringLiteral("Zerowy czas próbkowania."));
    QCOMPARE(window.messages.Shown[0].Icon, MessageIcon::Warning);
    QTest::qWait(50);
    QVERIFY(window.Orders().isEmpty());
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::Tare);
    QVERIFY(!FirstGauge().MeasurementRunning);
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
    QCOMPARE(window.Text("LabelSeriesName"), QStringLiteral("---"));
    QCOMPARE(window.form->StatusText(), QString());
}

void TestOnline::startChoosesHowTheRunIsCollected_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("sampleTime");
    QTest::addColumn<ExchangeState>("expected");
    QTest::addColumn<double>("sampleTimeValue");
    QTest::newRow("force 0.1") << 0 << "0.1" << ExchangeState::Streaming << 0.1;
    QTest::newRow("force 0.025 is read as it comes")
        << 0 << "0.025" << ExchangeState::Streaming << 0.025;
    QTest::newRow("FC 0.05") << 1 << "0.05" << ExchangeState::RawCapture << 0.05;
    QTest::newRow("torque 0.005") << 2 << "0.005" << ExchangeState::RawCapture << 0.005;
    QTest::newRow("torque 0,099") << 2 << "0,099" << ExchangeState::RawCapture << 0.099;
    QTest::newRow("torque 0.1") << 2 << "0.1" << ExchangeState::Streaming << 0.1;
}

void TestOnline::startChoosesHowTheRunIsCollected() {
    QFETCH(int, family);
    QFETCH(QString, sampleTime);
    QFETCH(ExchangeState, expected);
    QFETCH(double, sampleTimeValue);
    OnlineWindow window{std::uint8_t(family)};
    // A capture file left from an earlier run.
    {
        QFile old(window.CapturePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("-001.00\r\n");
    }
    window.Find<QLabel>("LabelSeriesName")->setText(QStringLiteral("SER1"));
    window.StartRun(sampleTime);
    QCOMPARE(window.Orders(), QList<QByteArray>{"Se1"});
    QVERIFY(window.messages.Shown.isEmpty());
    QCOMPARE(FirstGauge().ExchangeState, expected);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOn);
    QVERIFY(FirstGauge().MeasurementRunning);
    QCOMPARE(FirstGauge().SampleTime, sampleTimeValue);
    QCOMPARE(window.form->StatusText(), QStringLiteral("Nadawanie ciągle włączone"));
    QCOMPARE(window.Text("LabelSeriesName"), QStringLiteral("Pomiar on-line"));
    QVERIFY(!window.Find<QAbstractButton>("sbStart")->isEnabled());
    QVERIFY(!window.Find<QAction>("MenuMeasurementStart")->isEnabled());
    QVERIFY(window.Find<QAction>("MenuMeasurementStop")->isEnabled());
    QVERIFY(window.Find<QAbstractButton>("sbStop")->isEnabled());
    QVERIFY(window.Find<QLabel>("lblRemain")->isHidden());
    // Only a fast run starts a capture of its own.
    const QByteArray capture = ReadAll(window.CapturePath());
    QCOMPARE(capture.isEmpty(), expected == ExchangeState::RawCapture);
}

void TestOnline::statisticsAndChartThroughTheWindow_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QList<double>>("samples");
    QTest::addColumn<QStringList>("labels"); // Count, Min, Max, Sum, Average
    QTest::addColumn<double>("lowValue");
    QTest::addColumn<double>("highValue");
    QTest::newRow("three samples at 0.5 s")
        << "C"
        << "-5"
        << "5" << QList<double>{1, 2, 4} << QStringList{"3", "1 N", "4 N", "7 N", "2.3333 N"}
        << -5.0 << 5.0;
    QTest::newRow("first sample 5")
        << "C"
        << "0"
        << "0" << QList<double>{5} << QStringList{"1", "5 N", "5 N", "5 N", "5 N"} << 0.0 << 0.0;
    QTest::newRow("tiny samples: rounded sum and average, min and max as they came")
        << "C"
        << "0"
        << "0" << QList<double>{0.00002, 0.00002}
        << QStringList{"2", "0.00002 N", "0.00002 N", "0 N", "0 N"} << 0.0 << 0.0;
    QTest::newRow("negative samples")
        << "C"
        << "-2.5"
        << "2,5" << QList<double>{-1.5, 2.25, -3}
        << QStringList{"3", "-3 N", "2.25 N", "-2.25 N", "-0.75 N"} << -2.5 << 2.5;
    QTest::newRow("decimal comma: thresholds typed either way")
        << "de_DE"
        << "-5,5"
        << "7.25" << QList<double>{1.5, 2.25}
        << QStringList{"2", "1,5 N", "2,25 N", "3,75 N", "1,875 N"} << -5.5 << 7.25;
    QTest::newRow("thresholds that are no numbers count as 0")
        << "de_DE"
        << "abc"
        << "" << QList<double>{1} << QStringList{"1", "1 N", "1 N", "1 N", "1 N"} << 0.0 << 0.0;
}

void TestOnline::statisticsAndChartThroughTheWindow() {
    QFETCH(QString, locale);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QList<double>, samples);
    QFETCH(QStringList, labels);
    QFETCH(double, lowValue);
    QFETCH(double, highValue);
    QLocale::setDefault(QLocale(locale));
    OnlineWindow window;
    window.form->Settings().SetThresholdsOn(true);
    window.SetText("EditLow", low);
    window.SetText("EditHigh", high);
    window.StartRun(QStringLiteral("0.5"));
    QCOMPARE(FirstGauge().LowThreshold, lowValue);
    QCOMPARE(FirstGauge().HighThreshold, highValue);
    window.Feed(samples);
    window.form->RefreshStatLabels();

    QCOMPARE(window.form->YTitle(), QStringLiteral("Próbka [N]"));
    QCOMPARE(FirstGauge().SampleUnit, QStringLiteral("N"));
    QStringList shown;
    for (const char* label : {"LabelCount", "LabelMin", "LabelMax", "LabelSum", "LabelAver"})
        shown << window.Text(label);
    QCOMPARE(shown, labels);

    ChartModel& chart = window.form->ChartData();
    QList<double> keys;
    for (int i = 0; i < samples.size(); ++i)
        keys << i * 0.5;
    QCOMPARE(Keys(chart.Samples()), keys);
    QCOMPARE(Values(chart.Samples()), samples);
    // The threshold lines reach one step beyond the last sample; a level run keeps its ends.
    for (const auto& [line, value] :
         {std::pair{chart.LowLine(), lowValue}, std::pair{chart.HighLine(), highValue}}) {
        QVERIFY(!line->isEmpty());
        QCOMPARE(line->constBegin()->key, 0.5);
        QCOMPARE((line->constEnd() - 1)->key, samples.size() * 0.5);
        for (double y : Values(line))
            QCOMPARE(y, value);
    }
}

void TestOnline::secondRunContinuesTheTimeScale() {
    OnlineWindow window;
    window.StartRun(QStringLiteral("0.5"));
    window.Feed({1, 2, 3});
    window.StopRun();
    QVERIFY(!FirstGauge().MeasurementRunning);
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
    // This time from the menu.
    window.SetText("EditSampleTime", QStringLiteral("0.25"));
    window.Find<QAction>("MenuMeasurementStart")->trigger();
    QVERIFY(FirstGauge().MeasurementRunning);
    QCOMPARE(FirstGauge().ChartTimeOffset, 1.0);
    QCOMPARE(FirstGauge().ChartIndexOffset, 2.0);
    window.Feed({4, 5});
    window.Find<QAction>("MenuMeasurementStop")->trigger();
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOff);
    window.form->RefreshStatLabels();
    QCOMPARE(Keys(window.form->ChartData().Samples()), (QList<double>{0, 0.5, 1.0, 1.25, 1.5}));
    // The statistics cover both runs.
    QCOMPARE(window.Text("LabelCount"), QStringLiteral("5"));
    QCOMPARE(window.Text("LabelSum"), QStringLiteral("15 N"));
    QCOMPARE(window.Text("LabelAver"), QStringLiteral("3 N"));
}

// Three runs with the thresholds on, the second beyond the upper one; the chart keeps them
// all, each run is a test of its own.
void TestOnline::everyRunIsAJudgedTest() {
    OnlineWindow window;
    window.form->Settings().SetModel(QStringLiteral("FM-500"));
    window.form->Settings().SetThresholdsOn(true);
    window.form->Settings().SetText(SettingText::Low, QStringLiteral("2"));
    window.form->Settings().SetText(SettingText::High, QStringLiteral("6,5"));
    const QList<QList<double>> runs = {{1, 3, 5}, {2, 7, -1}, {-3, 6.5, 0}};
    for (const QList<double>& run : runs) {
        window.StartRun(QStringLiteral("0.5"));
        window.Feed(run);
        window.StopRun();
    }
    const QList<TestRecord>& tests = window.form->Tests().Records();
    QCOMPARE(tests.size(), 3);
    const double peaks[] = {5, 7, 6.5};
    const Verdict verdicts[] = {Verdict::Pass, Verdict::Fail, Verdict::Pass};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(tests[i].Name, QStringLiteral("Test %1").arg(i + 1));
        QCOMPARE(tests[i].SampleCount, 3);
        QCOMPARE(tests[i].Duration, 1.0);
        QCOMPARE(tests[i].Peak, peaks[i]);
        QCOMPARE(tests[i].Result, verdicts[i]);
        QCOMPARE(tests[i].Context.Model, QStringLiteral("FM-500"));
        QCOMPARE(tests[i].Context.Unit, QStringLiteral("N"));
    }
    QCOMPARE(tests[1].Samples.front(), QPointF(0, 2));
    // A run stopped before any sample is no test.
    window.StartRun(QStringLiteral("0.5"));
    window.StopRun();
    QCOMPARE(tests.size(), 3);

    // The series panel: the statistics of all tests until some are selected (by hand: peaks
    // 5, 7, 6.5; s = 1.0408; Cp = 4.5 / 6s; Cpk = (6.5 - 6.1667) / 3s).
    window.form->show();
    window.Find<QAction>("MenuSeries")->trigger();
    auto* table = window.Find<QTableView>("tvTests");
    QVERIFY(table->isVisible());
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(table->model()->index(1, SeriesTableModel::Result).data().toString(),
             QStringLiteral("niezgodny"));
    QCOMPARE(window.Text("LabelSeriesCount"), QStringLiteral("3"));
    QCOMPARE(window.Text("LabelSeriesMean"), QStringLiteral("6.1667 N"));
    QCOMPARE(window.Text("LabelSeriesStdDev"), QStringLiteral("1.0408 N"));
    QCOMPARE(window.Text("LabelSeriesPassed"), QStringLiteral("2 / 3 (67 %)"));
    QCOMPARE(window.Text("LabelSeriesCp"), QStringLiteral("0.72"));
    QCOMPARE(window.Text("LabelSeriesCpk"), QStringLiteral("0.11"));
    // Selected tests are the statistics' and are drawn over the chart.
    auto* chart = window.form->Chart();
    table->selectionModel()->select(table->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(window.Text("LabelSeriesCount"), QStringLiteral("2"));
    QCOMPARE(window.Text("LabelSeriesMax"), QStringLiteral("6.5 N"));
    QCOMPARE(chart->OverlayCount(), 2);
    QVERIFY(chart->legend->visible());
    // Deleted, they leave the table and the chart.
    window.Click("sbDeleteTests");
    QCOMPARE(tests.size(), 1);
    QCOMPARE(tests.front().Name, QStringLiteral("Test 2"));
    QCOMPARE(chart->OverlayCount(), 0);
    QCOMPARE(window.Text("LabelSeriesCount"), QStringLiteral("1"));

    // A test of another gauge at another station joins: either's tests can be shown alone, and
    // the statistics are theirs.
    auto* shown = window.Find<QComboBox>("cbTestsShown");
    QVERIFY(!shown->isVisible());
    QVERIFY(!tests.front().Context.Model.isEmpty());
    QCOMPARE(tests.front().Context.Station, QSysInfo::machineHostName());
    TestRecord other = tests.front();
    other.Key = QUuid();
    other.Name = QStringLiteral("Other");
    other.Context.Model = QStringLiteral("FS-20");
    other.Context.SerialNumber = QStringLiteral("777");
    other.Context.Station = QStringLiteral("stand-2");
    window.form->Tests().Add(other);
    QVERIFY(shown->isVisible());
    QCOMPARE(table->model()->rowCount(), 2);
    const struct {
        QString Choice;
        QString Shown;
    } choices[] = {{QStringLiteral("Miernik: FS-20 777"), QStringLiteral("Other")},
                   {QStringLiteral("Stanowisko: stand-2"), QStringLiteral("Other")},
                   {QStringLiteral("Miernik: ") + TestTexts::GaugeText(tests.front().Context),
                    QStringLiteral("Test 2")}};
    for (const auto& choice : choices) {
        const int index = shown->findText(choice.Choice);
        QVERIFY2(index > 0, qPrintable(choice.Choice));
        shown->setCurrentIndex(index);
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(table->model()->index(0, SeriesTableModel::Name).data().toString(), choice.Shown);
        QCOMPARE(window.Text("LabelSeriesCount"), QStringLiteral("1"));
    }
    shown->setCurrentIndex(0);
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(window.Text("LabelSeriesCount"), QStringLiteral("2"));
}

void TestOnline::clearEmptiesChartLabelsAndTitles() {
    OnlineWindow window;
    window.form->Settings().SetThresholdsOn(true);
    window.StartRun(QStringLiteral("0.5"));
    window.Feed({1, 2});
    window.form->SetXTitle(QStringLiteral("Numer próbki"));
    window.Click("sbClear"); // also during a run
    QCOMPARE(window.form->ChartPointCount(), 0);
    QVERIFY(window.form->ChartData().LowLine()->isEmpty());
    QVERIFY(window.form->ChartData().HighLine()->isEmpty());
    for (const char* label : {"LabelCount", "LabelMin", "LabelMax", "LabelSum", "LabelAver"})
        QCOMPARE(window.Text(label), QStringLiteral("---"));
    QCOMPARE(window.form->Chart()->XTitle(), QStringLiteral("Czas [s]"));
    QCOMPARE(window.form->YTitle(), QString());
    QCOMPARE(window.Text("LabelSeriesName"), QString());
    QCOMPARE(FirstGauge().SampleStats.Count, 0);
    // A stale label refresh queued before Clear does not bring the old figures back.
    QTest::qWait(20);
    QCOMPARE(window.Text("LabelCount"), QStringLiteral("---"));
    // The run goes on from an empty chart.
    window.Feed({7});
    window.form->RefreshStatLabels();
    QCOMPARE(Keys(window.form->ChartData().Samples()), QList<double>{0});
    QCOMPARE(window.form->YTitle(), QStringLiteral("Próbka [N]"));
    QCOMPARE(window.Text("LabelCount"), QStringLiteral("1"));
}

void TestOnline::stopRepeatsTheOrderUntilConfirmed() {
    OnlineWindow window;
    window.StartRun(QStringLiteral("0.1"));
    window.Feed({1, 2});
    window.Orders();
    window.received.clear();
    window.Click("sbStop");
    QCOMPARE(window.Orders(), QList<QByteArray>{"Se0"});
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Streaming);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOff);
    QCOMPARE(window.form->StatusText(), QStringLiteral("Wyłączanie nadawania ciągłego..."));
    auto* repeat = window.Find<QTimer>("TimerPomiarOnline");
    QVERIFY(repeat->isActive());
    QVERIFY(FirstGauge().MeasurementRunning); // until the gauge confirms
    // Lines still on their way belong to the run.
    window.Feed({3});
    QCOMPARE(window.form->ChartPointCount(), 3);

    // An order sent meanwhile does not keep the confirmation from being recognised.
    SetExchange(ExchangeState::Confirming, Reply::Tare);
    QTRY_COMPARE_WITH_TIMEOUT(window.CountOf("Se0"), 2, Patience);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOff);
    QVERIFY(repeat->isActive());

    window.form->Exchange().ProcessIncoming(ForceLine(4) + "Me0\r\n");
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(window.form->ChartPointCount(), 3);
    QCOMPARE(window.form->StatusText(), QStringLiteral("Nadawanie ciągle wyłączone"));
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
    QVERIFY(!window.Find<QAction>("MenuMeasurementStop")->isEnabled());
    for (const char* poll : {"TimerDisplay", "TimerBattery", "TimerReport"})
        QVERIFY2(window.Find<QTimer>(poll)->isActive(), poll);
    for (const char* poll : {"TimerDisplay", "TimerBattery", "TimerReport"})
        window.Find<QTimer>(poll)->stop();
    // The confirmation ends the repetition.
    QVERIFY(!repeat->isActive());
    QCOMPARE(window.CountOf("Se0"), 2);
}

// The stop order of a run that ended must not stop the next one, however soon it starts:
// also when the link was down while stopping, so that only the repetition reached the gauge.
void TestOnline::nextRunIsNotStoppedByTheLastOnesRepetition_data() {
    QTest::addColumn<int>("ticksBeforeConfirmation");
    QTest::newRow("confirmed at once") << 0;
    QTest::newRow("confirmed after repetitions") << 2;
}

void TestOnline::nextRunIsNotStoppedByTheLastOnesRepetition() {
    QFETCH(int, ticksBeforeConfirmation);
    OnlineWindow window;
    window.StartRun(QStringLiteral("0.1"));
    window.Feed({1});
    window.Click("sbStop");
    QTRY_COMPARE_WITH_TIMEOUT(window.CountOf("Se0"), 1 + ticksBeforeConfirmation, Patience);
    window.form->Exchange().ProcessIncoming("Me0\r\n");
    QVERIFY(!FirstGauge().MeasurementRunning);
    window.Click("sbStart");
    QVERIFY(FirstGauge().MeasurementRunning);
    // Longer than the repetition's interval.
    QTest::qWait(int(2 * TMainForm::OnlineStopInterval.count()));
    QCOMPARE(window.CountOf("Se0"), 1 + ticksBeforeConfirmation);
    QVERIFY(FirstGauge().MeasurementRunning);
    window.Feed({2, 3});
    QCOMPARE(window.form->ChartPointCount(), 3);
}

void TestOnline::unitChangeEndsTheRun() {
    OnlineWindow window;
    window.StartRun(QStringLiteral("0.1"));
    window.Feed({1, 2});
    window.Feed({3}, "kg");
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(window.messages.Shown.size(), 1);
    QCOMPARE(window.messages.Shown[0].Caption, QStringLiteral("Niezgodność jednostek"));
    QCOMPARE(window.messages.Shown[0].Icon, MessageIcon::Warning);
    QCOMPARE(window.form->ChartPointCount(), 2);
    QCOMPARE(window.Text("PanelResult"), QStringLiteral(" 3 kg"));
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
    // The gauge goes on sending until Stop; nothing more is plotted.
    window.Feed({4}, "kg");
    QCOMPARE(window.form->ChartPointCount(), 2);
}

void TestOnline::fastRunIsReplayedAtStop_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<QString>("title");
    QTest::newRow("whole lines") << "C"
                                 << " 1.23 N*m" << QByteArray("-012.34\r\n 001.00\r\n 000.05\r\n")
                                 << QList<double>{-12.34, 1, 0.05} << "Próbka [N*m]";
    QTest::newRow("a cut first line, a long line, a line that is no number")
        << "C"
        << "-0.50 kgf*m" << QByteArray("34\r\n 002.50\r\n12345678\r\n-0a2.34\r\n-000.75\r\n")
        << QList<double>{2.5, -0.75} << "Próbka [kgf*m]";
    QTest::newRow("many lines in one piece") << "C"
                                             << "0 g" << QByteArray(" 001.00\r\n").repeated(500)
                                             << QList<double>(500, 1.0) << "Próbka [g]";
    QTest::newRow("decimal comma system") << "de_DE"
                                          << " 1,23 N*cm" << QByteArray("-012.34\r\n 003.50\r\n")
                                          << QList<double>{-12.34, 3.5} << "Próbka [N*cm]";
}

void TestOnline::fastRunIsReplayedAtStop() {
    QFETCH(QString, locale);
    QFETCH(QString, panel);
    QFETCH(QByteArray, text);
    QFETCH(QList<double>, expected);
    QFETCH(QString, title);
    QLocale::setDefault(QLocale(locale));
    OnlineWindow window(Family::Torque);
    window.form->Settings().SetReading(panel);
    window.StartRun(QStringLiteral("0.005"));
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::RawCapture);
    // The text comes over the line, through the link's routing into the capture.
    QVERIFY(window.gauge.Write(text));
    const QString path = window.CapturePath();
    CaptureFile& capture = window.form->Capture();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(path).size() + capture.Buffer().size(), qint64(text.size()),
                              Patience);
    QCOMPARE(window.form->ChartPointCount(), 0); // nothing is plotted during the run
    window.Orders();
    window.received.clear();

    window.Click("sbStop");
    QCOMPARE(window.Orders(), QList<QByteArray>{"Se0"});
    QCOMPARE(window.form->ChartPointCount(), 0); // the run goes on until the gauge confirms
    // A line on its way when Stop was pressed belongs to the run; the confirmation ends it.
    const QByteArray inFlight = " 007.00\r\n";
    window.form->Exchange().ProcessIncoming(inFlight + "Me0\r\n");
    expected << 7.0;
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(Values(window.form->ChartData().Samples()), expected);
    QList<double> keys;
    for (int i = 0; i < expected.size(); ++i)
        keys << i * 0.005;
    QCOMPARE(Keys(window.form->ChartData().Samples()), keys);
    QCOMPARE(window.form->YTitle(), title);
    QCOMPARE(ReadAll(path), text + inFlight);
    QVERIFY(capture.Buffer().isEmpty());
    QVERIFY(!capture.IsOpen());
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOff);
    window.form->RefreshStatLabels();
    QCOMPARE(window.Text("LabelCount"), QString::number(expected.size()));
}

// A gauge that cannot confirm the stop (the link is gone) or does not (it went quiet) still
// has its fast run plotted; the stop order is repeated as before. With retries of a lost link
// on, a fast run (read from its capture alone, which cannot place samples after a gap) ends
// at the loss with what was captured, and the gauge is told to stop once the port is back.
void TestOnline::fastRunWithoutConfirmation_data() {
    QTest::addColumn<bool>("linkLost");
    QTest::addColumn<bool>("retries");
    QTest::newRow("the link is lost") << true << false;
    QTest::newRow("the gauge does not answer") << false << true;
    QTest::newRow("the link is lost, retries on") << true << true;
}

void TestOnline::fastRunWithoutConfirmation() {
    QFETCH(bool, linkLost);
    QFETCH(bool, retries);
    OnlineWindow window(Family::Torque);
    FirstGauge().ReconnectOnLoss = retries;
    window.form->Settings().SetReading(QStringLiteral(" 1.00 N*m"));
    window.StartRun(QStringLiteral("0.01"));
    QVERIFY(window.gauge.Write(" 001.00\r\n 002.00\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(window.form->Capture().Buffer().size(), 18, Patience);
    window.Click("sbStop");
    window.form->Exchange().ProcessIncoming(" 003.00\r\n");
    QCOMPARE(window.form->ChartPointCount(), 0);
    window.Orders();
    window.received.clear();
    if (linkLost)
        emit window.form->ComPort1().Lost(QStringLiteral("unplugged"));
    if (linkLost && retries) {
        QCOMPARE(Values(window.form->ChartData().Samples()), (QList<double>{1, 2, 3}));
        QVERIFY(!FirstGauge().MeasurementRunning);
        QCOMPARE(window.form->Tests().Records().size(), 1);
        QCOMPARE(window.form->Tests().Records().first().SampleCount, 3);
        QVERIFY(window.form->StatusText().contains(QStringLiteral("COM1")));
        // The port (which in this test never went) is taken up again within a retry.
        QTRY_VERIFY_WITH_TIMEOUT(window.form->Connected(), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(window.Orders().contains("Se0"), Patience);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(window.form->ChartPointCount(), 3,
                              2 * TMainForm::ReplayWithoutConfirmation.count() + Patience);
    QCOMPARE(Values(window.form->ChartData().Samples()), (QList<double>{1, 2, 3}));
    QVERIFY(FirstGauge().MeasurementRunning); // until a gauge confirms
    QVERIFY(window.Find<QTimer>("TimerPomiarOnline")->isActive());
    window.form->Exchange().ProcessIncoming("Me0\r\n");
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(window.form->ChartPointCount(), 3);
}

void TestOnline::replayOfNothingKeepsTheUnit() {
    OnlineWindow window(Family::Torque);
    window.form->Settings().SetReading(QStringLiteral(" 1.00 N*m"));
    window.StartRun(QStringLiteral("0.01"));
    QVERIFY(window.gauge.Write(" 001.00\r\n 002.00\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(window.form->Capture().Buffer().size(), 18, Patience);
    window.StopRun();
    QCOMPARE(window.form->ChartPointCount(), 2);
    // The unit on the gauge changes; a second fast run brings nothing.
    window.form->Settings().SetReading(QStringLiteral(" 1.00 kg"));
    window.StartRun(QStringLiteral("0.01"));
    window.Click("sbStop");
    QCOMPARE(window.form->ChartPointCount(), 2);
    QCOMPARE(window.form->YTitle(), QStringLiteral("Próbka [N*m]"));
}

// A capture file that cannot be written (here a folder is in its place): the text stays in
// memory and the replay still plots every sample.
void TestOnline::replayWhenTheCaptureFileCannotBeWritten_data() {
    QTest::addColumn<bool>("folder"); // a folder in the file's place, else a read-only file
    QTest::newRow("a folder in its place") << true;
    QTest::newRow("an earlier run's file, read-only") << false;
}

// A fast run lives in its capture file: without one it does not start, and an earlier run's
// text is never replayed as this run's samples.
void TestOnline::replayWhenTheCaptureFileCannotBeWritten() {
    QFETCH(bool, folder);
    OnlineWindow window(Family::Torque);
    if (folder) {
        QVERIFY(QDir(window.program.Dir()).mkdir(QLatin1String(CaptureFile::FileName)));
    } else {
        QFile old(window.CapturePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(" 009.99\r\n");
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    {
        const Unprivileged asAUser;
        window.StartRun(QStringLiteral("0.005"));
    }
    QCOMPARE(window.messages.Shown.size(), 1);
    QVERIFY(window.messages.Shown[0].Text.contains(QLatin1String(CaptureFile::FileName)));
    QVERIFY(!FirstGauge().MeasurementRunning);
    QTest::qWait(50);
    QVERIFY(window.Orders().isEmpty());
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
    window.Click("sbStop");
    QCOMPARE(window.form->ChartPointCount(), 0);
}

void TestOnline::scheduledStartHandsOverAtTheMoment_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("sampleTime");
    QTest::addColumn<ExchangeState>("expected");
    QTest::newRow("force 0.1") << 0 << "0.1" << ExchangeState::Streaming;
    QTest::newRow("force 0.025: read as it comes, as at once")
        << 0 << "0.025" << ExchangeState::Streaming;
    QTest::newRow("torque 0.005: captured") << 2 << "0.005" << ExchangeState::RawCapture;
    QTest::newRow("torque 0.1") << 2 << "0.1" << ExchangeState::Streaming;
}

void TestOnline::scheduledStartHandsOverAtTheMoment() {
    QFETCH(int, family);
    QFETCH(QString, sampleTime);
    QFETCH(ExchangeState, expected);
    OnlineWindow window{std::uint8_t(family)};
    auto clock = std::make_shared<ManualClock>(At(9, 59, 58));
    window.form->SetRunAtClock(clock);
    {
        QFile old(window.CapturePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("-001.00\r\n");
    }
    window.Find<QAbstractButton>("chbRunAt")->setChecked(true);
    window.SetText("eHour", QStringLiteral("10"));
    window.SetText("eMinute", QStringLiteral("0"));
    window.StartRun(sampleTime);
    QCOMPARE(window.Orders(), QList<QByteArray>{"Se1"});
    QVERIFY(!window.Find<QLabel>("lblRemain")->isHidden());
    QVERIFY(!window.Find<QLabel>("lblRemainCounter")->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(window.Text("lblRemainCounter"), QStringLiteral("2 s"), Patience);
    clock->Set(At(9, 59, 59));
    QTRY_COMPARE_WITH_TIMEOUT(window.Text("lblRemainCounter"), QStringLiteral("1 s"), Patience);
    // Until the moment the readings are not samples.
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOn);
    QVERIFY(!window.Find<QAbstractButton>("sbStart")->isEnabled());
    if (family == Family::Force)
        window.Feed({1});
    QCOMPARE(window.form->ChartPointCount(), 0);
    QCOMPARE(ReadAll(window.CapturePath()), QByteArray("-001.00\r\n"));

    clock->Set(At(10, 0));
    QTRY_VERIFY_WITH_TIMEOUT(FirstGauge().MeasurementRunning, Patience);
    QCOMPARE(FirstGauge().ExchangeState, expected);
    QVERIFY(window.Find<QLabel>("lblRemain")->isHidden());
    QVERIFY(window.Find<QLabel>("lblRemainCounter")->isHidden());
    // A capture begins at the moment, in a file of its own.
    QCOMPARE(ReadAll(window.CapturePath()).isEmpty(), expected == ExchangeState::RawCapture);
    if (expected == ExchangeState::Streaming) {
        const QByteArray line = family == Family::Force ? ForceLine(2) : " 002.00\r\n";
        window.form->Exchange().ProcessIncoming(line);
        QCOMPARE(Keys(window.form->ChartData().Samples()), QList<double>{0});
    }
}

void TestOnline::stopDuringTheCountdownAbandonsTheStart() {
    OnlineWindow window;
    auto clock = std::make_shared<ManualClock>(At(9, 0));
    window.form->SetRunAtClock(clock);
    window.Find<QAbstractButton>("chbRunAt")->setChecked(true);
    window.SetText("eHour", QStringLiteral("9"));
    window.SetText("eMinute", QStringLiteral("1"));
    window.StartRun(QStringLiteral("0.1"));
    QTRY_COMPARE_WITH_TIMEOUT(window.Text("lblRemainCounter"), QStringLiteral("60 s"), Patience);
    window.Click("sbStop");
    QVERIFY(window.Find<QLabel>("lblRemain")->isHidden());
    QVERIFY(window.Find<QLabel>("lblRemainCounter")->isHidden());
    QCOMPARE(window.Orders(), (QList<QByteArray>{"Se1", "Se0"}));
    QVERIFY(ComThread::WaitForAll(5s));
    clock->Set(At(9, 1));
    QTest::qWait(50);
    QVERIFY(!FirstGauge().MeasurementRunning);
    QVERIFY(window.Find<QLabel>("lblRemain")->isHidden());
    window.Feed({1});
    QCOMPARE(window.form->ChartPointCount(), 0);
    // The gauge confirms; Start may be used again.
    window.form->Exchange().ProcessIncoming("Me0\r\n");
    QVERIFY(window.Find<QAbstractButton>("sbStart")->isEnabled());
}

void TestOnline::scheduledStartInThePastBeginsAtOnce() {
    OnlineWindow window;
    window.form->SetRunAtClock(std::make_shared<ManualClock>(At(15, 0)));
    window.Find<QAbstractButton>("chbRunAt")->setChecked(true);
    window.SetText("eHour", QStringLiteral("8"));
    window.SetText("eMinute", QStringLiteral("30"));
    window.StartRun(QStringLiteral("0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(FirstGauge().MeasurementRunning, Patience);
    QVERIFY(window.Find<QLabel>("lblRemain")->isHidden());
    QVERIFY(window.Find<QLabel>("lblRemainCounter")->isHidden());
    QCOMPARE(window.Text("lblRemainCounter"), QStringLiteral("---"));
}

void TestOnline::nextMinuteFillsTheFields_data() {
    QTest::addColumn<std::int64_t>("now");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");
    QTest::newRow("morning") << At(7, 4, 59) << "7"
                             << "5";
    QTest::newRow("to the full hour") << At(10, 59, 30) << "11"
                                      << "0";
    QTest::newRow("23:59 gives 24 and 0") << At(23, 59, 10) << "24"
                                          << "0";
}

void TestOnline::nextMinuteFillsTheFields() {
    QFETCH(std::int64_t, now);
    QFETCH(QString, hour);
    QFETCH(QString, minute);
    OnlineWindow window;
    window.form->SetRunAtClock(std::make_shared<ManualClock>(now));
    window.Click("sbSetTime");
    QCOMPARE(window.Text("eHour"), hour);
    QCOMPARE(window.Text("eMinute"), minute);
    QVERIFY(window.Orders().isEmpty());
}

void TestOnline::resultsFileFollowsEverySample_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("family");
    QTest::addColumn<QList<double>>("samples");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("force gauge") << "C" << 0 << QList<double>{1.5, -2.25, 0}
                                 << QByteArray("1.5\r\n-2.25\r\n0\r\n");
    QTest::newRow("force gauge, decimal comma")
        << "de_DE" << 0 << QList<double>{1.5, -2.25} << QByteArray("1,5\r\n-2,25\r\n");
    QTest::newRow("torque meter, slashes in the date")
        << "en_US" << 2 << QList<double>{12.5, -0.75} << QByteArray("12.5\r\n-0.75\r\n");
}

void TestOnline::resultsFileFollowsEverySample() {
    QFETCH(QString, locale);
    QFETCH(int, family);
    QFETCH(QList<double>, samples);
    QFETCH(QByteArray, content);
    QLocale::setDefault(QLocale(locale));
    OnlineWindow window{std::uint8_t(family)};
    const QString folder = window.program.FilePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    TheProgram.DataDirectory = folder;
    window.form->Settings().SetReading(QStringLiteral(" 0.00 N*m"));
    window.StartRun(QStringLiteral("0.1"));

    const QDateTime before = QDateTime::currentDateTime();
    window.form->Exchange().ProcessIncoming("Mnewfile\r\n");
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(FirstGauge().ResultsFileActive);
    QStringList names;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1))
        names << ResultsFile::NameFor(folder, t);
    QVERIFY2(names.contains(FirstGauge().ResultsFileName),
             qPrintable(FirstGauge().ResultsFileName));
    QVERIFY(
        QFileInfo(FirstGauge().ResultsFileName).fileName().startsWith(QLatin1String("wyniki od ")));
    QVERIFY(!QFileInfo(FirstGauge().ResultsFileName).fileName().contains(QLatin1Char(':')));
    QCOMPARE(QFileInfo(FirstGauge().ResultsFileName).absolutePath(), QDir(folder).absolutePath());
    QCOMPARE(ReadAll(FirstGauge().ResultsFileName), QByteArray());

    // The file is whole after every sample: nothing waits in a buffer.
    QList<QByteArray> lines = content.split('\n');
    QByteArray expected;
    for (int i = 0; i < samples.size(); ++i) {
        const double v = samples[i];
        window.form->Exchange().ProcessIncoming(
            family == Family::Force
                ? ForceLine(v)
                : QByteArray(1, v < 0 ? '-' : ' ') +
                      QByteArray::number(std::abs(v), 'f', 2).rightJustified(6, '0') + "\r\n");
        expected += lines[i] + '\n';
        QCOMPARE(ReadAll(FirstGauge().ResultsFileName), expected);
    }
    QCOMPARE(window.form->ChartPointCount(), samples.size());
}

void TestOnline::resultsFileInAMissingFolder() {
    OnlineWindow window;
    TheProgram.DataDirectory = window.program.FilePath(QStringLiteral("missing/folder"));
    window.StartRun(QStringLiteral("0.1"));
    window.form->Exchange().ProcessIncoming("Mnewfile\r\n");
    QVERIFY(!FirstGauge().ResultsFileActive);
    // Said in the status bar at once, and in one box once the reply side has returned.
    QVERIFY(window.form->StatusText().contains(QStringLiteral("wyniki od")));
    QVERIFY(window.messages.Shown.isEmpty());
    window.Feed({1, 2});
    window.form->Exchange().ProcessIncoming("Mnewfile\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(window.messages.Shown.size(), 1, Patience);
    QTest::qWait(50);
    QCOMPARE(window.messages.Shown.size(), 1);
    QVERIFY(window.messages.Shown[0].Text.contains(QStringLiteral("missing")));
    QCOMPARE(window.form->ChartPointCount(), 2);
    QVERIFY(!QFileInfo::exists(FirstGauge().ResultsFileName));
    // The next run says it again.
    window.StopRun();
    window.StartRun(QStringLiteral("0.1"));
    window.form->Exchange().ProcessIncoming("Mnewfile\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(window.messages.Shown.size(), 2, Patience);
}

// However fast samples come, the chart is drawn at most about 25 times a second.
void TestOnline::chartRedrawsAtMostAtItsRate() {
    OnlineWindow window;
    window.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.form.get()));
    // The first activation has its own Stop; the run begins after it.
    QTRY_VERIFY_WITH_TIMEOUT(TheProgram.MainWindowHandle == window.form.get(), Patience);
    for (const char* timer : {"TimerDisplay", "TimerBattery", "TimerReport"})
        window.Find<QTimer>(timer)->stop();
    window.StartRun(QStringLiteral("0.025"));
    QSignalSpy replots(window.form->Chart(), &QCustomPlot::afterReplot);
    QElapsedTimer clock;
    clock.start();
    constexpr int Rounds = 60;
    constexpr int LinesPerRound = 100;
    for (int round = 0; round < Rounds; ++round) {
        QByteArray text;
        for (int i = 0; i < LinesPerRound; ++i)
            text += ForceLine((round * LinesPerRound + i) % 200 - 100);
        window.form->Exchange().ProcessIncoming(text);
        QTest::qWait(5);
    }
    QTest::qWait(100);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(window.form->ChartPointCount(), Rounds * LinesPerRound);
    const qint64 allowed = elapsed / ChartView::RefreshInterval.count() + 3;
    QVERIFY2(replots.count() >= 1, "the chart was never drawn");
    QVERIFY2(replots.count() <= allowed,
             qPrintable(QStringLiteral("%1 redraws in %2 ms").arg(replots.count()).arg(elapsed)));
}

void TestOnline::settingsWaitUntilTheRunEnds_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("armed"); // a start waiting for its moment rather than a run
    const char* controls[] = {"rgUnit",        "chkbPeak",     "rgSpeed",        "rgAcquisition",
                              "chkbThr",       "sbLow",        "sbHigh",         "dbZero",
                              "sbSampleCount", "sbSampleTime", "sbAcceleration", "ImageZero",
                              "ImageOnOff",    "ImageStandby", "ImagePeak",      "ImageMem",
                              "sbGetData",     "sbReset"};
    for (const char* control : controls)
        QTest::newRow(control) << QString::fromLatin1(control) << false;
    for (const char* control : {"rgUnit", "ImageZero", "sbGetData", "sbReset"})
        QTest::newRow(qPrintable(QStringLiteral("%1 armed").arg(QLatin1String(control))))
            << QString::fromLatin1(control) << true;
}

// A click on a setting during a run would switch the exchange away from the stream and lose
// the samples after it: the order waits, the status bar says why, the run goes on.
void TestOnline::settingsWaitUntilTheRunEnds() {
    QFETCH(QString, control);
    QFETCH(bool, armed);
    OnlineWindow window;
    auto clock = std::make_shared<ManualClock>(At(9, 0));
    window.form->SetRunAtClock(clock);
    GaugeSettings& settings = window.form->Settings();
    settings.SetUnits({QStringLiteral("N"), QStringLiteral("kgf")});
    settings.SetText(SettingText::SampleCount, QStringLiteral("100"));
    settings.SetText(SettingText::Acceleration, QStringLiteral("9.81"));
    if (armed) {
        window.Find<QAbstractButton>("chbRunAt")->setChecked(true);
        window.SetText("eHour", QStringLiteral("9"));
        window.SetText("eMinute", QStringLiteral("1"));
    }
    window.StartRun(QStringLiteral("0.1"));
    if (armed)
        QTRY_COMPARE_WITH_TIMEOUT(window.Text("lblRemainCounter"), QStringLiteral("60 s"),
                                  Patience);
    else
        window.Feed({1});
    const ExchangeState state = FirstGauge().ExchangeState;

    QObject* target = window.form->findChild<QObject*>(control);
    QVERIFY(target);
    if (auto* group = qobject_cast<RadioGroup*>(target))
        group->SetItemIndex(1);
    else
        qobject_cast<QAbstractButton*>(target)->click();

    QCOMPARE(window.form->StatusText(), QStringLiteral("Niedostępne w czasie pomiaru on-line"));
    QCOMPARE(FirstGauge().ExchangeState, state);
    QTest::qWait(50);
    QCOMPARE(window.Orders(), QList<QByteArray>{"Se1"});
    QVERIFY(window.messages.Shown.isEmpty());
    if (armed) {
        clock->Set(At(9, 1));
        QTRY_VERIFY_WITH_TIMEOUT(FirstGauge().MeasurementRunning, Patience);
        window.Feed({1});
    }
    // The run still collects every sample.
    window.Feed({2, 3});
    QCOMPARE(window.form->ChartPointCount(), 3);
    QCOMPARE(Values(window.form->ChartData().Samples()), (QList<double>{1, 2, 3}));
    // Only the chart follows "Progi": its threshold lines come with the next samples.
    if (control == QLatin1String("chkbThr"))
        QVERIFY(!window.form->ChartData().LowLine()->isEmpty());
    window.StopRun();
    QVERIFY(!FirstGauge().MeasurementRunning);
}

QTEST_MAIN(TestOnline)
#include "tst_online.moc"
