#include "wave_player.h"

#include <algorithm>
#include <functional>

TWavePlayer::TWavePlayer()
    : WaveStream(std::make_unique<TWaveFileStream>()),
      Device(std::make_unique<TDoubleBufferingPlayer>()) {
    Device->OnData = [this](std::int32_t counter, std::uint8_t* data, std::int32_t bytes) {
        DoData(counter, data, bytes);
    };
    Device->OnFill = [this](std::int32_t counter, std::uint8_t* data, std::int32_t& bytes) {
        DoFill(counter, data, bytes);
    };
    Device->OnStop = [this] { DoStop(); };
    Device->OnEnd = [this] { DoEnd(); };
}

TWavePlayer::~TWavePlayer() {
    // The device run ends first, so that the last recorded buffers still reach the file
    // before it is closed and patched.
    try {
        Device->StopAndWait();
    } catch (const std::exception&) {
    }
    Device.reset();
    WaveStream.reset();
}

std::int32_t TWavePlayer::MillisecondsToBytes(std::int32_t ms) const {
    const std::int64_t align = WaveStream->Format.blockAlign;
    const std::int64_t bytes = std::int64_t{ms} * WaveStream->Format.samplesPerSec * align / 1000;
    const std::int64_t aligned = align > 0 ? bytes - bytes % align : bytes;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(aligned, INT32_MIN, INT32_MAX));
}

std::int32_t TWavePlayer::BytesToMilliseconds(std::int64_t bytes) const {
    const std::int64_t bytesPerSecond =
        std::int64_t{WaveStream->Format.samplesPerSec} * WaveStream->Format.blockAlign;
    if (bytesPerSecond == 0) {
        return 0;
    }
    return static_cast<std::int32_t>(bytes * 1000 / bytesPerSecond);
}

void TWavePlayer::ResetRepeatRange() {
    RepeatStart = 0;
    RepeatEnd = DataSize();
}

void TWavePlayer::Open() {
    OpenStream([this] {
        WaveStream->Open();
        RecordFormat = WaveStream->Format;
    });
}

void TWavePlayer::OpenNew() {
    OpenStream([this] {
        WaveStream->Format = RecordFormat;
        WaveStream->CreateNew();
    });
}

void TWavePlayer::OpenStream(const std::function<void()>& open) {
    if (State != StateClosed) {
        return;
    }
    try {
        WaveStream->SetFileName(FileName);
        open();
        State = StateStopped;
        ResetRepeatRange();
    } catch (...) {
        WaveStream->Close();
        State = StateClosed;
        throw;
    }
}

void TWavePlayer::Close() {
    if (State == StateClosed) {
        return;
    }
    Device->StopAndWait();
    WaveStream->Close();
    State = StateClosed;
}

void TWavePlayer::Start(std::uint8_t mode, const PcmWaveFormat& format, std::uint8_t newState) {
    try {
        Device->SetMode(mode);
        Device->Format = format;
        PositionOffset = WaveStream->GetPosition();
        PendingOffsets.clear();
        HandedBytes = 0;
        Device->SetActive(true);
        State = newState;
    } catch (...) {
        Device->SetActive(false);
        State = StateStopped;
        throw;
    }
}

void TWavePlayer::Play() {
    if (State == StateStopped) {
        Start(TDoubleBufferingPlayer::ModePlay, WaveStream->Format, StatePlaying);
    }
}

void TWavePlayer::Record() {
    if (State == StateStopped) {
        Start(TDoubleBufferingPlayer::ModeRecord, RecordFormat, StateRecording);
    }
}

void TWavePlayer::Stop() {
    if (State != StatePlaying && State != StateRecording) {
        return;
    }
    if (State == StateRecording) {
        // The buffers still coming back are appended, so the position ends at the end of what
        // was recorded; moving it back here would write them over recorded data.
        Device->SetActive(false);
        State = StateStopped;
        return;
    }
    // The frame heard, not its milliseconds: a stop and a play go on exactly where they were.
    const std::int64_t heard = HeardBytes();
    Device->SetActive(false);
    State = StateStopped;
    WaveStream->SetPosition(static_cast<std::int32_t>(heard));
}

void TWavePlayer::PlayStop() {
    if (State == StatePlaying || State == StateRecording) {
        Stop();
    } else {
        Play();
    }
}

