#pragma once

#include "platform/exception.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

// A message filled with arguments that do not fit its placeholders: a mistake of the calling
// code, since translations whose placeholders differ from the English text are never used.
class EMessageFormat : public Exception {
public:
    using Exception::Exception;
};

// One value for a placeholder: "%d" takes a whole number, "%f" a real number, "%s" a text.
class MessageArgument {
public:
    MessageArgument(int value) : value(std::int64_t{value}) {}
    MessageArgument(std::int64_t value) : value(value) {}
    MessageArgument(double value) : value(value) {}
    MessageArgument(QString value) : value(std::move(value)) {}
    MessageArgument(const std::string& utf8) : value(QString::fromStdString(utf8)) {}
    MessageArgument(const char* utf8) : value(QString::fromUtf8(utf8)) {}

    const std::variant<std::int64_t, double, QString>& Value() const { return value; }

private:
    std::variant<std::int64_t, double, QString> value;
};

// Fills the placeholders of a message, printf style: "%d", "%s" and "%f" with optional flags
// ("-", "+", " ", "#", "0"), width and precision of up to two digits each, and "%%". Any other
// "%" is printed as it stands, so no text can make the formatter read what it was not given.
// Raises EMessageFormat when the arguments do not match the placeholders in number and kind.
QString FormatMessage(const QString& format, std::initializer_list<MessageArgument> arguments);

// The kinds of the placeholders in order ("d", "s", "f"), e.g. "ds" for "%d of %s".
QString PlaceholderKinds(const QString& format);
