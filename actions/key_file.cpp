#include "key_file.h"

#include "platform/file_stream.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

bool SameName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFileStreamError("Cannot open file \"" + path.toStdString() + "\". " +
                               file.errorString().toStdString());
    }
    return DecodeLanguageText(file.readAll());
}

// Reading drops blanks around a value and one pair of quotes around all of it: a value that
// would lose either is written inside a pair of quotes of its own.
QString ValueText(const QString& value) {
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (quoted || value != value.trimmed()) {
        return u'"' + value + u'"';
    }
    return value;
}

} // namespace

TKeyFile::TKeyFile(QString path) : path(std::move(path)), read(ReadText(this->path)) {}

QString TKeyFile::ReadString(const QString& section, const QString& key,
                             const QString& fallback) const {
    if (const QString* kept = Find(section, key)) {
        return *kept;
    }
    const std::optional<QString> value = read.Value(section, key);
    if (!value) {
        return fallback;
    }
    Slot(section, key) = *value;
    return *value;
}

void TKeyFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Slot(section, key) = value;
}

void TKeyFile::Commit() {
    QString text;
    for (const Section& section : sections) {
        if (!text.isEmpty()) {
            text += QStringLiteral("\r\n");
        }
        text += u'[' + section.Name + QStringLiteral("]\r\n");
        for (const Entry& entry : section.Entries) {
            text += entry.Key + u'=' + ValueText(entry.Value) + QStringLiteral("\r\n");
        }
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw EFileStreamError("Cannot write file \"" + path.toStdString() + "\". " +
                               file.errorString().toStdString());
    }
}

QString* TKeyFile::Find(const QString& section, const QString& key) const {
    for (Section& kept : sections) {
        if (SameName(kept.Name, section)) {
            for (Entry& entry : kept.Entries) {
                if (SameName(entry.Key, key)) {
                    return &entry.Value;
                }
            }
        }
    }
    return nullptr;
}

QString& TKeyFile::Slot(const QString& section, const QString& key) const {
    if (QString* kept = Find(section, key)) {
        return *kept;
    }
    auto kept = std::find_if(sections.begin(), sections.end(),
                             [&](const Section& s) { return SameName(s.Name, section); });
    if (kept == sections.end()) {
        kept = sections.insert(sections.end(), Section{section, {}});
    }
    return kept->Entries.insert(kept->Entries.end(), Entry{key, {}})->Value;
}
