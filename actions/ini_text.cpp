#include "ini_text.h"

#include <QStringConverter>
#include <QStringDecoder>

namespace {

QString Slot(const QString& section, const QString& key) {
    return section.trimmed().toCaseFolded() + u'\n' + key.trimmed().toCaseFolded();
}

QString Unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniText::IniText(const QString& text) {
    std::optional<QString> section;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            section = trimmed.mid(1, close < 0 ? -1 : close - 1).toString();
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (!section || equals <= 0) {
            continue;
        }
        const QString slot = Slot(*section, trimmed.left(equals).toString());
        if (!values.contains(slot)) {
            values.insert(slot, Unquoted(trimmed.mid(equals + 1).toString()));
        }
    }
}

std::optional<QString> IniText::Value(const QString& section, const QString& key) const {
    const auto found = values.constFind(Slot(section, key));
    if (found == values.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

QString DecodeLanguageText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder shiftJis("Shift_JIS");
    if (!shiftJis.isValid()) {
        return text;
    }
    return shiftJis(bytes);
}
