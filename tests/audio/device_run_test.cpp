// Players that end a device run never wait for the device: the run is retired and finishes on
// its own, while the program goes on (and may start the next run, or drop the player).

#include "audio/device_run.h"
#include "audio/wave_player.h"
#include "platform/virtual_wave_device.h"
#include "tests/support/gui_events.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int BufferSize = TDoubleBufferingPlayer::BufferSize;
const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);

// Tells whether the GUI thread handled its events while the call ran: a call posted before it
// has run by its end only if something handled them.
template <typename Call> bool HandlesEvents(Call call) {
    auto ran = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [ran] { *ran = true; }, Qt::QueuedConnection);
    call();
    return *ran;
}

// What the virtual input device captures in its first `bytes`.
Bytes Captured(const VirtualWaveDevices& devices, std::int64_t bytes) {
    Bytes captured(static_cast<std::size_t>(bytes));
    for (std::size_t i = 0; i < captured.size(); ++i) {
        captured[i] = devices.inputSignal(static_cast<std::int64_t>(i));
    }
    return captured;
}

struct Counts {
    std::vector<std::int32_t> fills;
    int stops = 0;
};

void Watch(TDoubleBufferingPlayer& driver, Counts& counts) {
    driver.OnFill = [&counts](std::int32_t counter, std::uint8_t*, std::int32_t& bytes) {
        counts.fills.push_back(counter);
        bytes = 1000;
    };
    driver.OnStop = [&counts] { ++counts.stops; };
}

TEST(DeviceRunTest, StopAtOnceReturnsWithTheDeviceStillBusyAndTheRunClosesItLater) {
    VirtualWaveDevices devices;
    TDoubleBufferingPlayer driver;
    Counts counts;
    Watch(driver, counts);
    driver.SetActive(true);
    VirtualWaveDevice* device = devices.Output();
    ASSERT_EQ(device->QueuedCount(), 2);

    EXPECT_FALSE(HandlesEvents([&] {
        driver.StopAndWait();
        // The caller sees the run ended, while the device has not handed anything back yet.
        EXPECT_FALSE(driver.IsActive());
        EXPECT_EQ(counts.stops, 1);
        EXPECT_EQ(devices.Output(), device);
    }));
    ProcessGuiEvents();
    // The buffers came back to the retired run, which closed the device.
    EXPECT_EQ(devices.Output(), nullptr);
    EXPECT_EQ(counts.stops, 1);
    EXPECT_EQ(counts.fills, (std::vector<std::int32_t>{1, 2}));
}

