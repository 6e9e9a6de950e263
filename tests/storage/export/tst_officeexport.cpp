// The export end to end: a LibreOffice Calc of its own under a virtual display, the export
// written through UNO and read back from the office.
#include "storage/export/OfficeSpreadsheet.h"
#include "storage/export/SpreadsheetExport.h"
#include "tests/support/RecordingMessages.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

constexpr auto DisplayTimeout = 20s;
// A first start with a fresh profile on a busy two-core machine takes a while.
constexpr auto OfficeTimeout = 60s;
constexpr auto PollInterval = 300ms;
constexpr auto EndTimeout = 10s;

// Parent process id and state of a process, from /proc; {0, 0} when it is gone.
QPair<qint64, char> ParentAndState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {0, 0};
    // "pid (name) state ppid ...": the name may hold spaces, so read after the last ')'.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 2 || fields.at(0).isEmpty())
        return {0, 0};
    return {fields.at(1).toLongLong(), fields.at(0).at(0)};
}

// The process and every process below it.
QList<qint64> Tree(qint64 root) {
    QList<qint64> tree{root};
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (qsizetype next = 0; next < tree.size(); ++next) {
        for (const QString& entry : entries) {
            const qint64 pid = entry.toLongLong();
            if (pid > 0 && ParentAndState(pid).first == tree.at(next) && !tree.contains(pid))
                tree.append(pid);
        }
    }
    return tree;
}

// The office's named pipes, sockets in /tmp that an office killed by a signal leaves behind.
QStringList OfficePipes() {
    return QDir(QStringLiteral("/tmp"))
        .entryList({QStringLiteral("OSL_PIPE_%1_*").arg(getuid())}, QDir::System);
}

// Removes the pipe unless something still listens on it.
void RemoveIfStale(const QString& name) {
    const QByteArray path = QStringLiteral("/tmp/%1").arg(name).toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return;
    qstrcpy(address.sun_path, path.constData());
    const int probe = socket(AF_UNIX, SOCK_STREAM, 0);
    if (probe < 0)
        return;
    if (::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
        errno == ECONNREFUSED)
        unlink(path.constData());
    close(probe);
}

