#include "recorder/RecorderGroup.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>

RecorderGroup::RecorderGroup(RecorderOptions options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options)) {}

// A child still running is ended by its QProcess; what it reports then is no longer wanted.
RecorderGroup::~RecorderGroup() {
    for (const std::unique_ptr<Child>& child : m_children)
        child->Process.disconnect(this);
}

void RecorderGroup::Say(const QString& text) const {
    std::fprintf(stderr, "zento-fm-rec: %s\n", qUtf8Printable(text));
}

void RecorderGroup::Start() {
    const QString program = QCoreApplication::applicationFilePath();
    for (qsizetype i = 0; i < m_options.Gauges.size(); ++i) {
        auto child = std::make_unique<Child>();
        child->Label = QStringLiteral("[%1 %2]").arg(i + 1).arg(m_options.Gauges[i].Given);
        child->Out = RecorderOptions::GaugeOut(m_options.Out, i + 1);
        m_children.push_back(std::move(child));
    }
    m_running = int(m_children.size());
    const pid_t self = ::getpid();
    for (qsizetype i = 0; i < qsizetype(m_children.size()); ++i) {
        Child& child = *m_children[size_t(i)];
        QProcess& process = child.Process;
        process.setProgram(program);
        process.setArguments(m_options.ChildArguments(i));
        // Their output goes to their files; anything else they print is still seen.
        process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process.setChildProcessModifier([self] {
            // Out of the terminal's process group: Ctrl+C reaches them once, from here, not
            // twice (a second Ctrl+C ends a child without waiting for its gauge's stop).
            ::setpgid(0, 0);
            // Should this process die without passing the stop on, they still write.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != self)
                ::_exit(RecorderExit::NoGauge);
        });
        connect(&process, &QProcess::readyReadStandardError, this,
                [this, &child] { Relay(child, false); });
        connect(
            &process, &QProcess::errorOccurred, this, [this, &child](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    Ended(child, RecorderExit::NoGauge,
                          QStringLiteral("cannot be started: %1").arg(child.Process.errorString()));
            });
        connect(&process, &QProcess::finished, this,
                [this, &child](int exitCode, QProcess::ExitStatus status) {
                    Relay(child, true);
                    if (status == QProcess::CrashExit)
                        Ended(
                            child, RecorderExit::NoGauge,
                            QStringLiteral("stopped abnormally; %1 may be missing").arg(child.Out));
                    else
                        Ended(child, exitCode, QString());
                });
        process.start();
    }
}

void RecorderGroup::RequestStop() {
    for (const std::unique_ptr<Child>& child : m_children)
        if (!child->Ended && child->Process.state() != QProcess::NotRunning)
            child->Process.terminate();
}

void RecorderGroup::Relay(Child& child, bool rest) {
    child.Partial += child.Process.readAllStandardError();
    qsizetype start = 0;
    for (qsizetype end = child.Partial.indexOf('\n'); end >= 0;
         end = child.Partial.indexOf('\n', start)) {
        const QByteArray line =
            child.Label.toUtf8() + ' ' + child.Partial.mid(start, end - start + 1);
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        start = end + 1;
    }
    child.Partial.remove(0, start);
    if (rest && !child.Partial.isEmpty()) {
        const QByteArray line = child.Label.toUtf8() + ' ' + child.Partial + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        child.Partial.clear();
    }
}

void RecorderGroup::Ended(Child& child, int exitCode, const QString& reason) {
    if (child.Ended)
        return;
    child.Ended = true;
    if (!reason.isEmpty())
        Say(QStringLiteral("%1 %2").arg(child.Label, reason));
    else if (exitCode == RecorderExit::Done)
        Say(QStringLiteral("%1 written to %2").arg(child.Label, child.Out));
    else
        Say(QStringLiteral("%1 ended with exit code %2").arg(child.Label).arg(exitCode));
    m_exitCode = std::max(m_exitCode, exitCode);
    if (--m_running == 0)
        emit Finished(m_exitCode);
}
