// The headless recorder against the virtual gauge: every sample the gauge sends is in the
// file, over either link, in both formats, however the recording ends; and it says how it
// ended in its exit code.
#include "recorder/RecorderOptions.h"
#include "storage/DataFile.h"
#include "tests/support/GaugeSim.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

constexpr int Patience = 30000;

struct Recording {
    int ExitCode = -1;
    QByteArray Output;
    QByteArray Errors;
};

Recording Record(const QStringList& arguments, const QString& portsFolder,
                 const std::function<void(QProcess&)>& during = {}) {
    QProcess recorder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!portsFolder.isEmpty())
        environment.insert(QStringLiteral("ZENTO_FM_PORTS"), portsFolder);
    recorder.setProcessEnvironment(environment);
    recorder.start(QStringLiteral(ZFM_RECORDER), arguments);
    Recording result;
    if (!recorder.waitForStarted())
        return result;
    if (during)
        during(recorder);
    if (recorder.state() != QProcess::NotRunning && !recorder.waitForFinished(Patience)) {
        qWarning("the recorder did not end: %s", recorder.readAllStandardError().constData());
        recorder.kill();
        recorder.waitForFinished();
        return result;
    }
    result.ExitCode = recorder.exitStatus() == QProcess::NormalExit ? recorder.exitCode() : -1;
    result.Output = recorder.readAllStandardOutput();
    result.Errors = recorder.readAllStandardError();
    if (result.ExitCode < 0)
        qWarning("the recorder crashed: %s", result.Errors.constData());
    return result;
}

// The sample values of a CSV recording, after its header row.
QList<double> CsvValues(const QByteArray& csv, QByteArray* header) {
    QList<QByteArray> lines = csv.split('\n');
    QList<double> values;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (i == 0) {
            *header = line;
            continue;
        }
        values << line.mid(line.indexOf(',') + 1).toDouble();
    }
    return values;
}

bool SameValues(const QList<double>& kept, const QList<double>& sent) {
    if (kept.size() != sent.size()) {
        qWarning("kept %lld samples of %lld", qlonglong(kept.size()), qlonglong(sent.size()));
        return false;
    }
    for (qsizetype i = 0; i < kept.size(); ++i)
        if (qAbs(kept[i] - sent[i]) > 1e-9)
            return false;
    return true;
}

// The sample values and time step of a recorded file, in either format.
struct FileRecording {
    QList<double> Values;
    double TimeStep = 0; // data files
    QByteArray Header;   // CSV
    QString Error;
};

FileRecording ReadRecording(const QString& path, const QString& format) {
    FileRecording read;
    if (format == QLatin1String("csv")) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            read.Error = QStringLiteral("%1: %2").arg(path, file.errorString());
        else
            read.Values = CsvValues(file.readAll(), &read.Header);
        return read;
    }
    const DataFileContents contents = DataFile::Read(path);
    read.Error = contents.Opened ? contents.Error : QStringLiteral("%1 not opened").arg(path);
    read.Values = QList<double>(contents.Values.begin(), contents.Values.end());
    read.TimeStep = contents.TimeStep;
    return read;
}

} // namespace

