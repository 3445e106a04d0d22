#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in a terminal) end the program as the
// user's Exit would, so that it loses nothing.

// Catches the signals from now on; call first thing in main, before anything slow. A signal that
// comes before a handler exists is kept for the first handler, instead of ending the process.
void CatchTerminationSignals();

// Runs handler on the GUI thread for every signal caught, those kept from before it existed
// included; make it once the application object exists. Once it is destroyed the signals end
// the process again, as nothing is left to run a handler.
class TerminationSignalHandler {
public:
    explicit TerminationSignalHandler(std::function<void()> handler);
    ~TerminationSignalHandler();
    TerminationSignalHandler(const TerminationSignalHandler&) = delete;
    TerminationSignalHandler& operator=(const TerminationSignalHandler&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier;
};
