// The headless recorder against the virtual gauge: every sample the gauge sends is in the
// file, over either link, in both formats, however the recording ends; and it says how it
// ended in its exit code.
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
        QTest::newRow("port and host")
            << QStringList{QStringLiteral("--port"), QStringLiteral("COM3"),
                           QStringLiteral("--host"), QStringLiteral("127.0.0.1")}
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
};

QTEST_GUILESS_MAIN(TestRecorderEndToEnd)
#include "tst_recorder_e2e.moc"
