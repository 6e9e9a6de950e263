// The export end to end: a LibreOffice Calc of its own under a virtual display, the export
// written through UNO and read back from the office.
#include "storage/OfficeSpreadsheet.h"
#include "storage/SpreadsheetExport.h"
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
#include <chrono>
#include <csignal>

#include <sys/prctl.h>

using namespace std::chrono_literals;

namespace {

constexpr auto DisplayTimeout = 20s;
// A first start with a fresh profile on a busy two-core machine takes a while.
constexpr auto OfficeTimeout = 60s;
constexpr auto PollInterval = 300ms;
constexpr auto EndTimeout = 10s;

using Kind = OfficeSpreadsheet::Cell::Kind;

// What one cell must hold: a text, a number, or nothing.
struct Expect {
    QString Name;
    Kind Type;
    QVariant Value;
};

// Processes whose parent is one of `roots`, and theirs, found through /proc.
QList<qint64> Descendants(qint64 root) {
    QList<qint64> found;
    QList<qint64> parents{root};
    while (!parents.isEmpty()) {
        const qint64 parent = parents.takeFirst();
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString& entry : entries) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (!number)
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold spaces, so read after the ')'.
            const QByteArray line = stat.readAll();
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields.at(1).toLongLong() == parent && !found.contains(pid)) {
                found.append(pid);
                parents.append(pid);
            }
        }
    }
    return found;
}

bool Alive(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0 && QFile::exists(QStringLiteral("/proc/%1").arg(pid));
}

