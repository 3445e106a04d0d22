#include "tool_support.h"

#include "platform/application_error.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <charconv>
#include <csignal>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

namespace {

std::atomic<bool> interrupted = false;

} // namespace

int RunTool(const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}

int RunEventLoop(int intervalMs, const std::function<bool()>& tick) {
    interrupted = false;
    std::signal(SIGINT, [](int) { interrupted = true; });
    std::signal(SIGTERM, [](int) { interrupted = true; });
    int exitCode = 0;
    SetApplicationErrorHandler([&exitCode](const std::exception& error) {
        std::cerr << error.what() << '\n';
        exitCode = 1;
        QCoreApplication::exit(1);
    });
    if (!tick()) {
        return exitCode;
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (interrupted || !tick()) {
            QCoreApplication::exit(exitCode);
        }
    });
    timer.start(intervalMs);
    QCoreApplication::exec();
    return exitCode;
}

PositionDisplay::PositionDisplay() : terminal(::isatty(STDOUT_FILENO) != 0) {}

PositionDisplay::~PositionDisplay() {
    if (terminal) {
        std::cout << '\n';
    }
}

void PositionDisplay::Show(const std::string& text) const {
    std::cout << text << (terminal ? "\r" : "\n") << std::flush;
}

Arguments::Arguments(int argc, char** argv) : items(argv + 1, argv + argc) {}

std::string Arguments::Take(const char* what) {
    if (Empty()) {
        throw UsageError(std::string("Missing ") + what + ".");
    }
    return items[next++];
}

std::int32_t Arguments::TakeInteger(const char* what) {
    const std::string text = Take(what);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(std::string("Not a whole number for ") + what + ": " + text);
    }
    return value;
}

double Arguments::TakeNumber(const char* what) {
    const std::string text = Take(what);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(std::string("Not a number for ") + what + ": " + text);
    }
    return value;
}
