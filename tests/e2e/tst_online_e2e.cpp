// On-line runs of the program against the virtual gauge: every streamed sample plotted at
// its time and written to the results file, the repeated stop order, a unit change on the
// gauge, a torque meter's fast run replayed whole, and a start at a set time of day.
#include "app/SeriesRecorder.h"
#include "link/CaptureFile.h"
#include "protocol/Numbers.h"
#include "state/Global.h"
#include "storage/results/ResultsDatabase.h"
#include "tests/support/GaugeSession.h"
#include "tests/support/ManualDayClock.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/ScriptedFileDialogs.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

using ManualClock = ManualDayClock;

QList<double> Values(const ChartModel& chart) {
    QList<double> values;
    for (auto it = chart.Samples()->constBegin(); it != chart.Samples()->constEnd(); ++it)
        values << it->value;
    return values;
}

QList<double> Keys(const ChartModel& chart) {
    QList<double> keys;
    for (auto it = chart.Samples()->constBegin(); it != chart.Samples()->constEnd(); ++it)
        keys << it->key;
    return keys;
}

// A reading that grows through the whole test, so that every sample is told apart.
const QStringList Rising{"--value", "0", "--amplitude", "1000", "--period", "1000"};

// The program with the gauge on COM1 and its settings report read. The display poll is
// switched off and given time to settle, so that no reading asked for before Start arrives
// as a sample that the gauge never streamed.
bool Connect(GaugeSession& session, const QStringList& options, const QString& model) {
    if (!session.StartGaugePty(QStringList{"--model", model} + options))
        return false;
    session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    if (!QTest::qWaitFor([&] { return session.Find<QLabel>("LabelModel")->text() == model; },
                         Patience))
        return false;
    // The whole report has been read once its poll has stopped.
    if (!QTest::qWaitFor([&] { return !session.Find<QTimer>("TimerReport")->isActive(); },
                         Patience))
        return false;
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(false);
    if (!QTest::qWaitFor([&] { return !session.Find<QTimer>("TimerDisplay")->isActive(); },
                         Patience))
        return false;
    QTest::qWait(200);
    return true;
}

int ChartCount(GaugeSession& session) {
    return session.Window->ChartPointCount();
}

} // namespace

class TestOnlineEndToEnd : public QObject {
    std::unique_ptr<PostgresServer> m_postgres;

    Q_OBJECT

private slots:
    void forceGaugeRunPlotsAndRecordsEverySample();
    void stopRepeatsUntilTheGaugeConfirms();
    void unitChangeOnTheGaugeEndsTheRun_data();
    void unitChangeOnTheGaugeEndsTheRun();
    void torqueFastRunReplaysEverySample();
    void scheduledStartCollectsFromTheMomentOn();
    void stopDuringTheCountdownAbandonsTheStart();
    void threeRunsMakeAJudgedSeries_data();
    void threeRunsMakeAJudgedSeries();
};

