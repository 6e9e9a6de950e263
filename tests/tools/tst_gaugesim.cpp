// The virtual gauge seen from the program's side of the line: the answer to each order, the
// settings report of each family, continuous sending, memory dumps, misbehaviour on request
// and the events and commands the end-to-end tests rely on. Over a serial port on the
// pseudo-terminal and over TCP.
#include "tests/support/GaugeSim.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QTest>

#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {

enum class Via { Pty, Tcp };

// Lines of a reply by number (negative: counted from the end).
using LineMap = QMap<int, QByteArray>;

constexpr int WaitMs = 8000;

// A constant reading, so that display lines can be compared whole.
const QStringList Steady{"--amplitude", "0", "--value", "-12.34"};

const QList<QByteArray> ReportKeywords{"MODEL",   "S/N",    "UNIT",   "PEAK",   "SPEED",
                                       "ACQ.MAX", "ACQ.M.", "ACQ.C.", "ACQ.T.", "THRMIN",
                                       "THRMAX",  "THRZER", "THR",    "ACCEL."};

QByteArray Lines(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

// The program's end of the line: a serial port opened on the gauge's link, or a TCP
// connection to its port.
class Peer final : public QObject {
public:
    bool Open(const GaugeSim& gauge, Via via, qint32 baud = 115200) {
        QIODevice* device = nullptr;
        if (via == Via::Pty) {
            m_serial = std::make_unique<QSerialPort>(gauge.LinkPath());
            if (!m_serial->open(QIODevice::ReadWrite) || !m_serial->setBaudRate(baud))
                return false;
            device = m_serial.get();
        } else {
            m_socket = std::make_unique<QTcpSocket>();
            m_socket->connectToHost(QStringLiteral("127.0.0.1"), gauge.TcpPort());
            if (!m_socket->waitForConnected(WaitMs))
                return false;
            device = m_socket.get();
        }
        connect(device, &QIODevice::readyRead, this, [this, device] {
            Buffer += device->readAll();
            ++Reads;
        });
        return true;
    }

    QSerialPort* Serial() { return m_serial.get(); }
    QTcpSocket* Socket() { return m_socket.get(); }
    QIODevice* Device() {
        return m_serial ? static_cast<QIODevice*>(m_serial.get()) : m_socket.get();
    }

    void Send(const QByteArray& bytes) {
        Device()->write(bytes);
        if (m_serial)
            m_serial->flush();
        else
            m_socket->flush();
    }

    // Sends an order and collects the answer up to its `lines`-th CR LF.
    QByteArray Ask(const QByteArray& order, int lines = 1) {
        Buffer.clear();
        Send(order + "\r\n");
        return WaitLines(lines);
    }

    QByteArray WaitLines(int lines) {
        (void)QTest::qWaitFor([&] { return Buffer.count("\r\n") >= lines; }, WaitMs);
        return Buffer;
    }

    QByteArray WaitFor(const QByteArray& tail) {
        (void)QTest::qWaitFor([&] { return Buffer.contains(tail); }, WaitMs);
        return Buffer;
    }

    // Whatever arrives within ms, for the cases where nothing should.
    QByteArray Drain(int ms) {
        Buffer.clear();
        QTest::qWait(ms);
        return std::exchange(Buffer, {});
    }

    QByteArray Buffer;
    int Reads = 0;

private:
    std::unique_ptr<QSerialPort> m_serial;
    std::unique_ptr<QTcpSocket> m_socket;
};

bool Start(GaugeSim& gauge, Via via, const QStringList& options) {
    return via == Via::Pty ? gauge.StartPty(options) : gauge.StartTcp(options);
}

const char* Name(Via via) {
    return via == Via::Pty ? "pty" : "tcp";
}

// Value of a stream or display line as written: sign column, then the digits.
double LineValue(const QByteArray& line) {
    const QByteArray body = line.trimmed();
    const double magnitude = (body.startsWith('-') || body.startsWith('+') ? body.mid(1) : body)
                                 .split(' ')
                                 .first()
                                 .toDouble();
    return line.startsWith('-') ? -magnitude : magnitude;
}

} // namespace

Q_DECLARE_METATYPE(Via)

class TestGaugeSim : public QObject {
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void settingsReport_data();
    void settingsReport();
    void streaming_data();
    void streaming();
    void unitChangeDuringRun_data();
    void unitChangeDuringRun();
    void continuousSending_data();
    void continuousSending();
    void dump_data();
    void dump();
    void reset_data();
    void reset();
    void lineSpeed_data();
    void lineSpeed();
    void chunking_data();
    void chunking();
    void misbehaviour_data();
    void misbehaviour();
    void drop();
    void noiseBurst_data();
    void noiseBurst();
    void closedPortLosesOutput();
    void reopenedPortAnswers();
    void vanishAndAppear_data();
    void vanishAndAppear();
    void newClientReplacesOld();
    void badInput_data();
    void badInput();
    void badOptions_data();
    void badOptions();
    void help();
    void commands_data();
    void commands();
    void commaLocale();
};

