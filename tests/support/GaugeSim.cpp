#include "GaugeSim.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTest>

namespace {

constexpr int ReadyTimeoutMs = 10000;
constexpr int QuitTimeoutMs = 3000;

// Undoes the gauge's escaping of texts in events: \\ \r \n \t \s \xHH.
QByteArray Unescape(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != '\\' || i + 1 >= text.size()) {
            out += text.at(i);
            continue;
        }
        const char c = text.at(++i);
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 's')
            out += ' ';
        else if (c == 'x' && i + 2 < text.size()) {
            out += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

} // namespace

GaugeSim::GaugeSim(QObject* parent)
    : QObject(parent) {
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &GaugeSim::OnOutput);
}

GaugeSim::~GaugeSim() {
    Stop();
}

bool GaugeSim::StartPty(const QStringList& options, int comNumber, const QString& portsFolder) {
    m_portsFolder = portsFolder;
    if (m_portsFolder.isEmpty()) {
        m_ownFolder = std::make_unique<QTemporaryDir>();
        m_portsFolder = m_ownFolder->path();
    }
    m_portName = QStringLiteral("COM%1").arg(comNumber);
    m_linkPath = QDir(m_portsFolder).filePath(m_portName);
    return Launch(QStringList{QStringLiteral("--pty"), QStringLiteral("--link"), m_linkPath} +
                  options);
}

bool GaugeSim::StartTcp(const QStringList& options, quint16 port) {
    return Launch(QStringList{QStringLiteral("--tcp"), QString::number(port)} + options);
}

bool GaugeSim::Launch(const QStringList& arguments) {
    Stop();
    m_events.clear();
    m_partial.clear();
    m_error.clear();
    m_devicePath.clear();
    m_tcpPort = 0;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : m_environment)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    m_process.setProcessEnvironment(environment);
    m_process.setProgram(QStringLiteral(ZFM_GAUGE_SIM));
    m_process.setArguments(arguments + QStringList{QStringLiteral("--quit-on-eof")});
    m_process.start();
    if (!m_process.waitForStarted(ReadyTimeoutMs)) {
        m_error = m_process.errorString();
        return false;
    }
    const bool ready = QTest::qWaitFor(
        [this] { return !m_events.isEmpty() || m_process.state() != QProcess::Running; },
        ReadyTimeoutMs);
    if (!ready || m_events.isEmpty() || !m_events.first().startsWith("ready ")) {
        m_process.waitForFinished(QuitTimeoutMs);
        m_error = QString::fromLocal8Bit(m_process.readAllStandardError());
        if (m_error.isEmpty())
            m_error = QStringLiteral("no ready line from the gauge");
        Stop();
        return false;
    }
    const QList<QByteArray> words = m_events.first().split(' ');
    if (words.value(1) == "pty")
        m_devicePath = QString::fromLocal8Bit(words.value(2));
    else
        m_tcpPort = quint16(words.value(2).toUInt());
    return true;
}

void GaugeSim::Stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(QuitTimeoutMs)) {
        m_process.terminate(); // SIGTERM to this process id; the gauge removes its link
        if (!m_process.waitForFinished(QuitTimeoutMs)) {
            m_process.kill();
            m_process.waitForFinished(QuitTimeoutMs);
        }
    }
    OnOutput();
}

bool GaugeSim::IsRunning() const {
    return m_process.state() == QProcess::Running;
}

void GaugeSim::Command(const QByteArray& line) {
    if (IsRunning())
        m_process.write(line + '\n');
}

bool GaugeSim::CommandAndWait(const QByteArray& line, int timeoutMs) {
    Command(line);
    return !State(timeoutMs).isEmpty();
}

void GaugeSim::OnOutput() {
    m_partial += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QByteArray line = m_partial.left(end);
        m_partial.remove(0, end + 1);
        m_events.append(line);
        emit EventReceived(line);
    }
}

QList<QByteArray> GaugeSim::EventsOf(const QByteArray& kind, int from) const {
    QList<QByteArray> found;
    const QByteArray prefix = kind + ' ';
    for (qsizetype i = qMax(0, from); i < m_events.size(); ++i)
        if (m_events.at(i).startsWith(prefix))
            found.append(Unescape(m_events.at(i).mid(prefix.size())));
    return found;
}

QList<double> GaugeSim::Samples(int from) const {
    QList<double> values;
    for (const QByteArray& sample : EventsOf("sample", from))
        values.append(sample.split(' ').value(1).toDouble());
    return values;
}

bool GaugeSim::WaitForEvent(const QByteArray& prefix, int from, int timeoutMs, int count) {
    const auto found = [&] {
        int n = 0;
        for (qsizetype i = qMax(0, from); i < m_events.size(); ++i)
            if (m_events.at(i).startsWith(prefix))
                ++n;
        return n >= count;
    };
    return found() || QTest::qWaitFor(found, timeoutMs);
}

QMap<QByteArray, QByteArray> GaugeSim::State(int timeoutMs) {
    const int from = Mark();
    Command("state");
    QMap<QByteArray, QByteArray> state;
    if (!WaitForEvent("state ", from, timeoutMs))
        return state;
    QByteArray line;
    for (qsizetype i = from; i < m_events.size(); ++i)
        if (m_events.at(i).startsWith("state "))
            line = m_events.at(i);
    const QList<QByteArray> words = line.split(' ');
    for (const QByteArray& word : words) {
        const qsizetype eq = word.indexOf('=');
        if (eq > 0)
            state.insert(word.left(eq), Unescape(word.mid(eq + 1)));
    }
    return state;
}
