#include "controller/song_data_file.h"

#include "audio/wave_player.h"
#include "cassettes/cassette_host.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "platform/file_stream.h"
#include "platform/profile_file.h"
#include "storage/settings.h"
#include "storage/temp_file.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Read for counts: tells a section that lacks them from one that holds none.
constexpr int Absent = -256;

QString FileNamePart(const QString& path) {
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

QString WaveKey(int i, const char* name) {
    return QStringLiteral("WaveFrm%1.%2").arg(i).arg(QLatin1String(name));
}

QString CardKey(int i, const char* name) {
    return QStringLiteral("RepeatFrm%1.%2").arg(i).arg(QLatin1String(name));
}

// The older title key comes first; the window's new title stays only when neither is there.
QString ReadTitle(const ProfileFile& file, const QString& section, const QString& nameKey,
                  const QString& textKey) {
    return file.ReadString(section, textKey, file.ReadString(section, nameKey, QString()));
}

// A file name holds at most 255 bytes: the song's name is shortened so that the rest of the
// copy's name ("SaveData - ", " - ", up to ten digits, ".wav") still fits.
std::string SavedCopyPrefix(const QString& songName) {
    constexpr qsizetype LongestName = 255 - 11 - 3 - 10 - 4;
    QString name = QFileInfo(songName).completeBaseName();
    while (name.toUtf8().size() > LongestName) {
        name.chop(name.back().isLowSurrogate() ? 2 : 1);
    }
    return "SaveData - " + name.toStdString() + " - ";
}

// No saved window has fewer than one key, so a larger count is damage, not windows to make.
int CountOfWindows(const ProfileFile& file, const QString& section, const char* key) {
    const int count = file.ReadInteger(section, QLatin1String(key), Absent);
    return count == Absent ? Absent : std::min(count, file.ValueCount(section));
}

void DeleteQuietly(const std::string& path) {
    try {
        FileStream::Delete(path);
    } catch (const std::exception&) {
        // A copy left behind is found among the leftover files at a later start.
    }
}

// Removes the copies made by a save that did not complete.
class CopiesOfOneSave {
public:
    CopiesOfOneSave() = default;
    CopiesOfOneSave(const CopiesOfOneSave&) = delete;
    CopiesOfOneSave& operator=(const CopiesOfOneSave&) = delete;
    ~CopiesOfOneSave() {
        if (!kept) {
            for (const std::string& path : paths) {
                DeleteQuietly(path);
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

TSongDataFile::TSongDataFile(TCassetteHost& host) : host(host) {}

std::string TSongDataFile::FilePath() const {
    return JoinPath(host.DataFolder(), SongDataFileName);
}

void TSongDataFile::SaveSongData(const std::string& songKey) {
    if (songKey.empty()) {
        return;
    }
    const QString section = SongName(songKey);
    std::vector<TWaveFrm*> cassettes;
    std::vector<TRepeatFrm*> cards;
    for (TQvrBaseFrm* window : QvrWindows()) {
        if (auto* cassette = dynamic_cast<TWaveFrm*>(window)) {
            // A cassette whose recording never started holds nothing to keep.
            if (!cassette->FileName().empty()) {
                cassettes.push_back(cassette);
            }
        } else if (auto* card = dynamic_cast<TRepeatFrm*>(window)) {
            cards.push_back(card);
        }
    }
    ProfileFile file(FilePath());
    CopiesOfOneSave copies;
    const std::string prefix = SavedCopyPrefix(section);
    file.WriteInteger(section, "WaveFrmCount", static_cast<int>(cassettes.size()));
    for (int i = 0; i < static_cast<int>(cassettes.size()); ++i) {
        TWaveFrm& cassette = *cassettes[static_cast<std::size_t>(i)];
        cassette.RestoreStretch();
        const std::string copy =
            CreateTempFile(host.DataFolder(), prefix, "wav",
                           [&](const std::string& path) { return cassette.CopyFileTo(path); });
        copies.Add(copy);
        TWavePlayer& player = cassette.ActivePlayer();
        file.WriteInteger(section, WaveKey(i, "Left"), cassette.x());
        file.WriteInteger(section, WaveKey(i, "Top"), cassette.y());
        file.WriteString(section, WaveKey(i, "WaveFile"),
                         FileNamePart(QString::fromStdString(copy)));
        file.WriteString(section, WaveKey(i, "Text"), cassette.GetTitle());
        file.WriteBool(section, WaveKey(i, "Grabbed"), cassette.IsDocked());
        file.WriteInteger(section, WaveKey(i, "CreateIndex"), cassette.CreateIndex);
        file.WriteInteger(section, WaveKey(i, "Wave.StartPos"), player.GetRepeatStart());
        file.WriteInteger(section, WaveKey(i, "Wave.EndPos"), player.GetRepeatEnd());
        file.WriteInteger(section, WaveKey(i, "RepeatStartTimeOnFile"),
                          cassette.RepeatStartTimeOnFile);
        file.WriteInteger(section, WaveKey(i, "RepeatStopTimeOnFile"),
                          cassette.RepeatStopTimeOnFile);
    }
    file.WriteInteger(section, "RepeatFrmCount", static_cast<int>(cards.size()));
    for (int i = 0; i < static_cast<int>(cards.size()); ++i) {
        const TRepeatFrm& card = *cards[static_cast<std::size_t>(i)];
        file.WriteInteger(section, CardKey(i, "Left"), card.x());
        file.WriteInteger(section, CardKey(i, "Top"), card.y());
        file.WriteString(section, CardKey(i, "Text"), card.GetTitle());
        file.WriteInteger(section, CardKey(i, "StartTime"), card.StartTime());
        file.WriteInteger(section, CardKey(i, "EndTime"), card.EndTime());
        file.WriteBool(section, CardKey(i, "Grabbed"), card.IsDocked());
        file.WriteInteger(section, CardKey(i, "CreateIndex"), card.CreateIndex);
    }
    file.Save();
    copies.Keep();
}

bool TSongDataFile::LoadSection(const ProfileFile& file, const QString& section) {
    const int cassetteCount = CountOfWindows(file, section, "WaveFrmCount");
    const int cardCount = CountOfWindows(file, section, "RepeatFrmCount");
    if (cassetteCount == Absent && cardCount == Absent) {
        return false;
    }
    const bool visible = host.GetSettings().CassettesVisible;
    int highestIndex = -1;
    // The window's own place and index come from the file; docking follows.
    const auto place = [&](TQvrBaseFrm& window, const QString& leftKey, const QString& topKey,
                           const QString& indexKey) {
        window.move(file.ReadInteger(section, leftKey, 0), file.ReadInteger(section, topKey, 0));
        const int index = file.ReadInteger(section, indexKey, -1);
        if (index != -1) {
            window.CreateIndex = index;
            highestIndex = std::max(highestIndex, index);
        }
    };
    const auto show = [&](TQvrBaseFrm& window, bool grabbed) {
        window.setVisible(visible);
        if (grabbed && visible) {
            host.DockWindow(&window, true);
        }
        window.update();
    };

    for (int i = 0; i < cassetteCount; ++i) {
        const QString name = FileNamePart(file.ReadString(section, WaveKey(i, "WaveFile"), {}));
        const std::string path = JoinPath(host.DataFolder(), name.toStdString());
        if (name.isEmpty() || !QFileInfo(QString::fromStdString(path)).isFile()) {
            continue;
        }
        const bool grabbed = file.ReadBool(section, WaveKey(i, "Grabbed"), false);
        auto cassette = std::make_unique<TWaveFrm>(host);
        if (grabbed) {
            cassette->move(cassette->DockingPoint());
        }
        try {
            cassette->OpenFile(path);
        } catch (const std::exception&) {
            // A damaged recording is passed over like a missing one; the file stays.
            continue;
        }
        place(*cassette, WaveKey(i, "Left"), WaveKey(i, "Top"), WaveKey(i, "CreateIndex"));
        cassette->RepeatStartTimeOnFile =
            file.ReadInteger(section, WaveKey(i, "RepeatStartTimeOnFile"), -1);
        cassette->RepeatStopTimeOnFile =
            file.ReadInteger(section, WaveKey(i, "RepeatStopTimeOnFile"), -1);
        TWavePlayer& player = cassette->ActivePlayer();
        player.SetRepeatStart(
            file.ReadInteger(section, WaveKey(i, "Wave.StartPos"), player.GetRepeatStart()));
        player.SetRepeatEnd(
            file.ReadInteger(section, WaveKey(i, "Wave.EndPos"), player.GetRepeatEnd()));
        cassette->SetTitle(ReadTitle(file, section, WaveKey(i, "Name"), WaveKey(i, "Text")));
        show(*cassette.release(), grabbed);
    }

    for (int i = 0; i < cardCount; ++i) {
        const bool grabbed = file.ReadBool(section, CardKey(i, "Grabbed"), false);
        auto* card = new TRepeatFrm(host);
        if (grabbed) {
            card->move(card->DockingPoint());
        }
        place(*card, CardKey(i, "Left"), CardKey(i, "Top"), CardKey(i, "CreateIndex"));
        card->SetTitle(ReadTitle(file, section, CardKey(i, "Name"), CardKey(i, "Text")));
        card->SetStartTime(file.ReadInteger(section, CardKey(i, "StartTime"), -1));
        card->SetEndTime(file.ReadInteger(section, CardKey(i, "EndTime"), -1));
        show(*card, grabbed);
    }

    host.BringMainToFront();
    SortQvrWindowsByCreateIndex();
    RaiseCreateIndexCounter(highestIndex);
    return true;
}

void TSongDataFile::LoadSongData(const std::string& songKey) {
    if (songKey.empty()) {
        return;
    }
    const QString name = SongName(songKey);
    const QString key = QString::fromStdString(songKey);
    ProfileFile file(FilePath());
    if (LoadSection(file, name)) {
        if (key != name && file.SectionExists(key)) {
            try {
                file.EraseSection(key);
                file.Save();
            } catch (const std::exception&) {
                // The older section is loaded no more while the name's own exists.
            }
        }
    } else if (key != name) {
        LoadSection(file, key);
    }
}
