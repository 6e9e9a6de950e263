// A gauge that sends a megabyte of noise, with and without line ends, under every exchange
// state, over the serial link and over the network: the reply buffer, the network buffer and
// the capture buffer stay within their bounds, the window keeps answering while the noise
// arrives, and the gauge's readings are recognised again afterwards.
#include "link/CaptureFile.h"
#include "link/EthConnection.h"
#include "state/GaugeState.h"
#include "tests/support/ExchangeSetup.h"
#include "tests/support/GaugeSession.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(ExchangeState)

namespace {

constexpr int Patience = 10000; // generous: the machine may be busy
constexpr qint64 NoiseBytes = 1'000'000;
// The longest the event loop may stay away while the noise arrives. Far above what a
// healthy window needs (a few milliseconds per chunk); a parser that rescanned everything
// for every piece would exceed it many times over.
constexpr qint64 LongestStall = 2000;
constexpr std::chrono::milliseconds ProbeInterval{10};

// What the window's buffers and its event loop did while the noise arrived.
struct Observation {
    qsizetype Reply = 0;
    qsizetype Network = 0;
    qsizetype Capture = 0;
    qint64 Stall = 0;
    int Probes = 0;
};

bool LinkUp(GaugeSession& session, bool tcp) {
    return tcp ? session.Window->EthLink()->EthLinkState() == CEthConnection::Connected
               : session.Window->Connected();
}

// The program with its link open and the first reading shown; then every poll is off, so
// that the exchange state the test sets stays.
bool Connect(GaugeSession& session, bool tcp) {
    const QStringList options{"--model", "FM-500", "--amplitude", "0", "--value", "12.5"};
    if (!(tcp ? session.StartGaugeTcp(options) : session.StartGaugePty(options)))
        return false;
    if (tcp)
        session.WriteConfig(false, true, QStringLiteral("127.0.0.1"), session.Gauge.TcpPort());
    else
        session.WriteComPortIni(QStringLiteral("COM1"));
    session.CreateWindow();
    session.ClickPortButton();
    auto* panel = session.Find<QLabel>("PanelResult");
    const auto ready = [&] {
        return LinkUp(session, tcp) && panel->text().contains("12.50") &&
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
    QTest::qWait(300); // the last reply has come
    return true;
}

} // namespace

class TestNoiseEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void megabyteOfNoise_data();
    void megabyteOfNoise();
};

void TestNoiseEndToEnd::megabyteOfNoise_data() {
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<bool>("lineEnds");
    QTest::addColumn<ExchangeState>("state");
    QTest::addColumn<int>("awaited");

    const struct {
        ExchangeState State;
        std::uint8_t Awaited;
        const char* Name;
    } states[] = {
        {ExchangeState::Confirming, Reply::Tare, "confirming"},
        {ExchangeState::ReadingDisplay, Reply::DisplayPoll, "reading"},
        {ExchangeState::ReadingSettings, Reply::Report, "report"},
        {ExchangeState::Streaming, Reply::StreamOn, "stream"},
        {ExchangeState::Downloading, Reply::Download, "download"},
        {ExchangeState::RawCapture, Reply::StreamOn, "capture"},
    };
    for (const bool tcp : {false, true})
        for (const bool lineEnds : {true, false})
            for (const auto& s : states)
                QTest::addRow("%s, %s, %s", tcp ? "network" : "serial",
                              lineEnds ? "lines" : "no line ends", s.Name)
                    << tcp << lineEnds << s.State << int(s.Awaited);
}

void TestNoiseEndToEnd::megabyteOfNoise() {
    QFETCH(bool, tcp);
    QFETCH(bool, lineEnds);
    QFETCH(ExchangeState, state);
    QFETCH(int, awaited);

    GaugeSession session;
    QVERIFY2(Connect(session, tcp), qPrintable(session.Gauge.ErrorText()));
    SetExchange(state, std::uint8_t(awaited));
    const bool running = state == ExchangeState::Streaming || state == ExchangeState::RawCapture;
    FirstGauge().MeasurementRunning = running;
    FirstGauge().SampleTime = 0.1;

    // A probe every few milliseconds: the buffers' sizes and the longest pause between probes.
    Observation seen;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    QTimer probe;
    probe.setInterval(ProbeInterval);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        seen.Stall = std::max(seen.Stall, now - last);
        last = now;
        ++seen.Probes;
        seen.Reply = std::max(seen.Reply, session.Window->Replies().IncomingBuffer().size());
        seen.Network = std::max(seen.Network, session.Window->EthLink()->EthRxBuffer().size());
        seen.Capture = std::max(seen.Capture, session.Window->Capture().Buffer().size());
    });
    probe.start();

    const int mark = session.Gauge.Mark();
    session.Gauge.Command(QByteArray("noise ") + QByteArray::number(NoiseBytes) +
                          (lineEnds ? " lf" : " nolf"));
    QVERIFY(session.Gauge.WaitForEvent("burst done", mark, 6 * Patience));
    QTest::qWait(500); // what was on the line has been read
    qInfo("%d probes, longest pause %lld ms; largest reply buffer %lld, network buffer %lld, "
          "capture buffer %lld bytes",
          seen.Probes, seen.Stall, qint64(seen.Reply), qint64(seen.Network), qint64(seen.Capture));

    QVERIFY(seen.Probes > 10);
    QVERIFY2(seen.Stall < LongestStall, qPrintable(QString::number(seen.Stall)));
    QVERIFY(seen.Reply <= ProcessData::IncomingLimit);
    QVERIFY(seen.Network <= CEthConnection::RxBufferLimit);
    // The capture is written out in small blocks as it comes.
    QVERIFY(seen.Capture <= 64 * 1024);
    QVERIFY(LinkUp(session, tcp));
    // Noise is never a sample, a setting or a message.
    QCOMPARE(session.Window->ChartPointCount(), 0);
    QCOMPARE(session.Find<QLabel>("LabelModel")->text(), QStringLiteral("FM-500"));
    QVERIFY2(session.Messages.Shown.isEmpty(), qPrintable(session.Messages.Shown.value(0).Text));

    // The gauge is understood again once the noise is over.
    FirstGauge().MeasurementRunning = false;
    SetExchange(ExchangeState::Confirming, 0);
    QVERIFY(session.Gauge.CommandAndWait("value 17.25"));
    session.Find<QAbstractButton>("chkbUpdateDisplay")->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(session.Find<QLabel>("PanelResult")->text().contains("17.25"),
                             Patience);
    // The reading came after the noise on the same line: by now all of it has been through.
    probe.stop();
    QVERIFY2(seen.Stall < LongestStall, qPrintable(QString::number(seen.Stall)));
    QVERIFY(seen.Reply <= ProcessData::IncomingLimit);
    QVERIFY(seen.Network <= CEthConnection::RxBufferLimit);
}

QTEST_MAIN(TestNoiseEndToEnd)
#include "tst_noise_e2e.moc"
