#include "storage/song_data_file.h"

#include "platform/exclusive_file.h"
#include "platform/profile_file.h"
#include "storage/temp_file.h"

#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

// Read for counts: tells a section that lacks them from one that holds none.
constexpr int Absent = -256;

const QString PracticePrefix = QStringLiteral("Practice.");

QString FileNamePart(const QString& path) {
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

QString WaveKey(std::size_t i, const char* name) {
    return QStringLiteral("WaveFrm%1.%2").arg(i).arg(QLatin1String(name));
}

QString CardKey(std::size_t i, const char* name) {
    return QStringLiteral("RepeatFrm%1.%2").arg(i).arg(QLatin1String(name));
}

// The integer of a key; nothing when it is missing or not an integer.
std::optional<int> IntegerOf(const ProfileFile& file, const QString& section, const QString& key) {
    const int value = file.ReadInteger(section, key, 0);
    if (value != 0 || file.ReadInteger(section, key, 1) == 0) {
        return value;
    }
    return std::nullopt;
}

class SectionReader {
public:
    SectionReader(const ProfileFile& file, const QString& section) : file(file), section(section) {}

    int Bounded(const QString& key, int def, int lowest, int highest) const {
        return std::clamp(file.ReadInteger(section, key, def), lowest, highest);
    }
    int Position(const QString& key) const {
        return Bounded(key, 0, -LargestPosition, LargestPosition);
    }
    int Time(const QString& key) const { return Bounded(key, -1, -1, LargestTime); }
    int Index(const QString& key) const { return Bounded(key, -1, -1, LargestCreateIndex); }
    bool Flag(const QString& key) const { return file.ReadBool(section, key, false); }
    // The older title key comes first.
    QString Title(const QString& nameKey, const QString& textKey) const {
        return file.ReadString(section, textKey, file.ReadString(section, nameKey, QString()));
    }
    QString Text(const QString& key) const { return file.ReadString(section, key, QString()); }
    std::optional<int> RepeatPosition(const QString& key) const {
        const std::optional<int> value = IntegerOf(file, section, key);
        return value ? std::optional<int>(std::clamp(*value, 0, LargestTime)) : std::nullopt;
    }
    // No saved window has fewer than one key, so a larger count is damage, not windows.
    int Count(const char* key) const {
        const int count = file.ReadInteger(section, QLatin1String(key), Absent);
        return count == Absent ? Absent : std::clamp(count, 0, file.ValueCount(section));
    }

private:
    const ProfileFile& file;
    const QString& section;
};

std::optional<TSongRecords> ReadSection(const ProfileFile& file, const QString& section,
                                        const std::string& dataFolder) {
    const SectionReader read(file, section);
    const int cassetteCount = read.Count("WaveFrmCount");
    const int cardCount = read.Count("RepeatFrmCount");
    if (cassetteCount == Absent && cardCount == Absent) {
        return std::nullopt;
    }
    TSongRecords records;
    for (std::size_t i = 0; i < static_cast<std::size_t>(std::max(cassetteCount, 0)); ++i) {
        const QString name = FileNamePart(read.Text(WaveKey(i, "WaveFile")));
        TCassetteRecord cassette;
        cassette.Recording = JoinPath(dataFolder, name.toStdString());
        if (name.isEmpty() || !QFileInfo(QString::fromStdString(cassette.Recording)).isFile()) {
            continue;
        }
        cassette.Left = read.Position(WaveKey(i, "Left"));
        cassette.Top = read.Position(WaveKey(i, "Top"));
        cassette.Title = read.Title(WaveKey(i, "Name"), WaveKey(i, "Text"));
        cassette.Grabbed = read.Flag(WaveKey(i, "Grabbed"));
        cassette.CreateIndex = read.Index(WaveKey(i, "CreateIndex"));
        cassette.RepeatStart = read.RepeatPosition(WaveKey(i, "Wave.StartPos"));
        cassette.RepeatEnd = read.RepeatPosition(WaveKey(i, "Wave.EndPos"));
        cassette.RepeatStartTimeOnFile = read.Time(WaveKey(i, "RepeatStartTimeOnFile"));
        cassette.RepeatStopTimeOnFile = read.Time(WaveKey(i, "RepeatStopTimeOnFile"));
        records.Cassettes.push_back(std::move(cassette));
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(std::max(cardCount, 0)); ++i) {
        TCardRecord card;
        card.Left = read.Position(CardKey(i, "Left"));
        card.Top = read.Position(CardKey(i, "Top"));
        card.Title = read.Title(CardKey(i, "Name"), CardKey(i, "Text"));
        card.StartTime = read.Time(CardKey(i, "StartTime"));
        card.EndTime = read.Time(CardKey(i, "EndTime"));
        card.Grabbed = read.Flag(CardKey(i, "Grabbed"));
        card.CreateIndex = read.Index(CardKey(i, "CreateIndex"));
        records.Cards.push_back(std::move(card));
    }
    records.Practice = ReadPractice(file, section, PracticePrefix, TPracticeSettings());
    return records;
}

// Removes the copies made by a save that did not complete.
class CopiesOfOneSave {
public:
    CopiesOfOneSave() = default;
    CopiesOfOneSave(const CopiesOfOneSave&) = delete;
    CopiesOfOneSave& operator=(const CopiesOfOneSave&) = delete;
    ~CopiesOfOneSave() {
        if (!kept) {
            // A copy left behind is found among the leftover files at a later start.
            for (const std::string& path : paths) {
                FileStream::DeleteQuietly(path);
            }
        }
    }
    void Add(const std::string& path) { paths.push_back(path); }
    void Keep() { kept = true; }

private:
    std::vector<std::string> paths;
    bool kept = false;
};

} // namespace

