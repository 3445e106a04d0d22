#include "actions/messages.h"
#include "audio/wave_player.h"
#include "audio/wave_processing.h"
#include "cassettes/wave_frm.h"
#include "dialogs/progress_frm.h"
#include "platform/file_stream.h"
#include "platform/virtual_wave_device.h"
#include "tests/cassettes/fake_host.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
constexpr int Deadline = 60000;

// The progress window on screen, if one is.
TProgressFrm* ShownProgress() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<TProgressFrm*>(window);
            progress && progress->isVisible()) {
            return progress;
        }
    }
    return nullptr;
}

class WaveFrmTest : public testing::Test {
protected:
    WaveFrmTest() { host.dataFolder = data.Path(); }

    // A cassette playing a recording of `ms` milliseconds kept outside the data folder.
    TWaveFrm* CassetteOf(int ms, const PcmWaveFormat& format = Stereo16) {
        const std::string path = recordings.File("recording" + std::to_string(ms) + ".wav");
        WriteWave(path, format,
                  Pattern(static_cast<std::size_t>(ms) * format.avgBytesPerSec / 1000));
        auto* cassette = new TWaveFrm(host);
        cassette->OpenFile(path);
        return cassette;
    }

    // Runs a speed change to its end: what it failed with (on starting or when it ended), or
    // null.
    static std::exception_ptr Stretch(TWaveFrm& cassette, int ratio) {
        std::optional<std::exception_ptr> result;
        try {
            cassette.ExecuteStretch(
                ratio, [&](TWaveFrm&, const std::exception_ptr& error) { result = error; });
        } catch (...) {
            return std::current_exception();
        }
        EXPECT_TRUE(WaitOnGuiThread([&] { return result.has_value(); }, Deadline));
        return result.value_or(nullptr);
    }

    QStringList DataFiles() const {
        return QDir(QString::fromStdString(data.Path())).entryList(QDir::Files);
    }

    VirtualWaveDevices devices;
    TempDir data;
    TempDir recordings;
    FakeHost host;
};

struct Positions {
    std::int32_t head, tail, position, history;
    bool operator==(const Positions&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Positions& p) {
    return out << p.head << "/" << p.tail << "/" << p.position << "/" << p.history;
}

Positions PositionsOf(TWaveFrm& cassette) {
    TWavePlayer& player = cassette.ActivePlayer();
    return {player.GetRepeatStart(), player.GetRepeatEnd(), player.GetPosition(),
            cassette.HistoryPosition};
}

TEST_F(WaveFrmTest, ARecordingHoldsWhatTheDeviceDeliveredAndGoesWithTheCassette) {
    auto* cassette = new TWaveFrm(host);
    EXPECT_EQ(cassette->RecordFormat, DefaultRecordFormat);
    cassette->StartRecording();
    const std::string path = cassette->FileName();
    EXPECT_EQ(QString::fromStdString(path).section('/', 0, -2),
              QString::fromStdString(data.Path()));
    EXPECT_TRUE(QString::fromStdString(path).section('/', -1).contains(
        QRegularExpression("^tmp\\d+\\.wav$")));
    ASSERT_NE(devices.Input(), nullptr);
    const std::int64_t delivered = 3 * TDoubleBufferingPlayer::BufferSize + 40;
    // Two buffers are in flight at a time: the device takes the rest as they come back.
    for (std::int64_t left = delivered; left > 0;) {
        const std::int64_t n = devices.Input()->Advance(left);
        ProcessGuiEvents();
        ASSERT_GT(n, 0);
        left -= n;
    }
    cassette->StopRecording();

    Bytes expected(static_cast<std::size_t>(delivered));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = devices.inputSignal(static_cast<std::int64_t>(i));
    }
    const Bytes file = ReadFile(path);
    EXPECT_EQ(Bytes(file.begin() + 46, file.end()), expected);
    EXPECT_EQ(cassette->ActivePlayer().GetState(), TWavePlayer::StateStopped);
    EXPECT_EQ(cassette->ActivePlayer().GetLength(), delivered * 1000 / 176400);

    delete cassette;
    EXPECT_FALSE(FileStream::Exists(path));
}