void TestOnlineEndToEnd::forceGaugeRunPlotsAndRecordsEverySample() {
    GaugeSession session;
    QVERIFY2(Connect(session, Rising + QStringList{"--sample-time", "0.1", "--newfile"},
                     QStringLiteral("FM-500")),
             qPrintable(session.Gauge.ErrorText()));
    QCOMPARE(session.Find<QLineEdit>("EditSampleTime")->text(), QStringLiteral("0.1"));
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));
    Global.DataDirectory = folder;

    const int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QVERIFY(session.Gauge.WaitForEvent("newfile", mark, Patience));
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 20));
    // The gauge falls silent by itself, so that every sample it sent can be awaited.
    QVERIFY(session.Gauge.CommandAndWait("stream off"));
    const QList<double> sent = session.Gauge.Samples(mark);
    QTRY_COMPARE_WITH_TIMEOUT(ChartCount(session), sent.size(), Patience);
    QTest::qWait(300);
    QCOMPARE(ChartCount(session), sent.size());
    qInfo("gauge sent %d samples, the chart holds %d", int(sent.size()), ChartCount(session));

    const ChartModel& chart = session.Window->ChartData();
    QCOMPARE(Values(chart), sent);
    QList<double> keys;
    for (int i = 0; i < sent.size(); ++i)
        keys << i * 0.1;
    QCOMPARE(Keys(chart), keys);
    QCOMPARE(session.Window->YTitle(), QStringLiteral("Próbka [N]"));

    session.Window->RefreshStatLabels();
    const auto [min, max] = std::minmax_element(sent.begin(), sent.end());
    double sum = 0;
    for (double v : sent)
        sum += v;
    const auto label = [&](const char* name) { return session.Find<QLabel>(name)->text(); };
    QCOMPARE(label("LabelCount"), QString::number(sent.size()));
    QCOMPARE(label("LabelMin"), FormatGeneralLocal(*min) + QStringLiteral(" N"));
    QCOMPARE(label("LabelMax"), FormatGeneralLocal(*max) + QStringLiteral(" N"));
    const auto number = [&](const char* name) {
        QString text = label(name);
        text.chop(2); // " N"
        return ReadNumber(text).value_or(-1e300);
    };
    QVERIFY(std::abs(number("LabelSum") - sum) <= 0.00005);
    QVERIFY(std::abs(number("LabelAver") - sum / sent.size()) <= 0.00005);

    // The results file holds the same values, one a line.
    QVERIFY(Global.ResultsFileActive);
    QCOMPARE(QFileInfo(Global.ResultsFileName).absolutePath(), QDir(folder).absolutePath());
    QFile results(Global.ResultsFileName);
    QVERIFY(results.open(QIODevice::ReadOnly));
    QList<double> written;
    for (const QByteArray& line : results.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            written << ReadNumber(line.trimmed()).value_or(-1e300);
    QCOMPARE(written, sent);

    session.Find<QAbstractButton>("sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
}

void TestOnlineEndToEnd::stopRepeatsUntilTheGaugeConfirms() {
    GaugeSession session;
    QVERIFY(Connect(session, {"--sample-time", "0.1", "--drop", "Me0:1"}, "FM-500"));
    int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 3));
    QTRY_VERIFY_WITH_TIMEOUT(ChartCount(session) >= 3, Patience);

    mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStop")->click();
    QVERIFY(session.Gauge.WaitForEvent("dropped Me0", mark, Patience));
    QVERIFY(Global.MeasurementRunning); // not confirmed yet
    // A second later the order goes again, and this time it is confirmed.
    QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience, 2));
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
    QVERIFY(session.Find<QAbstractButton>("sbStart")->isEnabled());
    const int plotted = ChartCount(session);

    mark = session.Gauge.Mark();
    QTest::qWait(1500);
    QCOMPARE(session.Gauge.EventsOf("order", mark).count("Se0"), 0);
    QCOMPARE(session.Gauge.Samples(mark).size(), 0);
    QCOMPARE(ChartCount(session), plotted);
}

void TestOnlineEndToEnd::unitChangeOnTheGaugeEndsTheRun_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("caption");
    QTest::newRow("force gauge: the reading's unit")
        << "FM-500" << QByteArray("unit kg") << "Niezgodność jednostek";
    QTest::newRow("torque meter: the gauge's announcement")
        << "FS-20" << QByteArray("unit N*cm") << "Zmiana jednostki";
}

