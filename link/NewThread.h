#pragma once

#include <QEvent>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class QThread;
class QTimer;

// Posted to the main window by the run-at worker: WParam 0 with the seconds left in LParam
// once a second, WParam 1 when the start moment has come.
inline constexpr QEvent::Type RunAtCountdownMessage = static_cast<QEvent::Type>(1027);

class RunAtCountdownEvent final : public QEvent {
public:
    static constexpr int Countdown = 0;
    static constexpr int StartReached = 1;

    RunAtCountdownEvent(int wParam, std::int32_t lParam, std::uint64_t generation, bool recordRaw)
        : QEvent(RunAtCountdownMessage)
        , WParam(wParam)
        , LParam(lParam)
        , Generation(generation)
        , RecordRaw(recordRaw) {}

    int WParam = Countdown;
    std::int32_t LParam = 0;
    // Which arming posted it, so that a message overtaken by Stop is recognised.
    std::uint64_t Generation = 0;
    bool RecordRaw = false;
};

// The time of day the worker counts against. Tests replace it by a clock that runs fast.
class DayClock {
public:
    virtual ~DayClock() = default;
    // Milliseconds since midnight.
    virtual std::int64_t MsecsSinceMidnight() const = 0;
    // Real milliseconds to wait until the clock has advanced by `clockMsecs`.
    virtual std::int64_t RealDelay(std::int64_t clockMsecs) const { return clockMsecs; }
};

class SystemDayClock final : public DayClock {
public:
    std::int64_t MsecsSinceMidnight() const override;
};

// One look at the clock: what the countdown does now and when it needs to look again.
// Kept apart from the thread so that its arithmetic can be checked directly.
class RunAtCountdown final {
public:
    static constexpr std::int64_t DayMsecs = 24 * 60 * 60 * 1000;
    // The start counts as reached this long before the start time, so that a start time of
    // 24:00 (the end of the day, never shown by a clock) is reached at all.
    static constexpr std::chrono::milliseconds StartLead{2};

    struct Step {
        bool Start = false;
        // Seconds left to show now; 0 when nothing is to be shown.
        std::int32_t Countdown = 0;
        // Clock milliseconds until the next look.
        std::int64_t Wait = 0;
        bool operator==(const Step&) const = default;
    };

    explicit RunAtCountdown(double startTime);

    Step Check(std::int64_t nowMsecs);

private:
    std::int64_t m_startMsecs = DayMsecs;
    std::int64_t m_previousNow = -1;
    std::int32_t m_lastShown = -1;
};

// The run-at worker: lives in a thread of its own, counts down to `StartTime` and posts
// RunAtCountdownMessage to the main window; it frees itself and its thread when done.
// The window, on WParam 1, switches the measurement on through HandOverRunAtStart.
class ComThread final : public QObject {
    Q_OBJECT

public:
    // `StartTime` is a time of day as a fraction of a day; `RecordRaw` asks for the raw
    // capture instead of the parsed stream at the start.
    ComThread(QObject* mainWindow, double startTime, bool recordRaw,
              std::shared_ptr<const DayClock> clock = nullptr);
    ~ComThread() override;

    const double StartTime;
    const bool RecordRaw;

    // Arms the run-at and starts the thread (on the user-interface thread, once).
    void Start();
    std::uint64_t Generation() const { return m_generation; }

    // Waits until every worker of the window (nullptr: of every window) has ended; for a
    // window's close, program exit and tests.
    static bool WaitForAll(std::chrono::milliseconds timeout, const QObject* window = nullptr);

private:
    void Check();
    void Post(int wParam, std::int32_t lParam);
    void Stop();

    friend void SetThreadRunning(bool running, const QObject* window);

    QObject* const m_mainWindow;
    const std::shared_ptr<const DayClock> m_clock;
    RunAtCountdown m_countdown;
    QTimer* m_timer = nullptr;
    QThread* m_ownThread = nullptr;
    std::uint64_t m_generation = 0;
    std::atomic_bool m_running{false};
    bool m_ended = false;
};

// Stores `ThreadRunning` of a window (nullptr: of every window). False ends the window's
// waiting workers within one step, without posting, and disarms its pending start. True
// changes nothing: only ComThread::Start arms. Windows of other gauges keep theirs.
void SetThreadRunning(bool running, const QObject* window = nullptr);
// Whether a run-at of the window (nullptr: of any) is armed and has not yet handed over its
// start.
bool ThreadRunning(const QObject* window = nullptr);
// Whether a message of this generation belongs to the armed run-at (user-interface thread).
bool RunAtArmed(std::uint64_t generation);

// On WParam 1, in the window's event handler: if that run-at is still armed (no Stop came
// in between), disarms and returns true, and the run begins (GaugeExchange::BeginRun with
// RecordRaw); otherwise changes nothing.
bool HandOverRunAtStart(const RunAtCountdownEvent& event);

// "eHour" + ":" + "eMinute" as a fraction of a day; a text that is not a valid time (such
// as "24:00") gives 1.0, the end of the day.
double StartTimeFromFields(const QString& hour, const QString& minute);
// The fast way of capturing is chosen by the sampling time alone.
bool RecordRawFor(double sampleTime);

// The fields that "Ustaw następną minutę" writes: the next minute after `msecsSinceMidnight`,
// without leading zeros; from 23:59 on they read "24" and "0".
struct HourMinute {
    QString Hour;
    QString Minute;
    bool operator==(const HourMinute&) const = default;
};
HourMinute NextMinute(std::int64_t msecsSinceMidnight);
