// "ComPort.ini": reading over the current settings with the fallbacks, writing in the
// expected key order, round trips, and files that are damaged or cannot be written.
#include "link/SerialLink.h"
#include "link/SerialSettings.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

using S = SerialSettings;

// Settings that differ from the values at creation in every field, so that "kept" and
// "fallback" can be told apart.
SerialSettings Unusual() {
    SerialSettings s;
    s.Port = QStringLiteral("COM4");
    s.BaudRate = S::Baud::B38400;
    s.CustomBaudRate = 31250;
    s.DataBits = S::Data::Seven;
    s.StopBits = S::Stop::Two;
    s.Parity = S::ParityKind::Odd;
    s.FlowControl = S::Flow::Hardware;
    return s;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

// Shown by QCOMPARE when two settings differ.
char* toString(const SerialSettings& s) {
    return qstrdup(QStringLiteral("%1 %2(%3) %4 %5 %6 %7")
                       .arg(s.Port, SerialText::ToText(s.BaudRate))
                       .arg(s.CustomBaudRate)
                       .arg(SerialText::ToText(s.DataBits), SerialText::ToText(s.StopBits),
                            SerialText::ToText(s.Parity), SerialText::ToText(s.FlowControl))
                       .toUtf8()
                       .constData());
}

class TestComPortIni : public QObject {
    Q_OBJECT

private slots:
    // Nothing here may depend on the decimal separator: run it all with a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }
    void parsing_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<SerialSettings>("expected");

        SerialSettings s = Unusual();
        s.BaudRate = S::Baud::B57600;
        s.Parity = S::ParityKind::Even;
        QTest::newRow("small letters in values")
            << QByteArray("[ComPort1]\nBaudRate=57600\nParity=even\n") << s;

        s = Unusual();
        s.BaudRate = S::Baud::B9600;
        QTest::newRow("rate not in the list gives 9600")
            << QByteArray("[ComPort1]\nBaudRate=50\n") << s;

        QTest::newRow("no keys keep everything") << QByteArray("[ComPort1]\n") << Unusual();
        QTest::newRow("empty file") << QByteArray() << Unusual();
        QTest::newRow("keys of another section")
            << QByteArray("[Other]\nBaudRate=57600\nPort=COM9\n") << Unusual();
        QTest::newRow("keys before any section") << QByteArray("BaudRate=57600\n") << Unusual();

        s = Unusual();
        s.Port = QStringLiteral("COM3");
        s.BaudRate = S::Baud::B9600;
        s.StopBits = S::Stop::One;
        s.DataBits = S::Data::Eight;
        s.Parity = S::ParityKind::None;
        QTest::newRow("garbage values give the fallbacks, flow control stays")
            << QByteArray("[ComPort1]\nPort=COM3\nBaudRate=fast\nStopBits=3\nDataBits=9\n"
                          "Parity=maybe\nFlowControl=sometimes\n")
            << s;

        s = Unusual();
        s.BaudRate = S::Baud::Custom;
        s.CustomBaudRate = 250000;
        QTest::newRow("custom rate")
            << QByteArray("[ComPort1]\nBaudRate=Custom\nCustomBaudRate=250000\n") << s;
        s.CustomBaudRate = 9600;
        QTest::newRow("custom rate missing reads 9600")
            << QByteArray("[ComPort1]\nBaudRate=custom\n") << s;
        QTest::newRow("custom rate not a number")
            << QByteArray("[ComPort1]\nBaudRate=Custom\nCustomBaudRate=abc\n") << s;
        QTest::newRow("custom rate negative")
            << QByteArray("[ComPort1]\nBaudRate=Custom\nCustomBaudRate=-5\n") << s;
        QTest::newRow("custom rate ignored without Custom")
            << QByteArray("[ComPort1]\nCustomBaudRate=250000\n") << Unusual();

        s = Unusual();
        s.Port = QStringLiteral("/dev/ttyUSB0");
        s.BaudRate = S::Baud::B115200;
        s.StopBits = S::Stop::OneAndHalf;
        s.DataBits = S::Data::Five;
        s.Parity = S::ParityKind::Space;
        s.FlowControl = S::Flow::Software;
        QTest::newRow("keys and section in any case, blanks, CR LF, comments")
            << QByteArray("; serial settings\r\n[ comport1 ]\r\n  port = /dev/ttyUSB0 \r\n"
                          "BAUDRATE=115200\r\n# note\r\nstopbits=1.5\r\nDataBits=5\r\n"
                          "PARITY=SPACE\r\nflowcontrol=software\r\n")
            << s;

        s = Unusual();
        s.FlowControl = S::Flow::None;
        QTest::newRow("flow control None") << QByteArray("[ComPort1]\nFlowControl=None\n") << s;
        QTest::newRow("flow control Custom keeps it")
            << QByteArray("[ComPort1]\nFlowControl=Custom\n") << Unusual();

        s = Unusual();
        s.BaudRate = S::Baud::B1200;
        QTest::newRow("first of two equal keys wins")
            << QByteArray("[ComPort1]\nBaudRate=1200\nBaudRate=2400\n") << s;
        QTest::newRow("empty port keeps the port")
            << QByteArray("[ComPort1]\nPort=\n") << Unusual();
        QTest::newRow("port of control characters keeps the port")
            << QByteArray("[ComPort1]\nPort=\a\x1b\n") << Unusual();
        s = Unusual();
        s.Port = QStringLiteral("COM2");
        QTest::newRow("control characters leave the port name")
            << QByteArray("[ComPort1]\nPort=CO\aM2\x7f\n") << s;
        QTest::newRow("quoted value") << QByteArray("[ComPort1]\nPort=\"COM2\"\n") << s;
        QTest::newRow("NUL bytes and no line end")
            << QByteArray("[ComPort1]\nPort=COM2\n") + QByteArray("\0\0\0=\0[", 6) << s;
    }
    void parsing() {
        QFETCH(QByteArray, content);
        QFETCH(SerialSettings, expected);
        QCOMPARE(ComPortIni::Parse(content, Unusual()), expected);
    }

    void writtenInKeyOrder_data() {
        QTest::addColumn<SerialSettings>("settings");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("values at creation")
            << SerialSettings{}
            << QByteArray("[ComPort1]\nPort=COM1\nBaudRate=9600\nStopBits=1\nDataBits=8\n"
                          "Parity=None\nFlowControl=None\n");
        SerialSettings custom = Unusual();
        custom.BaudRate = S::Baud::Custom;
        QTest::newRow("custom rate written after the rate")
            << custom
            << QByteArray("[ComPort1]\nPort=COM4\nBaudRate=Custom\nCustomBaudRate=31250\n"
                          "StopBits=2\nDataBits=7\nParity=Odd\nFlowControl=Hardware\n");
        SerialSettings linebreak;
        linebreak.Port = QStringLiteral("COM2\n[Evil]\r");
        QTest::newRow("a port name cannot break the file")
            << linebreak
            << QByteArray("[ComPort1]\nPort=COM2[Evil]\nBaudRate=9600\nStopBits=1\n"
                          "DataBits=8\nParity=None\nFlowControl=None\n");
    }
    void writtenInKeyOrder() {
        QFETCH(SerialSettings, settings);
        QFETCH(QByteArray, expected);
        QCOMPARE(ComPortIni::Compose(QByteArray(), settings), expected);
    }

    void otherSectionsSurvive() {
        const QByteArray existing = "[Before]\na=1\n[comport1]\nPort=COM9\nOld=x\n[After]\nb=2\n"
                                    "[ComPort1]\nBaudRate=300\n";
        const QByteArray expected = "[Before]\na=1\n[ComPort1]\nPort=COM1\nBaudRate=9600\n"
                                    "StopBits=1\nDataBits=8\nParity=None\nFlowControl=None\n"
                                    "[After]\nb=2\n";
        QCOMPARE(ComPortIni::Compose(existing, SerialSettings{}), expected);
    }

    // A file from another editor keeps its other lines byte for byte, save after save.
    void otherLinesKeepTheirLineEnds() {
        const QByteArray existing = "[Before]\r\na=1\r\r\n[ComPort1]\r\nPort=COM9\r\nb\r";
        const QByteArray once = ComPortIni::Compose(existing, SerialSettings{});
        QVERIFY(once.startsWith("[Before]\r\na=1\r\r\n[ComPort1]\nPort=COM1\n"));
        QVERIFY(once.endsWith("FlowControl=None\n"));
        QCOMPARE(ComPortIni::Compose(once, SerialSettings{}), once);
    }

    void roundTrip_data() {
        QTest::addColumn<SerialSettings>("settings");
        QTest::newRow("values at creation") << SerialSettings{};
        QTest::newRow("unusual") << Unusual();
        SerialSettings custom = Unusual();
        custom.BaudRate = S::Baud::Custom;
        custom.CustomBaudRate = 1000000;
        custom.FlowControl = S::Flow::Software;
        QTest::newRow("custom rate") << custom;
        for (const QString& text : SerialText::BaudRates()) {
            SerialSettings s;
            s.BaudRate = *SerialText::BaudFromText(text);
            QTest::newRow(qPrintable(QStringLiteral("rate ") + text)) << s;
        }
    }
    void roundTrip() {
        QFETCH(SerialSettings, settings);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(ComPortIni::FileName));
        QVERIFY(ComPortIni::Save(path, settings));
        // Read over settings that differ, so that every key has to come from the file.
        SerialSettings other = Unusual();
        if (settings.BaudRate != S::Baud::Custom)
            other.CustomBaudRate = settings.CustomBaudRate; // not stored, so not read
        other.FlowControl =
            settings.FlowControl == S::Flow::None ? S::Flow::Hardware : S::Flow::None;
        QCOMPARE(ComPortIni::Load(path, other), settings);
        // Saving again over the file gives the same file.
        const QByteArray first = ReadAll(path);
        QVERIFY(ComPortIni::Save(path, settings));
        QCOMPARE(ReadAll(path), first);
    }

    void missingAndUnwritableFiles() {
        QTemporaryDir dir;
        QCOMPARE(ComPortIni::Load(dir.filePath(QStringLiteral("none.ini")), Unusual()), Unusual());
        QVERIFY(!ComPortIni::Save(dir.filePath(QStringLiteral("no/such/folder/ComPort.ini")),
                                  Unusual()));
        // A folder where the file should be is not a file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ComPort.ini")));
        const QString folder = dir.filePath(QStringLiteral("ComPort.ini"));
        QCOMPARE(ComPortIni::Load(folder, Unusual()), Unusual());
        QVERIFY(!ComPortIni::Save(folder, Unusual()));
    }

    void damagedFilesNeverCrash() {
        QRandomGenerator random(1234);
        const QByteArray alphabet =
            QByteArray("[]=\n\r;ComPrt1BaudRateCustom0123456789") + QByteArray("\0\xff", 2);
        for (int round = 0; round < 500; ++round) {
            QByteArray content;
            const int length = int(random.bounded(400));
            for (int i = 0; i < length; ++i)
                content += alphabet.at(int(random.bounded(alphabet.size())));
            const SerialSettings loaded = ComPortIni::Parse(content, SerialSettings{});
            QVERIFY(loaded.BitsPerSecond() > 0);
            QVERIFY(!loaded.Port.isEmpty());
            // Whatever was read is written so that it reads back the same way, in the
            // damaged file as it stands.
            const QByteArray saved = ComPortIni::Compose(content, loaded);
            const SerialSettings once = ComPortIni::Parse(saved, SerialSettings{});
            QCOMPARE(ComPortIni::Parse(ComPortIni::Compose(saved, once), SerialSettings{}), once);
        }
        // A very large file is read only in part, quickly.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ComPort.ini"));
        QVERIFY(WriteAll(path, "[ComPort1]\nBaudRate=4800\n" + QByteArray(8 * 1024 * 1024, 'x')));
        QCOMPARE(ComPortIni::Load(path, SerialSettings{}).BaudRate, S::Baud::B4800);
    }

    // The link reads the file over its current settings and stores what it holds.
    void linkLoadsAndSaves() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ComPort.ini"));
        QVERIFY(WriteAll(path, "[ComPort1]\nPort=COM6\nBaudRate=19200\nFlowControl=Custom\n"));
        SerialLink link;
        SerialSettings start;
        start.FlowControl = S::Flow::Software;
        QVERIFY(link.ApplySettings(start));
        QVERIFY(link.LoadSettings(path));
        QCOMPARE(link.Settings().Port, QStringLiteral("COM6"));
        QCOMPARE(link.Settings().BaudRate, S::Baud::B19200);
        QCOMPARE(link.Settings().FlowControl, S::Flow::Software);
        QVERIFY(link.SaveSettings(path));
        QVERIFY(ReadAll(path).contains("FlowControl=Software\n"));
        QVERIFY(ComPortIni::DefaultPath().endsWith(QLatin1String("/ComPort.ini")));
    }
};

QTEST_GUILESS_MAIN(TestComPortIni)
#include "tst_comportini.moc"
