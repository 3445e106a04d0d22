#include "actions/event_module.h"
#include "actions/key_polling.h"
#include "actions/messages.h"
#include "actions/real_time_action.h"
#include "actions/real_time_button.h"
#include "actions/real_time_key.h"
#include "audio/record_source.h"
#include "audio/song_export.h"
#include "audio/wave_player.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "controller/main_controller.h"
#include "controller/song_data_store.h"
#include "controller/song_windows.h"
#include "platform/virtual_keys.h"
#include "platform/virtual_wave_device.h"
#include "skins/bitmap_scroll_bar.h"
#include "skins/skin_loader.h"
#include "skins/speed_meter.h"
#include "storage/settings.h"
#include "tests/actions/fake_input.h"
#include "tests/controller/fake_face.h"
#include "tests/dialogs/modal.h"
#include "tests/support/disc_image.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_wait.h"
#include "tests/support/mouse_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

using C = TMainController;
const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
// Bytes of `ms` milliseconds of the songs and cassettes here.
constexpr std::int64_t BytesOf(std::int64_t ms) {
    return ms * 44100 * 4 / 1000;
}

// Byte `n` of the song's data: different from its neighbours and from every other 64 KB.
Bytes SongBytes(std::int64_t bytes) {
    return Pattern(static_cast<std::size_t>(bytes), 7);
}

// Drives the controller through its four events as keys and buttons would, on the virtual
// wave devices, with a WAVE song of 20 s and, where asked, a disc image.
class MainControllerTest : public testing::Test {
protected:
    MainControllerTest() {
        WriteWave(songPath, Stereo16, SongBytes(BytesOf(20000)));
        controller.ShowMessage = [this](const QString& text, QMessageBox::Icon) {
            messages.push_back(text);
        };
        controller.WireActions();
        // One control in every group, so what the controller shows and hides can be seen.
        for (int i = 0; i < SkinFunctionCount; ++i) {
            auto* control = new QWidget(&frm);
            frm.Groups[static_cast<TSkinFunction>(i)].Add(control);
        }
    }

    bool Visible(TSkinFunction group) const { return !frm.Groups[group].Item(0)->isHidden(); }

    // Lets the song, or a playing cassette, be heard `ms` further.
    void Hear(std::int64_t ms) {
        for (std::int64_t bytes = BytesOf(ms); bytes > 0;) {
            VirtualWaveDevice* output = devices.Output();
            ASSERT_NE(output, nullptr);
            const std::int64_t n = output->Advance(std::min<std::int64_t>(bytes, 4096));
            ProcessGuiEvents();
            ASSERT_GT(n, 0);
            bytes -= n;
        }
    }

    // Lets the song be heard to its end.
    void HearToTheEnd() {
        while (VirtualWaveDevice* output = devices.Output()) {
            if (output->Advance(4096) == 0) {
                break;
            }
            ProcessGuiEvents();
        }
        ProcessGuiEvents();
    }

    // The speed meter and the Ratio bar as a skin places them, on the ratio's scale.
    TSpeedMeter* AddSpeedMeter() {
        auto* meter = new TSpeedMeter(&frm);
        meter->resize(80, 46);
        meter->SetMax(C::MaxRatio);
        meter->SetMin(C::MinRatio);
        frm.Groups[TSkinFunction::SpeedMeter].Add(meter);
        return meter;
    }
    TBitmapScrollBar* AddRatioBar() {
        auto* bar = new TBitmapScrollBar(&frm);
        bar->OnChange = frm.ScrollHandlers.RatioChange;
        bar->SetMin(C::MinRatio);
        bar->SetMax(C::MaxRatio);
        frm.Groups[TSkinFunction::Ratio].Add(bar);
        return bar;
    }

    void OpenSongAt(std::int32_t ms) {
        ASSERT_TRUE(controller.ChangeSong(songPath));
        player().SetPosition(ms);
    }

    TCDAMediaPlayer& player() { return controller.SongPlayer(); }
    std::int32_t Position() { return player().GetPosition(); }
    QString Text(TTimeText which) const { return frm.Text(which); }

    void Hold(int tag, std::int32_t ms) {
        controller.Press(tag);
        controller.Holding(tag, ms);
    }
    void HoldAndRelease(int tag, std::int32_t ms) {
        Hold(tag, ms);
        controller.Release(tag, ms);
    }

    // A cassette of `ms` milliseconds' worth of bytes, docked.
    TWaveFrm& DockCassette(std::int32_t ms, const PcmWaveFormat& format = Stereo16) {
        const std::string path = data.File("cassette" + std::to_string(++cassettes) + ".wav");
        WriteWave(path, format, Pattern(static_cast<std::size_t>(BytesOf(ms))));
        auto* cassette = new TWaveFrm(controller);
        cassette->OpenFile(path);
        controller.DockWindow(cassette, false);
        return *cassette;
    }

    // Lets the speed change of the cassette run to its end.
    static bool WaitUntilSpeedChanged(const TWaveFrm& cassette) {
        return WaitOnGuiThread([&] { return !cassette.SpeedChangeRunning(); }, 60000);
    }

    VirtualWaveDevices devices;
    TempDir data;
    std::string songPath = data.File("song.wav");
    Settings settings = DefaultSettings("");
    TEventModule events;
    TFakeFace frm{events, QString::fromStdString(data.Path() + "/")};
    TMainController controller{frm, events, settings, data.Path()};
    std::vector<QString> messages;
    int cassettes = 0;
};

struct ClickCase {
    const char* name;
    bool cassetteDocked;
    bool playingBefore; // the song, or the docked cassette
    int tag;
    bool playingAfter;
    TMPModes songAfter;
};

TEST_F(MainControllerTest, ClicksActOnTheSongOrOnTheDockedCassette) {
    const ClickCase cases[] = {
        {"Play starts the song", false, false, C::cmPlay, true, TMPModes::mpPlaying},
        {"Play stops a playing song", false, true, C::cmPlay, false, TMPModes::mpStopped},
        {"Stop", false, true, C::cmStop, false, TMPModes::mpStopped},
        {"Pause", false, true, C::cmPause, false, TMPModes::mpPaused},
        {"Play plays the cassette, not the song", true, false, C::cmPlay, true,
         TMPModes::mpStopped},
        {"Play stops a playing cassette", true, true, C::cmPlay, false, TMPModes::mpStopped},
        {"Pause toggles the cassette", true, false, C::cmPause, true, TMPModes::mpStopped},
        {"Stop stops the cassette", true, true, C::cmStop, false, TMPModes::mpStopped},
        {"PrevTrack does nothing with a cassette", true, true, C::cmPrevTrack, true,
         TMPModes::mpStopped},
    };
    OpenSongAt(5000);
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        controller.ReleaseAllWindows();
        player().Stop();
        TWaveFrm* cassette = c.cassetteDocked ? &DockCassette(3000) : nullptr;
        if (c.playingBefore) {
            cassette != nullptr ? cassette->ActivePlayer().Play() : player().Play();
        }
        controller.Click(c.tag, false);
        const bool playing = cassette != nullptr
                                 ? cassette->ActivePlayer().GetState() == TWavePlayer::StatePlaying
                                 : player().GetMode() == TMPModes::mpPlaying;
        EXPECT_EQ(playing, c.playingAfter);
        EXPECT_EQ(player().GetMode(), c.songAfter);
    }
}

TEST_F(MainControllerTest, ACassettePlayedOnAndStoppedKeepsItsPlace) {
    OpenSongAt(0);
    TWaveFrm& cassette = DockCassette(3000);
    controller.Click(C::cmPlay, false);
    Hear(500);
    controller.Click(C::cmPlay, false);
    EXPECT_EQ(cassette.ActivePlayer().GetPosition(), 500);
}

