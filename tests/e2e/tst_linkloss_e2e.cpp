// A gauge that goes away in the middle of an on-line run: an unplugged serial adapter, a
// network peer that closes or resets the connection. The program keeps running and keeps
// every sample it received. With retries on (the default) it opens the same port or host
// again every second: the run waits and goes on where the gauge's samples really belong, a
// break in the line between; Stop or the window's close end it meanwhile, and a gauge that
// does not come back in time ends it as a stop would. With retries off, once the gauge is back
// and the user opens the link again, the run is stopped and a new one continues the time
// scale after the last point.
#include "app/LinkRecovery.h"
#include "link/EthConnection.h"
#include "protocol/Numbers.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy
constexpr double Step = 0.1;
// Lines the gauge had sent when the line went away may be lost with it, as on a real
// cable; the rest must all be there.
constexpr int LostWithTheLine = 3;
// How long the gauge stays away when it comes back.
constexpr int AwayMs = 5000;

// How a run whose gauge went away ends.
enum class Ending { GaugeBack, StopWhileAway, CloseWhileAway, NeverBack };

// A reading that grows through the whole test, so that every sample is told apart.
const QStringList GaugeOptions{"--model",  "FM-500", "--value",       "0",   "--amplitude", "1000",
                               "--period", "1000",   "--sample-time", "0.1", "--newfile"};

QList<double> Values(const ChartModel& chart) {
    QList<double> values;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        values << it->value;
    return values;
}

// The samples' values, the break marked by a value that is not a number.
QList<double> FiniteValues(const ChartModel& chart) {
    QList<double> values;
    for (const double value : Values(chart))
        if (std::isfinite(value))
            values << value;
    return values;
}

QList<double> Keys(const ChartModel& chart) {
    QList<double> keys;
    for (auto it = chart.Samples().constBegin(); it != chart.Samples().constEnd(); ++it)
        keys << it->key;
    return keys;
}

QList<double> ResultsIn(const QString& path) {
    QList<double> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            values << ReadNumber(QString::fromLatin1(line.trimmed())).value_or(-1e300);
    return values;
}

bool LinkUp(GaugeSession& session, bool tcp) {
    return tcp ? session.Window->EthLink()->EthLinkState() == CEthConnection::Connected
               : session.Window->Connected();
}

bool LinkDown(GaugeSession& session, bool tcp) {
    return tcp ? session.Window->EthLink()->EthLinkState() == CEthConnection::Idle
               : !session.Window->Connected();
}

bool StartGauge(GaugeSession& session, bool tcp, quint16 port = 0) {
    return tcp ? session.Gauge.StartTcp(GaugeOptions, port)
               : session.Gauge.StartPty(GaugeOptions, 1, session.Program.Ports());
}

// The program with its link open and the settings report read; the display poll is off,
// so that nothing but the stream brings samples.
bool Connect(GaugeSession& session, bool tcp) {
    if (!StartGauge(session, tcp))
        return false;
    if (tcp)
        session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    else
        session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    const auto ready = [&] {
        return LinkUp(session, tcp) &&
               session.Find<QLabel>("LabelModel")->text() == QStringLiteral("FM-500") &&
               !session.Find<QTimer>("TimerReport")->isActive();
    };
    if (!QTest::qWaitFor(ready, Patience))
        return false;
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(false);
    session.Find<QAbstractButton>("chkbUpdateBattery")->setChecked(false);
    if (!QTest::qWaitFor([&] { return !session.Find<QTimer>("TimerDisplay")->isActive(); },
                         Patience))
        return false;
    QTest::qWait(200);
    return true;
}

// The event loop still turns: a zero timer posted now fires.
bool WindowAnswers() {
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    return QTest::qWaitFor([&fired] { return fired; }, Patience);
}