TEST_F(WaveFrmTest, StretchMovesPositionsByTheFactorAndRestoreMovesThemBack) {
    const struct {
        int ratio;
        bool linear;
        Positions stretched;
    } cases[] = {
        {150, false, {600, 1800, 1200, 900}},
        // 370 is 12 semitones: twice as long.
        {370, true, {800, 2400, 1600, 1200}},
    };
    for (const auto& c : cases) {
        TWaveFrm* cassette = CassetteOf(2000);
        TWavePlayer& main = cassette->MainPlayer();
        main.SetRepeatStart(400);
        main.SetRepeatEnd(1200);
        main.SetPosition(800);
        cassette->HistoryPosition = 600;
        host.settings.LinearStretch = c.linear;

        ASSERT_FALSE(Stretch(*cassette, c.ratio));
        ASSERT_TRUE(cassette->IsStretched());
        EXPECT_EQ(cassette->StretchRatio(), c.ratio);
        EXPECT_EQ(cassette->LinearStretch(), c.linear);
        EXPECT_EQ(PositionsOf(*cassette), c.stretched) << c.ratio;
        EXPECT_EQ(cassette->ActivePlayer().GetLength(),
                  static_cast<int>(2000 * StretchFactor(c.ratio, c.linear)));
        EXPECT_TRUE(host.main.isEnabled());
        ASSERT_EQ(DataFiles().size(), 1);
        const std::string copy = data.File(DataFiles()[0].toStdString());
        EXPECT_EQ(cassette->ActivePlayer().GetFileName(), copy);

        cassette->RestoreStretch();
        EXPECT_FALSE(cassette->IsStretched());
        EXPECT_EQ(cassette->StretchRatio(), 1);
        EXPECT_EQ(&cassette->ActivePlayer(), &main);
        EXPECT_EQ(PositionsOf(*cassette), (Positions{400, 1200, 800, 600})) << c.ratio;
        EXPECT_TRUE(DataFiles().isEmpty());

        // A cassette destroyed while stretched takes both files with it.
        ASSERT_FALSE(Stretch(*cassette, c.ratio));
        const std::string recording = cassette->FileName();
        delete cassette;
        EXPECT_TRUE(DataFiles().isEmpty());
        EXPECT_FALSE(FileStream::Exists(recording));
    }
}

TEST_F(WaveFrmTest, AStretchThatFailsLeavesNoFileAndTheCassetteAsItWas) {
    const struct {
        const char* name;
        bool dataFolderGone;
        PcmWaveFormat format;
    } cases[] = {
        {"no data folder to write to", true, Stereo16},
        // Three channels: the engine refuses them on the worker thread.
        {"a format the stretch does not take", false, MakePcmWaveFormat(3, 44100, 16)},
    };
    for (const auto& c : cases) {
        host.dataFolder = c.dataFolderGone ? data.File("gone") : data.Path();
        TWaveFrm* cassette = CassetteOf(1000, c.format);
        cassette->MainPlayer().SetRepeatStart(100);
        cassette->MainPlayer().SetPosition(300);
        cassette->HistoryPosition = 200;
        const Positions before = PositionsOf(*cassette);
        EXPECT_TRUE(Stretch(*cassette, 150)) << c.name;
        EXPECT_FALSE(cassette->IsStretched()) << c.name;
        EXPECT_FALSE(cassette->SpeedChangeRunning()) << c.name;
        EXPECT_EQ(ShownProgress(), nullptr) << c.name;
        EXPECT_EQ(&cassette->ActivePlayer(), &cassette->MainPlayer());
        EXPECT_EQ(PositionsOf(*cassette), before) << c.name;
        EXPECT_TRUE(DataFiles().isEmpty()) << c.name;
        EXPECT_TRUE(host.main.isEnabled()) << c.name;
        delete cassette;
    }
}