TEST_F(MainControllerTest, TheTickShowsWhereTheDockedCassettePlays) {
    // The song stands beyond the cassette's end, as it does where a recording began.
    OpenSongAt(15000);
    auto* bar = new TBitmapScrollBar(&frm);
    frm.Groups[TSkinFunction::PlayingPosition].Add(bar);
    DockCassette(3000);
    controller.Click(C::cmPlay, false);
    for (const auto& [heard, shown] : {std::pair{500, "00:00:50"}, std::pair{700, "00:01:20"}}) {
        Hear(heard);
        controller.Tick();
        EXPECT_EQ(Text(TTimeText::CurrentTime), shown);
    }
    EXPECT_EQ(bar->Position(), 1200);
    // Stopped, it shows where it stopped.
    controller.Click(C::cmPlay, false);
    controller.Tick();
    EXPECT_EQ(Text(TTimeText::CurrentTime), "00:01:20");
    EXPECT_EQ(bar->Position(), 1200);
}

TEST_F(MainControllerTest, HeldPositioningPreviewsAndMovesOnceAtRelease) {
    OpenSongAt(15000);
    // Quickness 10: a second held moves ten seconds.
    Hold(C::cmBack, 1000);
    EXPECT_EQ(Text(TTimeText::CurrentTime), "00:05:00");
    EXPECT_EQ(Position(), 15000);
    EXPECT_TRUE(controller.Holding());
    controller.Release(C::cmBack, 1000);
    EXPECT_EQ(Position(), 5000);
    EXPECT_EQ(controller.MediaHistoryPosition(), 5000);
    EXPECT_FALSE(controller.Holding());

    // Past the start the preview stops at the beginning and the song lands there.
    Hold(C::cmBack, 2000);
    EXPECT_EQ(Text(TTimeText::CurrentTime), "00:00:00");
    controller.Release(C::cmBack, 2000);
    EXPECT_EQ(Position(), 0);

    HoldAndRelease(C::cmStep, 300);
    EXPECT_EQ(Position(), 3000);
}

TEST_F(MainControllerTest, ACassetteMovesByItsStepFactor) {
    OpenSongAt(0);
    settings.MainFrmSearchSpeed = 15;
    TWaveFrm& cassette = DockCassette(2000);
    // 0.25 x 15 = 3.75, rounded to 4 ms a held millisecond.
    Hold(C::cmStep, 100);
    EXPECT_EQ(Text(TTimeText::CurrentTime), "00:00:40");
    controller.Release(C::cmStep, 100);
    EXPECT_EQ(cassette.ActivePlayer().GetPosition(), 400);
    EXPECT_EQ(cassette.HistoryPosition, 400);
    HoldAndRelease(C::cmBack, 1000);
    EXPECT_EQ(cassette.ActivePlayer().GetPosition(), 0);
}

TEST_F(MainControllerTest, TheFinestQuicknessMovesAMillisecondAMillisecondHeld) {
    OpenSongAt(5000);
    settings.MainFrmSearchSpeed = 1;
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(8000);
    controller.Click(C::cmRepEndSet, false);
    TRepeatFrm* card = controller.DockedCard();
    ASSERT_NE(card, nullptr);
    // A tap of a tenth of a second moves an end of the card a tenth of a second.
    HoldAndRelease(C::cmRepEndStep, 100);
    EXPECT_EQ(card->EndTime(), 8100);
    HoldAndRelease(C::cmRepStartBack, 100);
    EXPECT_EQ(card->StartTime(), 4900);
    // A short cassette, whose step factor 0.25 would round the quickness to nothing, still moves.
    TWaveFrm& cassette = DockCassette(2000);
    HoldAndRelease(C::cmStep, 100);
    EXPECT_EQ(cassette.ActivePlayer().GetPosition(), 100);
}

TEST_F(MainControllerTest, TheRatioMovesAHundredIn1600MsAndStaysInItsRange) {
    OpenSongAt(0);
    DockCassette(3000);
    EXPECT_EQ(controller.Ratio(), 150);
    // Slower: the copy gets longer.
    Hold(C::cmWaveSlow, 1600);
    EXPECT_EQ(controller.Ratio(), 250);
    EXPECT_EQ(frm.Groups[TSkinFunction::SpeedMeterLabel].Item(0)->windowTitle(), "250%");
    controller.Release(C::cmWaveSlow, 100000);
    EXPECT_EQ(controller.Ratio(), C::MaxRatio);
    HoldAndRelease(C::cmWaveFast, 100000);
    EXPECT_EQ(controller.Ratio(), C::MinRatio);
    EXPECT_TRUE(controller.ExecuteEnabled());
}

struct SpeedCommandCase {
    const char* name;
    bool button; // the meter's button, or the command's key
    int tag;
    std::uint32_t heldMs;
    int ratioAfter;
};

TEST_F(MainControllerTest, SlowerMakesTheCopyLongerFromKeysAndButtonsAlike) {
    // Shift+Down and Shift+Up, as the keys are bound at first.
    constexpr std::uint16_t VkUp = 38;
    constexpr std::uint16_t VkDown = 40;
    FakeInput input;
    events.rkWaveSlow->SetVirtualKey(VkDown);
    events.rkWaveSlow->SetShiftState(ssShift);
    events.rkWaveFast->SetVirtualKey(VkUp);
    events.rkWaveFast->SetShiftState(ssShift);
    TRealTimeButton slower(&frm);
    slower.SetRealTimeAction(events.reWaveSlow);
    TRealTimeButton faster(&frm);
    faster.SetRealTimeAction(events.reWaveFast);
    OpenSongAt(0);
    DockCassette(3000);
    const SpeedCommandCase cases[] = {
        {"a tap of the slower key is one step", false, C::cmWaveSlow, 0, 160},
        {"a tap of the faster key is one step", false, C::cmWaveFast, 0, 140},
        {"a click on the slower button is one step", true, C::cmWaveSlow, 0, 160},
        {"a click on the faster button is one step", true, C::cmWaveFast, 0, 140},
        {"a quick press is still one step", true, C::cmWaveSlow, 100, 160},
        {"the slower key held", false, C::cmWaveSlow, 1600, 250},
        {"the faster key held", false, C::cmWaveFast, 1600, 50},
        {"the slower button held", true, C::cmWaveSlow, 1600, 250},
        {"the faster button held", true, C::cmWaveFast, 1600, 50},
    };
    for (const SpeedCommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        controller.SetRatio(150);
        input.tick = 1000;
        const bool slow = c.tag == C::cmWaveSlow;
        auto press = [&](bool down) {
            if (c.button) {
                SendMouse(slow ? slower : faster,
                          down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease);
            } else {
                input.Hold(down ? std::vector<std::uint16_t>{VkShift, slow ? VkDown : VkUp}
                                : std::vector<std::uint16_t>{});
                PollRealTimeKeys();
            }
        };
        press(true);
        input.tick += c.heldMs;
        // While held the ratio already shows where a release would leave it.
        (slow ? events.reWaveSlow : events.reWaveFast)->Hold();
        EXPECT_EQ(controller.Ratio(), c.ratioAfter);
        press(false);
        EXPECT_EQ(controller.Ratio(), c.ratioAfter);
    }
}

TEST_F(MainControllerTest, TheMeterHandAndTheRatioBarGoLeftAsTheCopyGetsSlower) {
    auto* meter = AddSpeedMeter();
    auto* bar = AddRatioBar();
    OpenSongAt(0);
    DockCassette(3000);
    const int handAt150 = meter->HandTip().x();
    const int barAt150 = bar->Position();

    HoldAndRelease(C::cmWaveSlow, 800);
    EXPECT_EQ(controller.Ratio(), 200);
    EXPECT_LT(meter->HandTip().x(), handAt150);
    EXPECT_LT(bar->Position(), barAt150);
    // The slowest is at the left end of both.
    controller.SetRatio(C::MaxRatio);
    EXPECT_LT(meter->HandTip().x(), meter->Centre().x());
    EXPECT_EQ(bar->Position(), C::MinRatio);

    // Faster: to the right.
    controller.SetRatio(150);
    HoldAndRelease(C::cmWaveFast, 1600);
    EXPECT_EQ(controller.Ratio(), 50);
    EXPECT_GT(meter->HandTip().x(), handAt150);
    EXPECT_GT(bar->Position(), barAt150);
    // Moving the bar to the right makes it faster.
    bar->SetPosition(450);
    EXPECT_EQ(controller.Ratio(), 60);
    EXPECT_EQ(meter->Position(), 60);
}

