#include "cassettes/repeat_frm.h"
#include "platform/virtual_wave_device.h"
#include "tests/cassettes/fake_host.h"
#include "tests/support/disc_image.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(RepeatFrm, EndsShowTheirTrackAndTheTimeWithinIt) {
    VirtualWaveDevices devices;
    TempDir dir;
    // Track 2 starts at 4134 ms.
    DiscImage disc(dir.Path(), {160, 248, 72});
    FakeHost host;
    host.songPlayer.FileName = disc.cuePath;
    host.songPlayer.Open();
    auto* card = new TRepeatFrm(host);
    EXPECT_EQ(card->StartTime(), -1);
    EXPECT_EQ((QStringList{card->lbStartTrack, card->lbStartTime, card->lbFromTo, card->lbEndTrack,
                           card->lbEndTime}),
              (QStringList{"[0]", "00:00:00", "~", "[0]", "00:00:00"}));

    card->SetStartTime(4134 + 1234);
    card->SetEndTime(8000);
    EXPECT_EQ(card->StartTime(), 5368);
    EXPECT_EQ(card->lbStartTrack, "/02/");
    EXPECT_EQ(card->lbStartTime, "00:01:23");
    EXPECT_EQ(card->lbEndTrack, "/03/");
    card->SetEndTime(-1);
    EXPECT_EQ(card->lbEndTrack, "[0]");
    EXPECT_EQ(card->lbEndTime, "00:00:00");

    const struct {
        std::int32_t start, end;
        bool valid;
    } cases[] = {{-1, -1, false},     {3000, -1, false},   {-1, 3000, false},
                 {3000, 3000, false}, {5000, 3000, false}, {3000, 5000, true}};
    for (const auto& c : cases) {
        card->SetStartTime(c.start);
        card->SetEndTime(c.end);
        EXPECT_EQ(card->IsValid(), c.valid) << c.start << " " << c.end;
    }
}

} // namespace