void SetParentDeathSignal(QProcess& process) {
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
        if (m_office.processId() <= 0)
            return {};
        return QList<qint64>{m_office.processId()} + Descendants(m_office.processId());
    }

    // Empty on success, else why not.
    QString Start() {
        if (!m_profile.isValid())
            return QStringLiteral("no temporary folder");
        SetParentDeathSignal(m_display);
        m_display.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                         QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("1024x768x24")});
        QString display;
        QDeadlineTimer displayDeadline(DisplayTimeout);
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
        SetParentDeathSignal(m_office);
        m_office.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                       {QStringLiteral("--calc"), QStringLiteral("--norestore"),
                        QStringLiteral("--nologo"), QStringLiteral("--nofirststartwizard"),
                        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe),
                        QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(m_profile.path()).toString()});
        if (!m_office.waitForStarted())
            return QStringLiteral("soffice did not start");

        // Ready when the office answers and its spreadsheet is the active document.
        QDeadlineTimer deadline(OfficeTimeout);
        while (!deadline.hasExpired()) {
            OfficeSpreadsheet probe(m_url);
            if (probe.Attach() && probe.OpenActiveDocument() && probe.OpenFirstSheet())
                return {};
            m_lastProbe = probe.LastError();
            QThread::msleep(PollInterval.count());
        }
        return QStringLiteral("the office did not answer in time: ") + m_lastProbe;
    }

    void Stop() {
        if (m_office.processId() > 0) {
            const qint64 root = m_office.processId();
            QList<qint64> pids = Descendants(root);
            pids.prepend(root);
            for (const qint64 pid : pids)
                ::kill(pid_t(pid), SIGTERM);
            QDeadlineTimer deadline(EndTimeout);
            while (!deadline.hasExpired() &&
                   std::any_of(pids.begin(), pids.end(), [](qint64 pid) { return Alive(pid); })) {
                m_office.waitForFinished(100);
            }
            for (const qint64 pid : pids) {
                if (Alive(pid))
                    ::kill(pid_t(pid), SIGKILL);
            }
            m_office.waitForFinished(int(std::chrono::milliseconds(EndTimeout).count()));
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
    QString m_lastProbe;
};

QString Describe(const std::optional<OfficeSpreadsheet::Cell>& cell) {
    if (!cell)
        return QStringLiteral("unreadable");
    switch (cell->Type) {
    case Kind::Empty:
        return QStringLiteral("empty");
    case Kind::Number:
        return QStringLiteral("number %1").arg(cell->Number, 0, 'g', 17);
    case Kind::Text:
        return QStringLiteral("text \"%1\"").arg(cell->Text);
    case Kind::Formula:
        return QStringLiteral("formula %1").arg(cell->Text);
    }
    return {};
}

QString Describe(const Expect& expect) {
    switch (expect.Type) {
    case Kind::Empty:
        return QStringLiteral("empty");
    case Kind::Number:
        return QStringLiteral("number %1").arg(expect.Value.toDouble(), 0, 'g', 17);
    case Kind::Text:
        return QStringLiteral("text \"%1\"").arg(expect.Value.toString());
    case Kind::Formula:
        return QStringLiteral("formula %1").arg(expect.Value.toString());
    }
    return {};
}

// Row and column of a cell name such as "B12".
QPair<int, int> Position(const QString& name) {
    return {name.mid(1).toInt(), name.at(0).unicode() - 'A' + 1};
}

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
    // Empty when every cell holds what it must, else the differences.
    QStringList Mismatches(const QList<Expect>& expected);
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

QStringList TestOfficeExport::Mismatches(const QList<Expect>& expected) {
    OfficeSpreadsheet reader(m_office.Url());
    if (!(reader.Attach() && reader.OpenActiveDocument() && reader.OpenFirstSheet()))
        return {QStringLiteral("cannot read back: ") + reader.LastError()};
    QStringList wrong;
    for (const Expect& expect : expected) {
        const auto [row, column] = Position(expect.Name);
        const auto cell = reader.ReadCell(row, column);
        bool same = cell && cell->Type == expect.Type;
        if (same && expect.Type == Kind::Number)
            same = cell->Number == expect.Value.toDouble();
        if (same && expect.Type == Kind::Text)
            same = cell->Text == expect.Value.toString();
        if (!same)
            wrong << expect.Name + QStringLiteral(": ") + Describe(cell) +
                         QStringLiteral(", expected ") + Describe(expect);
    }
    return wrong;
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
    QStringList wrong = Mismatches({{"A1", Kind::Empty, {}},
                                    {"B2", Kind::Text, QStringLiteral("Czas [s]")},
                                    {"C2", Kind::Text, QStringLiteral("Próbka [N]")},
                                    {"B3", Kind::Number, 0.0},
                                    {"C3", Kind::Number, 12.5},
                                    {"B4", Kind::Number, 0.5},
                                    {"C4", Kind::Number, -3.25},
                                    {"B5", Kind::Number, 1.0},
                                    {"C5", Kind::Number, 1e-7},
                                    {"B6", Kind::Empty, {}},
                                    {"D3", Kind::Empty, {}}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));

    Written({{2.0, 7.0}, {2.5, 8.0}}, QStringLiteral("Czas [s]"), QStringLiteral("=1+1"));
    wrong = Mismatches({{"B2", Kind::Text, QStringLiteral("Czas [s]")},
                        {"C2", Kind::Text, QStringLiteral("=1+1")},
                        {"B3", Kind::Number, 2.0},
                        {"C3", Kind::Number, 7.0},
                        {"B4", Kind::Number, 2.5},
                        {"C4", Kind::Number, 8.0},
                        {"B5", Kind::Number, 1.0},
                        {"C5", Kind::Number, 1e-7},
                        {"B6", Kind::Empty, {}}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void TestOfficeExport::longSeriesInBlocks() {
    constexpr int count = 2 * SpreadsheetExport::BlockRows + 5;
    const QList<QPointF> points = Ramp(count);
    QElapsedTimer clock;
    clock.start();
    Written(points, QStringLiteral("Czas [s]"), QStringLiteral("Próbka [kgf]"));
    qInfo("%d points written in %lld ms", count, clock.elapsed());
    QList<Expect> expected;
    for (const int i : {0, SpreadsheetExport::BlockRows - 1, SpreadsheetExport::BlockRows,
                        2 * SpreadsheetExport::BlockRows, count - 1}) {
        const QString row = QString::number(i + 3);
        expected.append({QStringLiteral("B") + row, Kind::Number, points[i].x()});
        expected.append({QStringLiteral("C") + row, Kind::Number, points[i].y()});
    }
    expected.append({QStringLiteral("B%1").arg(count + 3), Kind::Empty, {}});
    const QStringList wrong = Mismatches(expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void TestOfficeExport::menuEntryThroughTheConfiguredUrl() {
    QCPGraphDataContainer samples;
    samples.add(QCPGraphData(0.0, 4.5));
    samples.add(QCPGraphData(0.1, 4.75));
    RecordingMessages messages;
    qputenv(OfficeSpreadsheet::UrlVariable, m_office.Url().toUtf8());
    const auto result = SpreadsheetExport::ToRunningOffice(samples, QStringLiteral("Czas [s]"),
                                                           QStringLiteral("Próbka [lbf]"));
    qunsetenv(OfficeSpreadsheet::UrlVariable);
    QCOMPARE(result, SpreadsheetExport::Result::Written);
    QVERIFY(messages.Shown.isEmpty());
    const QStringList wrong = Mismatches({{"C2", Kind::Text, QStringLiteral("Próbka [lbf]")},
                                          {"B3", Kind::Number, 0.0},
                                          {"C3", Kind::Number, 4.5},
                                          {"B4", Kind::Number, 0.1},
                                          {"C4", Kind::Number, 4.75},
                                          {"B5", Kind::Number, 0.5},
                                          {"C5", Kind::Number, 998.0}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
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
    const QStringList wrong = Mismatches({{"B2", Kind::Text, QStringLiteral("Czas [s]")},
                                          {"B3", Kind::Number, 0.0},
                                          {"C3", Kind::Number, 4.5}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void TestOfficeExport::emptyChartWritesNothing() {
    RecordingMessages messages;
    OfficeSpreadsheet office(m_office.Url());
    QCOMPARE(
        SpreadsheetExport::Run(office, QList<QPointF>{}, QStringLiteral("x"), QStringLiteral("y")),
        SpreadsheetExport::Result::NoData);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Brak danych do wyeksportowania.")});
    const QStringList wrong = Mismatches({{"B2", Kind::Text, QStringLiteral("Czas [s]")},
                                          {"C2", Kind::Text, QStringLiteral("Próbka [lbf]")},
                                          {"C3", Kind::Number, 4.5}});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
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
