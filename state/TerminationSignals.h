#pragma once

#include <functional>

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal) into a call on
// the user-interface thread, so that the program closes as by its close box: settings saved,
// the port closed, a capture written out.
void OnTerminationSignal(std::function<void()> handler);
