#include "VirtualGauge.h"

#include "EventLog.h"
#include "LineFormat.h"
#include "Links.h"
#include "Output.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

int SignalPipe[2] = {-1, -1};

void OnUnixSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(SignalPipe[1], &byte, 1);
}

constexpr const char* CommandHelp[] = {
    "state",
    "unit <unit>",
    "value <v> | amplitude <a> | period <s>",
    "battery <percent>",
    "power on|off | standby on|off | stream on|off | mem",
    "send <text with \\r \\n \\t \\s \\xHH>",
    "noise <bytes> lf|nolf",
    "drop <prefix> [times]",
    "delay <ms> | chunk <min>[-<max>] [pause] | duplicate on|off",
    "noiselines <n> | interleave <n>",
    "vanish [reset] | appear | quit | help",
};

bool ParseOnOff(const QByteArray& word, bool* on) {
    if (word != "on" && word != "off")
        return false;
    *on = word == "on";
    return true;
}

bool ParseCount(const QByteArray& word, int low, int high, int* value) {
    bool ok = false;
    const int parsed = word.toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

} // namespace

VirtualGauge::VirtualGauge(const GaugeConfig& config, QObject* parent)
    : QObject(parent)
    , m_config(config)
    , m_log(new EventLog(this))
    , m_core(config, [this](const QByteArray& line) {
        if (m_holdEvents)
            m_heldEvents.append(line);
        else
            Event(line);
    }) {
    m_clock.start();
    m_streamTimer.setSingleShot(true);
    m_streamTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_streamTimer, &QTimer::timeout, this, &VirtualGauge::OnStreamTick);
}

VirtualGauge::~VirtualGauge() {
    if (m_link)
        m_link->disconnect(this);
}

bool VirtualGauge::OpenLink(QString* error) {
    if (m_pty)
        return m_pty->Open(m_config.LinkPath, error);
    // After "vanish" the gauge comes back on the port it had.
    return m_tcp->Listen(m_tcp->Port() ? m_tcp->Port() : quint16(m_config.TcpPort), error);
}

bool VirtualGauge::Start(QString* error) {
    ::signal(SIGPIPE, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, SignalPipe) == 0) {
        m_signalNotifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
        connect(m_signalNotifier, &QSocketNotifier::activated, this, &VirtualGauge::OnSignal);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            ::signal(s, OnUnixSignal);
    }

    if (m_config.Link == GaugeConfig::Transport::Pty) {
        m_pty = new PtyLink(this);
        m_link = m_pty;
    } else {
        m_tcp = new TcpLink(this);
        m_link = m_tcp;
        // A TCP client's port speed means nothing; the option belongs to the serial line.
        m_config.Baud = 0;
    }
    m_output = new Output(m_link, m_config.Faults, m_config.Seed, m_log, this);
    m_output->RequireLineSpeed(m_config.Baud, m_config.Garble);
    connect(m_link, &Link::Received, this, &VirtualGauge::OnReceived);
    connect(m_link, &Link::ListenersChanged, this, &VirtualGauge::OnListeners);
    if (!OpenLink(error))
        return false;
    Event("ready " + m_link->Describe());

    ::fcntl(STDIN_FILENO, F_SETFD, ::fcntl(STDIN_FILENO, F_GETFD) | FD_CLOEXEC);
    m_stdinNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, &VirtualGauge::OnStdin);

    if (m_config.Continuous)
        StartStream();
    return true;
}

void VirtualGauge::Event(const QByteArray& line) {
    m_log->Event(line);
}

void VirtualGauge::OnListeners(int listeners) {
    const bool opened = listeners > m_listeners;
    m_listeners = listeners;
    Event(QByteArray("link ") + (opened ? "open " : "closed ") + QByteArray::number(listeners));
    if (listeners == 0) {
        m_output->Discard();
        m_input.clear();
    } else if (!m_burstDone && m_config.Faults.BurstBytes > 0) {
        m_burstDone = true;
        m_output->Burst(m_config.Faults.BurstBytes, m_config.Faults.BurstLineEnds);
    }
}

void VirtualGauge::OnReceived(const QByteArray& bytes) {
    m_input += bytes;
    for (;;) {
        qsizetype end = -1;
        for (qsizetype i = 0; i < m_input.size(); ++i) {
            if (m_input.at(i) == '\r' || m_input.at(i) == '\n') {
                end = i;
                break;
            }
        }
        if (end < 0)
            break;
        const QByteArray order = m_input.left(end);
        m_input.remove(0, end + 1);
        if (order.size() > InputLimit)
            Event("overlong " + QByteArray::number(order.size()));
        else if (!order.isEmpty())
            OnOrder(order);
    }
    if (m_input.size() > InputLimit) {
        Event("overlong " + QByteArray::number(m_input.size()));
        m_input.clear();
    }
}