void TestGaugeSim::replies_data() {
    QTest::addColumn<Via>("via");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("setup");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<QByteArray>("expected");

    struct Row {
        const char* Name;
        QStringList Options;
        QByteArrayList Setup;
        QByteArray Order;
        QByteArray Expected;
    };
    const QList<Row> rows{
        {"SI reading", {}, {}, "SI", "-    12.34 N  \r\n"},
        {"Sx1 reading", {"--unit", "kg"}, {}, "Sx1", "-    12.34 kg \r\n"},
        {"plus sign", {"--value", "7", "--plus-sign"}, {}, "SI", "+     7.00 N  \r\n"},
        {"long torque unit",
         {"--model", "FS-20", "--unit", "lbf*in"},
         {},
         "SI",
         "-    12.34 lbf*in\r\n"},
        {"unit change converts", {"--value", "9.80665"}, {"Sukgf"}, "SI", "      1.00 kgf\r\n"},
        {"tare gives zero, not -0.00", {}, {"ST"}, "SI", "      0.00 N  \r\n"},
        {"tare", {}, {}, "ST", "MT\r\n"},
        {"switch off", {}, {}, "SS", "MS0\r\n"},
        {"switch on again", {}, {"SS"}, "SS", "MS1\r\n"},
        {"stand-by", {}, {}, "Ss", "Ms0\r\n"},
        {"wake up", {}, {"Ss"}, "Ss", "Ms1\r\n"},
        {"low threshold", {}, {}, "SL12.5", "ML\r\n"},
        {"high threshold", {}, {}, "SH-3", "MH\r\n"},
        {"zero threshold", {}, {}, "SM0.5", "MM\r\n"},
        {"threshold not a number", {}, {}, "SLabc", "MQ\r\n"},
        {"unit N with space", {}, {}, "Su N", "Mu\r\n"},
        {"unit lb", {}, {}, "Sulb", "Mu\r\n"},
        {"unit ozf", {}, {}, "Suozf", "Mu\r\n"},
        {"unknown unit", {}, {}, "Suxyz", "MQ\r\n"},
        {"no unit", {}, {}, "Su", "MQ\r\n"},
        {"kN model has no ozf", {"--model", "FM5k"}, {}, "Suozf", "MQ\r\n"},
        {"kN model takes N", {"--model", "FM5k"}, {}, "SuN", "Mu\r\n"},
        {"torque unit", {"--model", "FS-20"}, {}, "SuN*cm", "Mu\r\n"},
        {"force unit on torque meter", {"--model", "FS-20"}, {}, "Sukgf", "MQ\r\n"},
        {"PEAK off", {}, {}, "Sp0", "Mp0\r\n"},
        {"PEAK+", {}, {}, "Sp1", "Mp1\r\n"},
        {"PEAK-", {}, {}, "Sp2", "Mp2\r\n"},
        {"PEAK 3", {}, {}, "Sp3", "MQ\r\n"},
        {"MEM", {}, {}, "Sm", "Mm\r\n"},
        {"SLOW", {}, {}, "Sf0", "Mf0\r\n"},
        {"FAST", {}, {}, "Sf1", "Mf1\r\n"},
        {"no speed on FC", {"--model", "FC-100"}, {}, "Sf1", "MQ\r\n"},
        {"MANUAL", {}, {}, "Sa0", "Ma0\r\n"},
        {"AUTO", {}, {}, "Sa1", "Ma1\r\n"},
        {"count kept", {}, {}, "Sv500", "Mv500\r\n"},
        {"count bounded, force", {}, {}, "Sv9999", "Mv800\r\n"},
        {"count bounded, FC", {"--model", "FC-100"}, {}, "Sv9999", "Mv6400\r\n"},
        {"count bounded by option", {"--count-max", "1000"}, {}, "Sv9999", "Mv1000\r\n"},
        {"count at least 1", {}, {}, "Sv0", "Mv1\r\n"},
        {"count not a number", {}, {}, "Svx", "MQ\r\n"},
        {"sampling time", {}, {}, "St0.5", "Mt\r\n"},
        {"negative sampling time", {}, {}, "St-1", "MQ\r\n"},
        {"thresholds off", {}, {}, "Sk0", "Mk0\r\n"},
        {"thresholds on", {}, {}, "Sk1", "Mk1\r\n"},
        {"battery", {}, {}, "Sb", "Vbat = 87%\r\n"},
        {"battery option", {"--battery", "42"}, {}, "Sb", "Vbat = 42%\r\n"},
        {"erase RAM", {}, {}, "Sr", "Mr\r\n"},
        {"erase EEPROM", {}, {}, "Sr1", "Mr\r\n"},
        {"erase SD", {}, {}, "Sr2", "Mr\r\n"},
        {"erase memory 3", {}, {}, "Sr3", "MQ\r\n"},
        {"acceleration", {}, {}, "Sn9.80665", "Mn\r\n"},
        {"zero acceleration", {}, {}, "Sn0", "MQ\r\n"},
        {"stop while idle", {}, {}, "Se0", "Me0\r\n"},
        {"reading while off", {}, {"SS"}, "Sx1", "MQ\r\n"},
        {"report while off", {}, {"SS"}, "Sid", "MQ\r\n"},
        {"stop while off", {}, {"SS"}, "Se0", "Me0\r\n"},
        {"reading in stand-by", {}, {"Ss"}, "SI", "MQ\r\n"},
        {"battery in stand-by", {}, {"Ss"}, "Sb", "Vbat = 87%\r\n"},
        {"sending in stand-by", {}, {"Ss"}, "Se1", "MQ\r\n"},
    };
    for (Via via : {Via::Pty, Via::Tcp})
        for (const Row& row : rows)
            QTest::addRow("%s: %s", Name(via), row.Name)
                << via << Steady + row.Options << row.Setup << row.Order << row.Expected;
}

void TestGaugeSim::replies() {
    QFETCH(Via, via);
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, setup);
    QFETCH(QByteArray, order);
    QFETCH(QByteArray, expected);

    GaugeSim gauge;
    QVERIFY2(Start(gauge, via, options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, via));
    for (const QByteArray& step : setup)
        QVERIFY(peer.Ask(step).endsWith("\r\n"));
    QCOMPARE(peer.Ask(order, int(expected.count("\r\n"))), expected);
    QCOMPARE(gauge.Orders().last(), order);
}

