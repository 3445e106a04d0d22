#include "audio/recording_formats.h"
#include "audio/wave_player.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (const auto& entry : SupportedRecordingFormats()) {
        captions.push_back(entry.Caption);
    }
    return captions;
}

TEST(RecordingFormats, StandardFormatsByCapabilityBit) {
    const struct {
        std::uint32_t bit;
        PcmWaveFormat format;
    } cases[] = {
        {1, {1, 1, 11025, 11025, 1, 8, 0}},
        {8, {1, 2, 11025, 44100, 4, 16, 0}},
        {64, {1, 1, 22050, 44100, 2, 16, 0}},
        {2048, {1, 2, 44100, 176400, 4, 16, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeStandardFormat(c.bit), c.format) << c.bit;
    }
    for (const std::uint32_t bit : {0u, 3u, 4096u}) {
        try {
            MakeStandardFormat(bit);
            ADD_FAILURE() << bit;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "") << bit;
        }
    }
}

TEST(RecordingFormats, TheDeviceDecidesTheDefaultAndTheList) {
    VirtualWaveDevices devices;
    ReadRecordingCapabilities();
    EXPECT_EQ(SupportedRecordingFormats().size(), 12u);
    EXPECT_EQ(Captions().back(), "44100Hz, Stereo 16bit");
    EXPECT_EQ(DefaultRecordFormat, MakeStandardFormat(2048));

    devices.accepts = [](const WaveDeviceFormat& format) { return format.bitsPerSample == 8; };
    ReadRecordingCapabilities();
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{"11025Hz, Mono    8bit", "11025Hz, Stereo  8bit",
                                        "22050Hz, Mono    8bit", "22050Hz, Stereo  8bit",
                                        "44100Hz, Mono    8bit", "44100Hz, Stereo  8bit"}));
    EXPECT_EQ(DefaultRecordFormat, MakeStandardFormat(512));
    EXPECT_EQ(TWavePlayer().RecordFormat, MakeStandardFormat(512));

    devices.accepts = [](const WaveDeviceFormat&) { return false; };
    ReadRecordingCapabilities();
    EXPECT_TRUE(SupportedRecordingFormats().empty());
    EXPECT_EQ(DefaultRecordFormat, (PcmWaveFormat{0, 0, 0, 0, 0, 0, 0}));

    devices.accepts = [](const WaveDeviceFormat&) { return true; };
    ReadRecordingCapabilities();
}

TEST(Recording, StoppingRightAfterStartingLeavesAValidFile) {
    VirtualWaveDevices devices;
    TempDir dir;
    const std::string path = dir.File("tmp1.wav");
    TWavePlayer player;
    player.SetFileName(path);
    player.RecordFormat = MakeStandardFormat(1);
    player.OpenNew();
    player.Record();
    player.Stop();
    ProcessGuiEvents();
    player.Close();
    player.SetFileName(path);
    player.Open();
    EXPECT_EQ(player.GetState(), TWavePlayer::StateStopped);
    EXPECT_EQ(player.DataSize(), 0);
    EXPECT_EQ(player.RecordFormat, MakeStandardFormat(1));
    const Bytes file = ReadFile(path);
    EXPECT_EQ(U32At(file, 4), file.size() - 8);
}

} // namespace
