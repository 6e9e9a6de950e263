// The program as installed: `cmake --install` into a prefix that is then made read-only,
// started as its own process offscreen with a home and XDG folders of its own, beside the
// virtual gauge. It records a fast run unattended (--measure); the capture, ComPort.ini and
// config.xml land in the per-user folders and the working folder, and nothing is written
// into the prefix; with no gauge on its port it says what it waits for. And the README's demo
// command: however it ends, its virtual gauge ends too.
#include "protocol/ProcessData.h"
#include "tests/support/GaugeSim.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int Patience = 60000; // generous: installing and starting on a busy machine
constexpr const char* RunSeconds = "2";
// Samples the gauge sent after the program's stop order left may miss the capture.
constexpr int LostAtStop = 5;

// Every file under a folder with its size and time of change, to see that nothing changed.
QStringList Listing(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(QDir(root).relativeFilePath(info.filePath()))
                       .arg(info.isDir() ? -1 : info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// Takes write permission from everyone, or gives the owner's back (to clean up).
void SetWritable(const QString& root, bool writable) {
    QStringList paths{root};
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    for (const QString& path : paths) {
        QFile::Permissions p = QFile::permissions(path);
        if (writable)
            p |= QFile::WriteOwner | QFile::WriteUser;
        else
            p &= ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
        QFile::setPermissions(path, p);
    }
}

QList<QByteArray> LinesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The first child process of parent with the given command name, or 0.
pid_t ChildNamed(qint64 parent, const QByteArray& name) {
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid ...: the name may hold spaces, so read from its closing bracket.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
        if (open < 0 || close < open || line.mid(open + 1, close - open - 1) != name)
            continue;
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        if (rest.size() > 1 && rest[1].toLongLong() == parent)
            return pid_t(pid.toInt());
    }
    return 0;
}

bool Alive(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return !line.mid(line.lastIndexOf(')') + 2).startsWith('Z');
}

// Whether the process has its own handler for the signal (it is past its start-up).
bool Catches(pid_t pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// The lock file Qt's serial port leaves in the system's lock folder when its program is killed
// (as the journal's end-to-end test does, as root) names the terminal's number, which the next
// pseudo-terminal takes again. The program, run as another user, may not remove it from the
// sticky folder and cannot open the port. A terminal just created has no live lock.
void RemoveStaleLock(const QString& device) {
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char* folder : {"/var/lock", "/run/lock", "/tmp", "/var/tmp"})
        QFile::remove(QLatin1String(folder) + QStringLiteral("/LCK..") + name);
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestInstallEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readOnlyInstallRecordsAFastRun_data();
    void readOnlyInstallRecordsAFastRun();
    void demoEndsItsGauge_data();
    void demoEndsItsGauge();

private:
    QTemporaryDir m_root;
    QString m_prefix;
    QStringList m_installed;
    // Root may write into a read-only folder: the program then runs as this user instead.
    std::optional<std::pair<uid_t, gid_t>> m_runAs;
};

void TestInstallEndToEnd::initTestCase() {
    QVERIFY(m_root.isValid());
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    QVERIFY2(!cmake.isEmpty(), "cmake is needed to install");
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("run as root without a user 'nobody' or setpriv: a read-only prefix cannot "
                  "be shown");
        m_runAs = std::make_pair(nobody->pw_uid, nobody->pw_gid);
    }

    m_prefix = m_root.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(cmake, {QStringLiteral("--install"), QStringLiteral(ZFM_BINARY_DIR),
                          QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(Patience));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
    for (const char* file :
         {"bin/zento-fm", "bin/zento-fm-gauge", "share/zento-fm/zento-fm.SKY",
          "share/zento-fm/zento-fm.ENP", "share/zento-fm/zento-fm.DEU",
          "share/applications/zento-fm.desktop", "share/icons/hicolor/scalable/apps/zento-fm.svg"})
        QVERIFY2(QFileInfo::exists(m_prefix + QLatin1Char('/') + QLatin1String(file)), file);
    SetWritable(m_prefix, false);
    m_installed = Listing(m_prefix);
}

void TestInstallEndToEnd::cleanupTestCase() {
    if (!m_prefix.isEmpty())
        SetWritable(m_prefix, true);
}

void TestInstallEndToEnd::readOnlyInstallRecordsAFastRun_data() {
    QTest::addColumn<QByteArray>("iniPort"); // empty: no ComPort.ini
    QTest::newRow("ComPort.ini in the per-user folder") << QByteArray("COM1");
    QTest::newRow("no ComPort.ini anywhere") << QByteArray();
    QTest::newRow("ComPort.ini naming a port without a gauge") << QByteArray("COM2");
}

void TestInstallEndToEnd::readOnlyInstallRecordsAFastRun() {
    QFETCH(QByteArray, iniPort);

    // A home of its own, with the folders the program writes to.
    QTemporaryDir session(m_root.filePath(QStringLiteral("session-XXXXXX")));
    QVERIFY(session.isValid());
    const QString home = session.filePath(QStringLiteral("home"));
    const QString data = session.filePath(QStringLiteral("data"));
    const QString userFolder = data + QStringLiteral("/zento-fm");
    const QString work = session.filePath(QStringLiteral("work"));
    const QString ports = session.filePath(QStringLiteral("ports"));
    const QString runtime = session.filePath(QStringLiteral("runtime"));
    for (const QString& dir : {home, userFolder, work, ports, runtime})
        QVERIFY(QDir().mkpath(dir));
    if (!iniPort.isEmpty())
        QVERIFY(WriteFile(userFolder + QStringLiteral("/ComPort.ini"),
                          "[ComPort1]\nPort=" + iniPort + "\nBaudRate=9600\n"));
    // Without ComPort.ini the program's default port is COM1 too.
    QVERIFY(WriteFile(work + QStringLiteral("/config.xml"),
                      "<Config><Options><PortConfigured>Yes</PortConfigured></Options></Config>"));

    // A torque meter sampling every 10 ms: a run it sends is captured raw, as a fast run.
    GaugeSim gauge;
    QVERIFY2(gauge.StartPty(
                 {"--model", "FS-20", "--sample-time", "0.01", "--amplitude", "5", "--period", "1"},
                 1, ports),
             qPrintable(gauge.ErrorText()));

    if (m_runAs) {
        for (const QString& dir : {home, data, userFolder, work, runtime}) {
            QVERIFY(::chown(QFile::encodeName(dir).constData(), m_runAs->first, m_runAs->second) ==
                    0);
            for (const QFileInfo& file : QDir(dir).entryInfoList(QDir::Files))
                QVERIFY(::chown(QFile::encodeName(file.filePath()).constData(), m_runAs->first,
                                m_runAs->second) == 0);
        }
        // The way to the folders, the ports folder and the gauge's line.
        QFile::setPermissions(m_root.path(), QFile::permissions(m_root.path()) | QFile::ExeOther |
                                                 QFile::ReadOther);
        QFile::setPermissions(session.path(), QFile::permissions(session.path()) | QFile::ExeOther |
                                                  QFile::ReadOther);
        QFile::setPermissions(ports,
                              QFile::permissions(ports) | QFile::ExeOther | QFile::ReadOther);
        QVERIFY(QFile::setPermissions(gauge.DevicePath(), QFile::permissions(gauge.DevicePath()) |
                                                              QFile::ReadOther |
                                                              QFile::WriteOther));
        RemoveStaleLock(gauge.DevicePath());
    }
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTO_FM_PORTS"), ports);
    const QString program = m_prefix + QStringLiteral("/bin/zento-fm");
    const QStringList arguments{QStringLiteral("--measure"), QLatin1String(RunSeconds)};
    QProcess zentoFm;
    zentoFm.setProcessEnvironment(environment);
    zentoFm.setWorkingDirectory(work);
    zentoFm.setProcessChannelMode(QProcess::MergedChannels);
    if (m_runAs)
        zentoFm.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(m_runAs->first),
                                  QStringLiteral("--regid=%1").arg(m_runAs->second),
                                  QStringLiteral("--clear-groups"), program} +
                          arguments);
    else
        zentoFm.start(program, arguments);
    QVERIFY(zentoFm.waitForStarted(Patience));

    if (!iniPort.isEmpty() && iniPort != gauge.PortName().toLatin1()) {
        // Nobody could close a message box: the program says on standard error why the port
        // did not open and what it waits for (until its start limit, too long to wait here).
        QByteArray output;
        const bool told = QTest::qWaitFor(
            [&] {
                output += zentoFm.readAll();
                return output.contains("waiting for the link to " + iniPort) ||
                       zentoFm.state() == QProcess::NotRunning;
            },
            Patience);
        zentoFm.kill(); // by its process id
        zentoFm.waitForFinished(5000);
        output += zentoFm.readAll();
        QVERIFY2(told && output.contains("waiting for the link to " + iniPort), output.constData());
        // The message box's caption, in whatever language its text is.
        QVERIFY2(output.contains("JRV-FG: "), output.constData());
        QVERIFY(gauge.Orders().isEmpty());
        QCOMPARE(Listing(m_prefix), m_installed);
        return;
    }

    // The run: the program starts it once the settings are read, stops it and ends.
    const bool ended =
        QTest::qWaitFor([&] { return zentoFm.state() == QProcess::NotRunning; }, Patience);
    if (!ended) {
        zentoFm.kill(); // by its process id
        zentoFm.waitForFinished(5000);
    }
    // What the program said of its steps, and what the gauge heard.
    const QByteArray output = zentoFm.readAll() + "\ngauge's orders: " + gauge.Orders().join(' ');
    QVERIFY2(ended, output.constData());
    QVERIFY2(zentoFm.exitStatus() == QProcess::NormalExit && zentoFm.exitCode() == 0,
             output.constData());
    QTest::qWait(200); // the gauge's last events
    QCOMPARE(gauge.Orders().count("Se1"), 1);
    QVERIFY(gauge.Orders().contains("Se0"));

    // What the gauge sent from its start to its stop is the capture, in the per-user folder.
    const int from = int(gauge.Events().indexOf("order Se1"));
    const QList<double> sent = gauge.Samples(from);
    // The capture is the raw text; its replay keeps the lines that are samples (a reading
    // polled just before the start may come in front of them).
    QList<double> written;
    for (QByteArray line : LinesOf(userFolder + QStringLiteral("/fcf.dat"))) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (const std::optional<double> value = ProcessData::ParseCaptureLine(line))
            written << *value;
    }
    qInfo("the gauge sent %d samples, the capture holds %d", int(sent.size()), int(written.size()));
    QVERIFY(sent.size() >= 50);
    QVERIFY(written.size() <= sent.size());
    QVERIFY(written.size() >= sent.size() - LostAtStop);
    for (int i = 0; i < written.size(); ++i)
        QVERIFY2(std::abs(written[i] - sent[i]) < 0.005,
                 qPrintable(
                     QStringLiteral("sample %1: %2, sent %3").arg(i).arg(written[i]).arg(sent[i])));

    // The settings the program keeps went to the per-user folder and the working folder.
    QVERIFY(QFileInfo::exists(userFolder + QStringLiteral("/ComPort.ini")));
    QVERIFY(LinesOf(userFolder + QStringLiteral("/ComPort.ini")).contains("Port=COM1"));
    QVERIFY(QFileInfo::exists(work + QStringLiteral("/config.xml")));
    QCOMPARE(Listing(m_prefix), m_installed);
}

