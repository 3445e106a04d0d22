#include "termination_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the GUI thread reads the other end, where
// what came before anyone reads it waits.
int signalPipe[2] = {-1, -1};

extern "C" void WriteSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void SetSignalAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(number, &action, nullptr);
    }
}

} // namespace

void CatchTerminationSignals() {
    if (signalPipe[0] == -1 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    SetSignalAction(WriteSignal);
}

TerminationSignalHandler::TerminationSignalHandler(std::function<void()> handler) {
    CatchTerminationSignals();
    if (signalPipe[1] == -1) {
        return;
    }
    notifier = std::make_unique<QSocketNotifier>(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [handler = std::move(handler)] {
                         char byte = 0;
                         while (::read(signalPipe[1], &byte, 1) == 1) {
                         }
                         handler();
                     });
}

TerminationSignalHandler::~TerminationSignalHandler() {
    SetSignalAction(SIG_DFL);
}