void EndWithParent(QProcess& process) {
    // Should this test die, its children go with it.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// Xvfb and a LibreOffice Calc under it that accepts UNO on a pipe of its own; ended by their
// process ids when the test ends, however it ends.
class OfficeUnderTest {
public:
    ~OfficeUnderTest() { Stop(); }

    QString Url() const { return m_url; }
    // The office's processes: the launcher and what it started.
    QList<qint64> Pids() const {
        return m_office.processId() > 0 ? Tree(m_office.processId()) : QList<qint64>{};
    }

    // Empty on success, else why not.
    QString Start() {
        if (!m_profile.isValid())
            return QStringLiteral("no temporary folder");
        m_pipesBefore = OfficePipes();
        EndWithParent(m_display);
        m_display.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                         QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("1024x768x24")});
        QString display;
        const QDeadlineTimer displayDeadline(DisplayTimeout);
        while (display.isEmpty() && !displayDeadline.hasExpired() &&
               m_display.state() != QProcess::NotRunning) {
            m_display.waitForReadyRead(int(PollInterval.count()));
            if (m_display.canReadLine())
                display = QString::fromLatin1(m_display.readLine()).trimmed();
        }
        if (display.isEmpty())
            return QStringLiteral("Xvfb gave no display: ") +
                   QString::fromLocal8Bit(m_display.readAllStandardError());

        const QString pipe =
            QStringLiteral("zfm-test-office-%1").arg(QCoreApplication::applicationPid());
        m_url = QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
        environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("gen"));
        m_office.setProcessEnvironment(environment);
        m_office.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_office.setStandardOutputFile(QProcess::nullDevice());
        EndWithParent(m_office);
        m_office.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                       {QStringLiteral("--calc"), QStringLiteral("--norestore"),
                        QStringLiteral("--nologo"), QStringLiteral("--nofirststartwizard"),
                        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe),
                        QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(m_profile.path()).toString()});
        if (!m_office.waitForStarted())
            return QStringLiteral("soffice did not start");

        // Ready when the office answers and its spreadsheet is the active document.
        QString lastProbe;
        const QDeadlineTimer deadline(OfficeTimeout);
        while (!deadline.hasExpired()) {
            OfficeSpreadsheet probe(m_url);
            if (probe.Attach() && probe.OpenActiveDocument() && probe.OpenFirstSheet())
                return {};
            lastProbe = probe.LastError();
            QThread::msleep(PollInterval.count());
        }
        return QStringLiteral("the office did not answer in time: ") + lastProbe;
    }

    void Stop() {
        const QList<qint64> pids = Pids();
        // Only processes that still carry this office's profile are signalled, so that a
        // process id taken over by another process in the meantime is left alone.
        const QByteArray profile = m_profile.path().toLocal8Bit();
        const auto signal = [&](int number) {
            bool any = false;
            for (const qint64 pid : pids) {
                QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
                if (ParentAndState(pid).second != 'Z' && command.open(QIODevice::ReadOnly) &&
                    command.readAll().contains(profile)) {
                    ::kill(pid_t(pid), number);
                    any = true;
                }
            }
            return any;
        };
        if (signal(SIGTERM)) {
            const QDeadlineTimer deadline(EndTimeout);
            while (!deadline.hasExpired() && signal(0))
                m_office.waitForFinished(100);
            signal(SIGKILL);
        }
        m_office.waitForFinished(int(std::chrono::milliseconds(EndTimeout).count()));
        if (m_office.processId() > 0 || !pids.isEmpty()) {
            for (const QString& name : OfficePipes()) {
                if (!m_pipesBefore.contains(name))
                    RemoveIfStale(name);
            }
        }
        if (m_display.processId() > 0) {
            m_display.terminate();
            if (!m_display.waitForFinished(int(std::chrono::milliseconds(EndTimeout).count())))
                m_display.kill();
            m_display.waitForFinished();
        }
    }

private:
    QTemporaryDir m_profile;
    QProcess m_display;
    QProcess m_office;
    QString m_url;
    QStringList m_pipesBefore;
};

// Cells of the office's first sheet, by name, as "text …", "number …" or "empty".
using Contents = QMap<QString, QString>;

} // namespace

namespace QTest {
template <> char* toString(const QMap<QString, QString>& contents) {
    QStringList cells;
    for (auto it = contents.cbegin(); it != contents.cend(); ++it)
        cells << it.key() + QStringLiteral(": ") + it.value();
    return qstrdup(qPrintable(cells.join(QStringLiteral("; "))));
}
} // namespace QTest

namespace {

QString Text(const QString& text) {
    return QStringLiteral("text ") + text;
}
QString Number(double value) {
    return QStringLiteral("number %1").arg(value, 0, 'g', 17);
}
const QString Empty = QStringLiteral("empty");

QList<QPointF> Ramp(int count) {
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append(QPointF(i * 0.25, 1000.0 - i));
    return points;
}

} // namespace

class TestOfficeExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { QLocale::setDefault(QLocale::c()); }

    void threePointsThenTwo();
    void longSeriesInBlocks();
    void menuEntryThroughTheConfiguredUrl();
    void noOfficeWritesNothing();
    void emptyChartWritesNothing();
    void repeatedExportsLeaveNoThreadsBehind();
    void stoppedOfficeFailsInTime();

private:
    // What the office holds in the cells named by `expected`, to compare with it.
    Contents Read(const Contents& expected);
    void Written(const QList<QPointF>& points, const QString& xTitle, const QString& yTitle);

    OfficeUnderTest m_office;
};

void TestOfficeExport::initTestCase() {
    if (!OfficeSpreadsheet::Available())
        QSKIP("built without the UNO development files (libreoffice-dev)");
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("soffice not found (libreoffice-calc)");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb not found (xvfb)");
    qunsetenv(OfficeSpreadsheet::UrlVariable);
    QElapsedTimer clock;
    clock.start();
    const QString why = m_office.Start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    qInfo("office ready after %.1f s", clock.elapsed() / 1000.0);
}