void VirtualGauge::OnOrder(const QByteArray& order) {
    const int speed = m_link->LineSpeed();
    if (m_config.Baud > 0 && speed != m_config.Baud) {
        Event("garbled " + QByteArray::number(speed) + ' ' + LineFormat::Escape(order));
        return;
    }
    m_holdEvents = true;
    const GaugeCore::Answer answer = m_core.Handle(order, Now());
    m_holdEvents = false;
    switch (answer.What) {
    case GaugeCore::Answer::Kind::Unknown:
        Event("unknown " + LineFormat::Escape(order));
        break;
    case GaugeCore::Answer::Kind::Ignored:
        Event("ignored " + LineFormat::Escape(order));
        break;
    case GaugeCore::Answer::Kind::Reply:
        Event("order " + LineFormat::Escape(order));
        break;
    }
    for (const QByteArray& held : std::exchange(m_heldEvents, {}))
        Event(held);
    if (answer.What != GaugeCore::Answer::Kind::Reply)
        return;
    if (answer.StopStream)
        StopStream();
    m_output->Reply(answer.Lines, [this] { return m_core.StreamLine(Now()); });
    if (answer.StartStream)
        StartStream();
}

void VirtualGauge::StartStream() {
    if (!m_core.Powered())
        return;
    m_core.SetStreaming(true);
    m_runPeriod = m_core.SampleTime();
    m_runBaseNs = m_clock.nsecsElapsed();
    m_runBaseSamples = 0;
    m_runSlots = 0;
    m_runSent = 0;
    if (m_config.NewFile) {
        m_output->Send(QByteArray("Mnewfile") + LineFormat::LineEnd);
        Event("newfile");
    }
    OnStreamTick();
}

void VirtualGauge::StopStream() {
    m_streamTimer.stop();
    m_core.SetStreaming(false);
}

void VirtualGauge::OnStreamTick() {
    if (!m_core.Streaming()) {
        m_streamTimer.stop();
        return;
    }
    const qint64 now = m_clock.nsecsElapsed();
    if (m_core.SampleTime() != m_runPeriod) {
        // A new sampling time takes effect from the last sample on.
        m_runBaseNs += qint64(double(m_runSlots - m_runBaseSamples) * m_runPeriod * 1e9);
        m_runBaseSamples = m_runSlots;
        m_runPeriod = m_core.SampleTime();
    }
    const double periodNs = m_runPeriod * 1e9;
    const qint64 due = m_runBaseSamples + qint64(double(now - m_runBaseNs) / periodNs);
    if (due - m_runSlots > CatchUpLimit)
        m_runSlots = due - CatchUpLimit;
    while (m_runSlots < due) {
        ++m_runSlots;
        const double t =
            (double(m_runBaseNs) + double(m_runSlots - m_runBaseSamples) * periodNs) / 1e9;
        QByteArray value;
        m_output->Send(m_core.StreamLine(t, &value));
        ++m_runSent;
        if (m_config.SampleEvents)
            Event("sample " + QByteArray::number(m_runSent) + ' ' + value);
    }
    const double next = double(m_runBaseNs) + double(m_runSlots + 1 - m_runBaseSamples) * periodNs;
    const double waitMs = std::ceil((next - double(m_clock.nsecsElapsed())) / 1e6);
    m_streamTimer.start(int(qBound(0.0, waitMs, 1e8)));
}

void VirtualGauge::OnStdin() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        // No more commands. A gauge started in the background keeps running unless asked
        // to end with its controller.
        m_stdinNotifier->setEnabled(false);
        if (m_config.QuitOnEof)
            Quit(0);
        return;
    }
    m_stdinBuffer.append(buffer, n);
    qsizetype end;
    while ((end = m_stdinBuffer.indexOf('\n')) >= 0) {
        QByteArray line = m_stdinBuffer.left(end);
        m_stdinBuffer.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        OnCommand(line);
        if (m_quitting)
            return;
    }
    if (m_stdinBuffer.size() > 1024 * 1024) {
        Event("error command too long");
        m_stdinBuffer.clear();
    }
}