void TestInstallEndToEnd::demoEndsItsGauge_data() {
    QTest::addColumn<int>("signal"); // sent to the script; 0: the program is closed instead
    QTest::newRow("the program closed") << 0;
    QTest::newRow("Ctrl+C") << SIGINT;
    QTest::newRow("kill") << SIGTERM;
    QTest::newRow("terminal closed") << SIGHUP;
}

void TestInstallEndToEnd::demoEndsItsGauge() {
    QFETCH(int, signal);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // This build's program and gauge, without installing or building anything.
    environment.insert(QStringLiteral("ZFM_RUN_NO_SETUP"), QStringLiteral("1"));
    environment.insert(QStringLiteral("ZFM_BUILD_DIR"), QStringLiteral(ZFM_BINARY_DIR));
    QProcess demo;
    demo.setProcessEnvironment(environment);
    demo.setProcessChannelMode(QProcess::MergedChannels);
    demo.start(QStringLiteral("bash"),
               {QStringLiteral(ZFM_SOURCE_DIR "/scripts/run"), QStringLiteral("--demo")});
    QVERIFY(demo.waitForStarted(Patience));
    pid_t program = 0;
    pid_t gauge = 0;
    QTRY_VERIFY_WITH_TIMEOUT((program = ChildNamed(demo.processId(), "zento-fm")) &&
                                 (gauge = ChildNamed(demo.processId(), "zento-fm-gauge")) &&
                                 Catches(program, SIGTERM),
                             Patience);

    QVERIFY(::kill(signal ? pid_t(demo.processId()) : program, signal ? signal : SIGTERM) == 0);
    const bool ended = demo.waitForFinished(Patience);
    if (!ended) {
        ::kill(program, SIGKILL);
        demo.kill();
        demo.waitForFinished(5000);
    }
    const QByteArray output = demo.readAll();
    QVERIFY2(ended, output.constData());
    // The program closed as by its close box, and nothing of the demo is left running.
    QVERIFY2(demo.exitStatus() == QProcess::NormalExit && demo.exitCode() == 0, output.constData());
    QVERIFY(!Alive(program));
    QTRY_VERIFY_WITH_TIMEOUT(!Alive(gauge), Patience);
}

QTEST_GUILESS_MAIN(TestInstallEndToEnd)
#include "tst_install_e2e.moc"
