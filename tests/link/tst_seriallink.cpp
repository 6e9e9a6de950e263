// The serial link over pseudo-terminals: opening by "COMn", both directions, the settings
// reaching the device, renaming an open port and a device that vanishes.
#include "link/SerialLink.h"
#include "tests/support/PtyPair.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

constexpr auto Patience = 5s;

// Everything the link delivered, joined, once `expected` bytes have come (or time is up).
QByteArray Received(QSignalSpy& spy, qsizetype expected) {
    QByteArray all;
    QDeadlineTimer deadline(Patience);
    while (!deadline.hasExpired()) {
        all.clear();
        for (const QList<QVariant>& args : std::as_const(spy))
            all += args.at(0).toByteArray();
        if (all.size() >= expected)
            break;
        spy.wait(50);
    }
    return all;
}

SerialSettings On(const QString& port) {
    SerialSettings s;
    s.Port = port;
    return s;
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void bytesBothWaysOverCom1() {
        PtyPair gauge(QStringLiteral("COM1"));
        QVERIFY(gauge.IsValid());
        SerialLink link;
        QCOMPARE(link.objectName(), QStringLiteral("ComPort1"));
        QCOMPARE(link.Settings().Port, QStringLiteral("COM1"));
        QSignalSpy received(&link, &SerialLink::BytesReceived);

        QVERIFY2(link.Open(), qPrintable(link.ErrorString()));
        QVERIFY(link.IsOpen());
        QVERIFY(link.Open()); // already open: nothing happens, and it counts as success

        QVERIFY(link.Write("Sx1\r\n"));
        QCOMPARE(gauge.Read(5, Patience), QByteArray("Sx1\r\n"));

        const QByteArray reading = "-    12.34 kg \r\nMf1\r\n";
        QVERIFY(gauge.Write(reading));
        QCOMPARE(Received(received, reading.size()), reading);
        for (const QList<QVariant>& args : std::as_const(received))
            QVERIFY(!args.at(0).toByteArray().isEmpty());

        link.Close();
        QVERIFY(!link.IsOpen());
        QVERIFY(!link.Write("Sb\r\n"));
        QVERIFY(link.Open()); // the port is free again after closing
        QVERIFY(link.Write("Sb\r\n"));
        QCOMPARE(gauge.Read(4, Patience), QByteArray("Sb\r\n"));
    }

    void missingPortsFail_data() {
        QTest::addColumn<QString>("port");
        QTest::newRow("COMn without a link") << QStringLiteral("COM7");
        QTest::newRow("COM beyond 255 is a device name") << QStringLiteral("COM256");
        QTest::newRow("empty name") << QString();
        QTest::newRow("device path that does not exist") << QStringLiteral("/nonexistent/ttyX");
    }
    void missingPortsFail() {
        QFETCH(QString, port);
        PtyPair gauge(QStringLiteral("COM1"));
        SerialLink link;
        QVERIFY(link.ApplySettings(On(port)));
        QVERIFY(!link.Open());
        QVERIFY(!link.IsOpen());
        QVERIFY(!link.ErrorString().isEmpty());
        QVERIFY(!link.Write("Sb\r\n"));
    }

    // The settings reach the device, at opening and while open. (A pseudo-terminal keeps 8
    // data bits and no parity whatever it is told; those are checked by the refusals below.)
    void settingsReachTheDevice_data() {
        using S = SerialSettings;
        using Line = PtyPair::LineSettings;
        QTest::addColumn<S::Baud>("baud");
        QTest::addColumn<S::Stop>("stop");
        QTest::addColumn<S::Flow>("flow");
        QTest::addColumn<Line>("expected");
        QTest::newRow("values at creation") << S::Baud::B9600 << S::Stop::One << S::Flow::None
                                            << Line{9600, 8, 'N', 1, false, false};
        QTest::newRow("19200, 2 stop bits") << S::Baud::B19200 << S::Stop::Two << S::Flow::None
                                            << Line{19200, 8, 'N', 2, false, false};
        QTest::newRow("hardware flow") << S::Baud::B115200 << S::Stop::One << S::Flow::Hardware
                                       << Line{115200, 8, 'N', 1, true, false};
        QTest::newRow("software flow") << S::Baud::B57600 << S::Stop::One << S::Flow::Software
                                       << Line{57600, 8, 'N', 1, false, true};
        QTest::newRow("slowest") << S::Baud::B110 << S::Stop::Two << S::Flow::None
                                 << Line{110, 8, 'N', 2, false, false};
    }
    void settingsReachTheDevice() {
        QFETCH(SerialSettings::Baud, baud);
        QFETCH(SerialSettings::Stop, stop);
        QFETCH(SerialSettings::Flow, flow);
        QFETCH(PtyPair::LineSettings, expected);
        SerialSettings settings;
        settings.BaudRate = baud;
        settings.StopBits = stop;
        settings.FlowControl = flow;

        PtyPair gauge(QStringLiteral("COM1"));
        {
            SerialLink link;
            QVERIFY(link.ApplySettings(settings));
            QVERIFY2(link.Open(), qPrintable(link.ErrorString()));
            QCOMPARE(gauge.DeviceLineSettings(), expected);
        }
        {
            SerialLink link;
            SerialSettings other = settings;
            other.BaudRate = SerialSettings::Baud::B1200;
            other.StopBits = SerialSettings::Stop::One;
            other.FlowControl = SerialSettings::Flow::Software;
            QVERIFY(link.ApplySettings(other));
            QVERIFY(link.Open());
            QVERIFY(link.ApplySettings(settings)); // reconfigured while open
            QVERIFY(link.IsOpen());
            QCOMPARE(gauge.DeviceLineSettings(), expected);
        }
    }

    // Settings a device refuses (a pseudo-terminal refuses 7 data bits and parity) fail with
    // a reason and leave the link usable; rates without a standard code and 1.5 stop bits
    // may be refused too, so for them either outcome is clean.
    void refusedSettingsFailCleanly_data() {
        QTest::addColumn<SerialSettings>("settings");
        QTest::addColumn<bool>("refused");
        for (auto baud : {SerialSettings::Baud::B14400, SerialSettings::Baud::B56000,
                          SerialSettings::Baud::B128000, SerialSettings::Baud::B256000}) {
            SerialSettings s = On(QStringLiteral("COM1"));
            s.BaudRate = baud;
            QTest::newRow(qPrintable(SerialText::ToText(baud))) << s << false;
        }
        SerialSettings custom = On(QStringLiteral("COM1"));
        custom.BaudRate = SerialSettings::Baud::Custom;
        custom.CustomBaudRate = 250000;
        QTest::newRow("custom 250000") << custom << false;
        SerialSettings oneAndHalf = On(QStringLiteral("COM1"));
        oneAndHalf.StopBits = SerialSettings::Stop::OneAndHalf;
        QTest::newRow("1.5 stop bits") << oneAndHalf << false;
        SerialSettings sevenBits = On(QStringLiteral("COM1"));
        sevenBits.DataBits = SerialSettings::Data::Seven;
        QTest::newRow("7 data bits") << sevenBits << true;
        SerialSettings even = On(QStringLiteral("COM1"));
        even.Parity = SerialSettings::ParityKind::Even;
        QTest::newRow("even parity") << even << true;
    }
    void refusedSettingsFailCleanly() {
        QFETCH(SerialSettings, settings);
        QFETCH(bool, refused);
        PtyPair gauge(QStringLiteral("COM1"));
        {
            SerialLink link;
            QVERIFY(link.ApplySettings(settings));
            const bool opened = link.Open();
            QCOMPARE(link.IsOpen(), opened);
            if (refused)
                QVERIFY(!opened);
            if (opened) {
                QVERIFY(link.Write("Sb\r\n"));
                QCOMPARE(gauge.Read(4, Patience), QByteArray("Sb\r\n"));
            } else {
                QVERIFY(!link.ErrorString().isEmpty());
            }
            QCOMPARE(link.Settings(), settings); // kept as chosen, for "ComPort.ini"
        }

        // The same settings for an open port: refused or taken, never a lost link.
        SerialLink open;
        QSignalSpy lost(&open, &SerialLink::Lost);
        QVERIFY(open.Open());
        const SerialSettings working = open.Settings();
        const bool applied = open.ApplySettings(settings);
        if (refused)
            QVERIFY(!applied);
        QVERIFY(open.IsOpen());
        QVERIFY(applied || !open.ErrorString().isEmpty());
        // A refusal names the setting and keeps what worked, for the port and "ComPort.ini".
        if (!applied) {
            QCOMPARE(open.Settings(), working);
            QVERIFY2(open.ErrorString().contains(settings.Parity != working.Parity
                                                     ? QStringLiteral("parzystość")
                                                     : QStringLiteral("bity")),
                     qPrintable(open.ErrorString()));
        }
        QVERIFY(open.Write("SI\r\n"));
        QCOMPARE(gauge.Read(4, Patience), QByteArray("SI\r\n"));
        QTest::qWait(50);
        QCOMPARE(lost.count(), 0);
    }

    void renamingAnOpenPortMovesTheLink() {
        TestPortsFolder ports;
        PtyPair first;
        PtyPair second;
        QVERIFY(ports.Link(QStringLiteral("COM1"), first.DevicePath()));
        QVERIFY(ports.Link(QStringLiteral("COM2"), second.DevicePath()));

        SerialLink link;
        QSignalSpy received(&link, &SerialLink::BytesReceived);
        QSignalSpy lost(&link, &SerialLink::Lost);
        QVERIFY(link.Open());
        QVERIFY(link.ApplySettings(On(QStringLiteral("COM2"))));
        QVERIFY(link.IsOpen());
        QVERIFY(link.Write("SI\r\n"));
        QCOMPARE(second.Read(4, Patience), QByteArray("SI\r\n"));
        QCOMPARE(first.Read(1, 100ms), QByteArray());
        QVERIFY(second.Write("Mu\r\n"));
        QCOMPARE(Received(received, 4), QByteArray("Mu\r\n"));

        // A name that opens nothing closes the link, and says so once.
        QVERIFY(!link.ApplySettings(On(QStringLiteral("COM9"))));
        QVERIFY(!link.IsOpen());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(link.Settings().Port, QStringLiteral("COM9"));
    }

    // A vanishing device floods the port with errors; the link closes once and says so once.
    void vanishingDeviceIsReportedOnce() {
        auto gauge = std::make_unique<PtyPair>(QStringLiteral("COM1"));
        SerialLink link;
        QSignalSpy lost(&link, &SerialLink::Lost);
        QSignalSpy received(&link, &SerialLink::BytesReceived);
        QVERIFY(link.Open());
        QVERIFY(gauge->Write("Mb 50\r\n"));
        QCOMPARE(Received(received, 7), QByteArray("Mb 50\r\n"));

        gauge->Vanish();
        QVERIFY(lost.wait(int(std::chrono::milliseconds(Patience).count())));
        QTest::qWait(200);
        QCOMPARE(lost.count(), 1);
        // The reason alone, which the window puts behind its own phrase naming the port.
        QVERIFY(!lost.at(0).at(0).toString().isEmpty());
        QVERIFY(!lost.at(0).at(0).toString().contains(QStringLiteral("COM1")));
        QVERIFY(link.ErrorString().contains(QStringLiteral("COM1")));
        QVERIFY(!link.IsOpen());
        QVERIFY(!link.Write("Sx1\r\n"));
        QCOMPARE(lost.count(), 1);

        // Closing on purpose afterwards, or a port that never vanished, reports nothing.
        link.Close();
        PtyPair again(QStringLiteral("COM1"));
        QVERIFY(link.Open());
        link.Close();
        again.Vanish();
        QTest::qWait(100);
        QCOMPARE(lost.count(), 1);
    }

    void writeTimeoutGrowsWithLength_data() {
        QTest::addColumn<qsizetype>("characters");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("nothing") << qsizetype(0) << qint64(1000);
        QTest::newRow("order") << qsizetype(5) << qint64(1500);
        QTest::newRow("absurd length stays in range")
            << std::numeric_limits<qsizetype>::max() << qint64(2147483000);
    }
    void writeTimeoutGrowsWithLength() {
        QFETCH(qsizetype, characters);
        QFETCH(qint64, expected);
        const qint64 timeout = SerialLink::WriteTimeout(characters).count();
        if (characters < 1000)
            QCOMPARE(timeout, expected);
        else
            QVERIFY(timeout >= expected && timeout <= std::numeric_limits<int>::max());
    }

    // Received bytes are never handed on from inside a write, so a receiver that sends an
    // order in answer (as the reply side does) is not entered twice.
    void noDeliveryFromInsideAWrite() {
        PtyPair gauge(QStringLiteral("COM1"));
        SerialLink link;
        QVERIFY(link.Open());
        int depth = 0;
        int deepest = 0;
        QByteArray all;
        connect(&link, &SerialLink::BytesReceived, this, [&](const QByteArray& data) {
            ++depth;
            deepest = std::max(deepest, depth);
            all += data;
            gauge.Write("more\r\n");
            if (all.size() < 60)
                link.Write("SI\r\n");
            --depth;
        });
        QVERIFY(gauge.Write("Mu\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(all.size() >= 60, 5000);
        QCOMPARE(deepest, 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