void TestOnlineEndToEnd::unitChangeOnTheGaugeEndsTheRun() {
    QFETCH(QString, model);
    QFETCH(QByteArray, command);
    QFETCH(QString, caption);
    GaugeSession session;
    QVERIFY(Connect(session, {"--sample-time", "0.1"}, model));
    session.Find<QAbstractButton>("sbStart")->click();
    QVERIFY(Global.MeasurementRunning);
    QCOMPARE(Global.ExchangeState, ExchangeState::Streaming);
    QTRY_VERIFY_WITH_TIMEOUT(ChartCount(session) >= 3, Patience);
    QVERIFY(session.Gauge.CommandAndWait(command));
    QTRY_VERIFY_WITH_TIMEOUT(!session.Messages.Shown.isEmpty(), Patience);
    QCOMPARE(session.Messages.Shown.size(), 1);
    QCOMPARE(session.Messages.Shown[0].Caption, caption);
    QVERIFY(!Global.MeasurementRunning);
    QVERIFY(session.Find<QAbstractButton>("sbStart")->isEnabled());
    // The gauge sends on until Stop; nothing more is plotted.
    const int plotted = ChartCount(session);
    const int mark = session.Gauge.Mark();
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 3));
    QTest::qWait(200);
    QCOMPARE(ChartCount(session), plotted);
    session.Find<QAbstractButton>("sbStop")->click();
    QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience));
}

void TestOnlineEndToEnd::torqueFastRunReplaysEverySample() {
    GaugeSession session;
    QVERIFY(Connect(session, Rising + QStringList{"--sample-time", "0.005"}, "FS-20"));
    QCOMPARE(session.Find<QLineEdit>("EditSampleTime")->text(), QStringLiteral("0.005"));
    const int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QCOMPARE(Global.ExchangeState, ExchangeState::RawCapture);
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 300));
    QVERIFY(session.Gauge.CommandAndWait("stream off"));
    const QList<double> sent = session.Gauge.Samples(mark);
    // Every line the gauge sent is in the capture before Stop.
    const QString path = session.Window->Capture().Path();
    const auto captured = [&] {
        return QFileInfo(path).size() + session.Window->Capture().Buffer().size();
    };
    QTRY_VERIFY_WITH_TIMEOUT(captured() >= 9 * sent.size(), Patience);
    QCOMPARE(ChartCount(session), 0);

    session.Find<QAbstractButton>("sbStop")->click();
    // The capture is replayed once the gauge has confirmed the end of its stream.
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
    qInfo("gauge sent %d samples, the capture held %lld bytes, the replay plotted %d",
          int(sent.size()), captured(), ChartCount(session));
    const ChartModel& chart = session.Window->ChartData();
    QCOMPARE(Values(chart), sent);
    QList<double> keys;
    for (int i = 0; i < sent.size(); ++i)
        keys << i * 0.005;
    QCOMPARE(Keys(chart), keys);
    QVERIFY(session.Window->YTitle().startsWith(QStringLiteral("Próbka [N*m]")));
}

void TestOnlineEndToEnd::scheduledStartCollectsFromTheMomentOn() {
    GaugeSession session;
    QVERIFY(Connect(session, Rising + QStringList{"--sample-time", "0.1"}, "FM-500"));
    auto clock = std::make_shared<ManualClock>(ManualClock::At(9, 59, 57));
    session.Window->SetRunAtClock(clock);
    session.Find<QAbstractButton>("chbRunAt")->setChecked(true);
    session.Find<QLineEdit>("eHour")->setText(QStringLiteral("10"));
    session.Find<QLineEdit>("eMinute")->setText(QStringLiteral("00"));
    const int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    auto* counter = session.Find<QLabel>("lblRemainCounter");
    QTRY_COMPARE_WITH_TIMEOUT(counter->text(), QStringLiteral("3 s"), Patience);
    QVERIFY(!counter->isHidden());

    // The gauge streams from Start on; none of it counts before the moment.
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 10));
    const int before = int(session.Gauge.Samples(mark).size());
    QTest::qWait(500); // the program has read them meanwhile
    QCOMPARE(ChartCount(session), 0);
    QVERIFY(!Global.MeasurementRunning);

    clock->Set(ManualClock::At(10, 0));
    QTRY_VERIFY_WITH_TIMEOUT(Global.MeasurementRunning, Patience);
    QVERIFY(counter->isHidden());
    QVERIFY(session.Find<QLabel>("lblRemain")->isHidden());
    const int atMoment = session.Gauge.Mark();
    QVERIFY(session.Gauge.WaitForEvent("sample", atMoment, Patience, 10));
    QVERIFY(session.Gauge.CommandAndWait("stream off"));
    const QList<double> sent = session.Gauge.Samples(mark);
    QTRY_VERIFY_WITH_TIMEOUT(ChartCount(session) > 0 &&
                                 Values(session.Window->ChartData()).constLast() == sent.last(),
                             Patience);

    // What is plotted is every sample from some point after the first ones to the end.
    const QList<double> plotted = Values(session.Window->ChartData());
    const qsizetype first = sent.indexOf(plotted.first());
    qInfo("gauge sent %d samples, %d before the moment was reached; the chart took %d from "
          "sample %d on",
          int(sent.size()), before, int(plotted.size()), int(first + 1));
    QVERIFY(first >= before);
    QCOMPARE(plotted, sent.mid(first));
    QCOMPARE(Keys(session.Window->ChartData()).first(), 0.0);

    session.Find<QAbstractButton>("sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
}

