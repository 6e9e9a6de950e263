// The run-at worker: the countdown arithmetic against a clock the test sets, the thread
// against a clock that runs fast, the hand-over of the start, and the time fields.
#include "link/NewThread.h"
#include "state/GaugeState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTest>

#include <atomic>
#include <cmath>

using namespace std::chrono_literals;

namespace {

constexpr std::int64_t Hour = 3600 * 1000;
constexpr std::int64_t Minute = 60 * 1000;
constexpr std::int64_t Second = 1000;

// A time of day in milliseconds.
constexpr std::int64_t At(int h, int m, int s = 0, int ms = 0) {
    return h * Hour + m * Minute + s * Second + ms;
}

double Fraction(std::int64_t msecs) {
    return double(msecs) / double(RunAtCountdown::DayMsecs);
}

// Runs `speed` times faster than real time from `start`, wrapping at midnight.
class FastClock final : public DayClock {
public:
    FastClock(std::int64_t start, int speed)
        : m_start(start)
        , m_speed(speed) {
        m_elapsed.start();
    }
    std::int64_t MsecsSinceMidnight() const override {
        return (m_start + m_elapsed.elapsed() * m_speed) % RunAtCountdown::DayMsecs;
    }
    std::int64_t RealDelay(std::int64_t clockMsecs) const override {
        return (clockMsecs + m_speed - 1) / m_speed;
    }

private:
    std::int64_t m_start;
    int m_speed;
    QElapsedTimer m_elapsed;
};

// Stands still until the test moves it; the worker looks at it every few real
// milliseconds, so that the test decides when each second has passed.
class ManualClock final : public DayClock {
public:
    explicit ManualClock(std::int64_t now)
        : m_now(now) {}
    void Set(std::int64_t now) { m_now = now; }
    std::int64_t MsecsSinceMidnight() const override { return m_now; }
    std::int64_t RealDelay(std::int64_t clockMsecs) const override {
        return std::min<std::int64_t>(clockMsecs, 2);
    }

private:
    std::atomic<std::int64_t> m_now;
};

// The main window as far as the worker is concerned: records what is posted to it.
class Window final : public QObject {
public:
    struct Message {
        int WParam;
        std::int32_t LParam;
        std::uint64_t Generation;
        bool RecordRaw;
    };

    bool event(QEvent* e) override {
        if (e->type() != RunAtCountdownMessage)
            return QObject::event(e);
        const auto* m = static_cast<RunAtCountdownEvent*>(e);
        Messages.append({m->WParam, m->LParam, m->Generation, m->RecordRaw});
        return true;
    }
    bool Started() const {
        return !Messages.isEmpty() &&
               Messages.constLast().WParam == RunAtCountdownEvent::StartReached;
    }
    QList<std::int32_t> Countdown() const {
        QList<std::int32_t> seconds;
        for (const Message& m : Messages) {
            if (m.WParam == RunAtCountdownEvent::Countdown)
                seconds << m.LParam;
        }
        return seconds;
    }

    QList<Message> Messages;
};

using Steps = QList<RunAtCountdown::Step>;
using Times = QList<std::int64_t>;

} // namespace

