// The program ended from outside (SIGTERM, as at the end of a session) closes as by its close
// box: its configuration is written.
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
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestTermination::terminationSavesTheConfiguration() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    // The network link, not configured: the program starts without scanning or connecting.
    QFile config(dir.filePath(QStringLiteral("config.xml")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("<Config><Options><LowThr>12,5</LowThr></Options><Interface><Kind>Eth</Kind>"
                 "</Interface></Config>");
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
    // Past the splash's hand-over, with the main window shown.
    QTest::qWait(2500);
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
