#include "tool_support.h"

#include <QEventLoop>
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

ToolErrorScope::ToolErrorScope(std::function<void()> onError)
    : onError(std::move(onError)), handler([this](const std::exception& error) {
          std::cerr << error.what() << '\n';
          failed = true;
          if (this->onError) {
              this->onError();
          }
      }) {}

int RunTool(const std::function<int()>& body) {
    const ToolErrorScope errors;
    try {
        const int exitCode = body();
        return errors.Failed() ? 1 : exitCode;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}

void CatchInterrupt() {
    interrupted = false;
    std::signal(SIGINT, [](int) { interrupted = true; });
    std::signal(SIGTERM, [](int) { interrupted = true; });
}

bool Interrupted() {
    return interrupted;
}

int RunEventLoop(int intervalMs, const std::function<bool()>& tick) {
    CatchInterrupt();
    QEventLoop loop;
    const ToolErrorScope errors([&loop] { loop.exit(); });
    // Every tick runs here, so that its errors end the loop like those reported by anything
    // else the loop runs; thrown on, they would cross Qt's event loop, which ends the process.
    const auto step = [&] {
        try {
            return !interrupted && tick();
        } catch (const std::exception& error) {
            HandleApplicationError(error);
            return false;
        }
    };
    if (step()) {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!step()) {
                loop.exit();
            }
        });
        timer.start(intervalMs);
        loop.exec();
    }
    return errors.Failed() ? 1 : 0;
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