void TWavePlayer::SetState(std::uint8_t state) {
    switch (state) {
    case StateClosed:
        Close();
        break;
    case StatePlaying:
        Play();
        break;
    case StateRecording:
        Record();
        break;
    case StateStopped:
        Stop();
        break;
    default:
        break;
    }
}

// While playing, the new place is heard after the two buffers already queued; the position
// reported moves there only then.
void TWavePlayer::SetPosition(std::int32_t ms) {
    if (State == StatePlaying || State == StateStopped) {
        WaveStream->SetPosition(MillisecondsToBytes(ms));
    }
}

std::int32_t TWavePlayer::GetPosition() {
    switch (State) {
    case StatePlaying:
        return BytesToMilliseconds(HeardBytes());
    case StateRecording:
        return BytesToMilliseconds(Device->GetDevicePosition() + PositionOffset);
    case StateStopped:
        return BytesToMilliseconds(WaveStream->GetPosition());
    default:
        return 0;
    }
}

void TWavePlayer::SetRepeatStart(std::int32_t ms) {
    if (State == StateClosed) {
        return;
    }
    RepeatStart = std::clamp(MillisecondsToBytes(ms), 0, DataSize());
    RepeatEnd = std::max(RepeatEnd, RepeatStart);
}

void TWavePlayer::SetRepeatEnd(std::int32_t ms) {
    if (State == StateClosed) {
        return;
    }
    RepeatEnd = std::clamp(MillisecondsToBytes(ms), 0, DataSize());
    RepeatStart = std::min(RepeatStart, RepeatEnd);
}

std::int32_t TWavePlayer::GetRepeatStart() {
    return State == StateClosed ? 0 : BytesToMilliseconds(RepeatStart);
}

std::int32_t TWavePlayer::GetRepeatEnd() {
    return State == StateClosed ? 0 : BytesToMilliseconds(RepeatEnd);
}

std::int32_t TWavePlayer::GetLength() {
    return State == StateClosed ? 0 : BytesToMilliseconds(DataSize());
}

void TWavePlayer::DoData(std::int32_t, std::uint8_t* data, std::int32_t bytes) {
    WaveStream->Write(data, bytes);
    // A recording buffer holds at most a few seconds: keeping the header current after each
    // one means a crash or a killed process loses no more than the buffers still in flight.
    WaveStream->PatchLengths();
}

// A buffer never holds sound from both sides of the loop point: the loop point falls on a
// buffer boundary, so each buffer is one run of the file's data.
void TWavePlayer::DoFill(std::int32_t, std::uint8_t* data, std::int32_t& bytes) {
    std::int32_t count = bytes;
    if (RepeatEnabled) {
        if (WaveStream->GetPosition() >= RepeatEnd) {
            WaveStream->SetPosition(RepeatStart);
        }
        count = std::clamp(RepeatEnd - WaveStream->GetPosition(), 0, count);
    }
    const std::int32_t start = WaveStream->GetPosition();
    bytes = WaveStream->Read(data, count);
    HandOver(start, bytes);
    if (RepeatEnabled && WaveStream->GetPosition() >= RepeatEnd) {
        WaveStream->SetPosition(RepeatStart);
    }
}

// The data from `start` is heard once the device has played what was handed to it before.
void TWavePlayer::HandOver(std::int32_t start, std::int32_t bytes) {
    if (bytes <= 0) {
        return;
    }
    TakeHeardOffsets(Device->GetDevicePosition());
    const std::int64_t offset = start - HandedBytes;
    const std::int64_t last =
        PendingOffsets.empty() ? PositionOffset : PendingOffsets.back().Offset;
    if (offset != last) {
        PendingOffsets.push_back({HandedBytes, offset});
    }
    HandedBytes += bytes;
}

void TWavePlayer::TakeHeardOffsets(std::int64_t device) {
    while (!PendingOffsets.empty() && PendingOffsets.front().DeviceBytes <= device) {
        PositionOffset = PendingOffsets.front().Offset;
        PendingOffsets.pop_front();
    }
}

// The data position of the sound now heard, inside the data.
std::int64_t TWavePlayer::HeardBytes() {
    const std::int64_t device = Device->GetDevicePosition();
    TakeHeardOffsets(device);
    return std::clamp<std::int64_t>(device + PositionOffset, 0, DataSize());
}

void TWavePlayer::DoStop() {
    State = StateStopped;
}

void TWavePlayer::DoEnd() {
    SetPosition(0);
}
