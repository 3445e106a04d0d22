#include "platform/profile_file.h"
#include "storage/leftover_files.h"
#include "storage/unsaved_recordings.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

std::string NameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

// After an exit whose save failed, a recording of the song's must outlive the next start's
// offer to delete leftovers and be found for the song again.
TEST(UnsavedRecordings, AKeptRecordingIsNoLeftoverAndIsFoundForItsSongOnly) {
    TempDir data;
    const std::string recording = data.File("tmp42.wav");
    const Bytes sound = Pattern(500, 3);
    WriteFile(recording, sound);

    const std::string kept = KeepUnsavedRecording(data.Path(), "/music/song.mp3", recording);
    EXPECT_NE(kept, recording);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(recording)));
    EXPECT_EQ(NameOf(kept).rfind("Unsaved - song.mp3 - ", 0), 0u) << kept;
    EXPECT_EQ(ReadFile(kept), sound);
    EXPECT_TRUE(LeftoverFilesIn(data.Path()).isEmpty());

    EXPECT_EQ(UnsavedRecordingsOf(data.Path(), "/elsewhere/song.mp3"),
              std::vector<std::string>{kept});
    EXPECT_TRUE(UnsavedRecordingsOf(data.Path(), "/music/song.ogg").empty());
    EXPECT_TRUE(UnsavedRecordingsOf(data.Path(), "/music/song").empty());
}

TEST(UnsavedRecordings, ASavedCopyAndAnEarlierKeptOneStayAsTheyAre) {
    TempDir data;
    for (const char* name : {"SaveData - song - 7.wav", "Unsaved - song.mp3 - 9.wav"}) {
        const std::string path = data.File(name);
        WriteFile(path, Bytes{1, 2});
        EXPECT_EQ(KeepUnsavedRecording(data.Path(), "song.mp3", path), path);
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    }
}

} // namespace