void VirtualGauge::OnCommand(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty())
        return;
    const QList<QByteArray> words = trimmed.simplified().split(' ');
    const QByteArray& command = words.first();
    const QByteArray arg = words.value(1);
    const auto fail = [&](const QByteArray& why) {
        Event("error " + LineFormat::Escape(trimmed) + ": " + why);
    };
    bool on = false;
    double number = 0;
    int count = 0;
    Misbehaviour& faults = m_output->Faults();

    if (command == "state") {
        Event("state " + m_core.StateWords() + " listeners=" + QByteArray::number(m_listeners) +
              " linespeed=" + QByteArray::number(m_link->LineSpeed()) +
              " dropped=" + QByteArray::number(m_output->DroppedBytes()));
    } else if (command == "unit" && words.size() == 2) {
        QByteArray announce;
        QByteArray error;
        if (!m_core.SetUnit(arg, &announce, &error))
            return fail(error);
        if (!announce.isEmpty()) {
            m_output->Send(announce);
            Event("munit " + LineFormat::Escape(m_core.Unit()));
        }
    } else if ((command == "value" || command == "amplitude" || command == "period") &&
               words.size() == 2) {
        if (!LineFormat::ParseNumber(arg, &number) || std::abs(number) >= 1e7)
            return fail("needs a number");
        if (command == "value")
            m_core.SetSignalValue(number);
        else if (command == "amplitude")
            m_core.SetSignalAmplitude(number);
        else if (!m_core.SetSignalPeriod(number))
            return fail("needs a positive number of seconds");
    } else if (command == "battery" && words.size() == 2) {
        if (!ParseCount(arg, 0, 100, &count))
            return fail("needs 0 to 100");
        m_core.SetBattery(count);
    } else if (command == "power" && words.size() == 2 && ParseOnOff(arg, &on)) {
        m_core.SetPower(on);
        if (!on)
            StopStream();
    } else if (command == "standby" && words.size() == 2 && ParseOnOff(arg, &on)) {
        m_core.SetStandby(on);
        if (on)
            StopStream();
    } else if (command == "stream" && words.size() == 2 && ParseOnOff(arg, &on)) {
        if (on && !m_core.Streaming())
            StartStream();
        else if (!on)
            StopStream();
    } else if (command == "mem" && words.size() == 1) {
        m_core.PressMem(Now());
    } else if (command == "send" && trimmed.size() > 5) {
        m_output->Send(LineFormat::Unescape(trimmed.mid(5)));
    } else if (command == "noise" && words.size() == 3) {
        bool ok = false;
        const qint64 bytes = arg.toLongLong(&ok);
        if (!ok || bytes < 0 || bytes > 1'000'000'000 || (words[2] != "lf" && words[2] != "nolf"))
            return fail("needs <bytes> lf|nolf");
        m_output->Burst(bytes, words[2] == "lf");
    } else if (command == "drop" && (words.size() == 2 || words.size() == 3)) {
        DropRule rule{LineFormat::Unescape(arg), 1};
        if (words.size() == 3 && !ParseCount(words[2], 1, 1000000, &rule.Times))
            return fail("needs a positive count");
        faults.Drops.append(rule);
    } else if (command == "delay" && words.size() == 2) {
        if (!ParseCount(arg, 0, 60000, &faults.DelayMs))
            return fail("needs 0 to 60000 ms");
    } else if (command == "chunk" && (words.size() == 2 || words.size() == 3)) {
        const QList<QByteArray> sizes = arg.split('-');
        int low = 0;
        int high = 0;
        if (sizes.size() > 2 || !ParseCount(sizes.first(), 0, 65536, &low) ||
            !ParseCount(sizes.last(), low, 65536, &high))
            return fail("needs <min>[-<max>] bytes, 0 for off");
        if (words.size() == 3 && !ParseCount(words[2], 0, 10000, &faults.ChunkPauseMs))
            return fail("needs a pause of 0 to 10000 ms");
        faults.ChunkMin = low;
        faults.ChunkMax = low == 0 ? 0 : high;
    } else if (command == "duplicate" && words.size() == 2 && ParseOnOff(arg, &on)) {
        faults.Duplicate = on;
    } else if (command == "noiselines" && words.size() == 2) {
        if (!ParseCount(arg, 0, 1000000, &faults.NoiseEvery))
            return fail("needs a count");
    } else if (command == "interleave" && words.size() == 2) {
        if (!ParseCount(arg, 0, 1000, &faults.Interleave))
            return fail("needs 0 to 1000");
    } else if (command == "vanish" &&
               (words.size() == 1 || (words.size() == 2 && arg == "reset"))) {
        m_output->Discard();
        m_input.clear();
        if (m_pty)
            m_pty->Close();
        else
            m_tcp->Close(words.size() == 2);
        Event("vanished");
    } else if (command == "appear" && words.size() == 1) {
        if (m_pty && m_pty->IsOpen())
            return fail("the line is there");
        QString error;
        if (!OpenLink(&error))
            return fail(error.toLocal8Bit());
        Event("appeared " + m_link->Describe());
    } else if (command == "quit" && words.size() == 1) {
        Quit(0);
    } else if (command == "help") {
        for (const char* text : CommandHelp)
            Event(QByteArray("help ") + text);
    } else {
        fail("unknown command or wrong arguments (see help)");
    }
}

void VirtualGauge::OnSignal() {
    char bytes[16];
    while (::read(SignalPipe[0], bytes, sizeof bytes) > 0) {
    }
    Quit(0);
}

void VirtualGauge::Quit(int code) {
    if (m_quitting)
        return;
    m_quitting = true;
    StopStream();
    if (m_pty)
        m_pty->Close(); // removes the link
    else if (m_tcp)
        m_tcp->Close();
    Event("bye");
    m_log->FlushAll();
    QCoreApplication::exit(code);
}
