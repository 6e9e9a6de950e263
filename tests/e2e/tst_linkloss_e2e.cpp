// A gauge that goes away in the middle of an on-line run: an unplugged serial adapter, a
// network peer that closes or resets the connection. The program keeps running and keeps
// every sample it received; once the gauge is back and the link is opened again, the run is
// stopped and a new one continues the time scale after the last point.
#include "link/EthConnection.h"
#include "protocol/Numbers.h"
#include "state/Global.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy
constexpr double Step = 0.1;
// Lines the gauge had sent when the line went away may be lost with it, as on a real
// cable; the rest must all be there.
constexpr int LostWithTheLine = 3;

// A reading that grows through the whole test, so that every sample is told apart.
const QStringList GaugeOptions{"--model",  "FM-500", "--value",       "0",   "--amplitude", "1000",
                               "--period", "1000",   "--sample-time", "0.1", "--newfile"};

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

} // namespace

class TestLinkLossEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void gaugeGoesAwayDuringARun_data();
    void gaugeGoesAwayDuringARun();
};

void TestLinkLossEndToEnd::gaugeGoesAwayDuringARun_data() {
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QByteArray>("away");
    QTest::addColumn<bool>("newGauge");
    QTest::addColumn<bool>("stopWhileAway");

    QTest::newRow("serial: adapter unplugged and plugged in again")
        << false << QByteArray("vanish") << false << false;
    QTest::newRow("serial: Stop while unplugged, another gauge on the port")
        << false << QByteArray("vanish") << true << true;
    QTest::newRow("network: peer closes, comes back")
        << true << QByteArray("vanish") << false << true;
    QTest::newRow("network: peer resets, another gauge on the port")
        << true << QByteArray("vanish reset") << true << false;
}

void TestLinkLossEndToEnd::gaugeGoesAwayDuringARun() {
    QFETCH(bool, tcp);
    QFETCH(QByteArray, away);
    QFETCH(bool, newGauge);
    QFETCH(bool, stopWhileAway);

    GaugeSession session;
    QVERIFY2(Connect(session, tcp), qPrintable(session.Gauge.ErrorText()));
    const QString folder = session.Program.FilePath(QStringLiteral("wyniki"));
    QVERIFY(QDir().mkpath(folder));
    Global.DataDirectory = folder;
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
    const QString firstResults = Global.ResultsFileName;
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
        QVERIFY(Global.MeasurementRunning);
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
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
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
    QVERIFY(Global.ResultsFileName != firstResults);
    const QList<double> writtenSecond = ResultsIn(Global.ResultsFileName);
    qInfo("second run: the gauge sent %d samples, the chart holds %d in all, the new results "
          "file %d",
          int(sentSecond.size()), session.Window->ChartPointCount(), int(writtenSecond.size()));
    QCOMPARE(writtenSecond, sentSecond);
    QCOMPARE(ResultsIn(firstResults), firstRun);
    session.Window->RefreshStatLabels();
    QCOMPARE(session.Find<QLabel>("LabelCount")->text(),
             QString::number(firstRun.size() + sentSecond.size()));

    session.Find<QAbstractButton>("sbStop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!Global.MeasurementRunning, Patience);
    QVERIFY(session.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestLinkLossEndToEnd)
#include "tst_linkloss_e2e.moc"
