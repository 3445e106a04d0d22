#include "profile_file.h"

#include "text_decoding.h"

#include <QFile>
#include <QHashFunctions>
#include <QSaveFile>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <limits>
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
QString Written(const QString& name) {
    return OneLine(name).trimmed();
}

// What names that differ only in case have in common; names in the file are written ones.
QString Folded(const QString& writtenName) {
    return writtenName.toCaseFolded();
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
QString DecodedLine(const char* begin, const char* end) {
    QString line = DecodeLanguageText(QByteArray::fromRawData(begin, end - begin));
    line.remove(QChar(u'\0'));
    return line;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The value of c as a digit in base 10 or 16; -1 when it is none.
int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    const int value = u >= u'0' && u <= u'9'   ? u - u'0'
                      : u >= u'a' && u <= u'f' ? u - u'a' + 10
                      : u >= u'A' && u <= u'F' ? u - u'A' + 10
                                               : -1;
    return value < base ? value : -1;
}

// The integer that all of text spells, as ReadInteger describes.
std::optional<int> ParsedInteger(const QString& text) {
    const QStringView number = QStringView(text).trimmed();
    qsizetype at = 0;
    for (const QStringView prefix : {QStringView(u"$"), QStringView(u"0x")}) {
        if (number.startsWith(prefix, Qt::CaseInsensitive)) {
            at = prefix.size();
        }
    }
    const int base = at > 0 ? 16 : 10;
    const bool negative = base == 10 && number.startsWith(u'-');
    if (base == 10 && (negative || number.startsWith(u'+'))) {
        at = 1;
    }
    if (at == number.size()) {
        return std::nullopt;
    }
    // Hexadecimal values give the 32 bits, as colours are written.
    const std::int64_t limit = base == 16
                                   ? std::numeric_limits<std::uint32_t>::max()
                                   : std::int64_t{std::numeric_limits<int>::max()} + negative;
    std::int64_t value = 0;
    for (const QChar c : number.mid(at)) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    if (base == 16) {
        return std::bit_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    return static_cast<int>(negative ? -value : value);
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

std::size_t ProfileFile::NameHash::operator()(const QString& name) const {
    return qHash(name, QHashSeed::globalSeed());
}

ProfileFile::Section ProfileFile::Section::Headed(QString name, QString header) {
    Section section;
    section.name = std::move(name);
    section.headed = true;
    section.lines.push_back(Line{std::move(header), {}, {}});
    section.keysEnd = 1;
    return section;
}

void ProfileFile::Section::Add(Line line) {
    if (line.value) {
        keys.try_emplace(Folded(line.key), lines.size());
        keysEnd = lines.size() + 1;
        ++valueCount;
    }
    lines.push_back(std::move(line));
}

void ProfileFile::Parse(const QByteArray& bytes) {
    const char* const end = bytes.constData() + bytes.size();
    bool first = true;
    for (const char* at = bytes.constData(); at != end;) {
        const char* const stop = std::find_if(at, end, IsLineEnd);
        AddLine(DecodedLine(at, stop));
        at = stop;
        if (at != end) {
            const bool crLf = *at == '\r' && std::next(at) != end && *std::next(at) == '\n';
            if (first) {
                lineEnd = crLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
                first = false;
            }
            at += crLf ? 2 : 1;
        }
    }
    IndexSections();
}

void ProfileFile::AddLine(QString text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        // The last bracket ends the name, so song names holding brackets work.
        const qsizetype close = trimmed.lastIndexOf(u']');
        sections.push_back(
            Section::Headed(trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed(), std::move(text)));
        return;
    }
    Line line{std::move(text), {}, {}};
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0) {
        line.key = trimmed.left(equals).trimmed();
        line.value = Unquoted(trimmed.mid(equals + 1));
    }
    sections.back().Add(std::move(line));
}

void ProfileFile::IndexSections() {
    sectionIndex.clear();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].headed) {
            sectionIndex.try_emplace(Folded(sections[i].name), i);
        }
    }
}

const ProfileFile::Section* ProfileFile::Find(const QString& section) const {
    const auto found = sectionIndex.find(Folded(Written(section)));
    return found != sectionIndex.end() ? &sections[found->second] : nullptr;
}

ProfileFile::Section* ProfileFile::Find(const QString& section) {
    return const_cast<Section*>(std::as_const(*this).Find(section));
}

std::optional<QString> ProfileFile::Value(const QString& section, const QString& key) const {
    const Section* found = Find(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto line = found->keys.find(Folded(Written(key)));
    return line != found->keys.end() ? found->lines[line->second].value : std::nullopt;
}

QString ProfileFile::ReadString(const QString& section, const QString& key,
                                const QString& def) const {
    return Value(section, key).value_or(def);
}

int ProfileFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const std::optional<QString> value = Value(section, key);
    return value ? ParsedInteger(*value).value_or(def) : def;
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
            last.Add(Line{});
        }
        const QString name = Written(section);
        sections.push_back(Section::Headed(name, u'[' + name + u']'));
        sectionIndex.try_emplace(Folded(name), sections.size() - 1);
        target = &sections.back();
    }
    const QString name = Written(key);
    const QString folded = Folded(name);
    if (const auto found = target->keys.find(folded); found != target->keys.end()) {
        // The key keeps the spelling it has in the file.
        Line& line = target->lines[found->second];
        line.text = line.key + u'=' + stored;
        line.value = Unquoted(stored);
        return;
    }
    // After the last key, so that blank lines and comments before the next section stay there;
    // only lines that are not key=value move.
    const std::size_t at = target->keysEnd;
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                         Line{name + u'=' + stored, name, Unquoted(stored)});
    target->keys.try_emplace(folded, at);
    target->keysEnd = at + 1;
    ++target->valueCount;
}

void ProfileFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void ProfileFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileFile::EraseSection(const QString& section) {
    const QString name = Written(section);
    const auto erased = std::erase_if(sections, [&](const Section& candidate) {
        return candidate.headed && candidate.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (erased > 0) {
        IndexSections();
    }
}

bool ProfileFile::SectionExists(const QString& section) const {
    return Find(section) != nullptr;
}

bool ProfileFile::ValueExists(const QString& section, const QString& key) const {
    return Value(section, key).has_value();
}

int ProfileFile::ValueCount(const QString& section) const {
    const Section* found = Find(section);
    return found != nullptr ? found->valueCount : 0;
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
            text += line.text;
            text += lineEnd;
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