void TestOfficeExport::cleanupTestCase() {
    m_office.Stop();
}

Contents TestOfficeExport::Read(const Contents& expected) {
    OfficeSpreadsheet reader(m_office.Url());
    if (!(reader.Attach() && reader.OpenActiveDocument() && reader.OpenFirstSheet()))
        return {{QStringLiteral("cannot read back"), reader.LastError()}};
    Contents found;
    for (const QString& name : expected.keys()) {
        const auto cell = reader.ReadCell(name.mid(1).toInt(), name.at(0).unicode() - 'A' + 1);
        using Kind = OfficeSpreadsheet::Cell::Kind;
        found[name] = !cell                        ? QStringLiteral("unreadable")
                      : cell->Type == Kind::Empty  ? Empty
                      : cell->Type == Kind::Number ? Number(cell->Number)
                      : cell->Type == Kind::Text   ? Text(cell->Text)
                                                   : QStringLiteral("formula ") + cell->Text;
    }
    return found;
}

void TestOfficeExport::Written(const QList<QPointF>& points, const QString& xTitle,
                               const QString& yTitle) {
    RecordingMessages messages;
    OfficeSpreadsheet office(m_office.Url());
    QCOMPARE(SpreadsheetExport::Run(office, points, xTitle, yTitle),
             SpreadsheetExport::Result::Written);
    QVERIFY2(messages.Shown.isEmpty(), qPrintable(messages.Texts().join(QLatin1Char('\n'))));
}

void TestOfficeExport::threePointsThenTwo() {
    // Numbers travel as numbers: a comma locale changes nothing in the sheet.
    QLocale::setDefault(QLocale(QLocale::German));
    Written({{0.0, 12.5}, {0.5, -3.25}, {1.0, 1e-7}}, QStringLiteral("Czas [s]"),
            QStringLiteral("Próbka [N]"));
    Contents expected{{"A1", Empty},
                      {"B2", Text(QStringLiteral("Czas [s]"))},
                      {"C2", Text(QStringLiteral("Próbka [N]"))},
                      {"B3", Number(0.0)},
                      {"C3", Number(12.5)},
                      {"B4", Number(0.5)},
                      {"C4", Number(-3.25)},
                      {"B5", Number(1.0)},
                      {"C5", Number(1e-7)},
                      {"B6", Empty},
                      {"D3", Empty}};
    QCOMPARE(Read(expected), expected);

    // A title is a text even when it reads like a formula.
    Written({{2.0, 7.0}, {2.5, 8.0}}, QStringLiteral("Czas [s]"), QStringLiteral("=1+1"));
    expected["C2"] = Text(QStringLiteral("=1+1"));
    expected["B3"] = Number(2.0);
    expected["C3"] = Number(7.0);
    expected["B4"] = Number(2.5);
    expected["C4"] = Number(8.0);
    QCOMPARE(Read(expected), expected);
}

void TestOfficeExport::longSeriesInBlocks() {
    constexpr int count = 2 * SpreadsheetExport::BlockRows + 5;
    const QList<QPointF> points = Ramp(count);
    QElapsedTimer clock;
    clock.start();
    Written(points, QStringLiteral("Czas [s]"), QStringLiteral("Próbka [kgf]"));
    qInfo("%d points written in %lld ms", count, clock.elapsed());
    Contents expected{{QStringLiteral("B%1").arg(count + 3), Empty}};
    for (const int i : {0, SpreadsheetExport::BlockRows - 1, SpreadsheetExport::BlockRows,
                        2 * SpreadsheetExport::BlockRows, count - 1}) {
        expected[QStringLiteral("B%1").arg(i + 3)] = Number(points[i].x());
        expected[QStringLiteral("C%1").arg(i + 3)] = Number(points[i].y());
    }
    QCOMPARE(Read(expected), expected);
}

