#include "audio/wave_player.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "controller/song_windows.h"
#include "platform/profile_file.h"
#include "platform/virtual_wave_device.h"
#include "storage/leftover_files.h"
#include "storage/unsaved_recordings.h"
#include "tests/cassettes/fake_host.h"
#include "tests/storage/song_data_fixture.h"
#include "tests/support/disc_image.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

class SongWindowsTest : public testing::Test {
protected:
    SongWindowsTest() {
        host.dataFolder = data.Path();
        // Cards tell their times as tracks of the song.
        host.songPlayer.FileName = disc.cuePath;
        host.songPlayer.Open();
    }

    // A cassette playing `ms` milliseconds of a pattern kept outside the data folder.
    TWaveFrm* CassetteOf(int ms, unsigned seed) {
        const std::string path = recordings.File("recording" + std::to_string(seed) + ".wav");
        WriteWave(path, Stereo16,
                  Pattern(static_cast<std::size_t>(ms) * Stereo16.avgBytesPerSec / 1000, seed));
        auto* cassette = new TWaveFrm(host);
        cassette->OpenFile(path);
        return cassette;
    }

    // A data-folder recording as a saved copy is, for files written by hand.
    std::string SavedCopy(const std::string& name, unsigned seed) {
        WriteWave(data.File(name), Stereo16, Pattern(44100, seed));
        return name;
    }

    // The song closes: the windows go, as the controller releases them after saving.
    void Release() {
        host.docked = nullptr;
        ReleaseAllQvrWindows();
    }

    template <typename T> std::vector<T*> Windows() const {
        std::vector<T*> found;
        for (TQvrBaseFrm* window : QvrWindows()) {
            if (auto* w = dynamic_cast<T*>(window)) {
                found.push_back(w);
            }
        }
        return found;
    }

    VirtualWaveDevices devices;
    TempDir data;
    TempDir recordings;
    DiscImage disc{recordings.Path(), {160, 248, 72}};
    FakeHost host;
    TSongWindows store{host};
};

TEST_F(SongWindowsTest, CassettesAndCardsComeBackForTheSameFileNameFromAnotherFolder) {
    auto* card = new TRepeatFrm(host);
    card->SetTitle("Chorus");
    card->SetStartTime(1000);
    card->SetEndTime(2500);
    card->move(40, 50);
    TWaveFrm* first = CassetteOf(2000, 1);
    first->SetTitle("Solo \"fast\"");
    first->move(300, 20);
    first->MainPlayer().SetRepeatStart(250);
    first->MainPlayer().SetRepeatEnd(1500);
    first->RepeatStartTimeOnFile = 61000;
    first->RepeatStopTimeOnFile = 63000;
    bool stretched = false;
    first->ExecuteStretch(200, [&](TWaveFrm&, const std::exception_ptr&) { stretched = true; });
    ASSERT_TRUE(WaitOnGuiThread([&] { return stretched; }, 60000));
    ASSERT_TRUE(first->IsStretched());
    TWaveFrm* second = CassetteOf(1000, 2);
    second->SetTitle("Bass");
    host.DockWindow(second, false);
    const Bytes firstRecording = ReadFile(first->FileName());
    const Bytes secondRecording = ReadFile(second->FileName());
    const int cardIndex = card->CreateIndex;
    const QPoint dockingPoint = second->DockingPoint();

    store.SaveSongData("/music/live/song.mp3", {});
    EXPECT_FALSE(first->IsStretched());
    EXPECT_EQ(first->MainPlayer().GetRepeatStart(), 250);
    const QStringList copies = SavedCopies(data);
    ASSERT_EQ(copies.size(), 2);
    for (const QString& copy : copies) {
        EXPECT_TRUE(copy.startsWith("SaveData - song - ")) << copy.toStdString();
    }

    Release();
    store.LoadSongData("/elsewhere/song.mp3");
    const auto cassettes = Windows<TWaveFrm>();
    const auto cards = Windows<TRepeatFrm>();
    ASSERT_EQ(cassettes.size(), 2u);
    ASSERT_EQ(cards.size(), 1u);
    // Window order follows the creation order saved: the card was made first.
    EXPECT_EQ(QvrWindows().front(), cards[0]);
    EXPECT_EQ(cards[0]->CreateIndex, cardIndex);
    EXPECT_GT(TakeCreateIndex(), cassettes[1]->CreateIndex);

    EXPECT_EQ(cards[0]->GetTitle(), "Chorus");
    EXPECT_EQ(cards[0]->StartTime(), 1000);
    EXPECT_EQ(cards[0]->EndTime(), 2500);
    EXPECT_EQ(cards[0]->pos(), QPoint(40, 50));
    EXPECT_TRUE(cards[0]->isVisible());

    TWaveFrm& solo = *cassettes[0];
    EXPECT_EQ(solo.GetTitle(), "Solo \"fast\"");
    EXPECT_EQ(solo.pos(), QPoint(300, 20));
    EXPECT_EQ(solo.MainPlayer().GetRepeatStart(), 250);
    EXPECT_EQ(solo.MainPlayer().GetRepeatEnd(), 1500);
    EXPECT_EQ(solo.RepeatStartTimeOnFile, 61000);
    EXPECT_EQ(solo.RepeatStopTimeOnFile, 63000);
    EXPECT_EQ(ReadFile(solo.FileName()), firstRecording);
    EXPECT_EQ(QFileInfo(QString::fromStdString(solo.FileName())).path(),
              QString::fromStdString(data.Path()));

    TWaveFrm& bass = *cassettes[1];
    EXPECT_EQ(bass.GetTitle(), "Bass");
    EXPECT_EQ(ReadFile(bass.FileName()), secondRecording);
    EXPECT_EQ(host.docked, &bass);
    EXPECT_EQ(bass.pos(), dockingPoint);
}