// The index of the first event at or after `from` that starts with `prefix`; -1 for none.
int EventIndex(const GaugeSim& gauge, const QByteArray& prefix, int from) {
    for (int i = from; i < gauge.Events().size(); ++i)
        if (gauge.Events().at(i).startsWith(prefix))
            return i;
    return -1;
}

bool SomeTextHas(const QSignalSpy& spy, const QString& part) {
    for (const QList<QVariant>& texts : spy)
        if (texts.value(0).toString().contains(part))
            return true;
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestLinkLossEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void gaugeGoesAwayDuringARun_data();
    void gaugeGoesAwayDuringARun();
    void runWaitsForTheGauge_data();
    void runWaitsForTheGauge();
    void linkComesBackWithoutARun_data();
    void linkComesBackWithoutARun();
};

void TestLinkLossEndToEnd::gaugeGoesAwayDuringARun_data() {
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QByteArray>("away");
    QTest::addColumn<bool>("newGauge");
    QTest::addColumn<bool>("stopWhileAway");

    QTest::newRow("retries off, serial: adapter unplugged and plugged in again")
        << false << QByteArray("vanish") << false << false;
    QTest::newRow("retries off, serial: Stop while unplugged, another gauge on the port")
        << false << QByteArray("vanish") << true << true;
    QTest::newRow("retries off, network: peer closes, comes back")
        << true << QByteArray("vanish") << false << true;
    QTest::newRow("retries off, network: peer resets, another gauge on the port")
        << true << QByteArray("vanish reset") << true << false;
}