void TestGaugeSim::settingsReport_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("setup");
    QTest::addColumn<QByteArrayList>("expected");

    const auto report = [](const QByteArray& model, const QByteArray& unit, bool speed,
                           const QByteArray& max) {
        QByteArrayList lines{"MODEL: " + model, "S/N: FM2301-0042", "UNIT: " + unit, "PEAK: OFF"};
        if (speed)
            lines << "SPEED: SLOW";
        lines << "ACQ.MAX: " + max << "ACQ.M.: MANUAL"
              << "ACQ.C.: 100"
              << "ACQ.T.: 0.1 s"
              << "THRMIN: - 5.0"
              << "THRMAX: 5.0"
              << "THRZER: 0.0"
              << "THR: OFF"
              << "ACCEL.: 9.81 m/s2";
        return lines;
    };
    QTest::newRow("force") << QStringList{} << QByteArrayList{}
                           << report("FM-500", "N", true, "800");
    QTest::newRow("FB alone is force")
        << QStringList{"--model", "FB-50"} << QByteArrayList{} << report("FB-50", "N", true, "800");
    QTest::newRow("FC") << QStringList{"--model", "FC-100"} << QByteArrayList{}
                        << report("FC-100", "N", false, "6400");
    for (const char* model : {"FS-20", "TTM-5", "FB-TS10", "FB-TW2", "FC-FS3"})
        QTest::addRow("torque %s", model) << QStringList{"--model", model} << QByteArrayList{}
                                          << report(model, "N*m", false, "6400");
    QTest::newRow("kN range") << QStringList{"--model", "FM5k"} << QByteArrayList{}
                              << report("FM5k", "kN", true, "800");
    QTest::newRow("small kN range")
        << QStringList{"--model", "FM2k"} << QByteArrayList{} << report("FM2k", "N", true, "800");
    QTest::newRow("changed by orders")
        << QStringList{}
        << QByteArrayList{"Sp1",  "Sf1",     "Sa1", "Sv250",     "St0.025", "SL-1.5",
                          "SH12", "SM-0.25", "Sk1", "Sn9.80665", "Sukgf"}
        << QByteArrayList{"MODEL: FM-500", "S/N: FM2301-0042",    "UNIT: kgf",
                          "PEAK+",         "SPEED: FAST",         "ACQ.MAX: 800",
                          "ACQ.M.: AUTO",  "ACQ.C.: 250",         "ACQ.T.: 0.025 s",
                          "THRMIN: - 1.5", "THRMAX: 12.0",        "THRZER: - 0.25",
                          "THR: ON",       "ACCEL.: 9.80665 m/s2"};
    QTest::newRow("set by options")
        << QStringList{"--model",        "FC-2", "--serial",      "SN 7",  "--unit",        "Lb",
                       "--peak",         "-",    "--sample-time", "0.005", "--acquisition", "auto",
                       "--count",        "42",   "--count-max",   "500",   "--thr-min",     "-2",
                       "--thr-max",      "7.5",  "--thr-zero",    "1",     "--thresholds",  "on",
                       "--acceleration", "9.8"}
        << QByteArrayList{}
        << QByteArrayList{"MODEL: FC-2",      "S/N: SN 7",    "UNIT: Lb",    "PEAK-",
                          "ACQ.MAX: 500",     "ACQ.M.: AUTO", "ACQ.C.: 42",  "ACQ.T.: 0.005 s",
                          "THRMIN: - 2.0",    "THRMAX: 7.5",  "THRZER: 1.0", "THR: ON",
                          "ACCEL.: 9.80 m/s2"};
    QTest::newRow("sampling time refitted by SLOW")
        << QStringList{"--speed", "fast", "--sample-time", "0.075"} << QByteArrayList{"Sf0"}
        << QByteArrayList{"MODEL: FM-500", "S/N: FM2301-0042", "UNIT: N",        "PEAK: OFF",
                          "SPEED: SLOW",   "ACQ.MAX: 800",     "ACQ.M.: MANUAL", "ACQ.C.: 100",
                          "ACQ.T.: 0.1 s", "THRMIN: - 5.0",    "THRMAX: 5.0",    "THRZER: 0.0",
                          "THR: OFF",      "ACCEL.: 9.81 m/s2"};
}

void TestGaugeSim::settingsReport() {
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, setup);
    QFETCH(QByteArrayList, expected);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    for (const QByteArray& step : setup)
        QVERIFY(!peer.Ask(step).startsWith("MQ"));
    const QByteArray report = peer.Ask("Sid", int(expected.size()));
    QCOMPARE(report, Lines(expected));

    // A reader takes the first keyword, in its fixed order, that a line contains: each line
    // must be read as its own keyword.
    QByteArrayList keywords = ReportKeywords;
    if (!report.contains("SPEED"))
        keywords.removeAll("SPEED");
    const QByteArrayList lines = report.trimmed().split('\n');
    QCOMPARE(lines.size(), keywords.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto first = std::find_if(ReportKeywords.begin(), ReportKeywords.end(),
                                        [&](const QByteArray& k) { return lines[i].contains(k); });
        QVERIFY(first != ReportKeywords.end());
        QCOMPARE(*first, keywords[i]);
    }
}

void TestGaugeSim::streaming_data() {
    QTest::addColumn<Via>("via");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("period");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("form");

    const QString force = QStringLiteral(R"(\A[ -][ 0-9.]{9} N  \r\n\z)");
    const QString seven = QStringLiteral(R"(\A[ -]\d{3}\.\d\d\r\n\z)");
    QTest::newRow("force FAST 0.025 s")
        << Via::Pty << QStringList{"--speed", "fast", "--sample-time", "0.025"} << 0.025 << 20
        << force;
    QTest::newRow("FC 0.005 s") << Via::Pty
                                << QStringList{"--model", "FC-100", "--sample-time", "0.005"}
                                << 0.005 << 100 << seven;
    QTest::newRow("torque 0.001 s")
        << Via::Pty << QStringList{"--model", "FS-20", "--sample-time", "0.001"} << 0.001 << 300
        << seven;
    QTest::newRow("torque 0.01 s over TCP")
        << Via::Tcp << QStringList{"--model", "FS-20", "--sample-time", "0.01"} << 0.01 << 30
        << seven;
    QTest::newRow("force 0.1 s over TCP") << Via::Tcp << QStringList{} << 0.1 << 4 << force;
}

void TestGaugeSim::streaming() {
    QFETCH(Via, via);
    QFETCH(QStringList, options);
    QFETCH(double, period);
    QFETCH(int, samples);
    QFETCH(QString, form);

    GaugeSim gauge;
    QVERIFY2(Start(gauge, via, options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, via));
    QElapsedTimer clock;
    clock.start();
    peer.Send("Se1\r\n");
    QVERIFY(gauge.WaitForEvent("sample ", 0, WaitMs, samples));
    peer.Send("Se0\r\n");
    const QByteArray received = peer.WaitFor("Me0\r\n");
    const double elapsed = double(clock.elapsed()) / 1000.0;
    QVERIFY(gauge.WaitForEvent("reply 1 Me0"));

    QVERIFY(received.endsWith("Me0\r\n"));
    QByteArrayList lines = received.chopped(5).split('\n');
    QVERIFY(lines.takeLast().isEmpty());
    const QList<double> sent = gauge.Samples();
    QCOMPARE(lines.size(), sent.size());
    const QRegularExpression pattern(form);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i] + '\n';
        QVERIFY2(pattern.match(QString::fromLatin1(line)).hasMatch(), line.constData());
        QCOMPARE(LineValue(line), sent[i]);
    }
    // The gauge keeps to its own clock: never more samples than the time allowed.
    QVERIFY2(sent.size() <= elapsed / period + 2,
             qPrintable(QStringLiteral("%1 samples in %2 s").arg(sent.size()).arg(elapsed)));
}

