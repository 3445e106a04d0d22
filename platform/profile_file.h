#pragma once

#include "exception.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A profile file could not be read or written; the text names the file and the reason.
class EProfileFileError : public Exception {
public:
    using Exception::Exception;
};

// A settings file in the Windows profile format ("[section]" lines, key=value lines), read and
// written as the Windows profile functions do, so that files written by the Windows program
// and by this one can be exchanged:
// - sections and keys compare without regard to case and to blanks around them; line breaks
//   in their names (a song file's name may hold them) are written and looked up as blanks;
// - of repeated sections only the first is seen, of repeated keys in it only the first;
// - blanks around a value are dropped, and so is one pair of quotes enclosing all of it;
// - booleans are written 1 and 0 and read as integers (non-zero is true), integers decimal;
// - a write changes the line of its key in place or adds it after the section's last key, a
//   new section goes to the end; every other line (comments, repeated sections, lines that
//   are not key=value) stays as it was;
// - each line is UTF-8, or Shift-JIS when it is not valid UTF-8 (Japanese files from
//   Windows); a line ends at CR LF, at LF or at a lone CR (old Macintosh files); the file is
//   written in UTF-8 with CR LF when its first line ended so, with LF otherwise.
// A damaged file loads what can be made of its lines. Sections and keys are indexed once when
// the file is read, so that a lookup takes the same time however long the file is.
class ProfileFile {
public:
    // An empty profile that Save writes to path.
    ProfileFile() = default;
    // The profile in path; empty when there is no such file. EProfileFileError when the file
    // exists but cannot be read.
    explicit ProfileFile(std::string path);
    static ProfileFile FromBytes(const QByteArray& bytes);

    const std::string& Path() const { return path; }

    std::optional<QString> Value(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // The value must be a whole integer: decimal with an optional sign, in the range of int,
    // or hexadecimal after "$" or "0x" giving the 32 bits ($FFFFFFFF is -1); blanks around it
    // are allowed. Anything else (trailing characters, a number out of range) gives the default,
    // never a part or a wrapped-around number: unlike GetPrivateProfileInt, which reads the
    // digits a value starts with, "12abc" and "99999999999" are damage, not 12 and a clamp.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    // A value that would lose blanks or quotes at its ends when read back, or that holds a
    // double quote, is written inside a pair of double quotes; line breaks, which would end
    // the line, are written as blanks.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    // Removes every section of that name with all its lines.
    void EraseSection(const QString& section);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The key=value lines of the section, repeated keys too (0 when there is none).
    int ValueCount(const QString& section) const;
    // Every key=value line of the file, in every section (repeated ones too), in file order.
    void ForEachValue(const std::function<void(const QString& section, const QString& key,
                                               const QString& value)>& visit) const;

    // Writes the whole file through a temporary file that replaces it only once complete, so
    // the previous file stays intact when writing fails (EProfileFileError).
    void Save() const;
    void SaveAs(const std::string& target) const;
    QByteArray ToBytes() const;

private:
    struct Line {
        QString text; // as written in the file, without the line end
        QString key;  // trimmed; empty for a line that is not key=value
        std::optional<QString> value;
    };
    struct NameHash {
        // Not noexcept: libstdc++ then keeps each name's hash next to it instead of hashing
        // the names of a bucket again on every search.
        std::size_t operator()(const QString& name) const;
    };
    // From a case-folded name to a position.
    using NameIndex = std::unordered_map<QString, std::size_t, NameHash>;
    struct Section {
        QString name; // trimmed; the lines before the first header have none
        bool headed = false;
        std::vector<Line> lines;
        NameIndex keys;          // the first key=value line of each key
        std::size_t keysEnd = 0; // after the last key=value line, or after the header
        int valueCount = 0;      // key=value lines, repeated keys too

        static Section Headed(QString name, QString header);
        void Add(Line line);
    };

    void Parse(const QByteArray& bytes);
    void AddLine(QString text);
    void IndexSections();
    const Section* Find(const QString& section) const;
    Section* Find(const QString& section);

    std::string path;
    std::vector<Section> sections{Section{}};
    NameIndex sectionIndex; // the first of the sections of each name
    QString lineEnd = QStringLiteral("\n");
};
