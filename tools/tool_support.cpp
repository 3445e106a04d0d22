#include "tool_support.h"

#include <charconv>
#include <iostream>
#include <stdexcept>

int RunTool(const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
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
