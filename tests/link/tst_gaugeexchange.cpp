// The owner of the exchange: where received text goes, which orders it refuses during a
// run, when the polls may ask, and that the state it keeps is the one each order needs.
#include "link/CaptureFile.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "tests/support/IsolatedProgram.h"

#include <QSignalSpy>
#include <QTest>

using Order = OrderSet::Order;

class TestGaugeExchange : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FirstGauge() = GaugeState{};
        TheProgram = ProgramState{};
    }

    void routing_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("captured");
        QTest::newRow("confirming") << int(ExchangeState::Confirming) << false;
        QTest::newRow("reading display") << int(ExchangeState::ReadingDisplay) << false;
        QTest::newRow("reading settings") << int(ExchangeState::ReadingSettings) << false;
        QTest::newRow("streaming") << int(ExchangeState::Streaming) << false;
        QTest::newRow("downloading") << int(ExchangeState::Downloading) << false;
        QTest::newRow("raw capture") << int(ExchangeState::RawCapture) << true;
        QTest::newRow("a value without a name") << 9 << false;
    }
    void routing() {
        QFETCH(int, state);
        QFETCH(bool, captured);
        IsolatedProgram program;
        GaugeExchange exchange(FirstGauge());
        FirstGauge().ExchangeState = ExchangeState(state);
        FirstGauge().MeasurementRunning = true;

        // An unfinished line, so that the reply side keeps it whatever the state.
        const QByteArray text = "-012.3";
        exchange.ProcessIncoming(text);
        exchange.ProcessIncoming(QByteArray());
        QCOMPARE(exchange.Capture().Buffer(), captured ? text : QByteArray());
        QCOMPARE(exchange.Replies().IncomingBuffer(), captured ? QByteArray() : text);
    }

    // The user's orders wait for the end of a run, or of a start waiting for its moment;
    // the polls wait as the conversation with the gauge needs.
    void ordersDuringTheExchange_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("dialogOpen");
        QTest::addColumn<bool>("userOrderSent");
        QTest::addColumn<bool>("displayPollSent");
        QTest::addColumn<bool>("reportPollSent");
        const int confirming = int(ExchangeState::Confirming);
        QTest::newRow("idle") << false << confirming << false << true << true << true;
        QTest::newRow("run") << true << int(ExchangeState::Streaming) << false << false << false
                             << false;
        QTest::newRow("fast run") << true << int(ExchangeState::RawCapture) << false << false
                                  << false << false;
        QTest::newRow("report being read")
            << false << int(ExchangeState::ReadingSettings) << false << true << false << true;
        QTest::newRow("download") << false << int(ExchangeState::Downloading) << false << true
                                  << false << false;
        QTest::newRow("connection dialog") << false << confirming << true << true << false << false;
    }
    void ordersDuringTheExchange() {
        QFETCH(bool, running);
        QFETCH(int, state);
        QFETCH(bool, dialogOpen);
        QFETCH(bool, userOrderSent);
        QFETCH(bool, displayPollSent);
        QFETCH(bool, reportPollSent);
        IsolatedProgram program;
        GaugeExchange exchange(FirstGauge());
        QSignalSpy sent(&exchange, &GaugeExchange::OrderSent);
        QSignalSpy status(&exchange, &GaugeExchange::StatusText);
        const auto setUp = [&] {
            FirstGauge().MeasurementRunning = running;
            FirstGauge().ExchangeState = ExchangeState(state);
            FirstGauge().ConnectionDialogOpen = dialogOpen;
        };

        setUp();
        QCOMPARE(exchange.Send(Order::Tare), userOrderSent);
        if (!userOrderSent) {
            QCOMPARE(int(FirstGauge().ExchangeState), state); // the run's exchange goes on
            QCOMPARE(status.value(0).value(0).toString(),
                     QStringLiteral("Niedostępne w czasie pomiaru on-line"));
        } else {
            QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
            QCOMPARE(FirstGauge().AwaitedReply, Reply::Tare);
        }
        setUp();
        QCOMPARE(exchange.Poll(Order::DisplayPoll), displayPollSent);
        setUp();
        QCOMPARE(exchange.Poll(Order::Report), reportPollSent);

        QStringList orders;
        for (const QList<QVariant>& order : sent)
            orders << order.value(0).toByteArray();
        QStringList expected;
        if (userOrderSent)
            expected << QStringLiteral("ST");
        if (displayPollSent)
            expected << QStringLiteral("Sx1");
        if (reportPollSent)
            expected << QStringLiteral("Sid");
        QCOMPARE(orders, expected);
    }

    // A start waiting for its moment refuses the user's orders like a run.
    void armedStartRefuses() {
        IsolatedProgram program;
        GaugeExchange exchange(FirstGauge());
        auto* worker = new ComThread(nullptr, 1.0, false);
        worker->Start();
        QVERIFY(ThreadRunning());
        QVERIFY(!exchange.Send(Order::Mem));
        SetThreadRunning(false);
        QVERIFY(ComThread::WaitForAll(std::chrono::seconds(10)));
        QVERIFY(exchange.Send(Order::Mem));
    }

    // The run's state as the stream orders and their confirmation move it.
    void runStates() {
        IsolatedProgram program;
        GaugeExchange exchange(FirstGauge());
        QSignalSpy ended(&exchange, &GaugeExchange::RunEnded);

        exchange.StartStream(/*raw=*/false, /*now=*/false);
        QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
        QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOn);
        QVERIFY(!exchange.Running());
        exchange.BeginRun(true);
        QVERIFY(exchange.Running());
        QVERIFY(exchange.FastCapture());
        QVERIFY(exchange.Capture().IsOpen());
        exchange.EndFastCapture();
        exchange.StopStream(false);
        QCOMPARE(FirstGauge().AwaitedReply, Reply::StreamOff);
        exchange.ProcessIncoming("Me0\r\n");
        QCOMPARE(ended.size(), 1);
        QVERIFY(!exchange.Running());
        QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    }
};

QTEST_GUILESS_MAIN(TestGaugeExchange)
#include "tst_gaugeexchange.moc"
