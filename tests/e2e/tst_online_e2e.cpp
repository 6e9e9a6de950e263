// On-line runs of the program against the virtual gauge: every streamed sample plotted at
// its time and written to the results file, the repeated stop order, a unit change on the
// gauge, a torque meter's fast run replayed whole, and a start at a set time of day.
#include "app/SeriesRecorder.h"
#include "link/CaptureFile.h"
#include "protocol/Numbers.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/DataFile.h"
#include "storage/RunJournal.h"
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
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy

using ManualClock = ManualDayClock;

QList<double> Values(const ChartModel& chart) {
    QList<double> values;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        values << it->value;
    return values;
}

QList<double> Keys(const ChartModel& chart) {
    QList<double> keys;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
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
    void killedRunIsRecoveredAtTheNextStart_data();
    void killedRunIsRecoveredAtTheNextStart();
};

void TestOnlineEndToEnd::forceGaugeRunPlotsAndRecordsEverySample() {
    GaugeSession session;
    QVERIFY2(Connect(session, Rising + QStringList{"--sample-time", "0.1", "--newfile"},
                     QStringLiteral("FM-500")),
             qPrintable(session.Gauge.ErrorText()));
    QCOMPARE(session.Find<QLineEdit>("EditSampleTime")->text(), QStringLiteral("0.1"));
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));
    TheProgram.DataDirectory = folder;

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
    QVERIFY(FirstGauge().ResultsFileActive);
    QCOMPARE(QFileInfo(FirstGauge().ResultsFileName).absolutePath(), QDir(folder).absolutePath());
    QFile results(FirstGauge().ResultsFileName);
    QVERIFY(results.open(QIODevice::ReadOnly));
    QList<double> written;
    for (const QByteArray& line : results.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            written << ReadNumber(line.trimmed()).value_or(-1e300);
    QCOMPARE(written, sent);

    // The run's journal holds it while it lasts, and goes once its test is stored.
    const QDir recovery(session.Program.RecoveryFolder());
    const QStringList journals = recovery.entryList({"run-*.txt"});
    QCOMPARE(journals.size(), 1);
    const auto journaled = [&] {
        const std::vector<double> values =
            DataFile::Read(recovery.filePath(journals.constFirst())).Values;
        return QList<double>(values.begin(), values.end());
    };
    QTRY_COMPARE_WITH_TIMEOUT(journaled(), sent, Patience);
    session.Find<QAbstractButton>("sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
    QTRY_COMPARE_WITH_TIMEOUT(recovery.entryList({"run-*.txt"}), QStringList(), Patience);
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
    QVERIFY(FirstGauge().MeasurementRunning); // not confirmed yet
    // A second later the order goes again, and this time it is confirmed.
    QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience, 2));
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
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
    QVERIFY(FirstGauge().MeasurementRunning);
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Streaming);
    QTRY_VERIFY_WITH_TIMEOUT(ChartCount(session) >= 3, Patience);
    QVERIFY(session.Gauge.CommandAndWait(command));
    QTRY_VERIFY_WITH_TIMEOUT(!session.Messages.Shown.isEmpty(), Patience);
    QCOMPARE(session.Messages.Shown.size(), 1);
    QCOMPARE(session.Messages.Shown[0].Caption, caption);
    QVERIFY(!FirstGauge().MeasurementRunning);
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
    QCOMPARE(FirstGauge().ExchangeState, ExchangeState::RawCapture);
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
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
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
    QVERIFY(!FirstGauge().MeasurementRunning);

    clock->Set(ManualClock::At(10, 0));
    QTRY_VERIFY_WITH_TIMEOUT(FirstGauge().MeasurementRunning, Patience);
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
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
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
    QVERIFY(!FirstGauge().MeasurementRunning);
    QVERIFY(counter->isHidden());
    QCOMPARE(ChartCount(session), 0);
}

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
        QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
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

void TestOnlineEndToEnd::killedRunIsRecoveredAtTheNextStart_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("sampleTime");
    QTest::addColumn<bool>("tcp");
    QTest::newRow("force gauge, serial") << "FM-500"
                                         << "0.1" << false;
    QTest::newRow("torque meter's fast run, serial") << "FS-20"
                                                     << "0.005" << false;
    QTest::newRow("force gauge, network") << "FM-500"
                                          << "0.1" << true;
}

