#include "skin_values.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "skin_error.h"
#include "skin_line.h"

#include <cstdint>
#include <limits>

namespace {

constexpr int NoInteger = -99999;
constexpr int NoColor = 0x1000000;

int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int digit = 99;
    if (u >= u'0' && u <= u'9') {
        digit = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
        digit = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
        digit = u - u'A' + 10;
    }
    return digit < base ? digit : -1;
}

} // namespace

std::optional<int> ParseSkinNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    // Decimal numbers must fit the signed range; hexadecimal ones the unsigned one.
    const std::uint64_t limit =
        base == 16 ? std::uint64_t{0xFFFFFFFF}
                   : std::uint64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude =
            magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    return static_cast<int>(bits);
}

int SkinInteger(const QString& text) {
    QString number = text;
    if (number.size() > 1 && number.startsWith(u'#')) {
        number[0] = u'$';
    }
    const int value = ParseSkinNumber(number).value_or(NoInteger);
    if (value == NoInteger) {
        throw ESkinError(SSkinMalformedInteger, number);
    }
    return value;
}

int SkinColor(const QString& text) {
    const QString digits = QStringLiteral("$") + TrimSkinText(text.mid(1));
    const int value = ParseSkinNumber(digits).value_or(NoColor);
    if (value == NoColor) {
        throw ESkinError(SSkinMalformedColor, text);
    }
    return value;
}

int InSkinRange(int value, TSkinRange range, const QString& text) {
    if (!IsInSkinRange(value, range)) {
        throw ESkinError(FormatMessage(SSkinValueOutOfRange, {range.Min, range.Max, QString()}),
                         text);
    }
    return value;
}

int SkinIntegerIn(const QString& text, TSkinRange range) {
    return InSkinRange(SkinInteger(text), range, text);
}

QColor ColorOfColorRef(int colorRef) {
    const auto bits = static_cast<std::uint32_t>(colorRef);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}
