#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// A language file's contents, read the way Windows reads profile files, since language files
// are written for the Windows program too: "[section]" lines and key=value lines; sections and
// keys without regard to case and to blanks around them; the first of repeated keys counts;
// blanks around a value are dropped, and so is one pair of quotes enclosing all of it.
class IniText {
public:
    explicit IniText(const QString& text);

    std::optional<QString> Value(const QString& section, const QString& key) const;

private:
    QHash<QString, QString> values; // by section and key, folded, joined by a line feed
};

// UTF-8 (with or without a byte-order mark); bytes that are not valid UTF-8 are taken as
// Shift-JIS, the encoding of Japanese files written on Windows.
QString DecodeLanguageText(const QByteArray& bytes);
