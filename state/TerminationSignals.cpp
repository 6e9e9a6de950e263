#include "state/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

void Notify(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the handler itself runs in the event loop.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

void OnTerminationSignal(std::function<void()> handler) {
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    // Owned by the application, so that it goes with it (unowned it was reported as a leak).
    auto* notifier =
        new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [handler = std::move(handler)] {
                         char byte = 0;
                         [[maybe_unused]] const ssize_t read = ::read(g_pipe[0], &byte, 1);
                         handler();
                     });
    struct sigaction action = {};
    action.sa_handler = Notify;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
