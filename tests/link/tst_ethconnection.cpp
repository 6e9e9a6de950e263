// The network link against a server on 127.0.0.1: lines handed on whole and in order, the
// bound on an unfinished line, the toggle states, and silence on every failure.
#include "link/EthConnection.h"
#include "tests/support/RecordingMessages.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");
constexpr int Patience = 5000;

// A gauge on the network: accepts one connection and talks over it.
class FakeNetworkGauge {
public:
    FakeNetworkGauge() { m_server.listen(QHostAddress::LocalHost, 0); }

    int Port() const { return m_server.serverPort(); }
    bool Accept() {
        if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(Patience))
            return false;
        m_peer = m_server.nextPendingConnection();
        return m_peer != nullptr;
    }
    void Send(const QByteArray& bytes) {
        m_peer->write(bytes);
        m_peer->flush();
    }
    QByteArray Received(qsizetype expected) {
        QByteArray got;
        QDeadlineTimer deadline(Patience);
        while (got.size() < expected && !deadline.hasExpired()) {
            if (!m_peer->bytesAvailable())
                QTest::qWait(10);
            got += m_peer->readAll();
        }
        return got;
    }
    QTcpSocket* Peer() const { return m_peer; }
    void Stop() { m_server.close(); }

private:
    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
};

QList<std::uint8_t> States(const QSignalSpy& spy) {
    QList<std::uint8_t> states;
    for (const QList<QVariant>& args : spy)
        states << args.at(0).value<std::uint8_t>();
    return states;
}

QList<QByteArray> Lines(const QSignalSpy& spy) {
    QList<QByteArray> lines;
    for (const QList<QVariant>& args : spy)
        lines << args.at(0).toByteArray();
    return lines;
}

} // namespace