TEST_F(SongWindowsTest, HiddenCassettesAreNotDockedAndAnEmptyKeyDoesNothing) {
    store.SaveSongData("", {});
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(data.File("quavrel_data.ini"))));

    WriteSongData(data, "[song.mp3]\n"
                        "RepeatFrmCount=1\n"
                        "RepeatFrm0.Grabbed=1\n"
                        "RepeatFrm0.Text=Verse\n");
    host.settings.CassettesVisible = false;
    store.LoadSongData("");
    EXPECT_TRUE(QvrWindows().empty());
    store.LoadSongData("/music/song.mp3");
    ASSERT_EQ(QvrWindows().size(), 1u);
    EXPECT_FALSE(QvrWindows()[0]->isVisible());
    EXPECT_EQ(host.docked, nullptr);
}

TEST_F(SongWindowsTest, EntriesWhoseRecordingIsGoneAreSkippedAndTheRestLoads) {
    const std::string kept = SavedCopy("SaveData - song - 12.wav", 3);
    const std::string damaged = "SaveData - song - 13.wav";
    WriteFile(data.File(damaged), Bytes{'n', 'o', 't', ' ', 'R', 'I', 'F', 'F'});
    WriteSongData(data, QByteArray("[song.mp3]\n"
                                   "WaveFrmCount=4\n"
                                   "WaveFrm0.WaveFile=SaveData - song - 11.wav\n"
                                   "WaveFrm0.Text=Deleted\n"
                                   "WaveFrm1.WaveFile=\n"
                                   "WaveFrm2.WaveFile=") +
                            damaged.c_str() +
                            "\n"
                            "WaveFrm3.WaveFile=" +
                            kept.c_str() +
                            "\n"
                            "WaveFrm3.Text=Kept\n");
    store.LoadSongData("song.mp3");
    const auto cassettes = Windows<TWaveFrm>();
    ASSERT_EQ(cassettes.size(), 1u);
    EXPECT_EQ(cassettes[0]->GetTitle(), "Kept");
    // The damaged recording is left alone.
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(data.File(damaged))));
}

TEST_F(SongWindowsTest, AFileOfTheWindowsProgramLoads) {
    const std::string copy = SavedCopy(WindowsSongDataRecording, 4);
    WriteSongData(data, WindowsSongData);
    store.LoadSongData("/home/me/song.mp3");
    const auto cassettes = Windows<TWaveFrm>();
    const auto cards = Windows<TRepeatFrm>();
    ASSERT_EQ(cassettes.size(), 1u);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cassettes[0]->GetTitle(), "Old title");
    EXPECT_EQ(cassettes[0]->pos(), QPoint(10, 20));
    EXPECT_EQ(cassettes[0]->FileName(), data.File(copy));
    EXPECT_EQ(cards[0]->GetTitle(), "New card");
    EXPECT_EQ(cards[0]->EndTime(), 900);
    EXPECT_EQ(cards[1]->GetTitle(), "");
    EXPECT_EQ(cards[1]->StartTime(), -1);
    EXPECT_EQ(QvrWindows().back(), cards[1]);
    EXPECT_EQ(TakeCreateIndex(), 8);
}

