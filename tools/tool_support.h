#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Runs a command-line tool's body: any error ends it with its message alone on stderr and
// exit code 1.
int RunTool(const std::function<int()>& body);

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