void TestOfficeExport::menuEntryThroughTheConfiguredUrl() {
    SampleStore samples;
    samples.Append(0.0, 4.5);
    samples.Append(0.1, 4.75);
    RecordingMessages messages;
    qputenv(OfficeSpreadsheet::UrlVariable, m_office.Url().toUtf8());
    const auto result = SpreadsheetExport::ToRunningOffice(samples, QStringLiteral("Czas [s]"),
                                                           QStringLiteral("Próbka [lbf]"));
    qunsetenv(OfficeSpreadsheet::UrlVariable);
    QCOMPARE(result, SpreadsheetExport::Result::Written);
    QVERIFY(messages.Shown.isEmpty());
    const Contents expected{{"C2", Text(QStringLiteral("Próbka [lbf]"))},
                            {"B3", Number(0.0)},
                            {"C3", Number(4.5)},
                            {"B4", Number(0.1)},
                            {"C4", Number(4.75)},
                            {"B5", Number(0.5)},
                            {"C5", Number(998.0)}};
    QCOMPARE(Read(expected), expected);
}

void TestOfficeExport::noOfficeWritesNothing() {
    RecordingMessages messages;
    OfficeSpreadsheet absent(QStringLiteral("uno:pipe,name=zfm-test-nobody-%1;urp;"
                                            "StarOffice.ComponentContext")
                                 .arg(QCoreApplication::applicationPid()));
    QCOMPARE(SpreadsheetExport::Run(absent, QList<QPointF>{{9.0, 9.0}}, QStringLiteral("x"),
                                    QStringLiteral("y")),
             SpreadsheetExport::Result::Failed);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Otwórz program Excel")});
    QCOMPARE(messages.Shown.first().Caption, QStringLiteral("Eksport do Excela"));
    const Contents unchanged{{"B2", Text(QStringLiteral("Czas [s]"))}, {"C3", Number(4.5)}};
    QCOMPARE(Read(unchanged), unchanged);
}

void TestOfficeExport::emptyChartWritesNothing() {
    RecordingMessages messages;
    OfficeSpreadsheet office(m_office.Url());
    QCOMPARE(
        SpreadsheetExport::Run(office, QList<QPointF>{}, QStringLiteral("x"), QStringLiteral("y")),
        SpreadsheetExport::Result::NoData);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Brak danych do wyeksportowania.")});
    const Contents unchanged{{"B2", Text(QStringLiteral("Czas [s]"))}, {"C3", Number(4.5)}};
    QCOMPARE(Read(unchanged), unchanged);
}

void TestOfficeExport::repeatedExportsLeaveNoThreadsBehind() {
    const auto threads = [] {
        return QDir(QStringLiteral("/proc/self/task"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .size();
    };
    Written({{1.0, 1.0}}, QStringLiteral("Czas [s]"), QStringLiteral("Próbka [N]"));
    const auto before = threads();
    for (int i = 0; i < 5; ++i)
        Written({{1.0, 1.0}}, QStringLiteral("Czas [s]"), QStringLiteral("Próbka [N]"));
    QCOMPARE(threads(), before);
}

void TestOfficeExport::stoppedOfficeFailsInTime() {
    const QList<qint64> pids = m_office.Pids();
    QVERIFY(pids.size() >= 2);
    for (const qint64 pid : pids)
        ::kill(pid_t(pid), SIGSTOP);
    const auto resume = qScopeGuard([&pids] {
        for (const qint64 pid : pids)
            ::kill(pid_t(pid), SIGCONT);
    });

    QElapsedTimer clock;
    clock.start();
    RecordingMessages messages;
    OfficeSpreadsheet office(m_office.Url(), 1000ms);
    QCOMPARE(SpreadsheetExport::Run(office, QList<QPointF>{{1.0, 2.0}}, QStringLiteral("x"),
                                    QStringLiteral("y")),
             SpreadsheetExport::Result::Failed);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Otwórz program Excel")});
    // Generous: the point is that it ends at all.
    QVERIFY2(clock.elapsed() < 30000, qPrintable(office.LastError()));
    qInfo("a stopped office refused after %lld ms: %s", clock.elapsed(),
          qPrintable(office.LastError()));
}

QTEST_MAIN(TestOfficeExport)
#include "tst_officeexport.moc"
