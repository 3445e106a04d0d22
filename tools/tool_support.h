#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Runs a command-line tool's body: any error ends it with its message alone on stderr and
// exit code 1.
int RunTool(const std::function<int()>& body);

// Runs the event loop, calling `tick` at once and then every `intervalMs` milliseconds until it
// returns false or Ctrl+C (SIGINT or SIGTERM) arrives. An error raised inside the loop later on
// is printed and ends it with exit code 1; otherwise the result is 0.
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