TEST_F(MainControllerTest, DiscJumpsAndCardTimesStayOnTheDisc) {
    DiscImage disc(data.Path(), {750, 1500}); // 10 s and 20 s
    ASSERT_TRUE(controller.ChangeSong(disc.cuePath));
    player().SetTimeFormat(tfMilliseconds);
    const std::int32_t track1 = player().TrackPosition(1);
    const std::int32_t track2 = player().TrackPosition(2);
    EXPECT_EQ(track2 - track1, 10000);

    // Past the end of the current track: 100 ms before it.
    controller.MediaJump(track1 + 15000);
    EXPECT_EQ(Position(), track2 - 100);

    // With nothing docked the repeat start starts from "unset" and so lands on track 1.
    HoldAndRelease(C::cmRepStartStep, 10);
    ASSERT_NE(controller.DockedCard(), nullptr);
    EXPECT_EQ(controller.DockedCard()->StartTime(), track1);
    // An end past the disc stops at its end, not at its playing time.
    controller.SetCardTime(false, 999999, true);
    EXPECT_EQ(controller.DockedCard()->EndTime(), player().EndPosition());
    EXPECT_EQ(Text(TTimeText::RepeatStop), "00:20:00");
}

TEST_F(MainControllerTest, RepStartSetWithNothingDockedMakesAndFillsACard) {
    OpenSongAt(3000);
    EXPECT_FALSE(Visible(TSkinFunction::Trash));
    controller.Click(C::cmRepStartSet, false);
    TRepeatFrm* card = controller.DockedCard();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->StartTime(), 3000);
    EXPECT_EQ(Text(TTimeText::RepeatStart), "00:03:00");
    EXPECT_TRUE(Visible(TSkinFunction::Trash));
    EXPECT_FALSE(Visible(TSkinFunction::AutoRec)); // not valid yet
    player().SetPosition(4000);
    controller.Click(C::cmRepEndSet, false);
    EXPECT_EQ(card->EndTime(), 4000);
    EXPECT_TRUE(Visible(TSkinFunction::AutoRec));
    EXPECT_TRUE(Visible(TSkinFunction::RepeatPlaySwitch));
    // The song's speed shows with a card docked.
    EXPECT_TRUE(Visible(TSkinFunction::Ratio));
}

TEST_F(MainControllerTest, ACardRepeatLoopsAtItsEndAndTheTickBringsBackASongPastIt) {
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(1500);
    controller.Click(C::cmRepEndSet, false);
    controller.Click(C::cmRepeatPlaySwitch, false);
    EXPECT_EQ(controller.CardRepeatEnd(), 1500);
    EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
    EXPECT_EQ(Position(), 1000);
    Hear(400);
    controller.Tick();
    EXPECT_EQ(Position(), 1400);
    Hear(200);
    controller.Tick();
    EXPECT_EQ(Position(), 1100);
    EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
    // A song put past the end goes back to the start on the next tick.
    player().SetPosition(1800);
    player().Play();
    Hear(100);
    controller.Tick();
    EXPECT_EQ(Position(), 1000);
    EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
    // Switched off, it plays on.
    controller.Click(C::cmRepeatPlaySwitch, true);
    Hear(600);
    controller.Tick();
    EXPECT_EQ(Position(), 1600);
}

TEST_F(MainControllerTest, RecordingWhileHeldKeepsExactlyWhatTheSongPlayed) {
    OpenSongAt(1000);
    controller.Press(C::cmRec);
    ASSERT_NE(controller.RecordingCassette(), nullptr);
    EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
    EXPECT_EQ(controller.DockedWindow(), nullptr);
    Hear(2000);
    controller.Release(C::cmRec, 2000);
    TWaveFrm* cassette = controller.DockedCassette();
    ASSERT_NE(cassette, nullptr);
    EXPECT_EQ(controller.RecordingCassette(), nullptr);
    EXPECT_EQ(cassette->RepeatStartTimeOnFile, 1000);
    EXPECT_EQ(cassette->RepeatStopTimeOnFile, 3000);
    const Bytes file = ReadFile(cassette->FileName());
    const Bytes song = SongBytes(BytesOf(20000));
    EXPECT_EQ(Bytes(file.begin() + 46, file.end()),
              Bytes(song.begin() + BytesOf(1000), song.begin() + BytesOf(3000)));
    // Docked, the cassette puts the song where its recording began.
    EXPECT_EQ(Position(), 1000);
    EXPECT_TRUE(controller.EndOfSongBlocked());

    controller.EjectDocked();
    player().SetPosition(7000);
    controller.DockWindow(cassette, false);
    EXPECT_EQ(Position(), 1000);
}

TEST_F(MainControllerTest, ASectionThatEndsWithTheSongEndsThere) {
    for (const bool automatic : {false, true}) {
        SCOPED_TRACE(automatic ? "automatic recording" : "repeat");
        controller.ReleaseAllWindows();
        OpenSongAt(19000);
        controller.Click(C::cmRepStartSet, false);
        controller.SetCardTime(false, 20000, true);
        controller.Click(automatic ? C::cmAutoRec : C::cmRepeatPlaySwitch, false);
        controller.Tick();
        if (automatic) {
            HearToTheEnd();
            controller.Tick();
            EXPECT_FALSE(controller.AutoRecording());
            ASSERT_NE(controller.DockedCassette(), nullptr);
            EXPECT_EQ(controller.DockedCassette()->RepeatStopTimeOnFile, 20000);
        } else {
            // Repeating, the song player wraps at the song's end and plays on.
            Hear(1500);
            controller.Tick();
            EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
            EXPECT_EQ(Position(), 19500);
        }
        player().Stop();
    }
}

TEST_F(MainControllerTest, StoppingTheSongEndsAnAutomaticRecording) {
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    controller.SetCardTime(false, 3000, true);
    controller.Click(C::cmAutoRec, false);
    Hear(300);
    controller.Click(C::cmStop, false);
    controller.Tick();
    EXPECT_FALSE(controller.AutoRecording());
    ASSERT_NE(controller.DockedCassette(), nullptr);
    EXPECT_EQ(controller.DockedCassette()->ActivePlayer().GetLength(), 300);
}

TEST_F(MainControllerTest, TheCassetteBeingRecordedDocksOnlyWhenItsRecordingEnds) {
    OpenSongAt(1000);
    controller.Press(C::cmRec);
    TWaveFrm* cassette = controller.RecordingCassette();
    Hear(500);
    controller.DockWindow(cassette, true); // as the select window or a drag would
    EXPECT_EQ(controller.DockedWindow(), nullptr);
    EXPECT_EQ(player().GetMode(), TMPModes::mpPlaying);
    Hear(500);
    controller.Release(C::cmRec, 1000);
    EXPECT_EQ(controller.DockedCassette(), cassette);
    EXPECT_EQ(cassette->ActivePlayer().GetLength(), 1000);
}

// A card docked over [startMs, endMs) of the song; the automatic recording's window is counted.
class AutoRecordingTest : public MainControllerTest {
protected:
    AutoRecordingTest() {
        controller.Shell.ShowAutoRecord = [this] { ++shows; };
        controller.Shell.CloseAutoRecord = [this] { ++closes; };
    }
    // A recording still running when a test ends is closed as the controller goes, after this
    // part of the fixture is gone: nothing may count it then.
    ~AutoRecordingTest() override {
        controller.Shell.ShowAutoRecord = nullptr;
        controller.Shell.CloseAutoRecord = nullptr;
    }

    void DockCard(std::int32_t startMs, std::int32_t endMs) {
        controller.SetCardTime(true, startMs, true);
        controller.SetCardTime(false, endMs, true);
    }

    // Lets the song play on, the main timer ticking, until the recording ends by itself.
    void TickUntilTheRecordingEnds() {
        for (int tick = 0; tick < 200 && controller.AutoRecording(); ++tick) {
            Hear(C::TickMilliseconds);
            controller.Tick();
        }
        ASSERT_FALSE(controller.AutoRecording());
    }

    static Bytes SamplesOf(const std::string& wave) {
        const Bytes file = ReadFile(wave);
        return Bytes(file.begin() + 46, file.end());
    }

    int shows = 0;
    int closes = 0;
};