// The program is killed at a random moment of a run (as by kill -9 or a power cut, nothing
// of its own runs at the end); its next start brings the run back from the journal with every
// sample the gauge sent up to a second before the kill.
void TestOnlineEndToEnd::killedRunIsRecoveredAtTheNextStart() {
    QFETCH(QString, model);
    QFETCH(QString, sampleTime);
    QFETCH(bool, tcp);

    // The program runs from a folder of its own, which holds its config.xml and ComPort.ini.
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString program = root.filePath("program");
    const QString data = root.filePath("data");
    const QString ports = root.filePath("ports");
    for (const QString& dir : {program, data, ports, root.filePath("home")})
        QVERIFY(QDir().mkpath(dir));
    for (const char* file : {"zento-fm", "zento-fm.SKY", "zento-fm.ENP", "zento-fm.DEU"})
        QVERIFY(QFile::copy(ZFM_BINARY_DIR "/bin/" + QString(file), program + "/" + file));

    GaugeSim gauge;
    const QStringList options = Rising + QStringList{"--model", model, "--sample-time", sampleTime};
    QVERIFY2(tcp ? gauge.StartTcp(options) : gauge.StartPty(options, 1, ports),
             qPrintable(gauge.ErrorText()));
    QFile config(program + "/config.xml");
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<Config><Options><PortConfigured>Yes</PortConfigured></Options>"
                                "<Interface><Kind>%1</Kind><Host>127.0.0.1</Host><Port>%2</Port>"
                                "</Interface></Config>")
                     .arg(tcp ? "Eth" : "COM")
                     .arg(gauge.TcpPort())
                     .toUtf8());
    config.close();
    QFile ini(program + "/ComPort.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[ComPort1]\nPort=COM1\nBaudRate=9600\n");
    ini.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", root.filePath("home"));
    environment.insert("XDG_DATA_HOME", data);
    environment.insert("XDG_CONFIG_HOME", root.filePath("home/.config"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ZENTO_FM_PORTS", ports);
    environment.remove("ZENTO_FM_RECOVERY");
    QProcess zentoFm;
    zentoFm.setProcessEnvironment(environment);
    zentoFm.setWorkingDirectory(program);
    zentoFm.setProcessChannelMode(QProcess::MergedChannels);
    zentoFm.start(program + "/zento-fm", {"--measure", "600"});
    QVERIFY(zentoFm.waitForStarted(Patience));
    const auto stopProgram = qScopeGuard([&] {
        if (zentoFm.state() != QProcess::NotRunning) {
            zentoFm.kill(); // by its process id
            zentoFm.waitForFinished(5000);
        }
    });

    // The run is under way for a while, then the program dies without a word.
    const int rate = int(std::lround(1.0 / ReadNumber(sampleTime).value_or(1.0)));
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     const int from = int(gauge.Events().indexOf("order Se1"));
                     return from >= 0 && gauge.Samples(from).size() >= rate;
                 },
                 3 * Patience),
             (zentoFm.readAll() + gauge.Events().join('\n')).constData());
    QTest::qWait(int(QRandomGenerator::global()->bounded(1500)));
    const int from = int(gauge.Events().indexOf("order Se1"));
    const qsizetype sentBefore = gauge.Samples(from).size();
    QTest::qWait(1000);
    QVERIFY(::kill(pid_t(zentoFm.processId()), SIGKILL) == 0);
    QVERIFY(zentoFm.waitForFinished(Patience));
    QCOMPARE(zentoFm.exitStatus(), QProcess::CrashExit);
    QTest::qWait(200);
    const QList<double> sent = gauge.Samples(from);
    gauge.Stop();

    // The journal holds everything up to a second before the kill, exactly as sent.
    const QString folder = data + "/zento-fm/recovery";
    const QStringList leftovers = RunJournal::Leftovers(folder);
    QCOMPARE(leftovers.size(), 1);
    const DataFileContents journal = DataFile::Read(leftovers.constFirst());
    QVERIFY2(journal.Error.isEmpty(), qPrintable(journal.Error));
    const QList<double> kept(journal.Values.begin(), journal.Values.end());
    qInfo("the gauge sent %lld samples up to a second before the kill and %lld in all; the "
          "journal holds %lld",
          qlonglong(sentBefore), qlonglong(sent.size()), qlonglong(kept.size()));
    // A display reading asked for just before the start may come in front of the stream.
    qsizetype early = 0;
    while (early < 2 && early < kept.size() && !kept.isEmpty() &&
           kept.mid(early, std::min<qsizetype>(5, kept.size() - early)) !=
               sent.first(std::min<qsizetype>(5, kept.size() - early)))
        ++early;
    const QList<double> streamed = kept.mid(early);
    QVERIFY(streamed.size() >= sentBefore);
    QVERIFY(streamed.size() <= sent.size());
    QCOMPARE(streamed, sent.first(streamed.size()));
    QCOMPARE(journal.TimeStep, ReadNumber(sampleTime).value_or(0.0));

    // The next start offers the run back: the chart, a test of the series and a data file.
    GaugeSession session;
    QVERIFY(QDir().mkpath(session.Program.RecoveryFolder()));
    const QString left =
        session.Program.RecoveryFolder() + "/" + QFileInfo(leftovers.constFirst()).fileName();
    QVERIFY(QFile::copy(leftovers.constFirst(), left));
    session.WriteConfig(false, true, "127.0.0.1", 1);
    session.CreateWindow();
    QVERIFY(session.ShowWindow());
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages.Texts().join('\n').contains("Odzyskano"), Patience);
    const QStringList texts = session.Messages.Texts();
    QVERIFY2(texts.join('\n').contains("nie został zakończony"), qPrintable(texts.join('\n')));
    QCOMPARE(Values(session.Window->ChartData()), kept);
    const TestRecord& record = session.Window->TestRecorder().Series().Records().constLast();
    QVERIFY(record.Name.startsWith("Odzyskany pomiar"));
    QCOMPARE(record.SampleCount, kept.size());
    const QRegularExpression named("^Odzyskano .* w pliku (.*)\\.$");
    QString file;
    for (const QString& text : texts)
        if (const QRegularExpressionMatch match = named.match(text); match.hasMatch())
            file = match.captured(1);
    QVERIFY2(!file.isEmpty(), qPrintable(texts.join('\n')));
    const DataFileContents saved = DataFile::Read(file);
    QVERIFY2(saved.Error.isEmpty(), qPrintable(saved.Error));
    QCOMPARE(QList<double>(saved.Values.begin(), saved.Values.end()), kept);
    // Once the test is in the results database, the journal is no longer needed.
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(left), Patience);
    QCOMPARE(RunJournal::Leftovers(session.Program.RecoveryFolder()), QStringList());
}

QTEST_MAIN(TestOnlineEndToEnd)
#include "tst_online_e2e.moc"
