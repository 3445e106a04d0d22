#include "double_buffering_player.h"

#include "platform/execute_later.h"

#include <algorithm>
#include <limits>

namespace {

WaveDeviceFormat DeviceFormat(const PcmWaveFormat& format) {
    return {format.channels, static_cast<int>(format.samplesPerSec), format.bitsPerSample};
}

void RaiseLater(const std::string& text) {
    TExecuteLater::Schedule(
        [carrier = TRaiseExceptionString{text.empty() ? "failed to add buffer." : text}](
            std::intptr_t) { throw EDoubleBufferingPlayerError(carrier.Text); },
        0);
}

} // namespace

TDoubleBufferingPlayer::TDoubleBufferingPlayer() = default;

TDoubleBufferingPlayer::~TDoubleBufferingPlayer() {
    OnData = nullptr;
    OnFill = nullptr;
    OnStop = nullptr;
    OnEnd = nullptr;
    try {
        StopAndWait();
    } catch (const std::exception&) {
        // The run is retired whatever the device reported.
    }
}

void TDoubleBufferingPlayer::SetActive(bool value) {
    if (value) {
        if (Active) {
            return;
        }
        if (Format.formatTag != PcmWaveFormat::PcmTag) {
            throw EDoubleBufferingPlayerError("not supported type");
        }
        Stopping = false;
        Ended = false;
        try {
            if (Mode == ModePlay) {
                StartPlaying();
            } else {
                StartRecording();
            }
        } catch (...) {
            AbortStart();
            throw;
        }
        Active = true;
        if (Queued() == 0) {
            // Nothing to play at all: end the run as soon as the caller has seen it begin.
            Window.Post([this] { CloseWhenDrained(); });
        }
        return;
    }
    if (!Active) {
        return;
    }
    Stopping = true;
    if (Queued() == 0) {
        CloseWhenDrained();
    } else {
        Run->Reset();
    }
}

void TDoubleBufferingPlayer::StopAndWait() {
    if (!Active) {
        return;
    }
    Stopping = true;
    try {
        if (Mode == ModeRecord) {
            TakeCaptured();
        }
    } catch (...) {
        CloseDevice();
        CloseWhenDrained();
        throw;
    }
    CloseDevice();
    CloseWhenDrained();
}

// A reset device no longer touches its buffers, though they come back only later: what they
// captured is handed on now, so that nothing recorded is lost with the run.
void TDoubleBufferingPlayer::TakeCaptured() {
    if (!Run) {
        return;
    }
    Run->Reset();
    const std::deque<WaveBuffer*> captured = Run->Queued();
    for (const WaveBuffer* header : captured) {
        HandOn(*header);
    }
}

void TDoubleBufferingPlayer::SetMode(std::uint8_t mode) {
    StopAndWait();
    Mode = mode;
}

std::int64_t TDoubleBufferingPlayer::GetDevicePosition() const {
    return Active && Run ? Run->BytesProcessed() : 0;
}

void TDoubleBufferingPlayer::WndProc(const DeviceMessage& message) {
    try {
        if (message.Message == MM_WOM_DONE) {
            OutputDone(*message.Header);
        } else if (message.Message == MM_WIM_DATA) {
            InputData(*message.Header);
        }
    } catch (const std::exception& error) {
        // The device message must be handled to its end; the error reaches the program after.
        try {
            SetActive(false);
        } catch (const std::exception&) {
        }
        RaiseLater(error.what());
    }
}

void TDoubleBufferingPlayer::AllocateBuffers() {
    Size = RunBufferSize;
    for (std::uint8_t index = 0; index < Buffers.size(); ++index) {
        auto buffer = std::make_unique<TBufferObject>();
        buffer->Data.resize(static_cast<std::size_t>(Size));
        buffer->Index = index;
        buffer->WaveHeader.data = buffer->Data.data();
        buffer->WaveHeader.length = Size;
        buffer->WaveHeader.user = buffer.get();
        Buffers[index] = std::move(buffer);
    }
}

void TDoubleBufferingPlayer::FreeBuffers() {
    for (auto& buffer : Buffers) {
        buffer.reset();
    }
}