void TestGaugeSim::unitChangeDuringRun_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("force lines carry the unit")
        << QStringList{"--sample-time", "0.1", "--speed", "fast", "--sample-time", "0.025"}
        << QByteArray("kg") << QByteArray(" N  \r\n") << QByteArray(" kg \r\n");
    QTest::newRow("torque announces it")
        << QStringList{"--model", "FS-20", "--sample-time", "0.01"} << QByteArray("N*cm")
        << QByteArray() << QByteArray("Munit N*cm\r\n");
    QTest::newRow("FC announces it")
        << QStringList{"--model", "FC-100", "--sample-time", "0.01"} << QByteArray("Lbf")
        << QByteArray() << QByteArray("Munit Lbf\r\n");
}

void TestGaugeSim::unitChangeDuringRun() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    peer.Send("Se1\r\n");
    QVERIFY(gauge.WaitForEvent("sample ", 0, WaitMs, 3));
    const int mark = gauge.Mark();
    gauge.Command("unit " + unit);
    QVERIFY(gauge.WaitForEvent("change unit " + unit, mark));
    QVERIFY(gauge.WaitForEvent("sample ", mark, WaitMs, 3));
    peer.Send("Se0\r\n");
    const QByteArray received = peer.WaitFor("Me0\r\n");
    const qsizetype change = received.indexOf(after);
    QVERIFY2(change > 0, received.right(200).constData());
    if (!before.isEmpty()) {
        QVERIFY(received.left(change).contains(before));
        QVERIFY(!received.mid(change).contains(before));
    } else {
        QCOMPARE(gauge.EventsOf("munit"), QByteArrayList{unit});
    }
}

void TestGaugeSim::continuousSending_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<QByteArray>("first");

    QTest::newRow("left sending") << QStringList{"--model", "FC-100", "--sample-time", "0.02"}
                                  << false << QByteArray();
    QTest::newRow("answering while sending")
        << QStringList{"--model", "FC-100", "--sample-time", "0.02", "--answer-while-streaming"}
        << true << QByteArray();
    QTest::newRow("new results file")
        << QStringList{"--model", "FS-20", "--sample-time", "0.02", "--newfile"} << false
        << QByteArray("Mnewfile\r\n");
}

void TestGaugeSim::continuousSending() {
    QFETCH(QStringList, options);
    QFETCH(bool, answers);
    QFETCH(QByteArray, first);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(options + QStringList{"--continuous"}), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    if (!first.isEmpty()) {
        // The announcement went out before anyone listened; a new run sends it again.
        peer.Send("Se0\r\n");
        peer.WaitFor("Me0\r\n");
        peer.Buffer.clear();
        peer.Send("Se1\r\n");
        QVERIFY(peer.WaitLines(3).startsWith(first));
    }
    // Seven-character lines come without any order.
    const QByteArray stream = peer.WaitLines(5);
    QVERIFY(QRegularExpression(QStringLiteral(R"(( \d{3}\.\d\d\r\n){3})"))
                .match(QString::fromLatin1(stream))
                .hasMatch());
    const int mark = gauge.Mark();
    peer.Send("Sb\r\n");
    QVERIFY(gauge.WaitForEvent(answers ? "order Sb" : "ignored Sb", mark));
    if (answers)
        QVERIFY(peer.WaitFor("Vbat").contains("Vbat = 87%\r\n"));
    else
        QVERIFY(!peer.Drain(100).contains("Vbat"));
    peer.Send("Se0\r\n");
    QVERIFY(peer.WaitFor("Me0\r\n").endsWith("Me0\r\n"));
    QCOMPARE(gauge.State().value("streaming"), QByteArray("off"));
}

void TestGaugeSim::dump_data() {
    QTest::addColumn<Via>("via");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("lines");
    // Lines checked by their number (0 = first, -1 = last).
    QTest::addColumn<LineMap>("expected");

    QTest::newRow("time base")
        << Via::Pty << QStringList{"--ram", "count=3,step=0.1,unit=N,values=1.5:-2.25:3,name=SER1"}
        << QByteArray("Sc1") << 7
        << LineMap{{0, "COUNT: 3"},          {1, "FILE: SER1"},        {2, "SMP.TIME: 0.1 sek"},
                   {3, "AVERAGE: 0.75 N  "}, {4, "SMP.001: 1.50 N  "}, {5, "SMP.002: -2.25 N  "},
                   {6, "SMP.003: 3.00 N  "}};
    QTest::newRow("no time base") << Via::Tcp
                                  << QStringList{"--eeprom", "step=none,values=4:-0.5,name=E2"}
                                  << QByteArray("Sc2") << 6
                                  << LineMap{{2, "SMP.TIME: ---"},
                                             {3, "AVERAGE: 1.75 N  "},
                                             {5, "SMP.002: -0.50 N  "}};
    QTest::newRow("empty") << Via::Pty << QStringList{"--sd", "count=0"} << QByteArray("Sc3") << 1
                           << LineMap{{0, "COUNT: 0"}};
    QTest::newRow("unit in the last three")
        << Via::Pty << QStringList{"--ram", "values=2,unit=kg"} << QByteArray("Sc1") << 5
        << LineMap{{3, "AVERAGE: 2.00 kg "}, {4, "SMP.001: 2.00 kg "}};
    QTest::newRow("torque unit") << Via::Pty
                                 << QStringList{"--model", "FS-20", "--ram", "values=-1"}
                                 << QByteArray("Sc1") << 5
                                 << LineMap{{3, "AVERAGE: -1.00 N*m"}, {4, "SMP.001: -1.00 N*m"}};
    QTest::newRow("numbers wrap after 999")
        << Via::Pty << QStringList{"--sd", "count=1205,step=0.01"} << QByteArray("Sc3") << 1209
        << LineMap{{2, "SMP.TIME: 0.01 sek"},    {4, "SMP.001: 0.00 N  "},
                   {34, "SMP.031: -5.88 N  "},   {1002, "SMP.999: -2.49 N  "},
                   {1003, "SMP.000: -1.25 N  "}, {-1, "SMP.205: 4.82 N  "}};
    QTest::newRow("full memory over TCP")
        << Via::Tcp << QStringList{"--ram", "count=6400"} << QByteArray("Sc1") << 6404
        << LineMap{{0, "COUNT: 6400"}, {-1, "SMP.400: -1.25 N  "}};
    QTest::newRow("full memory on the pty")
        << Via::Pty << QStringList{"--eeprom", "count=6400"} << QByteArray("Sc2") << 6404
        << LineMap{{0, "COUNT: 6400"}, {-1, "SMP.400: -1.25 N  "}};
}

