#include "audio/wave_player.h"
#include "pulse_test.h"
#include "tests/support/gui_wait.h"

namespace {

using WavePlayerThroughPulseAudio = PulseTest;

// What the player sends to the private null sink comes back from its monitor, bit for bit at
// 44100 Hz: record the monitor with one player while another plays a file.
TEST_F(WavePlayerThroughPulseAudio, PlayedFileComesBackFromTheMonitor) {
    ExpectPlayedNoiseComesBack(dir, [](const std::string& song) {
        TWavePlayer player;
        player.SetFileName(song);
        player.Open();
        player.Play();
        ASSERT_TRUE(
            WaitOnGuiThread([&] { return player.GetState() == TWavePlayer::StateStopped; }, 10000));
    });
}

} // namespace