class TestEthConnection : public QObject {
    Q_OBJECT

private slots:
    // Each chunk is one data event on the link.
    void linesInOrder_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QByteArray>("rest");
        const QByteArray reading = "-     1.23 kg \r\n"; // 16 characters
        QTest::newRow("reading and acknowledgement in one event")
            << QList<QByteArray>{reading + "Mf1\r\n"} << QList<QByteArray>{reading, "Mf1\r\n"}
            << QByteArray();
        QTest::newRow("two readings in one event")
            << QList<QByteArray>{reading + reading} << QList<QByteArray>{reading, reading}
            << QByteArray();
        QTest::newRow("short lines are not dropped")
            << QList<QByteArray>{"Me0\r\nMb 80\r\nMQ\r\n", "\n"}
            << QList<QByteArray>{"Me0\r\n", "Mb 80\r\n", "MQ\r\n", "\n"} << QByteArray();
        QTest::newRow("a tail waits for its line end")
            << QList<QByteArray>{"MODEL", ":  FB", "50\r\nSER", "IAL"}
            << QList<QByteArray>{"MODEL:  FB50\r\n"} << QByteArray("SERIAL");
        QTest::newRow("line feed without carriage return")
            << QList<QByteArray>{"-012.34\n-012.35\n"}
            << QList<QByteArray>{"-012.34\n", "-012.35\n"} << QByteArray();
        QTest::newRow("carriage return alone ends nothing")
            << QList<QByteArray>{"ab\rcd\r", "\n"} << QList<QByteArray>{"ab\rcd\r\n"}
            << QByteArray();
    }
    void linesInOrder() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QByteArray, rest);
        FakeNetworkGauge gauge;
        CEthConnection link;
        QSignalSpy received(&link, &CEthConnection::BytesReceived);
        link.Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);

        qsizetype sent = 0;
        for (const QByteArray& chunk : chunks) {
            gauge.Send(chunk);
            sent += chunk.size();
            // Wait until the link has taken this chunk, so the next is a new data event.
            const auto taken = [&] {
                qsizetype n = link.EthRxBuffer().size();
                for (const QByteArray& line : Lines(received))
                    n += line.size();
                return n;
            };
            QTRY_COMPARE_WITH_TIMEOUT(taken(), sent, Patience);
        }
        QCOMPARE(Lines(received), lines);
        QCOMPARE(link.EthRxBuffer(), rest);
    }

    // Text without a line end is kept only up to the bound; the overlong line is dropped
    // whole, and the lines after it come through.
    void unfinishedLineIsBounded() {
        FakeNetworkGauge gauge;
        CEthConnection link;
        QSignalSpy received(&link, &CEthConnection::BytesReceived);
        link.Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);

        gauge.Send("Mb 50\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, Patience);
        const QByteArray garbage(CEthConnection::RxBufferLimit / 4, '#');
        for (int i = 0; i < 8; ++i) {
            gauge.Send(garbage);
            QTest::qWait(5);
        }
        QTest::qWait(100);
        QVERIFY(link.EthRxBuffer().size() <= CEthConnection::RxBufferLimit);
        gauge.Send("end of garbage\r\nMe0\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, Patience);
        QCOMPARE(received.at(1).at(0).toByteArray(), QByteArray("Me0\r\n"));
        QVERIFY(link.EthRxBuffer().isEmpty());
    }

    void refusedAttemptThenNewAttempt() {
        RecordingMessages messages;
        int port = 0;
        {
            FakeNetworkGauge closed;
            port = closed.Port();
        }
        CEthConnection link;
        QSignalSpy states(&link, &CEthConnection::StateChanged);
        QSignalSpy received(&link, &CEthConnection::BytesReceived);

        link.Toggle(Loopback, port);
        QCOMPARE(link.EthLinkState(), CEthConnection::Connecting);
        QTest::qWait(300); // the refusal arrives and changes nothing
        QCOMPARE(link.EthLinkState(), CEthConnection::Connecting);
        link.Toggle(Loopback, port);
        QCOMPARE(link.EthLinkState(), CEthConnection::Idle);

        // Now something listens there: the third toggle is a new attempt that succeeds.
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, quint16(port)))
            QSKIP("the refused port was taken by someone else meanwhile");
        link.Toggle(Loopback, port);
        QCOMPARE(link.EthLinkState(), CEthConnection::Connecting);
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);
        QCOMPARE(States(states),
                 (QList<std::uint8_t>{CEthConnection::Connecting, CEthConnection::Idle,
                                      CEthConnection::Connecting, CEthConnection::Connected}));
        QCOMPARE(received.count(), 0);
        QCOMPARE(messages.Shown.size(), 0);
    }

    void invalidTargetsFailSilently_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("port 0") << Loopback << 0;
        QTest::newRow("port beyond range") << Loopback << 70000;
        QTest::newRow("negative port") << Loopback << -5;
        QTest::newRow("no host") << QString() << 1001;
    }
    void invalidTargetsFailSilently() {
        QFETCH(QString, host);
        QFETCH(int, port);
        RecordingMessages messages;
        CEthConnection link;
        link.Toggle(host, port);
        QTest::qWait(100);
        QCOMPARE(link.EthLinkState(), CEthConnection::Connecting);
        link.Send("Sx1\r\n"); // dropped
        link.Toggle(host, port);
        QCOMPARE(link.EthLinkState(), CEthConnection::Idle);
        QCOMPARE(messages.Shown.size(), 0);
    }

    void sendAndCloseFromEitherSide() {
        FakeNetworkGauge gauge;
        CEthConnection link;
        QSignalSpy states(&link, &CEthConnection::StateChanged);
        link.Send("dropped\r\n"); // not connected: nothing happens
        link.Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);
        link.Send("Sx1\r\n");
        QCOMPARE(gauge.Received(5), QByteArray("Sx1\r\n"));

        // Our side closes: closing, then idle once the connection is down.
        link.Toggle(Loopback, gauge.Port());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Idle, Patience);
        QCOMPARE(States(states),
                 (QList<std::uint8_t>{CEthConnection::Connecting, CEthConnection::Connected,
                                      CEthConnection::Closing, CEthConnection::Idle}));
        QTRY_COMPARE_WITH_TIMEOUT(gauge.Peer()->state(), QAbstractSocket::UnconnectedState,
                                  Patience);

        // The peer closes: idle, and the next toggle connects again.
        link.Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);
        gauge.Peer()->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Idle, Patience);
        link.Send("Sb\r\n"); // dropped, no crash
        link.Toggle(Loopback, gauge.Port());
        QCOMPARE(link.EthLinkState(), CEthConnection::Connecting);
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);
    }

    // A receiver may toggle the link while lines are being handed on.
    void receiverMayCloseTheLink() {
        FakeNetworkGauge gauge;
        CEthConnection link;
        QList<QByteArray> lines;
        connect(&link, &CEthConnection::BytesReceived, this, [&](const QByteArray& line) {
            lines << line;
            if (lines.size() == 1)
                link.Toggle(Loopback, gauge.Port());
        });
        link.Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Connected, Patience);
        gauge.Send("a\nb\nc");
        QTRY_COMPARE_WITH_TIMEOUT(lines.size(), 2, Patience);
        QTRY_COMPARE_WITH_TIMEOUT(link.EthLinkState(), CEthConnection::Idle, Patience);
        QCOMPARE(lines, (QList<QByteArray>{"a\n", "b\n"}));
    }

    void destroyingClosesTheConnection() {
        FakeNetworkGauge gauge;
        auto link = std::make_unique<CEthConnection>();
        link->Toggle(Loopback, gauge.Port());
        QVERIFY(gauge.Accept());
        QTRY_COMPARE_WITH_TIMEOUT(link->EthLinkState(), CEthConnection::Connected, Patience);
        QSignalSpy closed(gauge.Peer(), &QTcpSocket::disconnected);
        link.reset();
        QVERIFY(closed.count() == 1 || closed.wait(Patience));
    }
};

QTEST_GUILESS_MAIN(TestEthConnection)
#include "tst_ethconnection.moc"