void TestGaugeSim::dump() {
    QFETCH(Via, via);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, order);
    QFETCH(int, lines);
    QFETCH(LineMap, expected);

    GaugeSim gauge;
    QVERIFY2(Start(gauge, via, options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, via));
    const QByteArray dump = peer.Ask(order, lines);
    QVERIFY(dump.endsWith("\r\n"));
    QByteArrayList got = dump.chopped(2).split('\n');
    for (QByteArray& line : got)
        line = line.endsWith('\r') ? line.chopped(1) : line;
    QCOMPARE(got.size(), lines);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(got.at(it.key() < 0 ? got.size() + it.key() : it.key()), it.value());
    // Sample lines: "SMP." + three digits, counting 1, 2, ... 999, 000, 001, ...
    for (qsizetype i = 4; i < got.size(); ++i)
        QVERIFY(got[i].startsWith(
            "SMP." + QByteArray::number((i - 3) % 1000).rightJustified(3, '0') + ": "));
}

void TestGaugeSim::reset_data() {
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("erased");

    QTest::newRow("RAM") << QByteArray("Sr") << 1;
    QTest::newRow("EEPROM") << QByteArray("Sr1") << 2;
    QTest::newRow("SD card") << QByteArray("Sr2") << 3;
}

void TestGaugeSim::reset() {
    QFETCH(QByteArray, order);
    QFETCH(int, erased);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty({"--ram", "count=5", "--eeprom", "count=6", "--sd", "count=7"}),
             qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    QCOMPARE(peer.Ask(order), QByteArray("Mr\r\n"));
    for (int memory = 1; memory <= 3; ++memory) {
        const QByteArray count = erased == memory ? "0" : QByteArray::number(memory + 4);
        const int lines = erased == memory ? 1 : memory + 8;
        QVERIFY(peer.Ask("Sc" + QByteArray::number(memory), lines)
                    .startsWith("COUNT: " + count + "\r\n"));
    }
}

void TestGaugeSim::lineSpeed_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("silent at a wrong speed") << QStringList{};
    QTest::newRow("junk at a wrong speed")
        << QStringList{"--garble", "--continuous", "--model", "FC-100", "--sample-time", "0.01"};
}

void TestGaugeSim::lineSpeed() {
    QFETCH(QStringList, options);
    const bool garble = options.contains("--garble");

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(Steady + QStringList{"--baud", "115200"} + options),
             qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty, 57600));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int mark = gauge.Mark();
        peer.Send("SI\r\n");
        QVERIFY(gauge.WaitForEvent("garbled 57600 SI", mark));
    }
    const QByteArray heard = peer.Drain(100);
    QCOMPARE(heard.isEmpty(), !garble);
    for (char c : heard)
        QVERIFY(static_cast<unsigned char>(c) >= 0x80); // no text, no line end
    QVERIFY(gauge.Orders().isEmpty());

    QVERIFY(peer.Serial()->setBaudRate(115200));
    if (garble) {
        peer.Send("Se0\r\n");
        QVERIFY(peer.WaitFor("Me0\r\n").endsWith("Me0\r\n"));
    }
    QCOMPARE(peer.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
}

void TestGaugeSim::chunking_data() {
    QTest::addColumn<Via>("via");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("minReads");

    QTest::newRow("single bytes with pauses")
        << Via::Pty << QStringList{"--chunk", "1", "--chunk-pause", "20"} << QByteArray("Sb") << 1
        << 6;
    QTest::newRow("random sizes, no pause")
        << Via::Pty << QStringList{"--chunk", "2-7", "--chunk-pause", "0"} << QByteArray("Sid")
        << 14 << 1;
    QTest::newRow("over TCP") << Via::Tcp << QStringList{"--chunk", "3-5",   "--chunk-pause",
                                                         "5",       "--ram", "count=10"}
                              << QByteArray("Sc1") << 14 << 2;
}

void TestGaugeSim::chunking() {
    QFETCH(Via, via);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, order);
    QFETCH(int, lines);
    QFETCH(int, minReads);

    GaugeSim plain;
    QVERIFY2(Start(plain, via, Steady + QStringList{"--ram", "count=10"}),
             qPrintable(plain.ErrorText()));
    Peer reference;
    QVERIFY(reference.Open(plain, via));
    const QByteArray expected = reference.Ask(order, lines);

    GaugeSim gauge;
    QVERIFY2(Start(gauge, via, Steady + options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, via));
    QCOMPARE(peer.Ask(order, lines), expected);
    QVERIFY2(peer.Reads >= minReads, qPrintable(QString::number(peer.Reads)));
    QCOMPARE(peer.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
}

void TestGaugeSim::misbehaviour_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("form");

    QTest::newRow("duplicate") << QStringList{"--duplicate"} << QByteArray("ST") << 2
                               << QStringLiteral(R"(\AMT\r\nMT\r\n\z)");
    QTest::newRow("interleaved force readings")
        << QStringList{"--interleave", "2", "--value", "1"} << QByteArray("Sm") << 3
        << QStringLiteral(R"(\A(      1\.00 N  \r\n){2}Mm\r\n\z)");
    QTest::newRow("interleaved torque readings")
        << QStringList{"--interleave", "1", "--model", "FS-20", "--value", "-2"} << QByteArray("Sb")
        << 2 << QStringLiteral(R"(\A-002\.00\r\nVbat = 87%\r\n\z)");
    QTest::newRow("noise line") << QStringList{"--noise-lines", "1"} << QByteArray("Sk1") << 2
                                << QStringLiteral(R"(\A[a-z0-9#*?!~^_;]{1,30}\r\nMk1\r\n\z)");
    QTest::newRow("delay") << QStringList{"--delay", "300"} << QByteArray("Sm") << 1
                           << QStringLiteral(R"(\AMm\r\n\z)");
}

void TestGaugeSim::misbehaviour() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, order);
    QFETCH(int, lines);
    QFETCH(QString, form);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(QStringList{"--amplitude", "0"} + options),
             qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    QElapsedTimer clock;
    clock.start();
    const QByteArray reply = peer.Ask(order, lines);
    QVERIFY2(QRegularExpression(form).match(QString::fromLatin1(reply)).hasMatch(),
             reply.constData());
    if (options.contains("--delay"))
        QVERIFY(clock.elapsed() >= 250);
}