class TestRecorderEndToEnd : public QObject {
    Q_OBJECT

private slots:
    // Every sample sent is kept: a force gauge read line by line and a torque meter in a
    // fast capture, over the serial port and the network, in both formats.
    void keepsEverySample_data() {
        QTest::addColumn<QStringList>("gauge");
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("interrupted");
        QTest::newRow("force gauge, serial, data file")
            << QStringList{} << false << QStringLiteral("data") << false;
        QTest::newRow("torque meter fast, network, csv")
            << QStringList{QStringLiteral("--model"), QStringLiteral("FS-20"),
                           QStringLiteral("--sample-time"), QStringLiteral("0.025")}
            << true << QStringLiteral("csv") << false;
        QTest::newRow("torque meter fast, serial, Ctrl+C")
            << QStringList{QStringLiteral("--model"), QStringLiteral("FS-20"),
                           QStringLiteral("--sample-time"), QStringLiteral("0.025")}
            << false << QStringLiteral("csv") << true;
        QTest::newRow("force gauge, network, Ctrl+C")
            << QStringList{} << true << QStringLiteral("data") << true;
    }
    void keepsEverySample() {
        QFETCH(QStringList, gauge);
        QFETCH(bool, tcp);
        QFETCH(QString, format);
        QFETCH(bool, interrupted);
        GaugeSim sim;
        QVERIFY2(tcp ? sim.StartTcp(gauge) : sim.StartPty(gauge, 3), qPrintable(sim.ErrorText()));
        QStringList arguments = tcp ? QStringList{QStringLiteral("--host"),
                                                  QStringLiteral("127.0.0.1:%1").arg(sim.TcpPort())}
                                    : QStringList{QStringLiteral("--port"), QStringLiteral("COM3")};
        arguments << QStringLiteral("--format") << format;
        if (!interrupted)
            arguments << QStringLiteral("--seconds") << QStringLiteral("2");

        const Recording recording = Record(arguments, sim.PortsFolder(), [&](QProcess& process) {
            if (!interrupted)
                return;
            QTRY_VERIFY_WITH_TIMEOUT(sim.Samples().size() >= 20, Patience);
            ::kill(pid_t(process.processId()), SIGINT);
        });
        // What the recorder said tells why, should it end otherwise.
        QVERIFY2(recording.ExitCode == 0,
                 qPrintable(QStringLiteral("exit code %1: %2")
                                .arg(recording.ExitCode)
                                .arg(QString::fromLocal8Bit(recording.Errors))));
        QVERIFY(sim.WaitForEvent("reply 1 Me0"));
        const QList<double> sent = sim.Samples();
        QVERIFY(sent.size() >= 10);

        if (format == QLatin1String("csv")) {
            QByteArray header;
            QVERIFY(SameValues(CsvValues(recording.Output, &header), sent));
            QCOMPARE(header, QByteArray("time [s],value [N*m]"));
            return;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(recording.Output);
        file.close();
        const DataFileContents contents = DataFile::Read(path);
        QVERIFY2(contents.Opened && contents.Error.isEmpty(), qPrintable(contents.Error));
        QVERIFY(SameValues(QList<double>(contents.Values.begin(), contents.Values.end()), sent));
        QCOMPARE(contents.TimeStep, 0.1);
    }

    // How a recording ends, in its exit code; what came before a lost link is written.
    void exitCodes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("gaugeVanishes");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--speed")} << false << 2;
        QTest::newRow("no seconds")
            << QStringList{QStringLiteral("--seconds"), QStringLiteral("0")} << false << 2;
        QTest::newRow("port and host without --out")
            << QStringList{QStringLiteral("--port"), QStringLiteral("COM3"),
                           QStringLiteral("--host"), QStringLiteral("127.0.0.1")}
            << false << 2;
        QTest::newRow("two ports without --out")
            << QStringList{QStringLiteral("--port"), QStringLiteral("COM3"),
                           QStringLiteral("--port"), QStringLiteral("COM4")}
            << false << 2;
        QTest::newRow("no such port")
            << QStringList{QStringLiteral("--port"), QStringLiteral("COM9")} << false << 3;
        QTest::newRow("link lost") << QStringList{QStringLiteral("--port"), QStringLiteral("COM3"),
                                                  QStringLiteral("--format"), QStringLiteral("csv")}
                                   << true << 4;
    }
    void exitCodes() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, gaugeVanishes);
        QFETCH(int, exitCode);
        GaugeSim sim;
        QVERIFY2(sim.StartPty({}, 3), qPrintable(sim.ErrorText()));
        const Recording recording = Record(arguments, sim.PortsFolder(), [&](QProcess&) {
            if (!gaugeVanishes)
                return;
            QTRY_VERIFY_WITH_TIMEOUT(sim.Samples().size() >= 5, Patience);
            QVERIFY(sim.CommandAndWait("vanish"));
        });
        QCOMPARE(recording.ExitCode, exitCode);
        if (exitCode == 2)
            QVERIFY(recording.Errors.contains("Usage: zento-fm-rec"));
        if (gaugeVanishes) {
            QByteArray header;
            const QList<double> kept = CsvValues(recording.Output, &header);
            const QList<double> sent = sim.Samples();
            QVERIFY(kept.size() >= 5);
            QVERIFY(SameValues(kept, sent.mid(0, kept.size())));
        }
    }

    // Several gauges on one command line: which gauges, which files, and what is refused.
    void parsesGauges_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("given"); // the gauges in order
        QTest::addColumn<QString>("error");     // part of the refusal; empty: accepted
        QTest::addColumn<QStringList>("outs");  // each child's --out
        const auto list = [](const char* text) {
            return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        QTest::newRow("one port, standard output")
            << list("--port COM3") << list("COM3") << QString() << QStringList{};
        QTest::newRow("hosts and a port mixed")
            << list("--host 127.0.0.1:5000 --port COM3 --host [::1]:6000 --out run.txt")
            << list("127.0.0.1:5000 COM3 [::1]:6000") << QString()
            << list("run-1.txt run-2.txt run-3.txt");
        QTest::newRow("no extension")
            << list("--port COM3 --port /dev/ttyUSB0 --out /data/run") << list("COM3 /dev/ttyUSB0")
            << QString() << list("/data/run-1 /data/run-2");
        QTest::newRow("a dot in the folder")
            << list("--port COM3 --port COM4 --out /data/v1.2/run") << list("COM3 COM4")
            << QString() << list("/data/v1.2/run-1 /data/v1.2/run-2");
        QTest::newRow("hidden file")
            << list("--port COM3 --port COM4 --out /data/.run") << list("COM3 COM4") << QString()
            << list("/data/.run-1 /data/.run-2");
        QTest::newRow("two gauges, no --out")
            << list("--port COM3 --host 10.0.0.5") << QStringList{} << QStringLiteral("--out")
            << QStringList{};
        QTest::newRow("one port twice")
            << list("--port COM3 --port com3 --out run.txt") << QStringList{}
            << QStringLiteral("com3 is given twice") << QStringList{};
        QTest::newRow("one host twice, its port implied")
            << list("--host 10.0.0.5 --host 10.0.0.5:1001 --out run.txt") << QStringList{}
            << QStringLiteral("given twice") << QStringList{};
        QTest::newRow("device paths differ in case")
            << list("--port /dev/ttyACM0 --port /dev/ttyacm0 --out run.txt")
            << list("/dev/ttyACM0 /dev/ttyacm0") << QString() << list("run-1.txt run-2.txt");
    }
    void parsesGauges() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, given);
        QFETCH(QString, error);
        QFETCH(QStringList, outs);
        const RecorderArguments parsed =
            RecorderArguments::Parse(QStringList{QStringLiteral("zento-fm-rec")} + arguments);
        if (!error.isEmpty()) {
            QVERIFY(!parsed.Options);
            QVERIFY2(parsed.Error.contains(error), qPrintable(parsed.Error));
            return;
        }
        QVERIFY2(parsed.Options, qPrintable(parsed.Error));
        QStringList gauges;
        for (const RecorderGauge& gauge : parsed.Options->Gauges)
            gauges << gauge.Given;
        QCOMPARE(gauges, given);
        for (qsizetype i = 0; i < outs.size(); ++i) {
            const QStringList child = parsed.Options->ChildArguments(i);
            // A child records its one gauge, as given, into its own file.
            QCOMPARE(child.value(1), given[i]);
            QCOMPARE(child.mid(child.size() - 2), (QStringList{QStringLiteral("--out"), outs[i]}));
        }
    }

    // Two gauges at once, a child recorder each: every file holds all of its own gauge's
    // samples and none of the other's, whether the time runs out or Ctrl+C stops the run; a
    // port with no gauge costs only its own file.
    void recordsGaugesSideBySide_data() {
        QTest::addColumn<bool>("torqueOnNetwork");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("interrupted");
        QTest::addColumn<bool>("secondMissing");
        QTest::newRow("force serial, torque network, data files")
            << true << QStringLiteral("data") << QStringLiteral("run.txt")
            << QStringList{QStringLiteral("run-1.txt"), QStringLiteral("run-2.txt")} << false
            << false;
        QTest::newRow("both serial, csv, Ctrl+C")
            << false << QStringLiteral("csv") << QStringLiteral("run")
            << QStringList{QStringLiteral("run-1"), QStringLiteral("run-2")} << true << false;
        QTest::newRow("second port names no gauge")
            << false << QStringLiteral("csv") << QStringLiteral("run.csv")
            << QStringList{QStringLiteral("run-1.csv"), QStringLiteral("run-2.csv")} << false
            << true;
    }
    void recordsGaugesSideBySide() {
        QFETCH(bool, torqueOnNetwork);
        QFETCH(QString, format);
        QFETCH(QString, out);
        QFETCH(QStringList, files);
        QFETCH(bool, interrupted);
        QFETCH(bool, secondMissing);
        GaugeSim force;
        QVERIFY2(force.StartPty({}, 3), qPrintable(force.ErrorText()));
        // Offset, so that a sample of one gauge in the other's file cannot pass for its own.
        const QStringList torqueOptions{QStringLiteral("--model"),       QStringLiteral("FS-20"),
                                        QStringLiteral("--sample-time"), QStringLiteral("0.025"),
                                        QStringLiteral("--value"),       QStringLiteral("100")};
        GaugeSim torque;
        QStringList arguments{QStringLiteral("--port"), QStringLiteral("COM3")};
        if (secondMissing) {
            arguments << QStringLiteral("--port") << QStringLiteral("COM9");
        } else if (torqueOnNetwork) {
            QVERIFY2(torque.StartTcp(torqueOptions), qPrintable(torque.ErrorText()));
            arguments << QStringLiteral("--host")
                      << QStringLiteral("127.0.0.1:%1").arg(torque.TcpPort());
        } else {
            QVERIFY2(torque.StartPty(torqueOptions, 4, force.PortsFolder()),
                     qPrintable(torque.ErrorText()));
            arguments << QStringLiteral("--port") << QStringLiteral("COM4");
        }
        QTemporaryDir dir;
        arguments << QStringLiteral("--format") << format << QStringLiteral("--out")
                  << dir.filePath(out);
        if (!interrupted)
            arguments << QStringLiteral("--seconds") << QStringLiteral("2");

        const Recording recording = Record(arguments, force.PortsFolder(), [&](QProcess& process) {
            if (!interrupted)
                return;
            QTRY_VERIFY_WITH_TIMEOUT(force.Samples().size() >= 20 && torque.Samples().size() >= 20,
                                     Patience);
            ::kill(pid_t(process.processId()), SIGINT);
        });
        const QString errors = QString::fromLocal8Bit(recording.Errors);
        QVERIFY2(
            recording.ExitCode == (secondMissing ? 3 : 0),
            qPrintable(QStringLiteral("exit code %1: %2").arg(recording.ExitCode).arg(errors)));
        // Each child's lines tell whose they are.
        QVERIFY2(errors.contains(QStringLiteral("[1 COM3] zento-fm-rec: port COM3 open")),
                 qPrintable(errors));

        QVERIFY(force.WaitForEvent("reply 1 Me0"));
        const FileRecording forceFile = ReadRecording(dir.filePath(files[0]), format);
        QVERIFY2(forceFile.Error.isEmpty(), qPrintable(forceFile.Error));
        QVERIFY(force.Samples().size() >= 10);
        QVERIFY(SameValues(forceFile.Values, force.Samples()));
        if (secondMissing) {
            QVERIFY2(errors.contains(QStringLiteral("[2 COM9] zento-fm-rec: cannot open port")),
                     qPrintable(errors));
            QVERIFY(!QFile::exists(dir.filePath(files[1])));
            return;
        }
        QVERIFY(torque.WaitForEvent("reply 1 Me0"));
        const FileRecording torqueFile = ReadRecording(dir.filePath(files[1]), format);
        QVERIFY2(torqueFile.Error.isEmpty(), qPrintable(torqueFile.Error));
        QVERIFY(torque.Samples().size() >= 10);
        QVERIFY(SameValues(torqueFile.Values, torque.Samples()));
        if (format == QLatin1String("csv")) {
            QCOMPARE(torqueFile.Header, QByteArray("time [s],value [N*m]"));
            QVERIFY(forceFile.Header != torqueFile.Header);
        } else {
            QCOMPARE(forceFile.TimeStep, 0.1);
            QCOMPARE(torqueFile.TimeStep, 0.025);
        }
    }
};

QTEST_GUILESS_MAIN(TestRecorderEndToEnd)
#include "tst_recorder_e2e.moc"
