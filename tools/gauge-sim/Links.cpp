#include "Links.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Speed {
    speed_t Code;
    int Baud;
};

constexpr Speed Speeds[] = {
    {B50, 50},           {B75, 75},           {B110, 110},         {B134, 134},
    {B150, 150},         {B200, 200},         {B300, 300},         {B600, 600},
    {B1200, 1200},       {B1800, 1800},       {B2400, 2400},       {B4800, 4800},
    {B9600, 9600},       {B19200, 19200},     {B38400, 38400},     {B57600, 57600},
    {B115200, 115200},   {B230400, 230400},   {B460800, 460800},   {B500000, 500000},
    {B576000, 576000},   {B921600, 921600},   {B1000000, 1000000}, {B1152000, 1152000},
    {B1500000, 1500000}, {B2000000, 2000000}, {B2500000, 2500000}, {B3000000, 3000000},
    {B3500000, 3500000}, {B4000000, 4000000},
};

void SetFlags(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

} // namespace

bool Links::IsKnownLineSpeed(int baud) {
    for (const Speed& s : Speeds)
        if (s.Baud == baud)
            return true;
    return false;
}

PtyLink::PtyLink(QObject* parent)
    : Link(parent) {}

PtyLink::~PtyLink() {
    blockSignals(true);
    Close();
}

bool PtyLink::Open(const QString& linkPath, QString* error) {
    Close();
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(qt_error_string(errno));
        return false;
    }
    // Raw from the start: with the default echo the gauge would read its own replies back as
    // orders until the program configures the port.
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(slave, TCSANOW, &tio);
    SetFlags(master);
    SetFlags(slave);

    m_master = master;
    m_slave = slave;
    m_device = QString::fromLocal8Bit(name);
    m_backlog.clear();
    m_reported = 0;
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_opens = -1;
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, name, IN_OPEN | IN_CLOSE) >= 0) {
        m_opens = 0;
        m_watchNotifier = new QSocketNotifier(m_watch, QSocketNotifier::Read, this);
        connect(m_watchNotifier, &QSocketNotifier::activated, this, &PtyLink::OnWatch);
    } else if (m_watch >= 0) {
        ::close(m_watch);
        m_watch = -1;
    }

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyLink::OnReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyLink::OnWritable);

    if (!linkPath.isEmpty()) {
        const QFileInfo info(linkPath);
        if (info.isSymLink()) {
            QFile::remove(linkPath); // a stale link of an earlier gauge
        } else if (info.exists()) {
            *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
            Close();
            return false;
        }
        if (::symlink(name, QFile::encodeName(linkPath).constData()) != 0) {
            *error = QStringLiteral("cannot link %1: %2").arg(linkPath, qt_error_string(errno));
            Close();
            return false;
        }
        m_linkPath = linkPath;
    }
    return true;
}

void PtyLink::Close() {
    for (QSocketNotifier** n : {&m_readNotifier, &m_writeNotifier, &m_watchNotifier}) {
        if (*n) {
            (*n)->setEnabled(false);
            delete *n;
            *n = nullptr;
        }
    }
    for (int* fd : {&m_watch, &m_slave, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    if (!m_linkPath.isEmpty()) {
        // Only our own link: another gauge may have taken the name meanwhile.
        if (QFileInfo(m_linkPath).symLinkTarget() == m_device)
            QFile::remove(m_linkPath);
        m_linkPath.clear();
    }
    m_backlog.clear();
    m_opens = -1;
    if (m_reported != 0) {
        m_reported = 0;
        emit ListenersChanged(0);
    }
}

void PtyLink::OnReadable() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // Cannot happen while we hold the slave open; never spin on it if it does.
            if (m_readNotifier)
                m_readNotifier->setEnabled(false);
        }
        break;
    }
    // The opener's inotify event is queued before its first bytes: count it first, so that
    // the answer to those bytes is not taken for talk to an empty line.
    DrainWatch();
    if (!bytes.isEmpty())
        emit Received(bytes);
}

void PtyLink::OnWritable() {
    Flush();
    // Told only from here, never from inside Write: the writer may be in the middle of its
    // own queue.
    if (m_backlog.isEmpty())
        emit Drained();
}

void PtyLink::OnWatch() {
    DrainWatch();
}