void TestLinkLossEndToEnd::gaugeGoesAwayDuringARun() {
    QFETCH(bool, tcp);
    QFETCH(QByteArray, away);
    QFETCH(bool, newGauge);
    QFETCH(bool, stopWhileAway);

    GaugeSession session;
    QVERIFY2(Connect(session, tcp), qPrintable(session.Gauge.ErrorText()));
    FirstGauge().ReconnectOnLoss = false;
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));
    TheProgram.DataDirectory = folder;
    const quint16 tcpPort = session.Gauge.TcpPort();

    // The first run, cut off by the gauge going away.
    int mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QVERIFY(session.Gauge.WaitForEvent("sample", mark, Patience, 15));
    QTRY_VERIFY_WITH_TIMEOUT(session.Window->ChartPointCount() >= 10, Patience);
    QVERIFY(session.Gauge.CommandAndWait(away));
    const QList<double> sentFirst = session.Gauge.Samples(mark);
    QTRY_VERIFY_WITH_TIMEOUT(LinkDown(session, tcp), Patience);
    QVERIFY(WindowAnswers());
    QTest::qWait(500); // anything still on its way has arrived

    const QList<double> keptFirst = Values(session.Window->ChartData());
    const QString firstResults = FirstGauge().ResultsFileName;
    const QList<double> writtenFirst = ResultsIn(firstResults);
    qInfo("first run: the gauge sent %d samples, the chart kept %d, the results file holds %d",
          int(sentFirst.size()), int(keptFirst.size()), int(writtenFirst.size()));
    QVERIFY(keptFirst.size() >= sentFirst.size() - LostWithTheLine);
    QCOMPARE(keptFirst, sentFirst.mid(0, keptFirst.size()));
    QCOMPARE(writtenFirst, keptFirst);
    session.Window->RefreshStatLabels();
    QCOMPARE(session.Find<QLabel>("LabelCount")->text(), QString::number(keptFirst.size()));
    QVERIFY2(session.Messages.Shown.isEmpty(), qPrintable(session.Messages.Shown.value(0).Text));

    if (stopWhileAway) {
        // The stop order goes nowhere; it is repeated until a gauge confirms it.
        session.Find<QAbstractButton>("sbStop")->click();
        QTest::qWait(1200);
        QVERIFY(FirstGauge().MeasurementRunning);
    }

    // The gauge is back, and the user opens the link again.
    if (!newGauge)
        QVERIFY(session.Gauge.CommandAndWait("appear"));
    else
        QVERIFY2(StartGauge(session, tcp, tcpPort), qPrintable(session.Gauge.ErrorText()));
    mark = session.Gauge.Mark();
    session.ClickPortButton();
    QTRY_VERIFY_WITH_TIMEOUT(LinkUp(session, tcp), Patience);
    if (!stopWhileAway)
        session.Find<QAbstractButton>("sbStop")->click();
    QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience));
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(session.Find<QAbstractButton>("sbStart")->isEnabled(), Patience);
    // The run went on until the gauge confirmed its stop: what the gauge sent after its
    // return (all but what it sent before the link was open again) belongs to it too.
    const QList<double> firstRun = Values(session.Window->ChartData());
    QCOMPARE(firstRun.mid(0, keptFirst.size()), keptFirst);
    const QList<double> afterReturn = firstRun.mid(keptFirst.size());
    const QList<double> sentSinceReturn = session.Gauge.Samples(mark);
    QVERIFY(afterReturn.size() <= sentSinceReturn.size());
    QCOMPARE(afterReturn, sentSinceReturn.mid(sentSinceReturn.size() - afterReturn.size()));

    // A new run continues after the last point.
    mark = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    if (!session.Gauge.WaitForEvent("sample", mark, Patience, 10)) {
        for (const QByteArray& e : session.Gauge.Events().mid(mark - 30))
            qInfo("%s", e.constData());
        QFAIL("no samples");
    }
    QVERIFY(session.Gauge.CommandAndWait("stream off"));
    const QList<double> sentSecond = session.Gauge.Samples(mark);
    QTRY_COMPARE_WITH_TIMEOUT(session.Window->ChartPointCount(),
                              int(firstRun.size() + sentSecond.size()), Patience);
    QCOMPARE(Values(session.Window->ChartData()), firstRun + sentSecond);
    const QList<double> keys = Keys(session.Window->ChartData());
    for (int i = 0; i < keys.size(); ++i)
        QVERIFY2(std::abs(keys[i] - i * Step) < 1e-9,
                 qPrintable(QStringLiteral("point %1 at %2").arg(i).arg(keys[i])));

    // Each run has its results file; the first keeps what it had.
    QVERIFY(FirstGauge().ResultsFileName != firstResults);
    const QList<double> writtenSecond = ResultsIn(FirstGauge().ResultsFileName);
    qInfo("second run: the gauge sent %d samples, the chart holds %d in all, the new results "
          "file %d",
          int(sentSecond.size()), session.Window->ChartPointCount(), int(writtenSecond.size()));
    QCOMPARE(writtenSecond, sentSecond);
    QCOMPARE(ResultsIn(firstResults), firstRun);
    session.Window->RefreshStatLabels();
    QCOMPARE(session.Find<QLabel>("LabelCount")->text(),
             QString::number(firstRun.size() + sentSecond.size()));

    session.Find<QAbstractButton>("sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
    QVERIFY(session.Messages.Shown.isEmpty());
}

void TestLinkLossEndToEnd::runWaitsForTheGauge_data() {
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QByteArray>("away");
    QTest::addColumn<Ending>("ending");

    QTest::newRow("serial: adapter unplugged for 5 s, the run goes on")
        << false << QByteArray("vanish") << Ending::GaugeBack;
    QTest::newRow("network: peer closes for 5 s, the run goes on")
        << true << QByteArray("vanish") << Ending::GaugeBack;
    QTest::newRow("network: peer resets for 5 s, the run goes on")
        << true << QByteArray("vanish reset") << Ending::GaugeBack;
    QTest::newRow("serial: Stop while unplugged ends the run at once")
        << false << QByteArray("vanish") << Ending::StopWhileAway;
    QTest::newRow("network: the window closes while the peer is away")
        << true << QByteArray("vanish") << Ending::CloseWhileAway;
    QTest::newRow("serial: the adapter stays away longer than the set time")
        << false << QByteArray("vanish") << Ending::NeverBack;
    QTest::newRow("network: the peer stays away longer than the set time")
        << true << QByteArray("vanish reset") << Ending::NeverBack;
}