void TestGaugeSim::drop() {
    GaugeSim gauge;
    QVERIFY2(gauge.StartPty({"--drop", "Me0"}), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    peer.Send("Se0\r\n");
    QVERIFY(gauge.WaitForEvent("dropped Me0"));
    QVERIFY(peer.Drain(50).isEmpty());
    QCOMPARE(peer.Ask("Se0"), QByteArray("Me0\r\n"));

    // Set at run time, twice: the report is swallowed whole, twice, then answered.
    QVERIFY(gauge.CommandAndWait("drop MODEL 2"));
    for (int i = 0; i < 2; ++i) {
        const int mark = gauge.Mark();
        peer.Send("Sid\r\n");
        QVERIFY(gauge.WaitForEvent("dropped MODEL", mark));
    }
    QVERIFY(peer.Drain(50).isEmpty());
    QVERIFY(peer.Ask("Sid", 14).startsWith("MODEL: "));
}

void TestGaugeSim::noiseBurst_data() {
    QTest::addColumn<Via>("via");
    QTest::addColumn<bool>("lineEnds");
    QTest::addColumn<bool>("byOption"); // at the first opening rather than by command
    QTest::newRow("pty, no line ends") << Via::Pty << false << false;
    QTest::newRow("pty, line ends") << Via::Pty << true << false;
    QTest::newRow("tcp, no line ends") << Via::Tcp << false << false;
    QTest::newRow("pty, option") << Via::Pty << true << true;
    QTest::newRow("tcp, option") << Via::Tcp << false << true;
}

void TestGaugeSim::noiseBurst() {
    QFETCH(Via, via);
    QFETCH(bool, lineEnds);
    QFETCH(bool, byOption);
    constexpr int size = 300000;

    GaugeSim gauge;
    const QStringList options =
        byOption ? QStringList{"--burst", QString::fromLatin1(QByteArray::number(size) + ':' +
                                                              (lineEnds ? "lf" : "nolf"))}
                 : QStringList{};
    QVERIFY2(Start(gauge, via, options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, via));
    QVERIFY(gauge.WaitForEvent("link open"));
    if (!byOption)
        gauge.Command("noise " + QByteArray::number(size) + (lineEnds ? " lf" : " nolf"));
    QVERIFY(QTest::qWaitFor([&] { return peer.Buffer.size() >= size; }, WaitMs));
    QVERIFY(gauge.WaitForEvent("burst done 300000"));
    QCOMPARE(peer.Buffer.size(), size);
    QCOMPARE(peer.Buffer.contains('\n'), lineEnds);
    QVERIFY(!QRegularExpression(QStringLiteral("[A-Z .:-]"))
                 .match(QString::fromLatin1(peer.Buffer))
                 .hasMatch());
    // Replies queued behind the burst arrive whole.
    QCOMPARE(peer.Ask("Sb"), QByteArray("Vbat = 87%\r\n"));
}

void TestGaugeSim::closedPortLosesOutput() {
    GaugeSim gauge;
    QVERIFY2(gauge.StartPty({"--model", "FC-100", "--sample-time", "0.01", "--continuous"}),
             qPrintable(gauge.ErrorText()));
    // Sending with nobody listening: none of it may wait for the next opener.
    QVERIFY(gauge.WaitForEvent("sample ", 0, WaitMs, 30));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    QVERIFY(gauge.WaitForEvent("link open 1"));
    // The samples sent from the moment the gauge saw the port open.
    const int opened = int(gauge.Events().indexOf("link open 1"));
    QVERIFY(gauge.WaitForEvent("sample ", opened, WaitMs, 10));
    peer.Send("Se0\r\n");
    const QByteArray received = peer.WaitFor("Me0\r\n");
    QVERIFY(gauge.WaitForEvent("reply 1 Me0", opened));
    const qsizetype lines = received.count('\n') - 1;
    const qsizetype sent = gauge.Samples(opened).size();
    QVERIFY2(lines == sent,
             qPrintable(QStringLiteral("%1 lines, %2 samples since opening").arg(lines).arg(sent)));
    QVERIFY(gauge.State().value("dropped").toInt() > 0);
}

void TestGaugeSim::reopenedPortAnswers() {
    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(Steady), qPrintable(gauge.ErrorText()));
    for (int round = 0; round < 3; ++round) {
        Peer peer;
        QVERIFY(peer.Open(gauge, Via::Pty));
        QCOMPARE(peer.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
        peer.Serial()->close();
        QVERIFY(gauge.WaitForEvent("link closed 0", 0, WaitMs, round + 1));
    }
    QCOMPARE(gauge.EventsOf("link").size(), 6);
}

void TestGaugeSim::vanishAndAppear_data() {
    QTest::addColumn<Via>("via");
    QTest::newRow("pty") << Via::Pty;
    QTest::newRow("tcp") << Via::Tcp;
}

void TestGaugeSim::vanishAndAppear() {
    QFETCH(Via, via);

    GaugeSim gauge;
    QVERIFY2(Start(gauge, via, Steady), qPrintable(gauge.ErrorText()));
    // A second holder of the device, to see the hang-up without a serial-port layer between;
    // opened first, as the serial port takes the device for itself.
    const int raw =
        via == Via::Pty ? ::open(qPrintable(gauge.DevicePath()), O_RDWR | O_NOCTTY) : -1;
    auto peer = std::make_unique<Peer>();
    QVERIFY(peer->Open(gauge, via));
    QCOMPARE(peer->Ask("SI"), QByteArray("-    12.34 N  \r\n"));

    gauge.Command("vanish");
    QVERIFY(gauge.WaitForEvent("vanished"));
    if (via == Via::Pty) {
        QVERIFY(!QFileInfo(gauge.LinkPath()).isSymLink());
        QVERIFY(raw >= 0);
        pollfd hangup{raw, POLLIN, 0};
        QCOMPARE(::poll(&hangup, 1, WaitMs), 1);
        QVERIFY(hangup.revents & POLLHUP);
        ::close(raw);
    } else {
        QVERIFY(QTest::qWaitFor(
            [&] { return peer->Socket()->state() == QAbstractSocket::UnconnectedState; }, WaitMs));
        QTcpSocket refused;
        refused.connectToHost(QStringLiteral("127.0.0.1"), gauge.TcpPort());
        QVERIFY(!refused.waitForConnected(2000));
    }
    peer.reset();

    const int mark = gauge.Mark();
    gauge.Command("appear");
    QVERIFY(gauge.WaitForEvent("appeared ", mark));
    if (via == Via::Pty) {
        QVERIFY(QFileInfo(gauge.LinkPath()).isSymLink());
        QVERIFY(gauge.EventsOf("appeared", mark)
                    .first()
                    .endsWith("link " + gauge.LinkPath().toLocal8Bit()));
    }
    Peer again;
    QVERIFY(again.Open(gauge, via));
    QCOMPARE(again.Ask("SI"), QByteArray("-    12.34 N  \r\n"));

    gauge.Stop();
    if (via == Via::Pty)
        QVERIFY(!QFileInfo(gauge.LinkPath()).isSymLink()); // removed at exit
    QCOMPARE(gauge.Events().last(), QByteArray("bye"));
}

void TestGaugeSim::newClientReplacesOld() {
    GaugeSim gauge;
    QVERIFY2(gauge.StartTcp(Steady), qPrintable(gauge.ErrorText()));
    Peer first;
    QVERIFY(first.Open(gauge, Via::Tcp));
    QCOMPARE(first.Ask("Sb"), QByteArray("Vbat = 87%\r\n"));
    Peer second;
    QVERIFY(second.Open(gauge, Via::Tcp));
    QVERIFY(QTest::qWaitFor(
        [&] { return first.Socket()->state() == QAbstractSocket::UnconnectedState; }, WaitMs));
    QCOMPARE(second.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
}

void TestGaugeSim::badInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("event");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\r\n", 5) << QByteArray("unknown ")
                            << QByteArray();
    QTest::newRow("lone S") << QByteArray("S\r\n") << QByteArray("unknown S") << QByteArray();
    QTest::newRow("unknown order")
        << QByteArray("Sz\r\n") << QByteArray("unknown Sz") << QByteArray();
    QTest::newRow("report with tail")
        << QByteArray("Sidx\r\n") << QByteArray("unknown Sidx") << QByteArray();
    QTest::newRow("overlong line")
        << QByteArray(5000, 'x') << QByteArray("overlong") << QByteArray();
    QTest::newRow("overlong order") << QByteArray(300, 'S') + "\r\n"
                                    << QByteArray("overlong 300") << QByteArray();
    QTest::newRow("count empty") << QByteArray("Sv\r\n") << QByteArray("order Sv")
                                 << QByteArray("MQ\r\n");
    QTest::newRow("count with tail")
        << QByteArray("Sv12x\r\n") << QByteArray("order Sv12x") << QByteArray("MQ\r\n");
    QTest::newRow("threshold empty")
        << QByteArray("SL\r\n") << QByteArray("order SL") << QByteArray("MQ\r\n");
    QTest::newRow("time infinite")
        << QByteArray("St1e400\r\n") << QByteArray("order St1e400") << QByteArray("MQ\r\n");
    QTest::newRow("time inf") << QByteArray("Stinf\r\n") << QByteArray("order Stinf")
                              << QByteArray("MQ\r\n");
    QTest::newRow("acceleration nan")
        << QByteArray("Snnan\r\n") << QByteArray("order Snnan") << QByteArray("MQ\r\n");
    QTest::newRow("comma decimal")
        << QByteArray("SL1,5\r\n") << QByteArray("order SL1,5") << QByteArray("MQ\r\n");
    QTest::newRow("reading 2") << QByteArray("Sx2\r\n") << QByteArray("order Sx2")
                               << QByteArray("MQ\r\n");
    QTest::newRow("memory 9") << QByteArray("Sc9\r\n") << QByteArray("order Sc9")
                              << QByteArray("MQ\r\n");
    QTest::newRow("line feed only")
        << QByteArray("Sb\n") << QByteArray("order Sb") << QByteArray("Vbat = 87%\r\n");
    QTest::newRow("carriage return only")
        << QByteArray("Sb\r") << QByteArray("order Sb") << QByteArray("Vbat = 87%\r\n");
    QTest::newRow("two orders in one write") << QByteArray("Sb\r\nSm\r\n") << QByteArray("order Sm")
                                             << QByteArray("Vbat = 87%\r\nMm\r\n");
}

void TestGaugeSim::badInput() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, event);
    QFETCH(QByteArray, reply);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(Steady), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    peer.Send(input);
    QVERIFY(gauge.WaitForEvent(event));
    if (reply.isEmpty())
        QVERIFY(peer.Drain(50).isEmpty());
    else
        QCOMPARE(peer.WaitLines(int(reply.count("\r\n"))), reply);
    // Still answering.
    QCOMPARE(peer.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
}

