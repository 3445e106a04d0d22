#pragma once

#include "ini_text.h"
#include "key_profile.h"

#include <QString>
#include <vector>

// The key file "quavrel_key.ini", read once when made. It keeps every value read from it or
// written to it, in the order first met, and Commit writes them all back: the key-binding
// dialog reads every set and the current binding when it is made, so what it writes holds the
// whole binding data. Sections nobody read are not written back.
class TKeyFile : public TKeyProfile {
public:
    // A missing file reads as empty. Raises EFileStreamError when it cannot be read.
    explicit TKeyFile(QString path);

    QString ReadString(const QString& section, const QString& key,
                       const QString& fallback) const override;
    void WriteString(const QString& section, const QString& key, const QString& value) override;
    // Raises EFileStreamError when the file cannot be written; it is then left as it was.
    void Commit() override;

private:
    struct Entry {
        QString Key;
        QString Value;
    };
    struct Section {
        QString Name;
        std::vector<Entry> Entries;
    };

    QString* Find(const QString& section, const QString& key) const;
    // Where the value of section and key is kept, made when missing.
    QString& Slot(const QString& section, const QString& key) const;

    QString path;
    IniText read;
    mutable std::vector<Section> sections;
};
