#include "EventLog.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

EventLog::EventLog(QObject* parent)
    : QObject(parent) {
    struct stat info {};
    // Only a pipe of our own is made non-blocking; a terminal is shared with the shell.
    if (::fstat(STDOUT_FILENO, &info) == 0 && S_ISFIFO(info.st_mode)) {
        ::fcntl(STDOUT_FILENO, F_SETFL, ::fcntl(STDOUT_FILENO, F_GETFL) | O_NONBLOCK);
        m_nonBlocking = true;
        m_notifier = new QSocketNotifier(STDOUT_FILENO, QSocketNotifier::Write, this);
        m_notifier->setEnabled(false);
        connect(m_notifier, &QSocketNotifier::activated, this, &EventLog::Flush);
    }
}

void EventLog::Event(const QByteArray& line) {
    if (m_broken)
        return;
    if (m_pending.size() + line.size() + 1 > PendingLimit) {
        ++m_lost;
        return;
    }
    if (m_lost > 0) {
        m_pending += "lost " + QByteArray::number(m_lost) + '\n';
        m_lost = 0;
    }
    m_pending += line;
    m_pending += '\n';
    Flush();
}

void EventLog::Flush() {
    while (!m_pending.isEmpty() && !m_broken) {
        const ssize_t n = ::write(STDOUT_FILENO, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        m_broken = true; // the reader is gone; the gauge goes on without its log
        m_pending.clear();
    }
    if (m_notifier)
        m_notifier->setEnabled(!m_pending.isEmpty() && !m_broken);
}

void EventLog::FlushAll() {
    for (int tries = 0; tries < 50 && !m_pending.isEmpty() && !m_broken; ++tries) {
        Flush();
        if (!m_pending.isEmpty() && m_nonBlocking) {
            pollfd p{STDOUT_FILENO, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}