// The song's section as the section export writes it, sample for sample: each time on the
// frame the player seeks it to, ms x 44100 / 1000 rounded down, the end's frame left out.
TEST_F(AutoRecordingTest, TheCassetteHoldsExactlyTheCardsSectionOfTheSong) {
    const Bytes song = SongBytes(BytesOf(20000));
    for (const bool playing : {false, true}) {
        SCOPED_TRACE(playing ? "song playing elsewhere" : "song stopped");
        controller.ReleaseAllWindows();
        OpenSongAt(9000);
        if (playing) {
            player().Play();
            Hear(700);
        }
        DockCard(1234, 3457);
        const int showsBefore = shows;
        controller.Click(C::cmAutoRec, false);
        ASSERT_TRUE(controller.AutoRecording());
        EXPECT_EQ(shows, showsBefore + 1);
        EXPECT_EQ(controller.CardRepeatEnd(), 3457);
        TickUntilTheRecordingEnds();
        EXPECT_EQ(closes, shows);
        EXPECT_EQ(controller.CardRepeatEnd(), -1);
        TWaveFrm* cassette = controller.DockedCassette();
        ASSERT_NE(cassette, nullptr);
        EXPECT_EQ(cassette->RepeatStartTimeOnFile, 1234);
        const Bytes recorded = SamplesOf(cassette->FileName());
        EXPECT_EQ(recorded, Bytes(song.begin() + 54419 * 4, song.begin() + 152453 * 4));
        const std::string exported = data.File("section.wav");
        ExportSongSection(player(), 1234, 3457, exported);
        EXPECT_EQ(recorded, SamplesOf(exported));
    }
    // The end was the automatic recording's: a recording held by hand takes what it hears.
    controller.Press(C::cmRec);
    Hear(500);
    controller.Release(C::cmRec, 500);
    ASSERT_NE(controller.DockedCassette(), nullptr);
    EXPECT_EQ(controller.DockedCassette()->ActivePlayer().GetLength(), 500);
}

// Recorded from the input device, the recording runs to the first tick past the card's end.
TEST_F(AutoRecordingTest, FromTheInputDeviceItEndsOnTheFirstTickPastTheEnd) {
    settings.RecordSource = RecordSourceInput;
    controller.ApplyRecordSource();
    OpenSongAt(0);
    DockCard(1000, 1500);
    controller.Click(C::cmAutoRec, false);
    ASSERT_TRUE(controller.AutoRecording());
    EXPECT_EQ(Position(), 1000);
    Hear(500);
    controller.Tick();
    EXPECT_TRUE(controller.AutoRecording()); // at the end, not past it
    Hear(C::TickMilliseconds);
    controller.Tick();
    EXPECT_FALSE(controller.AutoRecording());
    EXPECT_EQ(closes, 1);
    ASSERT_NE(controller.DockedCassette(), nullptr);
    EXPECT_EQ(controller.DockedCassette()->RepeatStopTimeOnFile, 1500 + C::TickMilliseconds);
}

TEST_F(AutoRecordingTest, WithoutAValidCardDockedNothingHappens) {
    enum Docked { Cassette, Nothing, EndUnset, EndBeforeStart };
    for (const Docked docked : {Cassette, Nothing, EndUnset, EndBeforeStart}) {
        SCOPED_TRACE(docked);
        controller.ReleaseAllWindows();
        OpenSongAt(5000);
        switch (docked) {
        case Cassette:
            DockCassette(1000);
            break;
        case Nothing:
            break;
        case EndUnset:
            controller.SetCardTime(true, 1000, true);
            break;
        case EndBeforeStart:
            DockCard(3000, 2000);
            break;
        }
        TQvrBaseFrm* before = controller.DockedWindow();
        controller.Click(C::cmAutoRec, false);
        EXPECT_FALSE(controller.AutoRecording());
        EXPECT_EQ(controller.RecordingCassette(), nullptr);
        EXPECT_EQ(controller.DockedWindow(), before);
        EXPECT_EQ(shows, 0);
        EXPECT_NE(player().GetMode(), TMPModes::mpPlaying);
    }
}

// A card kept from a longer take of the song begins after this one ends: there is nothing of it
// to record, and the song is not played from its beginning instead.
TEST_F(AutoRecordingTest, ACardBeginningAfterTheSongsEndRecordsNothing) {
    for (const int source : {RecordSourceSong, RecordSourceInput}) {
        SCOPED_TRACE(source);
        settings.RecordSource = source;
        controller.ApplyRecordSource();
        controller.ReleaseAllWindows();
        OpenSongAt(5000);
        DockCard(1000, 2000);
        controller.DockedCard()->SetStartTime(25000);
        controller.DockedCard()->SetEndTime(30000);
        controller.Click(C::cmAutoRec, false);
        EXPECT_FALSE(controller.AutoRecording());
        EXPECT_EQ(controller.RecordingCassette(), nullptr);
        EXPECT_EQ(shows, 0);
        EXPECT_NE(player().GetMode(), TMPModes::mpPlaying);
    }
}

// The cassette's file is gone when the recording stops: the error is told after the window
// has closed, and no flag stays set.
TEST_F(AutoRecordingTest, AStopThatFailsStillClosesTheWindowAndClearsTheFlags) {
    OpenSongAt(0);
    DockCard(1000, 3000);
    controller.Click(C::cmAutoRec, false);
    ASSERT_TRUE(controller.AutoRecording());
    Hear(300);
    std::filesystem::remove(controller.RecordingCassette()->FileName());
    int closedBeforeTheBox = -1;
    const QPointer<QTimer> watch = WhenModalOfTypeShown<QMessageBox>([&](QMessageBox* box) {
        closedBeforeTheBox = closes;
        box->button(QMessageBox::Cancel)->click();
    });
    controller.StopAutoRecording();
    delete watch;
    EXPECT_EQ(closedBeforeTheBox, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(controller.AutoRecording());
    EXPECT_EQ(controller.CardRepeatEnd(), -1);
    EXPECT_EQ(controller.RecordingCassette(), nullptr);
}

// Keeps what the song's cassette looks like when it is saved.
class CassetteSnapshotStore : public TSongDataStore {
public:
    void SaveSongData(const std::string&, const TPracticeSettings&) override {
        for (TQvrBaseFrm* window : QvrWindows()) {
            if (auto* cassette = dynamic_cast<TWaveFrm*>(window)) {
                docked = cassette->IsDocked();
                stopTime = cassette->RepeatStopTimeOnFile;
                repeatEnd = cassette->ActivePlayer().GetRepeatEnd();
            }
        }
    }
    std::optional<TPracticeSettings> LoadSongData(const std::string&) override {
        return std::nullopt;
    }

    bool docked = false;
    std::int32_t stopTime = -1;
    std::int32_t repeatEnd = -1;
};

// The program ends (a logout, a kill) while a recording runs: the recording ends as its Stop or
// its key's release would, so the cassette kept has its length, its end on the song and its
// place at the docking point.
TEST_F(AutoRecordingTest, ARecordingRunningAtShutDownEndsBeforeItIsSaved) {
    for (const bool automatic : {true, false}) {
        SCOPED_TRACE(automatic ? "automatic" : "held");
        CassetteSnapshotStore store;
        controller.SetSongDataStore(&store);
        OpenSongAt(1000);
        DockCard(1000, 5000);
        if (automatic) {
            controller.Click(C::cmAutoRec, false);
        } else {
            controller.Press(C::cmRec);
        }
        Hear(500);
        controller.SaveAtShutDown();
        controller.SetSongDataStore(nullptr);
        EXPECT_FALSE(controller.AutoRecording());
        EXPECT_EQ(closes, 1);
        EXPECT_TRUE(store.docked);
        EXPECT_EQ(store.stopTime, 1500);
        EXPECT_EQ(store.repeatEnd, 500);
        controller.ReleaseAllWindows();
    }
}

TEST_F(MainControllerTest, RecordingASongStoppedAtItsEndStartsFromItsBeginning) {
    OpenSongAt(0);
    player().SetPosition(player().EndPosition());
    controller.Press(C::cmRec);
    EXPECT_EQ(controller.RecordingCassette()->RepeatStartTimeOnFile, 0);
    controller.Release(C::cmRec, 0);
}

TEST_F(MainControllerTest, SpeedChangeAndRestoreKeepRepeatAndPlaying) {
    OpenSongAt(0);
    TWaveFrm& cassette = DockCassette(2000);
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_TRUE(cassette.ActivePlayer().RepeatEnabled);
    ASSERT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StatePlaying);
    controller.SetRatio(200);
    controller.Click(C::cmExecSpeedChange, false);
    // While the copy is made, the cassette waits and takes no other change of speed.
    EXPECT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StateStopped);
    controller.Click(C::cmExecSpeedChange, false);
    controller.Click(C::cmRestoreSpeedChange, false);
    EXPECT_TRUE(controller.ExecuteEnabled());
    ASSERT_TRUE(WaitUntilSpeedChanged(cassette));
    ASSERT_TRUE(cassette.IsStretched());
    EXPECT_TRUE(cassette.ActivePlayer().RepeatEnabled);
    EXPECT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StatePlaying);
    EXPECT_TRUE(Visible(TSkinFunction::RestoreSpeedChange));
    EXPECT_FALSE(Visible(TSkinFunction::ExecSpeedChange));
    EXPECT_FALSE(controller.ExecuteEnabled());
    controller.Click(C::cmRestoreSpeedChange, false);
    EXPECT_FALSE(cassette.IsStretched());
    EXPECT_TRUE(cassette.ActivePlayer().RepeatEnabled);
    EXPECT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StatePlaying);
    EXPECT_TRUE(Visible(TSkinFunction::ExecSpeedChange));
    // A new skin shows the execute button of an unchanged cassette, and it works.
    frm.OnSkinLoaded();
    ASSERT_TRUE(Visible(TSkinFunction::ExecSpeedChange));
    controller.Click(C::cmExecSpeedChange, false);
    ASSERT_TRUE(WaitUntilSpeedChanged(cassette));
    EXPECT_TRUE(cassette.IsStretched());
    EXPECT_TRUE(messages.empty());
}