class TestRunAt : public QObject {
    Q_OBJECT

private slots:
    // Nothing here may depend on the decimal separator: run it all with a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }
    void init() { FirstGauge() = GaugeState{}; }
    void cleanup() {
        SetThreadRunning(false);
        QVERIFY(ComThread::WaitForAll(5s));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What each look at the clock gives; Wait is the clock time until the next look.
    void countdown_data() {
        using Step = RunAtCountdown::Step;
        QTest::addColumn<double>("startTime");
        QTest::addColumn<Times>("looks");
        QTest::addColumn<Steps>("expected");
        const double noon = 0.5;
        QTest::newRow("60.5 s left: 61 first, 60 when 60 s are left")
            << noon << Times{At(11, 58, 59, 500), At(11, 59, 0), At(11, 59, 1)}
            << Steps{Step{false, 61, 500}, Step{false, 60, 1000}, Step{false, 59, 1000}};
        QTest::newRow("last second and the start moment")
            << noon
            << Times{At(11, 59, 58, 500), At(11, 59, 59), At(11, 59, 59, 997), At(11, 59, 59, 998)}
            << Steps{Step{false, 2, 500}, Step{false, 1, 998}, Step{false, 0, 1}, Step{true, 0, 0}};
        QTest::newRow("an early look shows nothing twice")
            << noon << Times{At(11, 59, 50), At(11, 59, 50, 10), At(11, 59, 50, 999)}
            << Steps{Step{false, 10, 1000}, Step{false, 0, 990}, Step{false, 0, 1}};
        QTest::newRow("a late look skips to the seconds now left")
            << noon << Times{At(11, 59, 50), At(11, 59, 53, 500)}
            << Steps{Step{false, 10, 1000}, Step{false, 7, 500}};
        QTest::newRow("start time already past: start at the first look, no countdown")
            << noon << Times{At(13, 0)} << Steps{Step{true, 0, 0}};
        QTest::newRow("start time exactly now")
            << noon << Times{At(12, 0)} << Steps{Step{true, 0, 0}};
        QTest::newRow("24:00 is reached in the last 2 ms of the day")
            << 1.0 << Times{At(23, 59, 59, 990), At(23, 59, 59, 997), At(23, 59, 59, 998)}
            << Steps{Step{false, 1, 8}, Step{false, 0, 1}, Step{true, 0, 0}};
        QTest::newRow("a look that comes only after midnight still starts")
            << 1.0 << Times{At(23, 59, 59, 990), At(0, 0, 0, 5)}
            << Steps{Step{false, 1, 8}, Step{true, 0, 0}};
        QTest::newRow("a whole day ahead")
            << 1.0 << Times{At(0, 0)} << Steps{Step{false, 86400, 1000}};
    }
    void countdown() {
        QFETCH(double, startTime);
        QFETCH(Times, looks);
        QFETCH(Steps, expected);
        RunAtCountdown countdown(startTime);
        Steps steps;
        for (std::int64_t now : looks)
            steps << countdown.Check(now);
        for (int i = 0; i < steps.size(); ++i) {
            QCOMPARE(steps[i].Start, expected[i].Start);
            QCOMPARE(steps[i].Countdown, expected[i].Countdown);
            QCOMPARE(steps[i].Wait, expected[i].Wait);
        }
    }

    // The thread against a fast clock: one message per second, then the start; the start
    // is handed over by the window and sets the exchange the worker was armed for.
    void threadCountsDownAndHandsOver_data() {
        QTest::addColumn<double>("sampleTime");
        QTest::addColumn<ExchangeState>("expected");
        QTest::newRow("parsed stream") << 0.1 << ExchangeState::Streaming;
        QTest::newRow("raw capture") << 0.05 << ExchangeState::RawCapture;
    }
    void threadCountsDownAndHandsOver() {
        QFETCH(double, sampleTime);
        QFETCH(ExchangeState, expected);
        Window window;
        auto clock = std::make_shared<ManualClock>(At(9, 59, 55, 500));
        auto* worker = new ComThread(&window, Fraction(At(10, 0)), RecordRawFor(sampleTime), clock);
        worker->Start();
        const std::uint64_t generation = worker->Generation();
        QVERIFY(ThreadRunning());
        QVERIFY(RunAtArmed(generation));
        // 4.5 s left shows 5; then each passing second shows one less.
        QList<std::int32_t> expectedCountdown{5};
        QTRY_COMPARE_WITH_TIMEOUT(window.Countdown(), expectedCountdown, 5000);
        for (int left = 4; left >= 1; --left) {
            clock->Set(At(10, 0) - left * Second - 300);
            QTest::qWait(20); // nothing new within the same second
            QCOMPARE(window.Countdown(), expectedCountdown);
            clock->Set(At(10, 0) - left * Second);
            expectedCountdown << left;
            QTRY_COMPARE_WITH_TIMEOUT(window.Countdown(), expectedCountdown, 5000);
        }
        clock->Set(At(10, 0) - 3);
        QTest::qWait(20);
        QVERIFY(!window.Started());
        clock->Set(At(10, 0) - 2);
        QTRY_VERIFY_WITH_TIMEOUT(window.Started(), 5000);
        for (const Window::Message& m : std::as_const(window.Messages))
            QCOMPARE(m.Generation, generation);
        QVERIFY(ComThread::WaitForAll(5s));

        // Nothing is switched until the window hands the start over.
        QCOMPARE(FirstGauge().MeasurementRunning, false);
        QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
        const Window::Message start = window.Messages.constLast();
        const RunAtCountdownEvent event(start.WParam, start.LParam, start.Generation,
                                        start.RecordRaw);
        QVERIFY(HandOverRunAtStart(event));
        QCOMPARE(start.RecordRaw, expected == ExchangeState::RawCapture);
        QVERIFY(!ThreadRunning());
        QVERIFY(!HandOverRunAtStart(event)); // once only
    }

    void startTimeAlreadyPast() {
        Window window;
        auto clock = std::make_shared<FastClock>(At(15, 0), 1);
        auto* worker = new ComThread(&window, Fraction(At(8, 30)), false, clock);
        worker->Start();
        QTRY_VERIFY_WITH_TIMEOUT(window.Started(), 5000);
        QCOMPARE(window.Messages.size(), 1);
    }

    void stopBeforeTheStartPostsNothing() {
        Window window;
        auto clock = std::make_shared<ManualClock>(At(9, 0));
        auto* worker = new ComThread(&window, Fraction(At(10, 0)), false, clock);
        worker->Start();
        QTRY_COMPARE_WITH_TIMEOUT(window.Countdown(), QList<std::int32_t>{3600}, 5000);
        SetThreadRunning(false);
        QVERIFY(!ThreadRunning());
        QVERIFY(ComThread::WaitForAll(5s)); // within one step, not at the next second
        clock->Set(At(10, 0));              // a worker still looking would start now
        QTest::qWait(50);
        QVERIFY(!window.Started());
        QCOMPARE(window.Messages.size(), 1);
        QCOMPARE(FirstGauge().MeasurementRunning, false);
    }

    // Two windows, each with a scheduled start: Stop in one leaves the other's armed.
    void stopInOneWindowLeavesTheOthers() {
        Window stopped;
        Window waiting;
        auto clock = std::make_shared<ManualClock>(At(9, 0));
        auto* first = new ComThread(&stopped, Fraction(At(10, 0)), false, clock);
        first->Start();
        auto* second = new ComThread(&waiting, Fraction(At(10, 0)), true, clock);
        second->Start();
        const std::uint64_t generation = second->Generation();
        QTRY_COMPARE_WITH_TIMEOUT(waiting.Countdown(), QList<std::int32_t>{3600}, 5000);
        SetThreadRunning(false, &stopped);
        // A closing window waits for its own worker alone.
        QVERIFY(ComThread::WaitForAll(5s, &stopped));
        QVERIFY(!ComThread::WaitForAll(50ms, &waiting));
        QVERIFY(!ThreadRunning(&stopped));
        QVERIFY(ThreadRunning(&waiting));
        QVERIFY(ThreadRunning());
        clock->Set(At(10, 0));
        QTRY_VERIFY_WITH_TIMEOUT(waiting.Started(), 5000);
        QCoreApplication::sendPostedEvents(&stopped, RunAtCountdownMessage);
        QVERIFY(!stopped.Started());
        const Window::Message start = waiting.Messages.constLast();
        QCOMPARE(start.Generation, generation);
        QVERIFY(HandOverRunAtStart(
            RunAtCountdownEvent(start.WParam, start.LParam, start.Generation, start.RecordRaw)));
        QVERIFY(!ThreadRunning());
    }

    // The start was posted, but Stop came before the window handled it: Stop wins.
    void stopOvertakesAPostedStart() {
        Window window;
        auto clock = std::make_shared<FastClock>(At(15, 0), 1);
        auto* worker = new ComThread(&window, Fraction(At(8, 30)), true, clock);
        worker->Start();
        QVERIFY(ComThread::WaitForAll(5s)); // posted, not yet delivered
        SetThreadRunning(false);
        QCoreApplication::sendPostedEvents(&window, RunAtCountdownMessage);
        QVERIFY(window.Started());
        const Window::Message start = window.Messages.constLast();
        QVERIFY(!RunAtArmed(start.Generation));
        QVERIFY(!HandOverRunAtStart(
            RunAtCountdownEvent(start.WParam, start.LParam, start.Generation, start.RecordRaw)));
        QCOMPARE(FirstGauge().MeasurementRunning, false);
        QCOMPARE(FirstGauge().ExchangeState, ExchangeState::Confirming);
    }

    // A new arming right after a Stop: the old worker ends, only the new one counts.
    void rearmingRightAfterStop() {
        Window window;
        auto slow = std::make_shared<FastClock>(At(9, 0), 1);
        auto* first = new ComThread(&window, Fraction(At(10, 0)), false, slow);
        first->Start();
        SetThreadRunning(false);
        auto fast = std::make_shared<FastClock>(At(9, 59, 58), 100);
        auto* second = new ComThread(&window, Fraction(At(10, 0)), false, fast);
        second->Start();
        const std::uint64_t generation = second->Generation();
        QTRY_VERIFY_WITH_TIMEOUT(window.Started(), 5000);
        QVERIFY(ComThread::WaitForAll(5s));
        QCoreApplication::sendPostedEvents(&window, RunAtCountdownMessage);
        int starts = 0;
        for (const Window::Message& m : std::as_const(window.Messages)) {
            if (m.WParam == RunAtCountdownEvent::StartReached) {
                ++starts;
                QCOMPARE(m.Generation, generation);
            }
        }
        QCOMPARE(starts, 1);
        QVERIFY(RunAtArmed(generation));
    }

    void startTimeFromFields_data() {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<std::int64_t>("expected");
        const std::int64_t endOfDay = RunAtCountdown::DayMsecs;
        QTest::newRow("noon") << "12"
                              << "00" << At(12, 0);
        QTest::newRow("no leading zeros") << "7"
                                          << "5" << At(7, 5);
        QTest::newRow("leading zeros") << "07"
                                       << "05" << At(7, 5);
        QTest::newRow("midnight") << "0"
                                  << "0" << std::int64_t(0);
        QTest::newRow("last minute") << "23"
                                     << "59" << At(23, 59);
        QTest::newRow("blanks around") << " 9"
                                       << "30 " << At(9, 30);
        QTest::newRow("24:00 is not a time") << "24"
                                             << "00" << endOfDay;
        QTest::newRow("what next minute gives at 23:59") << "24"
                                                         << "0" << endOfDay;
        QTest::newRow("minute 60") << "12"
                                   << "60" << endOfDay;
        QTest::newRow("empty hour") << ""
                                    << "30" << endOfDay;
        QTest::newRow("empty minute") << "12"
                                      << "" << endOfDay;
        QTest::newRow("letters") << "ab"
                                 << "cd" << endOfDay;
        QTest::newRow("negative") << "-1"
                                  << "00" << endOfDay;
        QTest::newRow("seconds smuggled in") << "12"
                                             << "00:30" << endOfDay;
    }
    void startTimeFromFields() {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(std::int64_t, expected);
        const double fraction = StartTimeFromFields(hour, minute);
        QCOMPARE(std::llround(fraction * double(RunAtCountdown::DayMsecs)), expected);
    }

    void recordRawThreshold_data() {
        QTest::addColumn<double>("sampleTime");
        QTest::addColumn<bool>("raw");
        QTest::newRow("0.05") << 0.05 << true;
        QTest::newRow("0.099") << 0.099 << true;
        QTest::newRow("0.1") << 0.1 << false;
        QTest::newRow("0.1 read from text") << QStringLiteral("0.1").toDouble() << false;
        QTest::newRow("1") << 1.0 << false;
    }
    void recordRawThreshold() {
        QFETCH(double, sampleTime);
        QFETCH(bool, raw);
        QCOMPARE(RecordRawFor(sampleTime), raw);
    }

    void nextMinute_data() {
        QTest::addColumn<std::int64_t>("now");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::newRow("midnight") << std::int64_t(0) << "0"
                                  << "1";
        QTest::newRow("to the full hour") << At(10, 59) << "11"
                                          << "0";
        QTest::newRow("late in a minute") << At(12, 5, 59, 999) << "12"
                                          << "6";
        QTest::newRow("23:58") << At(23, 58, 30) << "23"
                               << "59";
        QTest::newRow("23:59 gives 24 and 0") << At(23, 59, 30) << "24"
                                              << "0";
        QTest::newRow("last moment of the day") << RunAtCountdown::DayMsecs - 1 << "24"
                                                << "0";
    }
    void nextMinute() {
        QFETCH(std::int64_t, now);
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QCOMPARE(NextMinute(now), (HourMinute{hour, minute}));
    }

    // Every minute of the day, at its very start: never the same minute again.
    void nextMinuteAllDay() {
        for (std::int64_t m = 0; m < 24 * 60; ++m) {
            const HourMinute next = NextMinute(m * Minute);
            QCOMPARE(next.Hour.toInt() * 60 + next.Minute.toInt(), m + 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestRunAt)
#include "tst_runat.moc"