TEST_F(SongWindowsTest, DamagedCountsAndIndexesMakeNoMoreWindowsThanTheFileDescribes) {
    WriteSongData(data, "[song.mp3]\n"
                        "WaveFrmCount=2147483647\n"
                        "RepeatFrmCount=2000000000\n"
                        "RepeatFrm0.StartTime=500\n"
                        "RepeatFrm0.CreateIndex=2147483647\n");
    store.LoadSongData("/music/song.mp3");
    // At most one card per key of the section, not two thousand million.
    EXPECT_LE(Windows<TRepeatFrm>().size(), 5u);
    ASSERT_FALSE(Windows<TRepeatFrm>().empty());
    // Last in the window order, by its index.
    EXPECT_EQ(Windows<TRepeatFrm>().back()->StartTime(), 500);
    // The index counter stays at the largest index instead of wrapping.
    EXPECT_GE((new TRepeatFrm(host))->CreateIndex, 0);
}

// Positions from a damaged file would overflow on the way to the docking point; every
// window lands on the screens.
TEST_F(SongWindowsTest, ExtremePositionsPlaceTheWindowsOnTheScreens) {
    const std::string copy = SavedCopy("SaveData - song - 3.wav", 8);
    WriteSongData(data, QByteArray("[song.mp3]\n"
                                   "WaveFrmCount=1\n"
                                   "WaveFrm0.WaveFile=") +
                            copy.c_str() +
                            "\n"
                            "WaveFrm0.Left=-2147483648\n"
                            "WaveFrm0.Top=-2147483648\n"
                            "WaveFrm0.Grabbed=1\n"
                            "RepeatFrmCount=2\n"
                            "RepeatFrm0.Left=2147483647\n"
                            "RepeatFrm0.Top=2147483647\n"
                            "RepeatFrm1.Left=-40000\n"
                            "RepeatFrm1.Top=32767\n");
    store.LoadSongData("/music/song.mp3");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto cards = Windows<TRepeatFrm>();
    ASSERT_EQ(cards.size(), 2u);
    for (const TRepeatFrm* card : cards) {
        EXPECT_TRUE(screen.contains(card->geometry())) << card->x() << "," << card->y();
    }
    ASSERT_EQ(Windows<TWaveFrm>().size(), 1u);
    TWaveFrm& cassette = *Windows<TWaveFrm>()[0];
    EXPECT_EQ(host.docked, &cassette);
    // It glides from the screen's corner to the docking point.
    EXPECT_TRUE(cassette.Gliding());
    EXPECT_EQ(cassette.GlideTarget(), cassette.DockingPoint());
    EXPECT_TRUE(screen.contains(cassette.pos()));
}

// An exit whose save failed keeps the song's recordings; the next start must not offer them
// for deletion, and the song's next opening brings them back as its cassettes.
TEST_F(SongWindowsTest, RecordingsKeptAtAFailedExitComeBackWithTheirSong) {
    const std::string recording = data.File("tmp77.wav");
    WriteWave(recording, Stereo16, Pattern(44100, 9));
    const Bytes sound = ReadFile(recording);
    auto* cassette = new TWaveFrm(host);
    cassette->OpenFile(recording);
    KeepUnsavedRecordings(host, "/music/song.mp3");
    Release();
    EXPECT_TRUE(LeftoverFilesIn(data.Path()).isEmpty());

    store.LoadSongData("/music/other.mp3");
    EXPECT_TRUE(QvrWindows().empty());
    store.LoadSongData("/music/song.mp3");
    ASSERT_EQ(Windows<TWaveFrm>().size(), 1u);
    EXPECT_EQ(ReadFile(Windows<TWaveFrm>()[0]->FileName()), sound);

    // Saved with the song, the cassette's file goes as the song closes; the copy stays.
    store.SaveSongData("/music/song.mp3", {});
    Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(UnsavedRecordingsOf(data.Path(), "/music/song.mp3").empty());
    EXPECT_EQ(SavedCopies(data).size(), 1);
    store.LoadSongData("/music/song.mp3");
    ASSERT_EQ(Windows<TWaveFrm>().size(), 1u);
    EXPECT_EQ(ReadFile(Windows<TWaveFrm>()[0]->FileName()), sound);
}

} // namespace