void TestLinkLossEndToEnd::runWaitsForTheGauge() {
    QFETCH(bool, tcp);
    QFETCH(QByteArray, away);
    QFETCH(Ending, ending);

    GaugeSession session;
    QVERIFY2(Connect(session, tcp), qPrintable(session.Gauge.ErrorText()));
    QVERIFY(FirstGauge().ReconnectOnLoss);
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));
    TheProgram.DataDirectory = folder;
    TMainForm& window = *session.Window;
    // Minutes are too long for a test: the set time is a few seconds here.
    constexpr std::chrono::milliseconds ShortLimit{2500};
    if (ending == Ending::NeverBack)
        window.Recovery().SetLimit(ShortLimit);
    QSignalSpy statuses(&window, &TMainForm::StatusTextChanged);

    const int start = session.Gauge.Mark();
    session.Find<QAbstractButton>("sbStart")->click();
    QElapsedTimer runClock;
    runClock.start();
    QVERIFY(session.Gauge.WaitForEvent("sample", start, Patience, 15));
    QTRY_VERIFY_WITH_TIMEOUT(window.ChartPointCount() >= 10, Patience);
    QVERIFY(session.Gauge.CommandAndWait(away));
    QElapsedTimer awayClock;
    awayClock.start();
    const int vanished = session.Gauge.Mark();
    const QList<double> sentBefore = session.Gauge.Samples(start);
    QTRY_VERIFY_WITH_TIMEOUT(LinkDown(session, tcp), Patience);
    QVERIFY(WindowAnswers());
    QTest::qWait(500); // anything still on its way has arrived

    // The run waits; what came before the loss is all there.
    QVERIFY(FirstGauge().MeasurementRunning);
    QVERIFY(window.Recovery().Waiting());
    QTRY_VERIFY_WITH_TIMEOUT(window.StatusText().contains(QStringLiteral("ponawianie")), Patience);
    const QList<double> keptBefore = Values(window.ChartData());
    QVERIFY(keptBefore.size() >= sentBefore.size() - LostWithTheLine);
    QCOMPARE(keptBefore, sentBefore.mid(0, keptBefore.size()));
    const QList<double> keysBefore = Keys(window.ChartData());
    for (int i = 0; i < keysBefore.size(); ++i)
        QVERIFY(std::abs(keysBefore[i] - i * Step) < 1e-9);
    const double lastBefore = keysBefore.last();
    const TestSeries& tests = window.Tests();
    QVERIFY(tests.Records().isEmpty());

    switch (ending) {
    case Ending::StopWhileAway: {
        // No gauge can confirm the stop: the run ends now, with what it measured.
        session.Find<QAbstractButton>("sbStop")->click();
        QVERIFY(!FirstGauge().MeasurementRunning);
        QVERIFY(session.Find<QAbstractButton>("sbStart")->isEnabled());
        QCOMPARE(tests.Records().size(), 1);
        QCOMPARE(tests.Records().first().SampleCount, int(keptBefore.size()));
        QVERIFY(tests.Records().first().Gaps.isEmpty());
        // The link still comes back, and the gauge, left sending, is told to stop.
        const int mark = session.Gauge.Mark();
        QVERIFY(session.Gauge.CommandAndWait("appear"));
        QTRY_VERIFY_WITH_TIMEOUT(LinkUp(session, tcp), Patience);
        QVERIFY(session.Gauge.WaitForEvent("order Se0", mark, Patience));
        // The polls come back with the link.
        QTRY_VERIFY_WITH_TIMEOUT(session.Gauge.Orders(mark).contains("Sid"), Patience);
        QCOMPARE(Values(window.ChartData()), keptBefore);
        break;
    }
    case Ending::CloseWhileAway: {
        window.close();
        QCOMPARE(tests.Records().size(), 1);
        QCOMPARE(tests.Records().first().SampleCount, int(keptBefore.size()));
        const int mark = session.Gauge.Mark();
        QVERIFY(session.Gauge.CommandAndWait("appear"));
        QTest::qWait(int(2.5 * LinkRecovery::RetryInterval.count()));
        QVERIFY(WindowAnswers());
        // Nothing tries the link after the close.
        QVERIFY(session.Gauge.EventsOf("link", mark).isEmpty());
        break;
    }
    case Ending::NeverBack: {
        QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience + ShortLimit.count());
        QVERIFY(awayClock.elapsed() >= ShortLimit.count() - 500);
        QVERIFY(!window.Recovery().Waiting());
        QVERIFY(window.StatusText().contains(QStringLiteral("nie zostało przywrócone")));
        QVERIFY(session.Find<QAbstractButton>("sbStart")->isEnabled());
        QCOMPARE(Values(window.ChartData()), keptBefore);
        QCOMPARE(tests.Records().size(), 1);
        QCOMPARE(tests.Records().first().SampleCount, int(keptBefore.size()));
        // The gauge back afterwards is not looked for any more.
        const int mark = session.Gauge.Mark();
        QVERIFY(session.Gauge.CommandAndWait("appear"));
        QTest::qWait(int(2.5 * LinkRecovery::RetryInterval.count()));
        QVERIFY(LinkDown(session, tcp));
        QVERIFY(session.Gauge.EventsOf("link", mark).isEmpty());
        break;
    }
    case Ending::GaugeBack: {
        QTest::qWait(std::max(0, AwayMs - int(awayClock.elapsed())));
        QVERIFY(FirstGauge().MeasurementRunning);
        const int appeared = session.Gauge.Mark();
        QVERIFY(session.Gauge.CommandAndWait("appear"));
        const double awaySeconds = double(awayClock.elapsed()) / 1000;
        QTRY_VERIFY_WITH_TIMEOUT(LinkUp(session, tcp), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(window.ChartPointCount() > keptBefore.size() + 1, Patience);
        const double seenAt = double(runClock.elapsed()) / 1000;
        QTRY_VERIFY_WITH_TIMEOUT(window.ChartPointCount() > keptBefore.size() + 10, Patience);
        QVERIFY(SomeTextHas(statuses, QStringLiteral("przywrócone")));
        const int stopMark = session.Gauge.Mark();
        session.Find<QAbstractButton>("sbStop")->click();
        QVERIFY(session.Gauge.WaitForEvent("order Se0", stopMark, Patience));
        QTRY_VERIFY_WITH_TIMEOUT(!FirstGauge().MeasurementRunning, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(session.Find<QAbstractButton>("sbStart")->isEnabled(), Patience);

        // Before the gap, a break, after it: every sample the gauge sent once the link was
        // open again, and nothing it sent while it was away.
        const QList<double> values = Values(window.ChartData());
        const QList<double> keys = Keys(window.ChartData());
        QCOMPARE(values.mid(0, keptBefore.size()), keptBefore);
        QVERIFY(std::isnan(values.at(keptBefore.size())));
        const QList<double> after = values.mid(keptBefore.size() + 1);
        const QList<double> sentAll = session.Gauge.Samples(start);
        const int reopened = EventIndex(session.Gauge, "link open", appeared);
        QVERIFY(reopened >= 0);
        const QList<double> sentSinceReopen = session.Gauge.Samples(reopened);
        qInfo("the gauge sent %d samples before it went, %d while away, %d since the link "
              "was open again; the chart kept %d and %d",
              int(sentBefore.size()),
              int(session.Gauge.Samples(vanished).size() - sentSinceReopen.size()),
              int(sentSinceReopen.size()), int(keptBefore.size()), int(after.size()));
        QVERIFY(after.size() >= sentSinceReopen.size());
        QVERIFY(after.size() <= sentAll.size() - sentBefore.size());
        QCOMPARE(after, sentAll.mid(sentAll.size() - after.size()));
        for (const double value : after)
            QVERIFY(std::isfinite(value));

        // The first sample after the gap stands at about the time it came, on the run's
        // time scale; those after it follow one step apart.
        const double gapAt = keys.at(keptBefore.size());
        const double firstAfter = keys.at(keptBefore.size() + 1);
        qInfo("last sample before the gap at %.2f s, first after it at %.2f s (seen at %.2f s, "
              "the gauge was away %.2f s)",
              lastBefore, firstAfter, seenAt, awaySeconds);
        QVERIFY(gapAt > lastBefore && gapAt < firstAfter);
        QVERIFY(firstAfter - lastBefore >= awaySeconds - 1.0);
        QVERIFY(firstAfter <= seenAt + 0.5);
        for (qsizetype i = keptBefore.size() + 2; i < keys.size(); ++i)
            QVERIFY(std::abs(keys[i] - keys[i - 1] - Step) < 1e-6);

        // The statistics, the results file and the test count samples only; the test notes
        // the gap.
        const QList<double> finite = FiniteValues(window.ChartData());
        window.RefreshStatLabels();
        QCOMPARE(session.Find<QLabel>("LabelCount")->text(), QString::number(finite.size()));
        QCOMPARE(ResultsIn(FirstGauge().ResultsFileName), finite);
        QCOMPARE(tests.Records().size(), 1);
        const TestRecord& record = tests.Records().first();
        QCOMPARE(record.SampleCount, int(finite.size()));
        QCOMPARE(record.Gaps.size(), 1);
        QVERIFY(std::abs(record.Gaps.first().Start - lastBefore) < 1e-6);
        QVERIFY(std::abs(record.Gaps.first().End - firstAfter) < 1e-6);
        QVERIFY2(record.Context.Note.contains(QStringLiteral("Przerwa w połączeniu")),
                 qPrintable(record.Context.Note));
        break;
    }
    }
    QVERIFY2(session.Messages.Shown.isEmpty(), qPrintable(session.Messages.Shown.value(0).Text));
}

