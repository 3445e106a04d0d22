#include "controller/song_windows.h"

#include "audio/wave_player.h"
#include "cassettes/cassette_host.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "storage/settings.h"
#include "storage/song_data_file.h"
#include "storage/unsaved_recordings.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <algorithm>
#include <memory>

namespace {

// The nearest place to `at` where a window of that size lies within the screens' available
// area (their common bounding rectangle), or starts at its top-left when it is larger.
QPoint OnScreens(QPoint at, QSize size) {
    QRect area;
    for (const QScreen* screen : QGuiApplication::screens()) {
        area |= screen->availableGeometry();
    }
    if (area.isEmpty()) {
        return at;
    }
    const auto within = [](int value, int first, int length, int extent) {
        return std::clamp(value, first, std::max(first, first + length - extent));
    };
    return {within(at.x(), area.left(), area.width(), size.width()),
            within(at.y(), area.top(), area.height(), size.height())};
}

TCassetteRecord RecordOf(TWaveFrm& cassette) {
    cassette.RestoreStretch();
    TWavePlayer& player = cassette.ActivePlayer();
    TCassetteRecord record;
    record.Recording = cassette.FileName();
    record.Left = cassette.x();
    record.Top = cassette.y();
    record.Title = cassette.GetTitle();
    record.Grabbed = cassette.IsDocked();
    record.CreateIndex = cassette.CreateIndex;
    record.RepeatStart = player.GetRepeatStart();
    record.RepeatEnd = player.GetRepeatEnd();
    record.RepeatStartTimeOnFile = cassette.RepeatStartTimeOnFile;
    record.RepeatStopTimeOnFile = cassette.RepeatStopTimeOnFile;
    return record;
}

TCardRecord RecordOf(const TRepeatFrm& card) {
    TCardRecord record;
    record.Left = card.x();
    record.Top = card.y();
    record.Title = card.GetTitle();
    record.StartTime = card.StartTime();
    record.EndTime = card.EndTime();
    record.Grabbed = card.IsDocked();
    record.CreateIndex = card.CreateIndex;
    return record;
}

// Makes the windows of one song's records, in the order of their creation indexes.
class WindowMaker {
public:
    explicit WindowMaker(TCassetteHost& host)
        : host(host), visible(host.GetSettings().CassettesVisible) {}

    void Make(const TCassetteRecord& record) {
        auto cassette = std::make_unique<TWaveFrm>(host);
        if (record.Grabbed) {
            cassette->move(cassette->DockingPoint());
        }
        try {
            cassette->OpenFile(record.Recording);
        } catch (const std::exception&) {
            // A damaged recording is passed over like a missing one; the file stays.
            return;
        }
        Place(*cassette, record.Left, record.Top, record.CreateIndex);
        cassette->RepeatStartTimeOnFile = record.RepeatStartTimeOnFile;
        cassette->RepeatStopTimeOnFile = record.RepeatStopTimeOnFile;
        TWavePlayer& player = cassette->ActivePlayer();
        player.SetRepeatStart(record.RepeatStart.value_or(player.GetRepeatStart()));
        player.SetRepeatEnd(record.RepeatEnd.value_or(player.GetRepeatEnd()));
        cassette->SetTitle(record.Title);
        Show(*cassette.release(), record.Grabbed);
    }

    void Make(const TCardRecord& record) {
        auto* card = new TRepeatFrm(host);
        if (record.Grabbed) {
            card->move(card->DockingPoint());
        }
        Place(*card, record.Left, record.Top, record.CreateIndex);
        card->SetTitle(record.Title);
        card->SetStartTime(record.StartTime);
        card->SetEndTime(record.EndTime);
        Show(*card, record.Grabbed);
    }

    // A recording kept unsaved: a cassette of its own at a free spot, numbered after the rest.
    void MakeUnsaved(const std::string& recording) {
        auto cassette = std::make_unique<TWaveFrm>(host);
        try {
            cassette->OpenFile(recording);
        } catch (const std::exception&) {
            return;
        }
        cassette->move(cassette->FreeSpot());
        Show(*cassette.release(), false);
    }

    // The window list in creation order; new windows number on after the highest index.
    void Order() const {
        host.BringMainToFront();
        SortQvrWindowsByCreateIndex();
        RaiseCreateIndexCounter(highestIndex);
    }

private:
    void Place(TQvrBaseFrm& window, int left, int top, int index) {
        window.move(OnScreens(QPoint(left, top), window.size()));
        if (index != -1) {
            window.CreateIndex = index;
            highestIndex = std::max(highestIndex, index);
        }
    }

    void Show(TQvrBaseFrm& window, bool grabbed) {
        window.setVisible(visible);
        if (grabbed && visible) {
            host.DockWindow(&window, true);
        }
        window.update();
    }

    TCassetteHost& host;
    const bool visible;
    int highestIndex = -1;
};

} // namespace

TSongWindows::TSongWindows(TCassetteHost& host) : host(host) {}

void TSongWindows::SaveSongData(const std::string& songKey, const TPracticeSettings& practice) {
    if (songKey.empty()) {
        return;
    }
    TSongRecords records;
    records.Practice = practice;
    for (TQvrBaseFrm* window : QvrWindows()) {
        if (auto* cassette = dynamic_cast<TWaveFrm*>(window)) {
            // A cassette whose recording never started holds nothing to keep.
            if (!cassette->FileName().empty()) {
                records.Cassettes.push_back(RecordOf(*cassette));
            }
        } else if (const auto* card = dynamic_cast<const TRepeatFrm*>(window)) {
            records.Cards.push_back(RecordOf(*card));
        }
    }
    SaveSongRecords(host.DataFolder(), songKey, records);
}

std::optional<TPracticeSettings> TSongWindows::LoadSongData(const std::string& songKey) {
    if (songKey.empty()) {
        return std::nullopt;
    }
    const std::optional<TSongRecords> records = LoadSongRecords(host.DataFolder(), songKey);
    const std::vector<std::string> unsaved = UnsavedRecordingsOf(host.DataFolder(), songKey);
    if (!records && unsaved.empty()) {
        return std::nullopt;
    }
    WindowMaker maker(host);
    if (records) {
        for (const TCassetteRecord& cassette : records->Cassettes) {
            maker.Make(cassette);
        }
        for (const TCardRecord& card : records->Cards) {
            maker.Make(card);
        }
    }
    maker.Order();
    for (const std::string& recording : unsaved) {
        maker.MakeUnsaved(recording);
    }
    return records ? records->Practice : std::nullopt;
}

void KeepUnsavedRecordings(TCassetteHost& host, const std::string& songKey) {
    for (TQvrBaseFrm* window : QvrWindows()) {
        auto* cassette = dynamic_cast<TWaveFrm*>(window);
        if (cassette == nullptr || cassette->FileName().empty()) {
            continue;
        }
        try {
            KeepUnsavedRecording(host.DataFolder(), songKey, cassette->FileName());
        } catch (const std::exception&) {
            // The recording stays under its own name, among the leftovers a later start lists.
        }
        cassette->KeepRecordingFile();
    }
}
