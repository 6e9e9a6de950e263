#include "tests/support/PtyPair.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char PortsVariable[] = "ZENTO_FM_PORTS";

void SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

} // namespace

TestPortsFolder::TestPortsFolder()
    : m_previous(qgetenv(PortsVariable))
    , m_hadPrevious(qEnvironmentVariableIsSet(PortsVariable)) {
    if (m_dir.isValid())
        qputenv(PortsVariable, QFile::encodeName(m_dir.path()));
}

TestPortsFolder::~TestPortsFolder() {
    if (m_hadPrevious)
        qputenv(PortsVariable, m_previous);
    else
        qunsetenv(PortsVariable);
}

bool TestPortsFolder::Link(const QString& name, const QString& device) const {
    const QString path = QDir(m_dir.path()).filePath(name);
    QFile::remove(path);
    return QFile::link(device, path);
}

bool TestPortsFolder::Unlink(const QString& name) const {
    return QFile::remove(QDir(m_dir.path()).filePath(name));
}

PtyPair::PtyPair(const QString& comName) {
    char name[256] = {};
    if (openpty(&m_gauge, &m_device, name, nullptr, nullptr) != 0) {
        m_gauge = m_device = -1;
        return;
    }
    m_devicePath = QString::fromLocal8Bit(name);
    // Raw from the start: nothing echoed back to the gauge, nothing held for a line end,
    // even before the program has opened the port.
    termios raw{};
    if (tcgetattr(m_device, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_device, TCSANOW, &raw);
    }
    SetNonBlocking(m_gauge);
    if (!comName.isEmpty()) {
        m_ports = std::make_unique<TestPortsFolder>();
        m_ports->Link(comName, m_devicePath);
    }
}

PtyPair::~PtyPair() {
    Vanish();
}

bool PtyPair::Write(const QByteArray& bytes) {
    qsizetype done = 0;
    const QDeadlineTimer deadline(std::chrono::seconds(5));
    while (m_gauge >= 0 && done < bytes.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(m_gauge, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd wait{m_gauge, POLLOUT, 0};
            ::poll(&wait, 1, 10);
        }
    }
    return done == bytes.size();
}

QByteArray PtyPair::Read(qsizetype expected, std::chrono::milliseconds timeout) {
    QByteArray got;
    const QDeadlineTimer deadline(timeout);
    while (m_gauge >= 0 && got.size() < expected) {
        got += ReadAvailable();
        if (got.size() >= expected || deadline.hasExpired())
            break;
        pollfd wait{m_gauge, POLLIN, 0};
        ::poll(&wait, 1, int(std::min<qint64>(deadline.remainingTime(), 20)));
    }
    return got;
}

QByteArray PtyPair::ReadAvailable() {
    QByteArray got;
    char chunk[4096];
    while (m_gauge >= 0) {
        const ssize_t n = ::read(m_gauge, chunk, sizeof chunk);
        if (n <= 0)
            break;
        got.append(chunk, n);
    }
    return got;
}

PtyPair::LineSettings PtyPair::DeviceLineSettings() const {
    LineSettings line;
    termios t{};
    if (m_device < 0 || tcgetattr(m_device, &t) != 0)
        return line;
    static const std::pair<speed_t, int> rates[] = {
        {B110, 110},       {B300, 300},       {B600, 600},       {B1200, 1200},     {B2400, 2400},
        {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
        {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
    };
    for (const auto& [code, rate] : rates) {
        if (cfgetospeed(&t) == code)
            line.BitsPerSecond = rate;
    }
    switch (t.c_cflag & CSIZE) {
    case CS5:
        line.DataBits = 5;
        break;
    case CS6:
        line.DataBits = 6;
        break;
    case CS7:
        line.DataBits = 7;
        break;
    default:
        line.DataBits = 8;
        break;
    }
    if (t.c_cflag & PARENB) {
        const bool odd = t.c_cflag & PARODD;
        if (t.c_cflag & CMSPAR)
            line.Parity = odd ? 'M' : 'S';
        else
            line.Parity = odd ? 'O' : 'E';
    }
    line.StopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
    line.HardwareFlow = t.c_cflag & CRTSCTS;
    line.SoftwareFlow = (t.c_iflag & IXON) && (t.c_iflag & IXOFF);
    return line;
}

void PtyPair::Vanish() {
    if (m_device >= 0)
        ::close(m_device);
    if (m_gauge >= 0)
        ::close(m_gauge);
    m_device = m_gauge = -1;
}