void TestGaugeSim::badOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no line") << QStringList{} << 2 << "exactly one of --pty and --tcp";
    QTest::newRow("two lines") << QStringList{"--pty", "--tcp", "0"} << 2 << "exactly one";
    QTest::newRow("port too high") << QStringList{"--tcp", "70000"} << 2 << "--tcp";
    QTest::newRow("empty model") << QStringList{"--tcp", "0", "--model", ""} << 2 << "--model";
    QTest::newRow("serial posing as model")
        << QStringList{"--tcp", "0", "--serial", "ABMODEL"} << 2 << "--serial";
    QTest::newRow("unknown unit") << QStringList{"--tcp", "0", "--unit", "xyz"} << 2 << "--unit";
    QTest::newRow("force unit on torque meter")
        << QStringList{"--tcp", "0", "--model", "FS-20", "--unit", "kgf"} << 2 << "N*m";
    QTest::newRow("memory too large")
        << QStringList{"--tcp", "0", "--ram", "count=6401"} << 2 << "count must be 0 to 6400";
    QTest::newRow("series name posing as COUNT")
        << QStringList{"--tcp", "0", "--sd", "name=COUNTER"} << 2 << "COUNT";
    QTest::newRow("bad sample value")
        << QStringList{"--tcp", "0", "--eeprom", "values=1:x"} << 2 << "\"x\"";
    QTest::newRow("bad memory key")
        << QStringList{"--tcp", "0", "--ram", "colour=red"} << 2 << "unknown key";
    QTest::newRow("sampling time below SLOW")
        << QStringList{"--tcp", "0", "--sample-time", "0.05"} << 2 << "--sample-time";
    QTest::newRow("sampling time not a number")
        << QStringList{"--tcp", "0", "--sample-time", "abc"} << 2 << "--sample-time";
    QTest::newRow("battery over 100")
        << QStringList{"--tcp", "0", "--battery", "101"} << 2 << "--battery";
    QTest::newRow("burst kind") << QStringList{"--tcp", "0", "--burst", "10:maybe"} << 2
                                << "--burst";
    QTest::newRow("chunk order") << QStringList{"--tcp", "0", "--chunk", "9-2"} << 2 << "--chunk";
    QTest::newRow("odd line speed") << QStringList{"--pty", "--baud", "12345"} << 2 << "--baud";
    QTest::newRow("link with tcp") << QStringList{"--tcp", "0", "--link", "/tmp/x"} << 2 << "--pty";
    QTest::newRow("unknown option") << QStringList{"--tcp", "0", "--bogus"} << 2 << "bogus";
    QTest::newRow("stray argument") << QStringList{"--tcp", "0", "extra"} << 2 << "extra";
    QTest::newRow("link over a file")
        << QStringList{"--pty", "--link", "@FILE@"} << 1 << "not a symbolic link";
}