// A skin of a 300 x 120 main window whose cassettes dock at `dock`.
void WriteSkin(const std::string& folder, QPoint dock) {
    std::filesystem::create_directories(folder);
    QFile file(QString::fromStdString(folder + "/skin.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<Quavrel>\n"
                              "  <Mainfrm>\n"
                              "    <Width Value=\"300\"/>\n"
                              "    <Height Value=\"120\"/>\n"
                              "  </Mainfrm>\n"
                              "  <Wavefrm>\n"
                              "    <Width Value=\"200\"/>\n"
                              "    <Height Value=\"60\"/>\n"
                              "    <DockingPointLeft Value=\"%1\"/>\n"
                              "    <DockingPointTop Value=\"%2\"/>\n"
                              "  </Wavefrm>\n"
                              "</Quavrel>\n")
                   .arg(dock.x())
                   .arg(dock.y())
                   .toUtf8());
}

TEST_F(MainControllerTest, ANewSkinTakesTheDockedWindowToItsDockingPointAndOthersMakeWay) {
    WriteSkin(data.File("beside"), {300, 30});
    WriteSkin(data.File("below"), {40, 120});
    ASSERT_TRUE(LoadSkin(frm, "beside"));
    TWaveFrm& docked = DockCassette(1000);
    auto* other = new TWaveFrm(controller);
    other->move(20, 400);
    ASSERT_EQ(docked.pos(), frm.pos() + QPoint(300, 30));

    // Where the next skin docks.
    auto* inTheWay = new TWaveFrm(controller);
    inTheWay->move(frm.pos() + QPoint(60, 130));

    ASSERT_TRUE(LoadSkin(frm, "below"));
    EXPECT_EQ(docked.pos(), frm.pos() + QPoint(40, 120));
    EXPECT_EQ(other->pos(), QPoint(20, 400));
    ASSERT_TRUE(inTheWay->Gliding());
    const QRect madeWay(inTheWay->GlideTarget(), inTheWay->size());
    EXPECT_FALSE(madeWay.intersects(docked.geometry()));
    EXPECT_FALSE(madeWay.intersects(frm.frameGeometry()));

    // A main window that the skin moves back onto the screen takes the docked window along.
    const QRect screen = frm.screen()->geometry();
    frm.move(screen.right() - 100, screen.top() + 10);
    ASSERT_TRUE(LoadSkin(frm, "beside"));
    ASSERT_EQ(frm.pos(), QPoint(screen.right() + 1 - 300, screen.top() + 10));
    EXPECT_EQ(docked.pos(), frm.pos() + QPoint(300, 30));
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainControllerTest, ANewSkinKeepsItsEmptyDockingPlaceClear) {
    WriteSkin(data.File("beside"), {300, 30});
    WriteSkin(data.File("below"), {40, 120});
    ASSERT_TRUE(LoadSkin(frm, "beside"));
    auto* onTheDock = new TWaveFrm(controller);
    onTheDock->move(frm.pos() + QPoint(60, 130));
    ASSERT_TRUE(LoadSkin(frm, "below"));
    ASSERT_TRUE(onTheDock->Gliding());
    const QRect madeWay(onTheDock->GlideTarget(), onTheDock->size());
    EXPECT_FALSE(madeWay.intersects(QRect(frm.pos() + QPoint(40, 120), QSize(200, 60))));
}

TEST_F(MainControllerTest, ASpeedChangeThatFailsShowsItsErrorAndTheCassettePlaysOn) {
    OpenSongAt(0);
    // Three channels, which no engine takes.
    TWaveFrm& cassette = DockCassette(2000, MakePcmWaveFormat(3, 44100, 16));
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StatePlaying);
    QString shown;
    const QPointer<QTimer> watch = WhenModalOfTypeShown<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    controller.Click(C::cmExecSpeedChange, false);
    ASSERT_TRUE(WaitUntilSpeedChanged(cassette));
    delete watch;
    EXPECT_TRUE(shown.contains("not supported file type")) << shown.toStdString();
    EXPECT_FALSE(cassette.IsStretched());
    EXPECT_EQ(cassette.ActivePlayer().GetState(), TWavePlayer::StatePlaying);
    EXPECT_TRUE(controller.ExecuteEnabled());
    EXPECT_TRUE(Visible(TSkinFunction::ExecSpeedChange));
}

TEST_F(MainControllerTest, AWindowQueuedForClosingIsClosingUntilTheTickReleasesIt) {
    const QPointer<TWaveFrm> queued = new TWaveFrm(controller);
    const QPointer<TWaveFrm> kept = new TWaveFrm(controller);
    controller.QueueClose(queued);
    EXPECT_TRUE(controller.Closing(queued));
    EXPECT_FALSE(controller.Closing(kept));
    controller.Tick();
    EXPECT_FALSE(controller.Closing(queued));
    // Released windows go once control is back in the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(queued.isNull());
    EXPECT_FALSE(controller.Closing(kept));
}

