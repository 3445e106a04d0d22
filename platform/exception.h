#pragma once

#include <exception>
#include <string>

// Base of every error the program raises: one message text, shown to the user as it stands.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message(std::move(message)) {}

    const char* what() const noexcept override { return message.c_str(); }
    const std::string& Message() const noexcept { return message; }

private:
    std::string message;
};