void TestOnlineEndToEnd::stopDuringTheCountdownAbandonsTheStart() {
    GaugeSession session;
    QVERIFY(Connect(session, {"--sample-time", "0.1"}, "FM-500"));
    auto clock = std::make_shared<ManualClock>(ManualClock::At(9, 0));
    session.Window->SetRunAtClock(clock);
    session.Find<QAbstractButton>("chbRunAt")->setChecked(true);
    session.Find<QLineEdit>("eHour")->setText(QStringLiteral("9"));
    session.Find<QLineEdit>("eMinute")->setText(QStringLiteral("01"));
    int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QVERIFY(session.Gauge.WaitForEvent("order Se1", mark, Patience));
    auto* counter = session.Find<QLabel>("lblRemainCounter");
    QTRY_COMPARE_WITH_TIMEOUT(counter->text(), QStringLiteral("60 s"), Patience);

    mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStop")->click();
    QVERIFY(counter->isHidden());
    QVERIFY(session.Find<QLabel>("lblRemain")->isHidden());
    QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience));
    // The gauge confirms; Start may be used again.
    QTRY_VERIFY_WITH_TIMEOUT(session.Find<QAbstractButton>("sbStart")->isEnabled(), Patience);

    // The moment passes without a run.
    clock->Set(ManualClock::At(9, 1));
    QTest::qWait(300);
    QVERIFY(!Global.MeasurementRunning);
    QVERIFY(counter->isHidden());
    QCOMPARE(ChartCount(session), 0);
}

QTEST_MAIN(TestOnlineEndToEnd)
#include "tst_online_e2e.moc"

void TestOnlineEndToEnd::threeRunsMakeAJudgedSeries_data() {
    QTest::addColumn<DatabaseKind>("kind");
    QTest::newRow("SQLite") << DatabaseKind::SQLite;
    QTest::newRow("PostgreSQL") << DatabaseKind::PostgreSQL;
}