TEST_F(MainControllerTest, AMissingSongIsReportedAndNothingStaysOpen) {
    OpenSongAt(0);
    EXPECT_FALSE(controller.ChangeSong(data.File("gone.wav")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              QString(SFileNotFound).replace("%s", QString::fromStdString(data.File("gone.wav"))));
    EXPECT_FALSE(player().IsOpen());
    EXPECT_TRUE(controller.SongPath().empty());
    EXPECT_EQ(Text(TTimeText::CurrentTime), SNoData);
}

TEST_F(MainControllerTest, TheWindowTitleNamesTheOpenSong) {
    controller.Start();
    EXPECT_EQ(frm.windowTitle(), "Quavrel 4.00");
    ASSERT_TRUE(controller.ChangeSong(songPath));
    EXPECT_EQ(frm.windowTitle(), "song.wav - Quavrel 4.00");
    DiscImage disc(data.Path(), {750});
    ASSERT_TRUE(controller.ChangeSong(disc.cuePath));
    EXPECT_EQ(frm.windowTitle(),
              QString(SPlayCD).replace("%s", disc.cuePath.c_str()) + " - Quavrel 4.00");
    EXPECT_FALSE(controller.ChangeSong(data.File("gone.wav")));
    EXPECT_EQ(frm.windowTitle(), "Quavrel 4.00");
}

TEST_F(MainControllerTest, ASongClosedAndOpenedAgainGetsItsWindowsBack) {
    TSongWindows store(controller);
    controller.SetSongDataStore(&store);
    const std::string other = data.File("other.wav");
    WriteWave(other, Stereo16, SongBytes(BytesOf(5000)));
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    controller.Press(C::cmRec);
    Hear(500);
    controller.Release(C::cmRec, 500);
    ASSERT_EQ(QvrWindows().size(), 2u);
    const Bytes recorded = ReadFile(controller.DockedCassette()->FileName());

    ASSERT_TRUE(controller.ChangeSong(other));
    EXPECT_TRUE(QvrWindows().empty());
    ASSERT_TRUE(controller.ChangeSong(songPath));
    ASSERT_EQ(QvrWindows().size(), 2u);
    TWaveFrm* cassette = controller.DockedCassette();
    ASSERT_NE(cassette, nullptr);
    EXPECT_EQ(ReadFile(cassette->FileName()), recorded);
    EXPECT_EQ(cassette->RepeatStartTimeOnFile, 1000);
    const auto card = std::find_if(QvrWindows().begin(), QvrWindows().end(),
                                   [](auto* window) { return window->Kind() == TQvrKind::Card; });
    ASSERT_NE(card, QvrWindows().end());
    EXPECT_EQ(static_cast<TRepeatFrm*>(*card)->StartTime(), 1000);
}

// Keeps nothing; fails when asked to, as a full disk would.
class FailingStore : public TSongDataStore {
public:
    void SaveSongData(const std::string&, const TPracticeSettings&) override {
        if (fail) {
            throw std::runtime_error("disk full");
        }
    }
    std::optional<TPracticeSettings> LoadSongData(const std::string&) override {
        return std::nullopt;
    }
    bool fail = false;
};

TEST_F(MainControllerTest, AFailedSaveAsksOnceAndKeepsTheWindowsUntilTheNextSongChange) {
    FailingStore store;
    controller.SetSongDataStore(&store);
    controller.Start();
    OpenSongAt(2000);
    controller.Click(C::cmRepStartSet, false);
    store.fail = true;
    int boxes = 0;
    WhenModalShown([&](QWidget* window) {
        ++boxes;
        // The box holds the tick back: nothing is saved or released while it is open.
        controller.Tick();
        controller.Tick();
        EXPECT_FALSE(events.Timer1->isActive());
        qobject_cast<QMessageBox*>(window)->button(QMessageBox::Cancel)->click();
    });
    player().Close(); // the song goes away: its windows are to be saved
    for (int tick = 0; tick < 5; ++tick) {
        controller.Tick();
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(QvrWindows().size(), 1u);
    EXPECT_TRUE(events.Timer1->isActive());

    // A song change asks again; going on keeps the windows, and no other song opens.
    WhenModalShown([&](QWidget* window) {
        ++boxes;
        qobject_cast<QMessageBox*>(window)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(controller.ChangeSong(songPath));
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(QvrWindows().size(), 1u);
    EXPECT_FALSE(player().IsOpen());

    store.fail = false;
    EXPECT_TRUE(controller.ChangeSong(songPath));
    EXPECT_TRUE(QvrWindows().empty());
}

// Saves slowly: while it does, the program may ask for other songs.
class ReentrantStore : public TSongDataStore {
public:
    void SaveSongData(const std::string& key, const TPracticeSettings&) override {
        EXPECT_FALSE(busy) << "a save inside a save";
        busy = true;
        if (duringSave) {
            duringSave();
        }
        saved.push_back(key);
        busy = false;
    }
    std::optional<TPracticeSettings> LoadSongData(const std::string& key) override {
        EXPECT_FALSE(busy) << "a load inside a save";
        loaded.push_back(key);
        return std::nullopt;
    }
    std::function<void()> duringSave;
    std::vector<std::string> saved;
    std::vector<std::string> loaded;
    bool busy = false;
};

TEST_F(MainControllerTest, ASongAskedForDuringASongChangeFollowsOnceItEnds) {
    ReentrantStore store;
    controller.SetSongDataStore(&store);
    const std::string second = data.File("second.wav");
    const std::string third = data.File("third.wav");
    WriteWave(second, Stereo16, SongBytes(BytesOf(5000)));
    WriteWave(third, Stereo16, SongBytes(BytesOf(5000)));
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    bool handedOver = false;
    store.duringSave = [&] {
        if (!std::exchange(handedOver, true)) {
            // A song handed over and a tick, while the first change saves.
            EXPECT_FALSE(controller.ChangeSong(third));
            controller.Tick();
        }
    };
    EXPECT_TRUE(controller.ChangeSong(second));
    EXPECT_EQ(controller.SongPath(), second);
    controller.Tick();
    EXPECT_EQ(controller.SongPath(), third);
    EXPECT_EQ(store.saved, (std::vector<std::string>{songPath, second}));
    EXPECT_EQ(store.loaded, (std::vector<std::string>{songPath, second, third}));
}

TEST_F(MainControllerTest, WhileADialogIsOpenNoSongChangesAndNoWindowGoes) {
    ReentrantStore store;
    controller.SetSongDataStore(&store);
    const std::string second = data.File("second.wav");
    WriteWave(second, Stereo16, SongBytes(BytesOf(5000)));
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    ASSERT_EQ(QvrWindows().size(), 1u);
    const QPointer<TQvrBaseFrm> card = QvrWindows().front();

    auto* dialog = new QDialog(&frm);
    dialog->open();
    controller.QueueClose(card);
    EXPECT_FALSE(controller.ChangeSong(second));
    for (int tick = 0; tick < 3; ++tick) {
        controller.Tick();
    }
    ProcessGuiEvents();
    EXPECT_EQ(controller.SongPath(), songPath);
    EXPECT_TRUE(store.saved.empty());
    ASSERT_FALSE(card.isNull());
    EXPECT_TRUE(controller.Closing(card));

    // The first tick after the dialog closes does what waited: the card the user closed is not
    // kept with the song.
    delete dialog;
    controller.Tick();
    EXPECT_EQ(controller.SongPath(), second);
    EXPECT_EQ(store.saved, std::vector<std::string>{songPath});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(card.isNull());
    EXPECT_TRUE(QvrWindows().empty());
}

TEST_F(MainControllerTest, ReleasedWindowsGoOnceControlIsBackInTheEventLoop) {
    OpenSongAt(1000);
    TWaveFrm& cassette = DockCassette(1000);
    const QPointer<TWaveFrm> docked = &cassette;
    cassette.ActivePlayer().Play();
    // A command from the cassette's own menu releases it: it must outlive that handler.
    controller.CloseDocked();
    EXPECT_TRUE(QvrWindows().empty());
    EXPECT_EQ(controller.DockedWindow(), nullptr);
    ASSERT_FALSE(docked.isNull());
    EXPECT_FALSE(docked->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(docked.isNull());
}

TEST_F(MainControllerTest, WithTheTrayOpenCommandsAndAStartDoNothing) {
    DiscImage disc(data.Path(), {750});
    int boxes = 0;
    const QPointer<QTimer> watch = WhenModalOfTypeShown<QMessageBox>([&](QMessageBox* box) {
        ++boxes;
        box->reject();
    });
    ASSERT_TRUE(controller.ChangeSong(disc.cuePath));
    controller.Click(C::cmEject, false);
    ASSERT_TRUE(player().IsOpen());
    ASSERT_FALSE(player().IsReady());
    controller.Tick();
    for (int tag : {C::cmPlay, C::cmRepStartSet, C::cmHistoryBack, C::cmJumpToStartTime}) {
        controller.Click(tag, false);
    }
    HoldAndRelease(C::cmBack, 500);
    controller.Press(C::cmRec);
    controller.Release(C::cmRec, 100);
    EXPECT_TRUE(QvrWindows().empty());

    // The last song was the disc, to be played on at 2.5 s: the start finds no disc to play.
    settings.FileName = disc.cuePath;
    settings.StopCDPlayerWhenExit = true;
    settings.CDPlayerPosition = 2500;
    settings.CDPlayerPlaying = true;
    controller.Start();
    controller.Tick();
    ProcessGuiEvents();
    delete watch;
    EXPECT_EQ(boxes, 0);
    EXPECT_FALSE(player().IsReady());
    EXPECT_TRUE(QvrWindows().empty());
    EXPECT_TRUE(events.Timer1->isActive());
    // The tray closes for the next test's disc.
    controller.Click(C::cmEject, false);
}

// --- practising the song

QString SpeedLabel(const TFakeFace& frm) {
    return frm.Groups[TSkinFunction::SpeedMeterLabel].Item(0)->windowTitle();
}

struct SongSpeedCase {
    const char* name;
    int speedBefore;
    int tag;
    std::int32_t heldMs;
    int speedAfter;
};

TEST_F(MainControllerTest, SlowerAndFasterChangeTheSongsSpeedWithTheCassettesHoldMaths) {
    const SongSpeedCase cases[] = {
        {"a tap of slower is one step", 100, C::cmWaveSlow, 0, 95},
        {"a tap of faster is one step", 100, C::cmWaveFast, 0, 105},
        {"a quick press is still one step", 100, C::cmWaveSlow, 60, 95},
        {"held, a point every 16 ms", 100, C::cmWaveFast, 320, 120},
        {"held, slower", 100, C::cmWaveSlow, 800, 50},
        {"never slower than a quarter", 50, C::cmWaveSlow, 100000, 25},
        {"never faster than twice", 150, C::cmWaveFast, 100000, 200},
    };
    OpenSongAt(0);
    for (const bool card : {false, true}) {
        if (card) {
            controller.Click(C::cmRepStartSet, false);
            ASSERT_EQ(controller.Mode(), C::ModeCard);
        }
        for (const SongSpeedCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (card ? " (card docked)" : ""));
            controller.SetSongSpeed(c.speedBefore);
            HoldAndRelease(c.tag, c.heldMs);
            EXPECT_EQ(controller.SongSpeed(), c.speedAfter);
            EXPECT_EQ(player().Tempo().Speed, c.speedAfter / 100.0);
            EXPECT_EQ(SpeedLabel(frm), QString("Speed %1%").arg(c.speedAfter));
        }
    }
    controller.Click(C::cmSpeedReset, false);
    EXPECT_EQ(controller.SongSpeed(), 100);
    EXPECT_TRUE(player().Tempo().IsNeutral());
}

struct SpeedScaleCase {
    int speed;
    int meter; // where the cassette's ratio for that speed stands
    int bar;
};

// The song at speed s stands where a cassette's ratio of 10000 / s stands: the slow side of the
// meter and the bar is slow in every mode, and dragging the bar sets the speed.
TEST_F(MainControllerTest, TheMeterAndTheRatioBarShowTheSongsSpeedOnTheCassettesScale) {
    auto* meter = AddSpeedMeter();
    auto* bar = AddRatioBar();
    OpenSongAt(0);
    const SpeedScaleCase cases[] = {
        {100, 100, 410}, {50, 200, 310}, {75, 133, 377}, {25, 400, 110},
        {150, 67, 443},  {199, 50, 460}, {200, 50, 460},
    };
    for (const SpeedScaleCase& c : cases) {
        SCOPED_TRACE(c.speed);
        controller.SetSongSpeed(c.speed);
        // The bar moved from here does not come back as another speed.
        EXPECT_EQ(controller.SongSpeed(), c.speed);
        EXPECT_EQ(meter->Position(), c.meter);
        EXPECT_EQ(bar->Position(), c.bar);
        EXPECT_EQ(C::RatioOfSongSpeed(c.speed), c.meter);
    }
    // A bar dragged past the song's speeds, or between two of them, goes back to where the
    // speed it gave stands, as the meter does.
    const struct {
        int barAt;
        int speed;
        int barAfter;
    } drags[] = {{410, 100, 410}, {310, 50, 310}, {10, 25, 110},
                 {500, 200, 460}, {343, 60, 343}, {120, 26, 125}};
    for (const auto& [barAt, speed, barAfter] : drags) {
        SCOPED_TRACE(barAt);
        bar->SetPosition(barAt);
        EXPECT_EQ(controller.SongSpeed(), speed);
        EXPECT_EQ(bar->Position(), barAfter);
        EXPECT_EQ(meter->Position(), C::RatioBarPosition(barAfter));
        EXPECT_EQ(player().Tempo().Speed, speed / 100.0);
        EXPECT_EQ(SpeedLabel(frm), QString("Speed %1%").arg(speed));
    }
}

TEST_F(MainControllerTest, TheSpeedControlsShowTheSongOrTheDockedCassetteAsTheModeChanges) {
    auto* meter = AddSpeedMeter();
    OpenSongAt(0);
    controller.SetSongSpeed(75);
    for (const TSkinFunction group : {TSkinFunction::Ratio, TSkinFunction::WaveSlow,
                                      TSkinFunction::WaveFast, TSkinFunction::SpeedMeterLabel}) {
        EXPECT_TRUE(Visible(group));
    }
    DockCassette(3000);
    EXPECT_EQ(SpeedLabel(frm), "150%");
    EXPECT_EQ(meter->Position(), 150);
    // In mode 3 the commands change the cassette's ratio, not the song's speed.
    HoldAndRelease(C::cmWaveSlow, 0);
    EXPECT_EQ(controller.Ratio(), 160);
    EXPECT_EQ(controller.SongSpeed(), 75);
    controller.EjectDocked();
    ASSERT_EQ(controller.Mode(), C::ModeNothing);
    EXPECT_EQ(SpeedLabel(frm), "Speed 75%");
    EXPECT_EQ(meter->Position(), 133);
    controller.Click(C::cmRepStartSet, false);
    EXPECT_EQ(SpeedLabel(frm), "Speed 75%");
}

struct TransposeCase {
    const char* name;
    int semitonesBefore;
    int centsBefore;
    int tag;
    int semitonesAfter;
    int centsAfter;
};

TEST_F(MainControllerTest, TheTransposeTextLeavesOutWhatIsZero) {
    const struct {
        int semitones;
        int cents;
        const char* text;
    } cases[] = {{0, 0, ""}, {3, 0, "+3 st"}, {0, -20, "-20 ct"}, {-12, -50, "-12 st -50 ct"}};
    for (const auto& c : cases) {
        controller.SetTranspose(c.semitones, c.cents);
        EXPECT_EQ(controller.TransposeText(), c.text);
        EXPECT_EQ(frm.Groups[TSkinFunction::TransposeLabel].Item(0)->windowTitle(), c.text);
    }
}

TEST_F(MainControllerTest, TransposeMovesBySemitonesAndTenCentsWithinTheirRanges) {
    const TransposeCase cases[] = {
        {"up a semitone", 0, 0, C::cmTransposeUp, 1, 0},
        {"down a semitone keeps the cents", 2, 30, C::cmTransposeDown, 1, 30},
        {"an octave up at most", 12, 0, C::cmTransposeUp, 12, 0},
        {"an octave down at most", -12, -20, C::cmTransposeDown, -12, -20},
        {"up ten cents", 3, 0, C::cmCentsUp, 3, 10},
        {"down ten cents", 0, 0, C::cmCentsDown, 0, -10},
        {"fifty cents up at most", 0, 50, C::cmCentsUp, 0, 50},
        {"fifty cents down at most", -1, -50, C::cmCentsDown, -1, -50},
    };
    OpenSongAt(0);
    controller.SetSongSpeed(80);
    for (const TransposeCase& c : cases) {
        SCOPED_TRACE(c.name);
        controller.SetTranspose(c.semitonesBefore, c.centsBefore);
        controller.Click(c.tag, false);
        EXPECT_EQ(controller.TransposeSemitones(), c.semitonesAfter);
        EXPECT_EQ(controller.TransposeCents(), c.centsAfter);
        EXPECT_EQ(player().Tempo().Cents, c.semitonesAfter * 100 + c.centsAfter);
        EXPECT_EQ(frm.Groups[TSkinFunction::TransposeLabel].Item(0)->windowTitle(),
                  controller.TransposeText());
        // The speed stays.
        EXPECT_EQ(player().Tempo().Speed, 0.8);
    }
}

// The card's section loops in the song player while the card repeats; whatever ends the repeat
// or moves the section takes the player's loop along.
TEST_F(MainControllerTest, ARepeatingCardLoopsInTheSongPlayerUntilTheRepeatEnds) {
    using Loop = std::optional<std::pair<std::int32_t, std::int32_t>>;
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(3000);
    controller.Click(C::cmRepEndSet, false);
    EXPECT_EQ(controller.SongLoop(), Loop());
    controller.Click(C::cmRepeatPlaySwitch, false);
    EXPECT_EQ(controller.SongLoop(), Loop({1000, 3000}));
    // An end moved moves the loop.
    controller.SetCardTime(false, 2500, true);
    EXPECT_EQ(controller.SongLoop(), Loop({1000, 2500}));
    controller.Click(C::cmRepeatPlaySwitch, true);
    EXPECT_EQ(controller.SongLoop(), Loop());
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_EQ(controller.SongLoop(), Loop({1000, 2500}));
    // The card goes: so does the loop.
    TRepeatFrm* card = controller.DockedCard();
    controller.EjectDocked();
    EXPECT_EQ(controller.SongLoop(), Loop());
    controller.DockWindow(card, false);
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_EQ(controller.SongLoop(), Loop({1000, 2500}));
    // Another song: the loop ended with the old one.
    const std::string other = data.File("other.wav");
    WriteWave(other, Stereo16, SongBytes(BytesOf(5000)));
    ASSERT_TRUE(controller.ChangeSong(other));
    EXPECT_EQ(controller.SongLoop(), Loop());
}

TEST_F(AutoRecordingTest, TheSectionRecordedDoesNotLoop) {
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(2000);
    controller.Click(C::cmRepEndSet, false);
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_TRUE(controller.SongLoop().has_value());
    controller.Click(C::cmAutoRec, false);
    ASSERT_TRUE(controller.AutoRecording());
    EXPECT_FALSE(controller.SongLoop().has_value());
}

TEST_F(MainControllerTest, TheTrainerStartsALoopingCardAtItsStartSpeedAndShowsItself) {
    OpenSongAt(1000);
    controller.SetTrainerOptions(60, 10, 90);
    controller.Click(C::cmSpeedTrainer, false);
    EXPECT_TRUE(controller.Practice().TrainerOn);
    // Nothing loops yet: the song plays on as it was.
    EXPECT_FALSE(controller.SpeedTrainerRunning());
    EXPECT_EQ(controller.SongSpeed(), 100);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(3000);
    controller.Click(C::cmRepEndSet, false);
    controller.Click(C::cmRepeatPlaySwitch, false);
    EXPECT_TRUE(controller.SpeedTrainerRunning());
    EXPECT_EQ(controller.SongSpeed(), 60);
    EXPECT_EQ(SpeedLabel(frm), "Trainer 60%");
    // A speed the user sets ends the run.
    HoldAndRelease(C::cmWaveFast, 0);
    EXPECT_FALSE(controller.SpeedTrainerRunning());
    EXPECT_EQ(SpeedLabel(frm), "Speed 65%");
    // Switched off and on again, the run starts again.
    controller.Click(C::cmSpeedTrainer, false);
    controller.Click(C::cmSpeedTrainer, false);
    EXPECT_EQ(SpeedLabel(frm), "Trainer 60%");
    controller.Click(C::cmRepeatPlaySwitch, true);
    EXPECT_FALSE(controller.SpeedTrainerRunning());
    EXPECT_EQ(SpeedLabel(frm), "Speed 60%");
}

TEST_F(MainControllerTest, EachSongKeepsHowItIsPractisedAndANewSongTakesTheDefaults) {
    TSongWindows store(controller);
    controller.SetSongDataStore(&store);
    settings.Practice.Speed = 90;
    const std::string other = data.File("other.wav");
    WriteWave(other, Stereo16, SongBytes(BytesOf(5000)));
    OpenSongAt(0);
    EXPECT_EQ(controller.SongSpeed(), 90);
    controller.SetSongSpeed(70);
    controller.SetTranspose(-3, 20);
    controller.SetTrainerOptions(50, 5, 80);
    controller.SetSpeedTrainerOn(true);
    const TPracticeSettings practised = controller.Practice();

    ASSERT_TRUE(controller.ChangeSong(other));
    EXPECT_EQ(controller.Practice(), Bounded(settings.Practice));
    EXPECT_EQ(player().Tempo().Speed, 0.9);
    ASSERT_TRUE(controller.ChangeSong(songPath));
    EXPECT_EQ(controller.Practice(), practised);
    EXPECT_EQ(player().Tempo().Speed, 0.7);
    EXPECT_EQ(player().Tempo().Cents, -280);
}

// The song player wraps at the card's end itself: the song never plays past it, tick or not.
TEST_F(MainControllerTest, ARepeatingCardWrapsInTheSongPlayerBeforeAnyTick) {
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(1500);
    controller.Click(C::cmRepEndSet, false);
    controller.Click(C::cmRepeatPlaySwitch, false);
    ASSERT_EQ(Position(), 1000);
    Hear(600);
    EXPECT_EQ(player().LoopPasses(), 1);
    EXPECT_NEAR(Position(), 1100, 5);
}

TEST_F(MainControllerTest, TheTrainerPlaysEachPassOfTheLoopAtItsNextSpeed) {
    OpenSongAt(1000);
    controller.Click(C::cmRepStartSet, false);
    player().SetPosition(1500);
    controller.Click(C::cmRepEndSet, false);
    controller.SetTrainerOptions(50, 25, 100);
    controller.SetSpeedTrainerOn(true);
    controller.Click(C::cmRepeatPlaySwitch, false);
    std::vector<int> speeds = {controller.SongSpeed()};
    for (int tick = 0; tick < 100 && controller.SpeedTrainerRunning(); ++tick) {
        Hear(C::TickMilliseconds);
        controller.Tick();
        if (controller.SongSpeed() != speeds.back()) {
            speeds.push_back(controller.SongSpeed());
            EXPECT_EQ(player().LoopPasses(), static_cast<std::int64_t>(speeds.size()) - 1);
        }
    }
    EXPECT_EQ(speeds, (std::vector<int>{50, 75, 100}));
    EXPECT_EQ(SpeedLabel(frm), "Speed 100%");
}

// What is heard at half speed stands where the song is heard, not where it was read.
TEST_F(MainControllerTest, AtHalfSpeedACardStartsWhereTheSongIsHeard) {
    OpenSongAt(1000);
    controller.SetSongSpeed(50);
    controller.Click(C::cmPlay, false);
    Hear(1000);
    controller.Click(C::cmRepStartSet, false);
    ASSERT_NE(controller.DockedCard(), nullptr);
    EXPECT_NEAR(controller.DockedCard()->StartTime(), 1500, 5);
    EXPECT_NEAR(Position(), 1500, 5);
}

// The song keeps the speed and transpose asked for when the output cannot start again with
// them: the error is shown, and so is what the song will play at.
TEST_F(MainControllerTest, ASpeedOrTransposeTheOutputCannotTakeIsReportedAndShownAsSet) {
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"slower", [this] { controller.SetSongSpeed(50); }},
        {"transposed", [this] { controller.Click(C::cmTransposeUp, false); }},
    };
    OpenSongAt(1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        devices.openError.clear();
        controller.SetSongSpeed(100);
        controller.SetTranspose(0, 0);
        controller.Click(C::cmPlay, false);
        Hear(200);
        devices.openError = "The output is gone.";
        QString shown;
        const QPointer<QTimer> watch = WhenModalOfTypeShown<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        controller.Guarded(c.change);
        delete watch;
        EXPECT_TRUE(shown.contains("The output is gone.")) << shown.toStdString();
        EXPECT_EQ(player().Tempo().Speed, controller.SongSpeed() / 100.0);
        EXPECT_EQ(player().Tempo().Cents, controller.Practice().TransposeCents);
        EXPECT_EQ(SpeedLabel(frm), QString("Speed %1%").arg(controller.SongSpeed()));
        EXPECT_EQ(frm.Groups[TSkinFunction::TransposeLabel].Item(0)->windowTitle(),
                  controller.TransposeText());
    }
}

} // namespace
