#include "actions/messages.h"
#include "app/wave_expansion.h"
#include "audio/wave_file_stream.h"
#include "dialogs/progress_frm.h"
#include "tests/media/media_fixture.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace {

constexpr int WaitMs = 30000;

class WaveExpansionTest : public testing::Test {
protected:
    WaveExpansionTest() {
        expansion.ShowError = [this](const QString& text) { errors.push_back(text); };
        expansion.Finished = [this](bool done) { made = done; };
        WriteFile(destination, {'o', 'l', 'd'});
    }

    void Run(const std::string& source, bool cancel = false) {
        expansion.Start({source, destination, {.Ratio = 1.5}}, false);
        EXPECT_FALSE(mainWindow.isEnabled());
        if (cancel) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<TProgressFrm*>(window)) {
                    progress->btCancel->click();
                }
            }
        }
        ASSERT_TRUE(WaitOnGuiThread([&] { return made.has_value(); }, WaitMs));
        EXPECT_TRUE(mainWindow.isEnabled());
        EXPECT_FALSE(expansion.Running());
    }

    static std::set<std::string> Names(const std::string& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    TempDir dataFolder;
    TempDir dir;
    std::string destination = dir.File("result.wav");
    QWidget mainWindow;
    TWaveExpansion expansion{mainWindow, dataFolder.Path()};
    std::vector<QString> errors;
    std::optional<bool> made;
};

TEST_F(WaveExpansionTest, AnMp3BecomesTheChosenFileInPlaceOfTheOldOne) {
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, MakeClickSignal(44100, 2, 44100, 20000), "song.mp3"));
    Run(dir.File("song.mp3"));
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(*made);
    TWaveFileStream result;
    result.SetFileName(destination);
    result.Open();
    EXPECT_EQ(result.GetSize(), 66150 * 4);
    EXPECT_EQ(Names(dir.Path()),
              (std::set<std::string>{"song.mp3", "song.mp3.source.wav", "result.wav"}));
    EXPECT_TRUE(Names(dataFolder.Path()).empty());
}

// A failure or a cancel leaves the file the user chose as it was, and nothing else.
TEST_F(WaveExpansionTest, AFailureOrACancelLeavesTheChosenFileAsItWas) {
    const std::string notes = dir.File("notes.wav");
    WriteFile(notes, {'n', 'o'});
    const std::string wave = dir.File("source.wav");
    WriteWave(wave, MakePcmWaveFormat(2, 44100, 16), Pattern(44100 * 4));
    for (const bool cancel : {false, true}) {
        made.reset();
        errors.clear();
        Run(cancel ? wave : notes, cancel);
        EXPECT_FALSE(*made) << cancel;
        EXPECT_EQ(errors, cancel ? std::vector<QString>{} : std::vector{SWaveExpansionError})
            << cancel;
        EXPECT_EQ(ReadFile(destination), (Bytes{'o', 'l', 'd'})) << cancel;
        EXPECT_EQ(Names(dir.Path()),
                  (std::set<std::string>{"notes.wav", "source.wav", "result.wav"}))
            << cancel;
        EXPECT_TRUE(Names(dataFolder.Path()).empty()) << cancel;
    }
}

} // namespace