TEST_F(WaveFrmTest, ASpeedChangeRunsWhileTheProgressWindowShowsAndCancelKeepsTheCassette) {
    TWaveFrm* cassette = CassetteOf(20000);
    cassette->MainPlayer().SetRepeatStart(1000);
    cassette->MainPlayer().SetPosition(3000);
    const Positions before = PositionsOf(*cassette);
    std::vector<std::exception_ptr> ends;
    const auto done = [&](TWaveFrm& changed, const std::exception_ptr& error) {
        EXPECT_EQ(&changed, cassette);
        ends.push_back(error);
    };
    cassette->ExecuteStretch(150, done);
    // The call returned with the work under way: the main window waits, the progress shows.
    EXPECT_TRUE(cassette->SpeedChangeRunning());
    EXPECT_FALSE(host.main.isEnabled());
    TProgressFrm* progress = ShownProgress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->btCancel->text(), SWaveExpansionCancel);
    EXPECT_EQ(DataFiles().size(), 1);
    // A second change while this one runs is not taken.
    cassette->ExecuteStretch(200, done);
    EXPECT_EQ(DataFiles().size(), 1);
    // Cancelled before the event loop runs again: the work cannot have been taken as done.
    progress->btCancel->click();
    ASSERT_TRUE(WaitOnGuiThread([&] { return !ends.empty(); }, Deadline));
    EXPECT_EQ(ends.size(), 1u);
    EXPECT_FALSE(ends[0]);
    EXPECT_FALSE(cassette->SpeedChangeRunning());
    EXPECT_FALSE(cassette->IsStretched());
    EXPECT_EQ(PositionsOf(*cassette), before);
    EXPECT_TRUE(DataFiles().isEmpty());
    EXPECT_TRUE(host.main.isEnabled());
    EXPECT_EQ(ShownProgress(), nullptr);
    delete cassette;
}

TEST_F(WaveFrmTest, ACassetteReleasedWhileItsSpeedChangeRunsLeavesNothingBehind) {
    TWaveFrm* cassette = CassetteOf(20000);
    bool told = false;
    cassette->ExecuteStretch(150, [&](TWaveFrm&, const std::exception_ptr&) { told = true; });
    ASSERT_NE(ShownProgress(), nullptr);
    // Released before the event loop runs again: the work is still under way.
    delete cassette;
    EXPECT_TRUE(host.main.isEnabled());
    EXPECT_EQ(ShownProgress(), nullptr);
    // The work stops at its next report and removes its copy on its own thread.
    EXPECT_TRUE(WaitOnGuiThread([&] { return DataFiles().isEmpty(); }, Deadline));
    EXPECT_FALSE(told);
}

TEST_F(WaveFrmTest, StepFactorFollowsTheLength) {
    // One byte a millisecond.
    const PcmWaveFormat slow = MakePcmWaveFormat(1, 1000, 8);
    const struct {
        int ms;
        double factor;
    } cases[] = {{1499, 0.1}, {1500, 0.25}, {2999, 0.25}, {3000, 1.0}};
    for (const auto& c : cases) {
        TWaveFrm* cassette = CassetteOf(c.ms, slow);
        EXPECT_EQ(cassette->StepFactor(), c.factor) << c.ms;
        delete cassette;
    }
}

TEST_F(WaveFrmTest, SaveCopiesWhatPlaysReplacingWhatTheUserAgreedTo) {
    TWaveFrm* cassette = CassetteOf(1000);
    ASSERT_FALSE(Stretch(*cassette, 200));
    const std::string saved = recordings.File("saved.wav");
    WriteFile(saved, {1, 2, 3});
    cassette->Save();
    ASSERT_TRUE(host.saveChosen);
    host.saveChosen(saved);
    EXPECT_EQ(ReadFile(saved), ReadFile(cassette->ActivePlayer().GetFileName()));
    EXPECT_TRUE(host.problems.empty());

    // A save that cannot be written says so in an ordinary box and leaves nothing behind.
    const std::string unwritable = recordings.File("missing/saved.wav");
    cassette->Save();
    host.saveChosen(unwritable);
    ASSERT_EQ(host.problems.size(), 1U);
    EXPECT_TRUE(host.problems.front().contains(QString::fromStdString(unwritable)));
    EXPECT_FALSE(std::filesystem::exists(recordings.File("missing")));

    EXPECT_FALSE(cassette->CopyFileTo(saved));
    EXPECT_TRUE(cassette->CopyFileTo(recordings.File("copy.wav")));
    EXPECT_EQ(ReadFile(recordings.File("copy.wav")), ReadFile(cassette->FileName()));
}

TEST_F(WaveFrmTest, ASaveAnsweredAfterTheCassetteWentDoesNothing) {
    TWaveFrm* cassette = CassetteOf(1000);
    cassette->Save();
    delete cassette;
    const std::string saved = recordings.File("saved.wav");
    host.saveChosen(saved);
    EXPECT_FALSE(std::filesystem::exists(saved));
}

} // namespace
