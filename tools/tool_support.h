#pragma once

#include "platform/application_error.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// While it lives, errors that reach the application error handler (a deferred call, a device
// completion) are printed, each alone on stderr, and Failed() tells that there were some;
// `onError` runs after each. Scopes nest: the newest takes the errors until it ends.
class ToolErrorScope {
public:
    explicit ToolErrorScope(std::function<void()> onError = nullptr);

    bool Failed() const { return failed; }

private:
    bool failed = false;
    std::function<void()> onError;
    ScopedApplicationErrorHandler handler;
};

// Runs a command-line tool's body: any error, thrown or reported to the application error
// handler on the way, ends it with its message alone on stderr and exit code 1.
int RunTool(const std::function<int()>& body);

// From now on Ctrl+C (SIGINT or SIGTERM) sets Interrupted() instead of ending the process, so
// that the tool can end its work and remove what it half made.
void CatchInterrupt();
bool Interrupted();

// Raised by a tool's work once it was interrupted.
struct InterruptedError : std::runtime_error {
    InterruptedError() : std::runtime_error("Interrupted.") {}
};

// Runs an event loop, calling `tick` at once and then every `intervalMs` milliseconds until it
// returns false or Ctrl+C (SIGINT or SIGTERM) arrives. An error met meanwhile, raised by a tick
// or reported to the application error handler, is printed and ends the loop with the result
// 1; otherwise the result is 0.
int RunEventLoop(int intervalMs, const std::function<bool()>& tick);

// Shows a changing position: rewritten in place on a terminal, one line each otherwise.
class PositionDisplay {
public:
    PositionDisplay();
    ~PositionDisplay();
    PositionDisplay(const PositionDisplay&) = delete;
    PositionDisplay& operator=(const PositionDisplay&) = delete;

    void Show(const std::string& text) const;

private:
    bool terminal;
};

// The arguments after the program name, read front to back.
class Arguments {
public:
    Arguments(int argc, char** argv);

    bool Empty() const { return next >= items.size(); }
    std::string Take(const char* what);
    std::int32_t TakeInteger(const char* what);
    double TakeNumber(const char* what);

private:
    std::vector<std::string> items;
    std::size_t next = 0;
};

// Thrown for a malformed command line; the text includes how to call the tool.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