void TDoubleBufferingPlayer::StartPlaying() {
    Counter = 0;
    AllocateBuffers();
    OpenDevice(WaveDirection::Output);
    FillAndWrite(0);
    FillAndWrite(1);
}

void TDoubleBufferingPlayer::ClosePlaying() {
    CloseDevice();
    FreeBuffers();
    Active = false;
    if (OnEnd && Ended) {
        OnEnd();
    }
    if (OnStop) {
        OnStop();
    }
}

void TDoubleBufferingPlayer::FillAndWrite(int index) {
    try {
        AdvanceCounter();
        TBufferObject& buffer = *Buffers[index];
        std::int32_t bytes = Size;
        if (OnFill) {
            OnFill(Counter, buffer.Data.data(), bytes);
        }
        bytes = std::clamp(bytes, 0, Size);
        buffer.FillSize = bytes;
        buffer.WaveHeader.length = bytes;
        if (bytes > 0) {
            Run->Queue(buffer.WaveHeader);
        } else {
            Stopping = true;
            Ended = true;
        }
    } catch (const EWaveDeviceError& error) {
        SetActive(false);
        throw EDoubleBufferingPlayerError(error.Message());
    } catch (...) {
        SetActive(false);
        throw;
    }
}

void TDoubleBufferingPlayer::StartRecording() {
    OpenDevice(WaveDirection::Input);
    AllocateBuffers();
    Counter = 0;
    AddRecordBuffer(0);
    AddRecordBuffer(1);
    try {
        Run->Start();
    } catch (const EWaveDeviceError& error) {
        throw EDoubleBufferingPlayerError(error.Message());
    }
}

void TDoubleBufferingPlayer::CloseRecording() {
    CloseDevice();
    Active = false;
    FreeBuffers();
}

void TDoubleBufferingPlayer::AddRecordBuffer(int index) {
    TBufferObject& buffer = *Buffers[index];
    buffer.WaveHeader.length = Size;
    try {
        Run->Queue(buffer.WaveHeader);
    } catch (const EWaveDeviceError& error) {
        SetActive(false);
        throw EDoubleBufferingPlayerError(error.Message());
    }
}

void TDoubleBufferingPlayer::OpenDevice(WaveDirection direction) {
    const std::uint32_t message = direction == WaveDirection::Output ? MM_WOM_DONE : MM_WIM_DATA;
    try {
        Run = std::make_unique<DeviceRun>(direction, DeviceFormat(Format),
                                          [this, message](WaveBuffer& header) {
                                              WndProc({message, &header});
                                          });
    } catch (const EWaveDeviceError& error) {
        throw EDoubleBufferingPlayerError(error.Message());
    }
}

void TDoubleBufferingPlayer::CloseDevice() {
    if (Run) {
        DeviceRun::Retire(std::move(Run), std::move(Buffers));
    }
}

void TDoubleBufferingPlayer::AbortStart() {
    // Whatever was opened or queued before the failure goes, without events: the run never began.
    CloseDevice();
    FreeBuffers();
    Active = false;
}

void TDoubleBufferingPlayer::OutputDone(WaveBuffer& header) {
    auto& buffer = *static_cast<TBufferObject*>(header.user);
    if (!Stopping) {
        FillAndWrite(buffer.Index);
    } else {
        CloseWhenDrained();
    }
}

void TDoubleBufferingPlayer::InputData(WaveBuffer& header) {
    auto& buffer = *static_cast<TBufferObject*>(header.user);
    HandOn(header);
    if (!Stopping) {
        AddRecordBuffer(buffer.Index);
    } else {
        CloseWhenDrained();
    }
}

void TDoubleBufferingPlayer::AdvanceCounter() {
    Counter = Counter == std::numeric_limits<std::int32_t>::max() ? 0 : Counter + 1;
}

void TDoubleBufferingPlayer::HandOn(const WaveBuffer& header) {
    AdvanceCounter();
    if (OnData) {
        OnData(Counter, header.data, header.bytesRecorded);
    }
}

void TDoubleBufferingPlayer::CloseWhenDrained() {
    if (!Active || Queued() > 0) {
        return;
    }
    if (Mode == ModeRecord) {
        CloseRecording();
    } else {
        ClosePlaying();
    }
}