void TestGaugeSim::badOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryFile file;
    QVERIFY(file.open());
    arguments.replaceInStrings(QStringLiteral("@FILE@"), file.fileName());
    QProcess process;
    process.start(QStringLiteral(ZFM_GAUGE_SIM), arguments);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(WaitMs));
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(QFileInfo(file.fileName()).isFile()); // an existing file is never replaced
}

void TestGaugeSim::help() {
    QProcess process;
    process.start(QStringLiteral(ZFM_GAUGE_SIM), {QStringLiteral("--help")});
    QVERIFY(process.waitForFinished(WaitMs));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray text = process.readAllStandardOutput();
    for (const char* item : {"--pty",
                             "--link",
                             "--tcp",
                             "--baud",
                             "--garble",
                             "--model",
                             "--serial",
                             "--unit",
                             "--peak",
                             "--speed",
                             "--sample-time",
                             "--acquisition",
                             "--count",
                             "--count-max",
                             "--thr-min",
                             "--thr-max",
                             "--thr-zero",
                             "--thresholds",
                             "--acceleration",
                             "--battery",
                             "--decimals",
                             "--plus-sign",
                             "--value",
                             "--amplitude",
                             "--period",
                             "--ram",
                             "--eeprom",
                             "--sd",
                             "--continuous",
                             "--newfile",
                             "--answer-while-streaming",
                             "--chunk",
                             "--chunk-pause",
                             "--drop",
                             "--noise-lines",
                             "--burst",
                             "--duplicate",
                             "--interleave",
                             "--delay",
                             "--seed",
                             "--quit-on-eof",
                             "--no-sample-events",
                             "vanish",
                             "appear",
                             "noise N lf|nolf",
                             "ready pty",
                             "sample <n> <value>",
                             "garbled"})
        QVERIFY2(text.contains(item), item);
}

void TestGaugeSim::commands_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("unit converts") << QStringList{} << QByteArray("unit kg") << QByteArray("Sx1")
                                   << QByteArray("-     1.26 kg \r\n");
    QTest::newRow("unit token") << QStringList{} << QByteArray("unit lb") << QByteArray("SI")
                                << QByteArray("-     2.77 Lb \r\n");
    QTest::newRow("value") << QStringList{} << QByteArray("value 3") << QByteArray("SI")
                           << QByteArray("      3.00 N  \r\n");
    QTest::newRow("battery") << QStringList{} << QByteArray("battery 12") << QByteArray("Sb")
                             << QByteArray("Vbat = 12%\r\n");
    QTest::newRow("power off") << QStringList{} << QByteArray("power off") << QByteArray("SI")
                               << QByteArray("MQ\r\n");
    QTest::newRow("stand-by") << QStringList{} << QByteArray("standby on") << QByteArray("SI")
                              << QByteArray("MQ\r\n");
    QTest::newRow("send text") << QStringList{} << QByteArray("send MT\\r\\nMs0\\r\\n")
                               << QByteArray() << QByteArray("MT\r\nMs0\r\n");
    QTest::newRow("MEM in AUTO") << QStringList{"--acquisition", "auto", "--count", "5",
                                                "--sample-time", "0.2"}
                                 << QByteArray("mem") << QByteArray("Sc1")
                                 << QByteArray("COUNT: 5\r\nFILE: RAM01\r\n");
    QTest::newRow("MEM in MANUAL") << QStringList{} << QByteArray("mem") << QByteArray("Sc1")
                                   << QByteArray("COUNT: 1\r\nFILE: RAM01\r\nSMP.TIME: ---\r\n");
}

void TestGaugeSim::commands() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, order);
    QFETCH(QByteArray, expected);

    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(Steady + options), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    QVERIFY(gauge.WaitForEvent("link open"));
    peer.Buffer.clear();
    QVERIFY(gauge.CommandAndWait(command));
    if (!order.isEmpty())
        peer.Send(order + "\r\n");
    const QByteArray reply = peer.WaitLines(int(expected.count("\r\n")));
    QVERIFY2(reply.startsWith(expected), reply.constData());

    // Bad commands are reported and change nothing.
    const int mark = gauge.Mark();
    gauge.Command("unit xyz");
    gauge.Command("battery 250");
    gauge.Command("bogus");
    QVERIFY(gauge.WaitForEvent("error ", mark, WaitMs, 3));
    QVERIFY(gauge.IsRunning());
}

void TestGaugeSim::commaLocale() {
    // The gauge speaks with a decimal point, whatever the locale it runs under.
    QLocale::setDefault(QLocale(QLocale::German));
    GaugeSim gauge;
    gauge.SetEnvironment({"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"});
    QVERIFY2(gauge.StartPty(Steady), qPrintable(gauge.ErrorText()));
    Peer peer;
    QVERIFY(peer.Open(gauge, Via::Pty));
    QCOMPARE(peer.Ask("St0.5"), QByteArray("Mt\r\n"));
    QCOMPARE(peer.Ask("SL12.5"), QByteArray("ML\r\n"));
    QCOMPARE(peer.Ask("SI"), QByteArray("-    12.34 N  \r\n"));
    const QByteArray report = peer.Ask("Sid", 14);
    QVERIFY(report.contains("ACQ.T.: 0.5 s\r\n"));
    QVERIFY(report.contains("THRMIN: 12.5\r\n"));
    QVERIFY(report.contains("ACCEL.: 9.81 m/s2\r\n"));
    const auto state = gauge.State();
    QCOMPARE(state.value("sampletime"), QByteArray("0.5"));
    QCOMPARE(state.value("thrmin"), QByteArray("12.5"));
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestGaugeSim)
#include "tst_gaugesim.moc"
