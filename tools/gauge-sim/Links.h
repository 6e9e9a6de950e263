#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

namespace Links {
// True for the line speeds a serial port can be set to by name (50 ... 4000000).
bool IsKnownLineSpeed(int baud);
} // namespace Links

// The gauge's end of the line. Writing never blocks: what the line cannot take now waits in
// a backlog, and what does not fit there is dropped. Nothing is kept for a line nobody has
// open: bytes sent to a closed port are lost.
class Link : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Takes what it can; returns the number of bytes dropped.
    virtual qint64 Write(const QByteArray& bytes) = 0;
    virtual qint64 Backlog() const = 0;
    // Someone has the line open: the program opened the port, or a client is connected.
    virtual bool Listening() const = 0;
    virtual int Listeners() const = 0;
    // The speed the program set on the port; 0 when unknown or not a serial line.
    virtual int LineSpeed() const { return 0; }
    virtual QByteArray Describe() const = 0;

    // Room for the largest reply (a full memory dump, about 120 kB) several times over.
    static constexpr qint64 BacklogLimit = 1024 * 1024;

signals:
    void Received(const QByteArray& bytes);
    void ListenersChanged(int listeners);
    void Drained(); // the backlog emptied
};

// A pseudo-terminal. The gauge keeps a descriptor of the slave side open itself, so that
// the master never sees a hang-up when the program closes and reopens the port; who else
// has the slave open is followed through inotify, so that text sent while the port is
// closed is dropped rather than stored for the next opener.
class PtyLink final : public Link {
    Q_OBJECT

public:
    explicit PtyLink(QObject* parent = nullptr);
    ~PtyLink() override;

    // Opens a new pseudo-terminal in raw mode and links linkPath to it (a stale symbolic link
    // there is replaced; anything else there is an error).
    bool Open(const QString& linkPath, QString* error);
    // Closes the line and removes the link, as an unplugged adapter.
    void Close();
    bool IsOpen() const { return m_master >= 0; }
    QString DevicePath() const { return m_device; }

    qint64 Write(const QByteArray& bytes) override;
    qint64 Backlog() const override { return m_backlog.size(); }
    bool Listening() const override;
    int Listeners() const override;
    int LineSpeed() const override;
    QByteArray Describe() const override;

private:
    void OnReadable();
    void OnWritable();
    void OnWatch();
    void DrainWatch() const;
    void Flush();

    int m_master = -1;
    int m_slave = -1;
    int m_watch = -1;
    QString m_device;
    QString m_linkPath;
    QByteArray m_backlog;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QSocketNotifier* m_watchNotifier = nullptr;
    // Opens of the slave by others, followed through inotify. -1: cannot be followed, so
    // the line is taken as always listened to.
    mutable int m_opens = -1;
    mutable int m_reported = 0;
};

// A TCP port of 127.0.0.1. One client at a time; a new client replaces the old one.
class TcpLink final : public Link {
    Q_OBJECT

public:
    explicit TcpLink(QObject* parent = nullptr);

    bool Listen(quint16 port, QString* error);
    // Drops the client and stops listening, as a network gauge that went away; with reset
    // the client's connection is reset rather than closed, as by a gauge that lost power.
    void Close(bool reset = false);
    quint16 Port() const { return m_port; }

    qint64 Write(const QByteArray& bytes) override;
    qint64 Backlog() const override;
    bool Listening() const override;
    int Listeners() const override { return Listening() ? 1 : 0; }
    QByteArray Describe() const override;

private:
    void OnNewConnection();

    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_client;
    quint16 m_port = 0;
};