// The old run's buffers come back after the new run began; none of them reaches the new run,
// which would refill it and count on.
TEST(DeviceRunTest, ANewRunStartedAtOnceGetsNothingOfTheOldOne) {
    VirtualWaveDevices devices;
    TDoubleBufferingPlayer driver;
    Counts counts;
    Watch(driver, counts);
    driver.SetActive(true);
    VirtualWaveDevice* old = devices.Output();
    old->Advance(500);
    driver.StopAndWait();
    counts.fills.clear();

    driver.SetActive(true);
    VirtualWaveDevice* now = devices.Output();
    ASSERT_NE(now, old);
    ProcessGuiEvents();
    EXPECT_EQ(devices.Output(), now);
    EXPECT_EQ(counts.fills, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(now->QueuedCount(), 2);
    EXPECT_EQ(driver.GetDevicePosition(), 0);

    now->Advance(1000);
    ProcessGuiEvents();
    EXPECT_EQ(counts.fills, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(driver.GetDevicePosition(), 1000);
    EXPECT_EQ(counts.stops, 1);
}

// Players dropped in the middle of a run, and the devices' owner dropped before the buffers
// came back: nothing of it is touched afterwards.
TEST(DeviceRunTest, PlayersAndDevicesMayGoWhileARunRetires) {
    TempDir dir;
    const std::string path = dir.File("cassette.wav");
    WriteWave(path, Stereo16, Pattern(4 * BufferSize));
    {
        VirtualWaveDevices devices;
        Counts counts;
        auto driver = std::make_unique<TDoubleBufferingPlayer>();
        Watch(*driver, counts);
        driver->SetActive(true);
        auto player = std::make_unique<TWavePlayer>();
        player->SetFileName(path);
        player->Open();
        player->Play();
        devices.Output()->Advance(100);
        EXPECT_FALSE(HandlesEvents([&] {
            driver.reset();
            player.reset();
        }));
        driver = std::make_unique<TDoubleBufferingPlayer>();
        driver->SetActive(true);
        driver->SetActive(false);
        driver.reset();
    }
    ProcessGuiEvents();
}

enum class EndOfRecording { Close, CloseAndOpen, Destroy, RecordAgain, PlayAgain };

struct RecordingCase {
    const char* name;
    EndOfRecording end;
};

class RecordingEndTest : public testing::TestWithParam<RecordingCase> {
protected:
    // The data chunk of the file as it is on disk now, after checking its lengths.
    Bytes DataOnDisk() const {
        const Bytes file = ReadFile(path);
        EXPECT_GE(file.size(), 46U);
        EXPECT_EQ(U32At(file, 4), file.size() - 8);
        EXPECT_EQ(U32At(file, 42), file.size() - 46);
        return file.size() < 46 ? Bytes() : Bytes(file.begin() + 46, file.end());
    }

    VirtualWaveDevices devices;
    TempDir dir;
    std::string path = dir.File("cassette.wav");
};

// The recording ends while the device still holds what it captured (a stop was asked for, and
// the buffers have not come back yet): the end returns at once, and every byte captured is in
// the file then, after what was written before.
TEST_P(RecordingEndTest, KeepsEveryByteCaptured) {
    const std::int64_t first = BufferSize + 40;
    const std::int64_t second = 100;
    auto player = std::make_unique<TWavePlayer>();
    player->SetFileName(path);
    player->RecordFormat = Stereo16;
    player->OpenNew();
    player->Record();
    devices.Input()->Advance(first);
    player->Stop();

    Bytes expected = Captured(devices, first);
    EXPECT_FALSE(HandlesEvents([&] {
        switch (GetParam().end) {
        case EndOfRecording::Close:
            player->Close();
            break;
        case EndOfRecording::CloseAndOpen:
            player->Close();
            player->Open();
            break;
        case EndOfRecording::Destroy:
            player.reset();
            break;
        case EndOfRecording::RecordAgain:
            player->Record();
            break;
        case EndOfRecording::PlayAgain:
            player->Play();
            break;
        }
    }));
    switch (GetParam().end) {
    case EndOfRecording::Close:
    case EndOfRecording::Destroy:
        EXPECT_EQ(DataOnDisk(), expected);
        break;
    case EndOfRecording::CloseAndOpen:
        EXPECT_EQ(DataOnDisk(), expected);
        EXPECT_EQ(player->GetLength(), first * 1000 / 176400);
        break;
    case EndOfRecording::RecordAgain: {
        EXPECT_EQ(player->GetPosition(), first * 1000 / 176400);
        devices.Input()->Advance(second);
        const Bytes more = Captured(devices, second);
        expected.insert(expected.end(), more.begin(), more.end());
        break;
    }
    case EndOfRecording::PlayAgain:
        break;
    }
    ProcessGuiEvents();
    if (player) {
        player->Stop();
        ProcessGuiEvents();
        player->Close();
    }
    EXPECT_EQ(devices.Input(), nullptr);
    EXPECT_EQ(DataOnDisk(), expected);
}

INSTANTIATE_TEST_SUITE_P(Ends, RecordingEndTest,
                         testing::Values(RecordingCase{"Close", EndOfRecording::Close},
                                         RecordingCase{"CloseAndOpen",
                                                       EndOfRecording::CloseAndOpen},
                                         RecordingCase{"Destroy", EndOfRecording::Destroy},
                                         RecordingCase{"RecordAgain", EndOfRecording::RecordAgain},
                                         RecordingCase{"PlayAgain", EndOfRecording::PlayAgain}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
