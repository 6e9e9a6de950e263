// The office backend when no usable office is there: nothing running, a malformed connection,
// and a peer that accepts the connection but never answers, hangs up or talks nonsense. Each
// must end in a refused attach within a bounded time, never in a hang or a crash.
#include "storage/export/OfficeSpreadsheet.h"
#include "storage/export/SpreadsheetExport.h"
#include "tests/support/RecordingMessages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <chrono>
#include <clocale>
#include <csignal>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Generous: a refused attach takes the answer time-out at most, plus a loaded machine.
constexpr auto FailureBound = 30s;
constexpr auto ShortAnswer = 1000ms;

qsizetype ThreadCount() {
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

// What the process looks like from outside: signal dispositions, blocked signals, C locale.
struct ProcessTraits {
    QList<quintptr> Handlers;
    QList<bool> Blocked;
    QByteArray Locale;

    static ProcessTraits Now() {
        ProcessTraits traits;
        sigset_t mask;
        sigprocmask(SIG_BLOCK, nullptr, &mask);
        for (int signal = 1; signal < SIGRTMIN; ++signal) {
            struct sigaction action {};
            sigaction(signal, nullptr, &action);
            traits.Handlers.append(reinterpret_cast<quintptr>(action.sa_handler));
            traits.Blocked.append(sigismember(&mask, signal) == 1);
        }
        traits.Locale = setlocale(LC_ALL, nullptr);
        return traits;
    }
    bool operator==(const ProcessTraits&) const = default;
};

QString PipeUrl(const QString& name) {
    return QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(name);
}

QString UniqueName(const char* what) {
    return QStringLiteral("zfm-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// Something at the place where the office would accept a named pipe connection.
class FakePeer {
public:
    enum class Manner { Silent, HangsUp, Babbles };

    FakePeer(const QString& name, Manner manner)
        : m_path(QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(getuid()).arg(name).toLocal8Bit())
        , m_manner(manner) {
        m_listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, m_path.constData(), sizeof address.sun_path);
        unlink(m_path.constData());
        m_listening =
            m_listener >= 0 &&
            bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(m_listener, 4) == 0;
        if (m_listening)
            m_thread = std::thread([this] { Serve(); });
    }
    ~FakePeer() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listener >= 0)
            close(m_listener);
        unlink(m_path.constData());
    }

    bool Listening() const { return m_listening; }
    bool Contacted() const { return m_contacted; }

private:
    bool Readable(int fd) {
        pollfd wait{fd, POLLIN, 0};
        return poll(&wait, 1, 50) > 0;
    }

    void Serve() {
        int peer = -1;
        while (!m_stop && peer < 0) {
            if (Readable(m_listener))
                peer = accept(m_listener, nullptr, nullptr);
        }
        if (peer < 0)
            return;
        m_contacted = true;
        if (m_manner == Manner::HangsUp) {
            // At once, so that the bridge's next write meets a closed pipe.
            close(peer);
            return;
        }
        if (m_manner == Manner::Babbles) {
            const char noise[] = "\xff\xff\xff\x7f garbage that is no protocol at all\r\n";
            for (int i = 0; i < 20 && !m_stop; ++i)
                [[maybe_unused]] const auto sent = send(peer, noise, sizeof noise, MSG_NOSIGNAL);
        }
        char sink[4096];
        while (!m_stop) {
            if (Readable(peer) && read(peer, sink, sizeof sink) <= 0)
                break;
        }
        close(peer);
    }

    QByteArray m_path;
    Manner m_manner;
    int m_listener = -1;
    bool m_listening = false;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_contacted = false;
    std::thread m_thread;
};

} // namespace

class TestOfficeLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void firstContactLeavesTheProcessAlone();
    void configuredUrl_data();
    void configuredUrl();
    void unreachable_data();
    void unreachable();
    void peerThatIsNoOffice_data();
    void peerThatIsNoOffice();
    void nothingWithoutAttach();
};

void TestOfficeLink::initTestCase() {
    qunsetenv(OfficeSpreadsheet::UrlVariable);
    // A broken pipe ends the program by default; the test framework's own handler would only
    // report it. The hang-up case must hold under the program's conditions.
    std::signal(SIGPIPE, SIG_DFL);
}

void TestOfficeLink::firstContactLeavesTheProcessAlone() {
    const ProcessTraits before = ProcessTraits::Now();
    const qsizetype threads = ThreadCount();
    OfficeSpreadsheet office(PipeUrl(UniqueName("first")), ShortAnswer);
    QVERIFY(!office.Attach());
    office.Release();
    QVERIFY(ProcessTraits::Now() == before);
    QCOMPARE(ThreadCount(), threads);
}

void TestOfficeLink::configuredUrl_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("url");

    const QString fallback = QString::fromLatin1(OfficeSpreadsheet::DefaultUrl);
    QTest::newRow("unset") << QByteArray() << fallback;
    QTest::newRow("empty") << QByteArray("") << fallback;
    QTest::newRow("blank") << QByteArray("  ") << fallback;
    QTest::newRow("another pipe")
        << QByteArray(" uno:pipe,name=other;urp;StarOffice.ComponentContext\n")
        << QStringLiteral("uno:pipe,name=other;urp;StarOffice.ComponentContext");
}

