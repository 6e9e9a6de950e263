#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// The machine-readable event lines on stdout. When stdout is a pipe, writing never blocks
// the gauge: a reader that falls behind gets its events late, and if it falls far behind,
// a "lost <n>" event in place of the ones that did not fit.
class EventLog final : public QObject {
    Q_OBJECT

public:
    explicit EventLog(QObject* parent = nullptr);

    // One event: the words joined by spaces, ended by a line feed.
    void Event(const QByteArray& line);
    // Writes out what is pending, waiting for the reader if needed (at exit).
    void FlushAll();

private:
    void Flush();

    static constexpr qint64 PendingLimit = 8 * 1024 * 1024;

    bool m_nonBlocking = false;
    bool m_broken = false;
    QByteArray m_pending;
    qint64 m_lost = 0;
    QSocketNotifier* m_notifier = nullptr;
};
