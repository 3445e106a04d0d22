#pragma once

#include <QString>

// The profile (INI) store that key bindings are read from and written to: sections of
// key=value lines, sections and keys without regard to case.
class TKeyProfile {
public:
    virtual ~TKeyProfile() = default;
    // The value, or fallback when the section or key is missing.
    virtual QString ReadString(const QString& section, const QString& key,
                               const QString& fallback) const = 0;
    virtual void WriteString(const QString& section, const QString& key, const QString& value) = 0;
    // Makes the writes so far lasting in one replacement of the file, so that a crash never
    // leaves half a file.
    virtual void Commit() = 0;
};