void TestOfficeLink::configuredUrl() {
    QFETCH(QByteArray, variable);
    QFETCH(QString, url);
    if (variable.isNull())
        qunsetenv(OfficeSpreadsheet::UrlVariable);
    else
        qputenv(OfficeSpreadsheet::UrlVariable, variable);
    QCOMPARE(OfficeSpreadsheet::ConfiguredUrl(), url);
    QCOMPARE(OfficeSpreadsheet().Url(), url);
    qunsetenv(OfficeSpreadsheet::UrlVariable);
}

void TestOfficeLink::unreachable_data() {
    QTest::addColumn<QString>("url");

    QTest::newRow("no office on the pipe") << PipeUrl(UniqueName("absent"));
    QTest::newRow("empty") << QString();
    QTest::newRow("not a URL") << QStringLiteral("zento-fm");
    QTest::newRow("parts missing") << QStringLiteral("uno:pipe,name=x");
    QTest::newRow("unknown connection kind")
        << QStringLiteral("uno:carrier,name=x;urp;StarOffice.ComponentContext");
    QTest::newRow("unknown protocol")
        << QStringLiteral("uno:pipe,name=%1;none;StarOffice.ComponentContext")
               .arg(UniqueName("protocol"));
    QTest::newRow("closed port on the loopback")
        << QStringLiteral("uno:socket,host=127.0.0.1,port=1;urp;StarOffice.ComponentContext");
    QTest::newRow("pipe name with odd characters")
        << PipeUrl(QStringLiteral("../../etc/%00\u0105"));
}

void TestOfficeLink::unreachable() {
    QFETCH(QString, url);

    QElapsedTimer clock;
    clock.start();
    OfficeSpreadsheet office(url, ShortAnswer);
    QVERIFY(!office.Attach());
    QVERIFY(!office.LastError().isEmpty());
    QVERIFY(!office.OpenActiveDocument());
    QVERIFY(!office.SetNumber(3, 2, 1.0));
    office.Release();
    office.Release();

    RecordingMessages messages;
    const QList<QPointF> points{{0.0, 1.0}};
    QCOMPARE(SpreadsheetExport::Run(office, points, QStringLiteral("Czas [s]"),
                                    QStringLiteral("Próbka [N]")),
             SpreadsheetExport::Result::Failed);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Otwórz program Excel")});
    QVERIFY(std::chrono::milliseconds(clock.elapsed()) < FailureBound);
}

void TestOfficeLink::peerThatIsNoOffice_data() {
    QTest::addColumn<FakePeer::Manner>("manner");
    QTest::addColumn<int>("attempts");

    QTest::newRow("never answers") << FakePeer::Manner::Silent << 1;
    // Whether the bridge writes once more after the hang-up is a race: try a few times.
    QTest::newRow("hangs up") << FakePeer::Manner::HangsUp << 8;
    QTest::newRow("talks nonsense") << FakePeer::Manner::Babbles << 3;
}

void TestOfficeLink::peerThatIsNoOffice() {
    QFETCH(FakePeer::Manner, manner);
    QFETCH(int, attempts);
    if (!OfficeSpreadsheet::Available())
        QSKIP("built without UNO: nothing is ever contacted");

    const qsizetype threads = ThreadCount();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const QString name = UniqueName("peer") + QString::number(attempt);
        FakePeer peer(name, manner);
        QVERIFY(peer.Listening());

        QElapsedTimer clock;
        clock.start();
        RecordingMessages messages;
        OfficeSpreadsheet office(PipeUrl(name), ShortAnswer);
        const QList<QPointF> points{{0.0, 1.0}, {0.5, 2.0}};
        QCOMPARE(SpreadsheetExport::Run(office, points, QStringLiteral("Czas [s]"),
                                        QStringLiteral("Próbka [N]")),
                 SpreadsheetExport::Result::Failed);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Otwórz program Excel")});
        QVERIFY(peer.Contacted());
        QVERIFY2(std::chrono::milliseconds(clock.elapsed()) < FailureBound,
                 qPrintable(office.LastError()));
    }
    // The bridge and the watchdog are gone with the connection (their threads end on their
    // own time: a sanitized build was seen to need a moment more).
    QTRY_COMPARE_WITH_TIMEOUT(ThreadCount(), threads, 5000);
}

void TestOfficeLink::nothingWithoutAttach() {
    OfficeSpreadsheet office(PipeUrl(UniqueName("never")));
    QVERIFY(!office.OpenActiveDocument());
    QVERIFY(!office.OpenFirstSheet());
    QVERIFY(!office.SetText(2, 2, QStringLiteral("x")));
    QVERIFY(!office.SetNumber(3, 2, 1.0));
    const double values[] = {1.0, 2.0};
    QCOMPARE(office.SetNumbers(3, 2, 2, values), qsizetype(0));
    QVERIFY(!office.ReadCell(2, 2).has_value());
    office.Release();
}

QTEST_MAIN(TestOfficeLink)
#include "tst_officelink.moc"
