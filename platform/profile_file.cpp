#include "profile_file.h"

#include "text_decoding.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Line breaks would end the line; written as blanks, as in values.
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Names are looked up as they can be written: on one line, without blanks around them.
bool SameName(const QString& a, const QString& b) {
    return OneLine(a).trimmed().compare(OneLine(b).trimmed(), Qt::CaseInsensitive) == 0;
}

bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

QString Unquoted(const QString& value) {
    const QString trimmed = value.trimmed();
    if (trimmed.size() >= 2 && IsQuote(trimmed.front()) && trimmed.back() == trimmed.front()) {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return trimmed;
}

// What makes value read back unchanged. Values holding quotes are put in quotes of their own
// too, as language files write string lists ("One","Two").
QString Quoted(const QString& text) {
    const QString value = OneLine(text);
    if (value != Unquoted(value) || value.contains(u'"')) {
        return u'"' + value + u'"';
    }
    return value;
}

// A damaged file (cut off by a crash, overwritten with binary data) may hold NUL bytes,
// which no profile line has.
QString DecodedLine(const QByteArray& bytes) {
    QString line = DecodeLanguageText(bytes);
    line.remove(QChar(u'\0'));
    if (line.endsWith(u'\r')) {
        line.chop(1);
    }
    return line;
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path(std::move(path)) {
    QFile file(QString::fromStdString(this->path));
    if (!file.exists()) {
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw EProfileFileError("Cannot read file \"" + this->path + "\". " +
                                file.errorString().toStdString());
    }
    Parse(file.readAll());
}

ProfileFile ProfileFile::FromBytes(const QByteArray& bytes) {
    ProfileFile profile;
    profile.Parse(bytes);
    return profile;
}

void ProfileFile::Parse(const QByteArray& bytes) {
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (firstEnd > 0 && bytes[firstEnd - 1] == '\r') {
        lineEnd = QStringLiteral("\r\n");
    }
    QList<QByteArray> rawLines = bytes.split('\n');
    if (!rawLines.isEmpty() && rawLines.back().isEmpty()) {
        rawLines.pop_back();
    }
    for (const QByteArray& raw : rawLines) {
        Line line{DecodedLine(raw), {}, {}};
        const QString trimmed = line.text.trimmed();
        if (trimmed.startsWith(u'[')) {
            // The last bracket ends the name, so song names holding brackets work.
            const qsizetype close = trimmed.lastIndexOf(u']');
            Section section;
            section.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
            section.headed = true;
            section.lines.push_back(std::move(line));
            sections.push_back(std::move(section));
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals > 0) {
            line.key = trimmed.left(equals).trimmed();
            line.value = Unquoted(trimmed.mid(equals + 1));
        }
        sections.back().lines.push_back(std::move(line));
    }
}

const ProfileFile::Section* ProfileFile::Find(const QString& section) const {
    for (const Section& candidate : sections) {
        if (candidate.headed && SameName(candidate.name, section)) {
            return &candidate;
        }
    }
    return nullptr;
}

ProfileFile::Section* ProfileFile::Find(const QString& section) {
    return const_cast<Section*>(std::as_const(*this).Find(section));
}

const ProfileFile::Line* ProfileFile::FindKey(const Section& section, const QString& key) const {
    for (const Line& line : section.lines) {
        if (line.value && SameName(line.key, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::optional<QString> ProfileFile::Value(const QString& section, const QString& key) const {
    const Section* found = Find(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const Line* line = FindKey(*found, key);
    return line != nullptr ? line->value : std::nullopt;
}

QString ProfileFile::ReadString(const QString& section, const QString& key,
                                const QString& def) const {
    return Value(section, key).value_or(def);
}

int ProfileFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const std::optional<QString> value = Value(section, key);
    if (!value) {
        return def;
    }
    bool ok = false;
    int result = value->toInt(&ok, 10);
    if (ok) {
        return result;
    }
    for (const QString& prefix : {QStringLiteral("$"), QStringLiteral("0x")}) {
        if (value->startsWith(prefix, Qt::CaseInsensitive)) {
            // Hexadecimal values name the 32 bits, as colours are written.
            result = static_cast<int>(value->mid(prefix.size()).toUInt(&ok, 16));
            return ok ? result : def;
        }
    }
    return def;
}

bool ProfileFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString stored = Quoted(value);
    Section* target = Find(section);
    if (target == nullptr) {
        Section& last = sections.back();
        if (!last.lines.empty() && !last.lines.back().text.trimmed().isEmpty()) {
            last.lines.push_back(Line{});
        }
        Section added;
        added.name = OneLine(section).trimmed();
        added.headed = true;
        added.lines.push_back(Line{u'[' + added.name + u']', {}, {}});
        sections.push_back(std::move(added));
        target = &sections.back();
    }
    const QString name = OneLine(key).trimmed();
    Line written{name + u'=' + stored, name, Unquoted(stored)};
    for (Line& line : target->lines) {
        if (line.value && SameName(line.key, name)) {
            // The key keeps the spelling it has in the file.
            written.key = line.key;
            written.text = line.key + u'=' + stored;
            line = std::move(written);
            return;
        }
    }
    // After the last key, so that blank lines and comments before the next section stay there.
    auto at = target->lines.end();
    while (at != target->lines.begin() + 1 && !std::prev(at)->value) {
        --at;
    }
    target->lines.insert(at, std::move(written));
}

void ProfileFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void ProfileFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileFile::EraseSection(const QString& section) {
    std::erase_if(sections, [&](const Section& candidate) {
        return candidate.headed && SameName(candidate.name, section);
    });
}

bool ProfileFile::SectionExists(const QString& section) const {
    return Find(section) != nullptr;
}

bool ProfileFile::ValueExists(const QString& section, const QString& key) const {
    return Value(section, key).has_value();
}

int ProfileFile::ValueCount(const QString& section) const {
    const Section* found = Find(section);
    if (found == nullptr) {
        return 0;
    }
    return static_cast<int>(std::ranges::count_if(
        found->lines, [](const Line& line) { return line.value.has_value(); }));
}

void ProfileFile::ForEachValue(
    const std::function<void(const QString&, const QString&, const QString&)>& visit) const {
    for (const Section& section : sections) {
        for (const Line& line : section.lines) {
            if (line.value) {
                visit(section.name, line.key, *line.value);
            }
        }
    }
}

QByteArray ProfileFile::ToBytes() const {
    QString text;
    for (const Section& section : sections) {
        for (const Line& line : section.lines) {
            text += line.text + lineEnd;
        }
    }
    return text.toUtf8();
}

void ProfileFile::Save() const {
    SaveAs(path);
}

void ProfileFile::SaveAs(const std::string& target) const {
    QSaveFile file(QString::fromStdString(target));
    const QByteArray bytes = ToBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw EProfileFileError("Cannot write file \"" + target + "\". " +
                                file.errorString().toStdString());
    }
}
