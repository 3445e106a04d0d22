#pragma once

#include "device_run.h"
#include "pcm_wave_format.h"
#include "platform/exception.h"
#include "platform/gui_mailbox.h"
#include "platform/wave_device.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EDoubleBufferingPlayerError : public Exception {
public:
    using Exception::Exception;
};

// Carries the text of an error raised later, once the device message that met it is handled.
struct TRaiseExceptionString {
    std::string Text;
};

// Keeps exactly two buffers in flight on the default wave output (Mode 1) or input (Mode 0)
// device, filled through OnFill or drained through OnData. Finished buffers come back on the
// GUI thread, so everything here runs on it. Nothing here waits for the device: a run that ends
// is retired (see DeviceRun) and finishes on its own.
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

    // Starts a run, or asks the running one to stop: the buffers come back first (recorded ones
    // through OnData), then OnEnd and OnStop are called.
    void SetActive(bool value);
    // Ends the run at once, stopping or not: what was recorded so far is handed to OnData, then
    // OnEnd and OnStop are called, all before it returns. The device finishes on its own.
    void StopAndWait();
    // Ends the run at once, as StopAndWait, when the mode changes.
    void SetMode(std::uint8_t mode);
    // Bytes played or recorded since the device run started; 0 when idle.
    std::int64_t GetDevicePosition() const;

    bool IsActive() const { return Active; }
    std::uint8_t GetMode() const { return Mode; }

    PcmWaveFormat Format;
    // The size of each of the two buffers, for the runs started from now on.
    std::int32_t RunBufferSize = BufferSize;
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
    // Retires the device run with its buffers; nothing of it reaches this player afterwards.
    void CloseDevice();
    void TakeCaptured();
    void AbortStart();
    void OutputDone(WaveBuffer& header);
    void InputData(WaveBuffer& header);
    void AdvanceCounter();
    void HandOn(const WaveBuffer& header);
    void CloseWhenDrained();
    std::size_t Queued() const { return Run ? Run->Queued().size() : 0; }

    // The device run this player drives; each run has a device of its own, so a buffer of a
    // retired run never comes back here.
    std::unique_ptr<DeviceRun> Run;
    TBufferPair Buffers;
    std::uint8_t Mode = ModePlay;
    bool Active = false;
    bool Stopping = false;
    bool Ended = false;
    std::int32_t Counter = 0;
    std::int32_t Size = BufferSize; // of the run's buffers
    GuiMailbox Window;
};
