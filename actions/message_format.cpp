#include "message_format.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct Placeholder {
    qsizetype Length = 0; // of the whole "%...x"
    QString Flags;
    int Width = -1;
    int Precision = -1;
    char Kind = 0;
};

// Up to two digits at text[at], moving at past them; -1 when there are none, nullopt when
// there are more (widths like that only serve to exhaust memory).
std::optional<int> ReadSmallNumber(const QString& text, qsizetype& at) {
    int value = -1;
    int digits = 0;
    while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128) {
        if (++digits > 2) {
            return std::nullopt;
        }
        value = (value < 0 ? 0 : value * 10) + (text[at].unicode() - '0');
        ++at;
    }
    return value;
}

// The placeholder starting with the "%" at text[start], if it is one of ours.
std::optional<Placeholder> ReadPlaceholder(const QString& text, qsizetype start) {
    Placeholder placeholder;
    qsizetype at = start + 1;
    while (at < text.size() && QStringLiteral("-+ #0").contains(text[at])) {
        placeholder.Flags += text[at++];
    }
    const std::optional<int> width = ReadSmallNumber(text, at);
    if (!width) {
        return std::nullopt;
    }
    placeholder.Width = *width;
    if (at < text.size() && text[at] == u'.') {
        ++at;
        const std::optional<int> precision = ReadSmallNumber(text, at);
        if (!precision) {
            return std::nullopt;
        }
        placeholder.Precision = std::max(*precision, 0);
    }
    if (at >= text.size()) {
        return std::nullopt;
    }
    const char16_t kind = text[at].unicode();
    if (kind != u'd' && kind != u's' && kind != u'f') {
        return std::nullopt;
    }
    placeholder.Kind = static_cast<char>(kind);
    placeholder.Length = at + 1 - start;
    return placeholder;
}

// Calls piece for every literal run and every placeholder of format, in order.
template <typename Literal, typename Fill>
void Walk(const QString& format, Literal literal, Fill fill) {
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < format.size()) {
        if (format[at] != u'%') {
            ++at;
            continue;
        }
        if (at + 1 < format.size() && format[at + 1] == u'%') {
            literal(format.mid(runStart, at + 1 - runStart));
            at += 2;
            runStart = at;
            continue;
        }
        const std::optional<Placeholder> placeholder = ReadPlaceholder(format, at);
        if (!placeholder) {
            ++at;
            continue;
        }
        literal(format.mid(runStart, at - runStart));
        fill(*placeholder);
        at += placeholder->Length;
        runStart = at;
    }
    literal(format.mid(runStart));
}

// Only the flags printf defines for the conversion ("#" means nothing for whole numbers).
QString PrintfSpec(const Placeholder& placeholder, const char* conversion) {
    QString spec = QStringLiteral("%");
    for (const QChar flag : placeholder.Flags) {
        if (flag != u'#' || conversion[0] == 'f') {
            spec += flag;
        }
    }
    if (placeholder.Width >= 0) {
        spec += QString::number(placeholder.Width);
    }
    if (placeholder.Precision >= 0) {
        spec += QStringLiteral(".") + QString::number(placeholder.Precision);
    }
    return spec + QLatin1String(conversion);
}

// The spec is one we built from checked parts, and the value has the type it names.
template <typename Value> QString Printf(const QString& spec, Value value) {
    const QByteArray format = spec.toLatin1();
    const int size = std::snprintf(nullptr, 0, format.constData(), value);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), format.constData(), value);
    return QString::fromLatin1(buffer.data(), size);
}

QString FillText(const Placeholder& placeholder, QString text) {
    if (placeholder.Precision >= 0) {
        text.truncate(placeholder.Precision);
    }
    const qsizetype padding = std::max<qsizetype>(placeholder.Width - text.size(), 0);
    const QString blanks(padding, u' ');
    return placeholder.Flags.contains(u'-') ? text + blanks : blanks + text;
}

QString Fill(const Placeholder& placeholder, const MessageArgument& argument) {
    const auto& value = argument.Value();
    switch (placeholder.Kind) {
    case 'd':
        if (const auto* number = std::get_if<std::int64_t>(&value)) {
            return Printf(PrintfSpec(placeholder, "lld"), static_cast<long long>(*number));
        }
        break;
    case 'f':
        if (const auto* number = std::get_if<double>(&value)) {
            return Printf(PrintfSpec(placeholder, "f"), *number);
        }
        break;
    default:
        if (const auto* text = std::get_if<QString>(&value)) {
            return FillText(placeholder, *text);
        }
        break;
    }
    throw EMessageFormat(std::string("A message's \"%") + placeholder.Kind +
                         "\" was given a value of another kind.");
}

} // namespace

QString FormatMessage(const QString& format, std::initializer_list<MessageArgument> arguments) {
    QString result;
    const MessageArgument* next = arguments.begin();
    Walk(
        format, [&](const QString& literal) { result += literal; },
        [&](const Placeholder& placeholder) {
            if (next == arguments.end()) {
                throw EMessageFormat("A message has more placeholders than values: " +
                                     format.toStdString());
            }
            result += Fill(placeholder, *next++);
        });
    if (next != arguments.end()) {
        throw EMessageFormat("A message has fewer placeholders than values: " +
                             format.toStdString());
    }
    return result;
}

QString PlaceholderKinds(const QString& format) {
    QString kinds;
    Walk(
        format, [](const QString&) {},
        [&](const Placeholder& placeholder) { kinds += QLatin1Char(placeholder.Kind); });
    return kinds;
}
