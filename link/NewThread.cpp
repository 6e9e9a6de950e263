#include "link/NewThread.h"

#include <QCoreApplication>
#include <QHash>
#include <QMetaObject>
#include <QSet>
#include <QThread>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <mutex>

namespace {

// Workers whose thread has not ended; the user-interface thread reaches them to stop them.
std::mutex g_workersMutex;
std::condition_variable g_workersEnded;
QSet<ComThread*> g_workers;

// Used on the user-interface thread only: the armed run-at of each window that has one.
std::uint64_t g_lastGeneration = 0;
QHash<const QObject*, std::uint64_t> g_armed;

} // namespace

std::int64_t SystemDayClock::MsecsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay();
}

RunAtCountdown::RunAtCountdown(double startTime) {
    if (std::isfinite(startTime)) {
        const double msecs = std::clamp(startTime, -1.0, 1.0) * double(DayMsecs);
        m_startMsecs = std::llround(msecs);
    }
}

RunAtCountdown::Step RunAtCountdown::Check(std::int64_t nowMsecs) {
    // Time of day going back by more than half a day means midnight has passed since the
    // last look: a start at the very end of the day must not wait for the next one.
    const bool pastMidnight = m_previousNow >= 0 && nowMsecs + DayMsecs / 2 < m_previousNow;
    m_previousNow = nowMsecs;
    const std::int64_t remaining = m_startMsecs - nowMsecs;
    if (pastMidnight || remaining <= StartLead.count())
        return Step{true, 0, 0};

    Step step;
    const auto seconds = std::int32_t((remaining + 999) / 1000);
    if (m_lastShown < 0 || seconds < m_lastShown) {
        step.Countdown = seconds;
        m_lastShown = seconds;
    }
    step.Wait =
        seconds > 1 ? remaining - std::int64_t(seconds - 1) * 1000 : remaining - StartLead.count();
    return step;
}

ComThread::ComThread(QObject* mainWindow, double startTime, bool recordRaw,
                     std::shared_ptr<const DayClock> clock)
    : StartTime(startTime)
    , RecordRaw(recordRaw)
    , m_mainWindow(mainWindow)
    , m_clock(clock ? std::move(clock) : std::make_shared<SystemDayClock>())
    , m_countdown(startTime)
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("ComThread"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ComThread::Check);
}

ComThread::~ComThread() {
    const std::lock_guard lock(g_workersMutex);
    if (g_workers.remove(this))
        g_workersEnded.notify_all();
}

void ComThread::Start() {
    if (m_generation != 0)
        return;
    m_generation = ++g_lastGeneration;
    g_armed.insert(m_mainWindow, m_generation);
    // Set before the thread runs, so that a Stop that comes first is not undone by it.
    m_running = true;
    {
        const std::lock_guard lock(g_workersMutex);
        g_workers.insert(this);
    }
    auto* thread = new QThread;
    m_ownThread = thread;
    thread->setObjectName(QStringLiteral("ComThread"));
    moveToThread(thread);
    connect(thread, &QThread::started, this, &ComThread::Check);
    connect(thread, &QThread::finished, this, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::HighestPriority);
}

void ComThread::Check() {
    if (m_ended)
        return;
    if (!m_running) {
        Stop();
        return;
    }
    const RunAtCountdown::Step step = m_countdown.Check(m_clock->MsecsSinceMidnight());
    if (step.Start) {
        if (m_running.exchange(false))
            Post(RunAtCountdownEvent::StartReached, 0);
        Stop();
        return;
    }
    if (step.Countdown > 0 && m_running)
        Post(RunAtCountdownEvent::Countdown, step.Countdown);
    const std::int64_t delay = std::clamp<std::int64_t>(m_clock->RealDelay(step.Wait), 0, INT_MAX);
    m_timer->start(int(delay));
}

void ComThread::Post(int wParam, std::int32_t lParam) {
    if (m_mainWindow)
        QCoreApplication::postEvent(
            m_mainWindow, new RunAtCountdownEvent(wParam, lParam, m_generation, RecordRaw));
}

void ComThread::Stop() {
    m_ended = true;
    m_running = false;
    m_timer->stop();
    if (m_ownThread)
        m_ownThread->quit();
}

bool ComThread::WaitForAll(std::chrono::milliseconds timeout, const QObject* window) {
    std::unique_lock lock(g_workersMutex);
    return g_workersEnded.wait_for(lock, timeout, [window] {
        return std::none_of(g_workers.cbegin(), g_workers.cend(),
                            [window](const ComThread* worker) {
                                return !window || worker->m_mainWindow == window;
                            });
    });
}

void SetThreadRunning(bool running, const QObject* window) {
    if (running)
        return;
    if (window)
        g_armed.remove(window);
    else
        g_armed.clear();
    const std::lock_guard lock(g_workersMutex);
    for (ComThread* worker : std::as_const(g_workers)) {
        if (window && worker->m_mainWindow != window)
            continue;
        worker->m_running = false;
        QMetaObject::invokeMethod(worker, &ComThread::Check, Qt::QueuedConnection);
    }
}

bool ThreadRunning(const QObject* window) {
    return window ? g_armed.contains(window) : !g_armed.isEmpty();
}

bool RunAtArmed(std::uint64_t generation) {
    return generation != 0 &&
           std::find(g_armed.cbegin(), g_armed.cend(), generation) != g_armed.cend();
}

bool HandOverRunAtStart(const RunAtCountdownEvent& event) {
    if (event.WParam != RunAtCountdownEvent::StartReached || !RunAtArmed(event.Generation))
        return false;
    g_armed.removeIf([&event](const auto& armed) { return armed.value() == event.Generation; });
    return true;
}

double StartTimeFromFields(const QString& hour, const QString& minute) {
    const QString text = hour.trimmed() + QLatin1Char(':') + minute.trimmed();
    const QTime time = QTime::fromString(text, QStringLiteral("H:m"));
    if (!time.isValid())
        return 1.0;
    return double(time.msecsSinceStartOfDay()) / double(RunAtCountdown::DayMsecs);
}

bool RecordRawFor(double sampleTime) {
    return sampleTime < 0.1;
}

HourMinute NextMinute(std::int64_t msecsSinceMidnight) {
    // Whole minutes, not fractions of a day: 10:59 plus a minute must read 11:00, not the
    // 10:59 that a rounding error of the fraction would give.
    const std::int64_t now =
        std::clamp<std::int64_t>(msecsSinceMidnight, 0, RunAtCountdown::DayMsecs - 1);
    const std::int64_t minutes = now / 60000 + 1;
    return {QString::number(minutes / 60), QString::number(minutes % 60)};
}
