#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// File permissions do not stop the superuser, and the test machines run as root. While an
// object of this class lives, this thread's file accesses are checked as an ordinary user,
// so that a read-only folder or an unreadable file really refuses.
class Unprivileged final {
public:
    Unprivileged() {
        if (geteuid() == 0)
            m_previous = setfsuid(NobodyId);
    }
    ~Unprivileged() {
        if (m_previous >= 0)
            setfsuid(static_cast<uid_t>(m_previous));
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    static constexpr uid_t NobodyId = 65534;
    int m_previous = -1;
};
