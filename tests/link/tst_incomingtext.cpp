// Received text goes to the capture file only during raw capture, else to the reply side.
#include "link/CaptureFile.h"
#include "link/IncomingText.h"
#include "protocol/ProcessData.h"
#include "state/Global.h"
#include "tests/support/FakeReplyTarget.h"

#include <QTemporaryDir>
#include <QTest>

class TestIncomingText : public QObject {
    Q_OBJECT

private slots:
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
        Global = SharedState{};
        Global.ExchangeState = ExchangeState(state);
        Global.MeasurementRunning = true;
        QTemporaryDir dir;
        CaptureFile capture(dir.filePath(QStringLiteral("fcf.dat")));
        QVERIFY(capture.Start());
        FakeReplyTarget target;
        ProcessData replies(target);

        // An unfinished line, so that the reply side keeps it whatever the state.
        const QByteArray text = "-012.3";
        RouteIncoming(text, capture, replies);
        RouteIncoming(QByteArray(), capture, replies);
        QCOMPARE(capture.Buffer(), captured ? text : QByteArray());
        QCOMPARE(replies.IncomingBuffer(), captured ? QByteArray() : text);
        capture.Finish();
    }
};

QTEST_GUILESS_MAIN(TestIncomingText)
#include "tst_incomingtext.moc"
