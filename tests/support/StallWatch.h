#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <chrono>

// The longest time the event loop was away while the watch lived: what a user would feel as a
// stall of the window.
class StallWatch final {
public:
    static constexpr std::chrono::milliseconds Tick{10};

    StallWatch() {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_timer.start(Tick);
    }
    qint64 Longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};
