// The program ended from outside (SIGTERM, as at the end of a session) closes as by its close
// box: its configuration is written. Also while a message box raised by a reply waits for the
// user, with the network link's handler below it.
#include "tests/support/GaugeSim.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestTermination : public QObject {
    Q_OBJECT

private slots:
    void terminationSavesTheConfiguration_data();
    void terminationSavesTheConfiguration();
};

void TestTermination::terminationSavesTheConfiguration_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("boxUp"); // a gauge on the network left sending: its warning is up
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGTERM under a warning, network link") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP under a warning, network link") << int(SIGHUP) << true;
}

void TestTermination::terminationSavesTheConfiguration() {
    QFETCH(int, signal);
    QFETCH(bool, boxUp);
    QTemporaryDir dir;
    GaugeSim gauge;
    QFile config(dir.filePath(QStringLiteral("config.xml")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    if (boxUp) {
        // Connected at the start; the gauge's endless lines raise "Wysyłanie ciągłe".
        QVERIFY2(gauge.StartTcp({"--model", "FC-50", "--continuous"}),
                 qPrintable(gauge.ErrorText()));
        config.write(QStringLiteral("<Config><Options><LowThr>12,5</LowThr><PortConfigured>Yes"
                                    "</PortConfigured></Options><Interface><Kind>Eth</Kind>"
                                    "<Host>127.0.0.1</Host><Port>%1</Port></Interface></Config>")
                         .arg(gauge.TcpPort())
                         .toUtf8());
    } else {
        // The network link, not configured: the program starts without scanning or connecting.
        config.write("<Config><Options><LowThr>12,5</LowThr></Options><Interface><Kind>Eth</Kind>"
                     "</Interface></Config>");
    }
    config.close();

    QProcess program;
    program.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("ZENTO_FM_PORTS"), dir.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZFM_PROGRAM), {});
    QVERIFY(program.waitForStarted(10000));
    // Past the splash's hand-over, with the main window shown (and the warning up).
    QTest::qWait(boxUp ? 4000 : 2500);
    ::kill(pid_t(program.processId()), signal);
    QVERIFY2(program.waitForFinished(20000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    // Also what a sanitized build reports at the end (a leak) would show here.
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());

    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray written = config.readAll();
    QVERIFY2(written.contains("<MaxPort>4</MaxPort>"), written.constData());
    QVERIFY(written.contains("<LowThr>12,5</LowThr>"));
    QVERIFY(written.contains("<Kind>Eth</Kind>"));
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