void PtyLink::DrainWatch() const {
    auto* self = const_cast<PtyLink*>(this);
    if (m_watch < 0 || m_opens < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_watch, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_OPEN) {
                ++m_opens;
            } else if (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) {
                m_opens = qMax(0, m_opens - 1);
                if (m_opens == 0 && m_slave >= 0) {
                    // The port was closed: what it did not read is gone, as on a real line.
                    ::tcflush(m_slave, TCIFLUSH);
                    self->m_backlog.clear();
                }
            }
            offset += qsizetype(sizeof(inotify_event)) + event->len;
        }
    }
    if (m_opens != m_reported) {
        m_reported = m_opens;
        emit self->ListenersChanged(m_opens);
    }
}

bool PtyLink::Listening() const {
    DrainWatch();
    return m_master >= 0 && m_opens != 0;
}

int PtyLink::Listeners() const {
    DrainWatch();
    return m_opens;
}

void PtyLink::Flush() {
    while (!m_backlog.isEmpty() && m_master >= 0) {
        const ssize_t n = ::write(m_master, m_backlog.constData(), size_t(m_backlog.size()));
        if (n > 0) {
            m_backlog.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_backlog.isEmpty());
}

qint64 PtyLink::Write(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return 0;
    if (!Listening())
        return bytes.size();
    const qint64 room = BacklogLimit - m_backlog.size();
    const qint64 taken = qMin<qint64>(room, bytes.size());
    m_backlog.append(bytes.constData(), taken);
    Flush();
    return bytes.size() - taken;
}

int PtyLink::LineSpeed() const {
    if (m_master < 0)
        return 0;
    // On Linux the master reports the settings the program made on the slave.
    termios tio{};
    if (::tcgetattr(m_master, &tio) != 0)
        return 0;
    const speed_t code = ::cfgetospeed(&tio);
    for (const Speed& s : Speeds)
        if (s.Code == code)
            return s.Baud;
    return 0;
}

QByteArray PtyLink::Describe() const {
    QByteArray text = "pty " + m_device.toLocal8Bit();
    if (!m_linkPath.isEmpty())
        text += " link " + m_linkPath.toLocal8Bit();
    return text;
}

TcpLink::TcpLink(QObject* parent)
    : Link(parent)
    , m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, &TcpLink::OnNewConnection);
}

bool TcpLink::Listen(quint16 port, QString* error) {
    if (!m_server->listen(QHostAddress::LocalHost, port)) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
                     .arg(port)
                     .arg(m_server->errorString());
        return false;
    }
    m_port = m_server->serverPort();
    return true;
}

void TcpLink::Close(bool reset) {
    m_server->close();
    if (m_client) {
        QTcpSocket* old = m_client;
        m_client = nullptr;
        old->disconnect(this);
        if (reset) {
            // A zero linger time makes the close send a reset instead of the orderly end.
            const linger now{1, 0};
            ::setsockopt(int(old->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
        }
        old->abort();
        old->deleteLater();
        emit ListenersChanged(0);
    }
}

void TcpLink::OnNewConnection() {
    while (QTcpSocket* next = m_server->nextPendingConnection()) {
        if (m_client) {
            QTcpSocket* old = m_client;
            m_client = nullptr;
            old->disconnect(this);
            old->abort();
            old->deleteLater();
        }
        m_client = next;
        connect(next, &QTcpSocket::readyRead, this, [this, next] {
            if (next == m_client)
                emit Received(next->readAll());
        });
        connect(next, &QTcpSocket::bytesWritten, this, [this, next] {
            if (next == m_client && next->bytesToWrite() == 0)
                emit Drained();
        });
        connect(next, &QTcpSocket::disconnected, this, [this, next] {
            if (next != m_client)
                return;
            m_client = nullptr;
            next->deleteLater();
            emit ListenersChanged(0);
        });
        emit ListenersChanged(1);
    }
}

bool TcpLink::Listening() const {
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

qint64 TcpLink::Backlog() const {
    return Listening() ? m_client->bytesToWrite() : 0;
}

qint64 TcpLink::Write(const QByteArray& bytes) {
    if (!Listening())
        return bytes.size();
    const qint64 room = qMax<qint64>(0, BacklogLimit - m_client->bytesToWrite());
    const qint64 taken = qMin<qint64>(room, bytes.size());
    if (taken > 0)
        m_client->write(bytes.constData(), taken);
    return bytes.size() - taken;
}

QByteArray TcpLink::Describe() const {
    return "tcp " + QByteArray::number(Port());
}