// Three runs with the thresholds on, the last outside the band: three records with their
// verdicts, the series' statistics as worked out by hand, and the records in the database.
void TestOnlineEndToEnd::threeRunsMakeAJudgedSeries() {
    QFETCH(DatabaseKind, kind);
    GaugeSession session;
    QVERIFY(Connect(session,
                    {"--value", "10", "--amplitude", "0", "--sample-time", "0.1", "--thresholds",
                     "ON", "--thr-min", "5", "--thr-max", "15"},
                    "FM-500"));
    QVERIFY(session.Find<QAbstractButton>("chkbThr")->isChecked());
    DatabaseSettings database;
    database.Kind = kind;
    database.Path = session.Program.FilePath(QStringLiteral("results.sqlite"));
    if (kind == DatabaseKind::PostgreSQL) {
        if (!m_postgres) {
            m_postgres = std::make_unique<PostgresServer>();
            QVERIFY2(m_postgres->Start(), qPrintable(m_postgres->ErrorText()));
        }
        database.Host = m_postgres->Host();
        database.Port = m_postgres->Port();
        database.User = m_postgres->User();
        database.Name = QStringLiteral("series_e2e");
        QVERIFY2(m_postgres->CreateDatabase(database.Name), qPrintable(m_postgres->ErrorText()));
    }
    SeriesRecorder& recorder = session.Window->TestRecorder();
    recorder.SetDatabase(database);

    for (const char* value : {"10", "12", "20"}) {
        QVERIFY(session.Gauge.CommandAndWait(QByteArray("value ") + value));
        const int mark = session.Gauge.Mark();
        session.Find<QAbstractButton>("sbStart")->click();
        QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 3));
        session.Find<QAbstractButton>("sbStop")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
    }
    const QList<TestRecord>& records = session.Window->Tests().Records();
    QCOMPARE(records.size(), 3);
    const QList<std::pair<double, Verdict>> expected{
        {10.0, Verdict::Pass}, {12.0, Verdict::Pass}, {20.0, Verdict::Fail}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(records[i].Peak, expected[i].first);
        QCOMPARE(records[i].Result, expected[i].second);
    }
    // Mean 14; deviations -4, -2, 6: s = sqrt(56 / 2) = 5.2915; Cp = 10 / (6 s) = 0.31;
    // Cpk = min(15 - 14, 14 - 5) / (3 s) = 0.06.
    const auto label = [&](const char* name) { return session.Find<QLabel>(name)->text(); };
    QCOMPARE(label("LabelSeriesCount"), QStringLiteral("3"));
    QCOMPARE(label("LabelSeriesMean"), QStringLiteral("14 N"));
    QCOMPARE(label("LabelSeriesStdDev"), FormatGeneralLocal(5.2915) + QStringLiteral(" N"));
    QCOMPARE(label("LabelSeriesRange"), QStringLiteral("10 N"));
    QCOMPARE(label("LabelSeriesPassed"), QStringLiteral("2 / 3 (67 %)"));
    QCOMPARE(label("LabelSeriesCp"), QLocale().toString(0.31, 'f', 2));
    QCOMPARE(label("LabelSeriesCpk"), QLocale().toString(0.06, 'f', 2));

    recorder.Results().Flush();
    ResultsDatabase stored(QStringLiteral("check"));
    QString error;
    QVERIFY2(stored.Open(database, &error), qPrintable(error));
    const auto loaded = stored.Load(session.Window->Tests().Key(), &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(loaded->size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(loaded->at(i).Key, records[i].Key);
        QCOMPARE(loaded->at(i).Result, expected[i].second);
        QCOMPARE(loaded->at(i).Samples, records[i].Samples);
    }

    // The report of the series: written, handed to the desktop's viewer, holding the verdicts.
    if (kind != DatabaseKind::SQLite)
        return;
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is needed: scripts/deps --test");
    ScriptedFileDialogs dialogs;
    RecordingDesktop desktop;
    const QString report = session.Program.FilePath(QStringLiteral("raport.pdf"));
    dialogs.SaveAnswers << report;
    session.Find<QAbstractButton>("sbReport")->click();
    QTRY_COMPARE_WITH_TIMEOUT(desktop.Opened.size(), 1, Patience);
    QCOMPARE(desktop.Opened.front(), QUrl::fromLocalFile(report));
    QProcess extract;
    extract.start(pdftotext, {QStringLiteral("-layout"), report, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(Patience));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QCOMPARE(text.count(QStringLiteral("niezgodny")), 1);
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bzgodny\\b"))), 2);
    QVERIFY2(text.contains(QStringLiteral("FM-500")), qPrintable(text));
    QVERIFY(session.Messages.Shown.isEmpty());
}
