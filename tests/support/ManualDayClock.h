#pragma once

#include "link/NewThread.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

// A time of day that stands still until the test moves it. The run-at worker looks at it
// every 2 ms of real time, so the test decides when each second has passed.
class ManualDayClock final : public DayClock {
public:
    static constexpr std::int64_t Hour = 3600 * 1000;
    static constexpr std::int64_t Minute = 60 * 1000;
    static constexpr std::int64_t Second = 1000;
    // A time of day in milliseconds.
    static constexpr std::int64_t At(int h, int m, int s = 0, int ms = 0) {
        return h * Hour + m * Minute + s * Second + ms;
    }

    explicit ManualDayClock(std::int64_t now)
        : m_now(now) {}
    void Set(std::int64_t now) { m_now = now; }
    std::int64_t MsecsSinceMidnight() const override { return m_now; }
    std::int64_t RealDelay(std::int64_t clockMsecs) const override {
        return std::min<std::int64_t>(clockMsecs, 2);
    }

private:
    std::atomic<std::int64_t> m_now;
};