void TestLinkLossEndToEnd::linkComesBackWithoutARun_data() {
    QTest::addColumn<bool>("tcp");
    QTest::newRow("serial") << false;
    QTest::newRow("network") << true;
}

// Without a run the link simply comes back, and the polls with it; the gauge, which was not
// sending, is not told to stop.
void TestLinkLossEndToEnd::linkComesBackWithoutARun() {
    QFETCH(bool, tcp);
    GaugeSession session;
    QVERIFY2(Connect(session, tcp), qPrintable(session.Gauge.ErrorText()));
    QVERIFY(session.Gauge.CommandAndWait("vanish"));
    QTRY_VERIFY_WITH_TIMEOUT(LinkDown(session, tcp), Patience);
    QTRY_VERIFY_WITH_TIMEOUT(session.Window->StatusText().contains(QStringLiteral("ponawianie")),
                             Patience);
    QTest::qWait(int(1.5 * LinkRecovery::RetryInterval.count()));
    const int mark = session.Gauge.Mark();
    QVERIFY(session.Gauge.CommandAndWait("appear"));
    QTRY_VERIFY_WITH_TIMEOUT(LinkUp(session, tcp), Patience);
    QVERIFY(!session.Window->Recovery().Waiting());
    QTRY_VERIFY_WITH_TIMEOUT(session.Gauge.Orders(mark).contains("Sid"), Patience);
    QVERIFY(!session.Gauge.Orders(mark).contains("Se0"));
    QVERIFY(!FirstGauge().MeasurementRunning);
    QCOMPARE(session.Window->ChartPointCount(), 0);
    QVERIFY(session.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestLinkLossEndToEnd)
#include "tst_linkloss_e2e.moc"