QString SongName(const std::string& songKey) {
    return FileNamePart(QString::fromStdString(songKey));
}

void SaveSongRecords(const std::string& dataFolder, const std::string& songKey,
                     const TSongRecords& records, const TFlushToDisk& flush) {
    const QString section = SongName(songKey);
    ProfileFile file(JoinPath(dataFolder, SongDataFileName));
    CopiesOfOneSave copies;
    const std::string prefix = NamedPrefix("SaveData", QFileInfo(section).completeBaseName());
    // A recording deleted behind the program's back loses its cassette, not the whole song.
    std::vector<const TCassetteRecord*> cassettes;
    for (const TCassetteRecord& cassette : records.Cassettes) {
        std::error_code error;
        if (std::filesystem::exists(cassette.Recording, error)) {
            cassettes.push_back(&cassette);
        } else {
            std::cerr << "Quavrel: the recording \"" << cassette.Recording
                      << "\" is gone; its cassette is not kept.\n";
        }
    }
    file.WriteInteger(section, "WaveFrmCount", static_cast<int>(cassettes.size()));
    for (std::size_t i = 0; i < cassettes.size(); ++i) {
        const TCassetteRecord& cassette = *cassettes[i];
        const std::string copy =
            CreateTempFile(dataFolder, prefix, "wav", [&](const std::string& path) {
                return CopyToNewFile(cassette.Recording, path);
            });
        copies.Add(copy);
        flush(copy);
        file.WriteInteger(section, WaveKey(i, "Left"), cassette.Left);
        file.WriteInteger(section, WaveKey(i, "Top"), cassette.Top);
        file.WriteString(section, WaveKey(i, "WaveFile"),
                         FileNamePart(QString::fromStdString(copy)));
        file.WriteString(section, WaveKey(i, "Text"), cassette.Title);
        file.WriteBool(section, WaveKey(i, "Grabbed"), cassette.Grabbed);
        file.WriteInteger(section, WaveKey(i, "CreateIndex"), cassette.CreateIndex);
        file.WriteInteger(section, WaveKey(i, "Wave.StartPos"), cassette.RepeatStart.value_or(0));
        file.WriteInteger(section, WaveKey(i, "Wave.EndPos"), cassette.RepeatEnd.value_or(0));
        file.WriteInteger(section, WaveKey(i, "RepeatStartTimeOnFile"),
                          cassette.RepeatStartTimeOnFile);
        file.WriteInteger(section, WaveKey(i, "RepeatStopTimeOnFile"),
                          cassette.RepeatStopTimeOnFile);
    }
    file.WriteInteger(section, "RepeatFrmCount", static_cast<int>(records.Cards.size()));
    for (std::size_t i = 0; i < records.Cards.size(); ++i) {
        const TCardRecord& card = records.Cards[i];
        file.WriteInteger(section, CardKey(i, "Left"), card.Left);
        file.WriteInteger(section, CardKey(i, "Top"), card.Top);
        file.WriteString(section, CardKey(i, "Text"), card.Title);
        file.WriteInteger(section, CardKey(i, "StartTime"), card.StartTime);
        file.WriteInteger(section, CardKey(i, "EndTime"), card.EndTime);
        file.WriteBool(section, CardKey(i, "Grabbed"), card.Grabbed);
        file.WriteInteger(section, CardKey(i, "CreateIndex"), card.CreateIndex);
    }
    if (records.Practice) {
        WritePractice(file, section, PracticePrefix, *records.Practice);
    }
    // The copies' names are in the folder for good before the file names them.
    if (!records.Cassettes.empty()) {
        flush(dataFolder);
    }
    file.Save();
    copies.Keep();
}

std::optional<TSongRecords> LoadSongRecords(const std::string& dataFolder,
                                            const std::string& songKey) {
    const QString name = SongName(songKey);
    const QString key = QString::fromStdString(songKey);
    ProfileFile file(JoinPath(dataFolder, SongDataFileName));
    std::optional<TSongRecords> records = ReadSection(file, name, dataFolder);
    if (!records) {
        return key != name ? ReadSection(file, key, dataFolder) : std::nullopt;
    }
    if (key != name && file.SectionExists(key)) {
        try {
            file.EraseSection(key);
            file.Save();
        } catch (const std::exception&) {
            // The older section is read no more while the name's own exists.
        }
    }
    return records;
}
