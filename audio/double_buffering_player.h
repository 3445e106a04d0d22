#pragma once

#include "pcm_wave_format.h"
#include "platform/exception.h"
#include "platform/gui_mailbox.h"
#include "platform/wave_device.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class EDoubleBufferingPlayerError : public Exception {
public:
    using Exception::Exception;
};

// Carries the text of an error raised later, once the device message that met it is handled.
struct TRaiseExceptionString {
    std::string Text;
};

// One of the two device buffers.
struct TBufferObject {
    WaveBuffer WaveHeader;
    std::vector<std::uint8_t> Data;
    std::uint8_t Index = 0;
    std::int32_t FillSize = 0;
};

// Keeps exactly two buffers in flight on the default wave output (Mode 1) or input (Mode 0)
// device, filled through OnFill or drained through OnData. Finished buffers come back on the
// GUI thread, so everything here runs on it.
class TDoubleBufferingPlayer {
public:
    static constexpr std::uint32_t MM_WOM_DONE = 0x3BD;
    static constexpr std::uint32_t MM_WIM_DATA = 0x3C0;
    static constexpr std::int32_t BufferSize = 32768;
    static constexpr std::uint8_t ModeRecord = 0;
    static constexpr std::uint8_t ModePlay = 1;

    // A finished buffer, as the device reports it.
    struct DeviceMessage {
        std::uint32_t Message;
        WaveBuffer* Header;
    };

    using TDataEvent =
        std::function<void(std::int32_t counter, std::uint8_t* data, std::int32_t bytes)>;
    using TFillEvent =
        std::function<void(std::int32_t counter, std::uint8_t* data, std::int32_t& bytes)>;

    TDoubleBufferingPlayer();
    virtual ~TDoubleBufferingPlayer();
    TDoubleBufferingPlayer(const TDoubleBufferingPlayer&) = delete;
    TDoubleBufferingPlayer& operator=(const TDoubleBufferingPlayer&) = delete;

    void SetActive(bool value);
    void StopAndWait();
    void SetMode(std::uint8_t mode);
    // Bytes played or recorded since the device run started; 0 when idle.
    std::int64_t GetDevicePosition() const;

    bool IsActive() const { return Active; }
    std::uint8_t GetMode() const { return Mode; }

    PcmWaveFormat Format;
    TDataEvent OnData;
    TFillEvent OnFill;
    std::function<void()> OnStop;
    std::function<void()> OnEnd;

protected:
    virtual void WndProc(const DeviceMessage& message);
    virtual void AllocateBuffers();
    virtual void FreeBuffers();
    virtual void StartPlaying();
    virtual void ClosePlaying();
    virtual void FillAndWrite(int index);
    virtual void StartRecording();
    virtual void CloseRecording();
    virtual void AddRecordBuffer(int index);

private:
    void OpenDevice(WaveDirection direction);
    void CloseDevice();
    void AbortStart();
    void OutputDone(WaveBuffer& header);
    void InputData(WaveBuffer& header);
    void AdvanceCounter();
    void CloseWhenDrained();

    std::unique_ptr<WaveDevice> Device;
    // A closed device is kept until the next run: it may be the one whose completion is
    // running right now.
    std::unique_ptr<WaveDevice> ClosedDevice;
    std::array<std::unique_ptr<TBufferObject>, 2> Buffers;
    std::uint8_t Mode = ModePlay;
    bool Active = false;
    std::int32_t Queued = 0;
    bool Stopping = false;
    bool Ended = false;
    std::int32_t Counter = 0;
    std::uint32_t Run = 0;
    GuiMailbox Window;
};
