#pragma once

#include "double_buffering_player.h"
#include "player_interface.h"
#include "recording_formats.h"
#include "wave_file_stream.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

// Plays one WAVE file through the default output device, or records into it from the default
// input device, with a repeat range that loops while RepeatEnabled is on. Public positions are
// milliseconds; inside they are bytes of the file's data.
class TWavePlayer : public TPlayerInterface {
public:
    static constexpr std::uint8_t StateClosed = 0;
    static constexpr std::uint8_t StatePlaying = 1;
    static constexpr std::uint8_t StateRecording = 2;
    static constexpr std::uint8_t StateStopped = 3;

    TWavePlayer();
    ~TWavePlayer() override;

    void SetPosition(std::int32_t ms) override;
    std::int32_t GetPosition() override;
    void SetRepeatStart(std::int32_t ms) override;
    std::int32_t GetRepeatStart() override;
    void SetRepeatEnd(std::int32_t ms) override;
    std::int32_t GetRepeatEnd() override;
    std::int32_t GetLength() override;
    void SetState(std::uint8_t state) override;
    void Open() override;
    void OpenNew() override;
    void Close() override;
    void Play() override;
    void Record() override;
    void Stop() override;
    void PlayStop() override;

    void SetFileName(const std::string& name) { FileName = name; }
    const std::string& GetFileName() const { return FileName; }
    std::uint8_t GetState() const { return State; }
    // The format and the data size in bytes of the open file.
    const PcmWaveFormat& FileFormat() const { return WaveStream->Format; }
    std::int32_t DataSize() { return WaveStream->GetSize(); }

    PcmWaveFormat RecordFormat = DefaultRecordFormat;
    bool RepeatEnabled = false;

protected:
    virtual void DoData(std::int32_t counter, std::uint8_t* data, std::int32_t bytes);
    virtual void DoFill(std::int32_t counter, std::uint8_t* data, std::int32_t& bytes);
    virtual void DoStop();
    virtual void DoEnd();

private:
    std::int32_t MillisecondsToBytes(std::int32_t ms) const;
    std::int32_t BytesToMilliseconds(std::int64_t bytes) const;
    void ResetRepeatRange();
    std::int64_t HeardBytes();
    void TakeHeardOffsets(std::int64_t device);
    void HandOver(std::int32_t start, std::int32_t bytes);
    void OpenStream(const std::function<void()>& open);
    void Start(std::uint8_t mode, const PcmWaveFormat& format, std::uint8_t newState);

    std::uint8_t State = StateClosed;
    std::string FileName;
    std::unique_ptr<TWaveFileStream> WaveStream;
    std::unique_ptr<TDoubleBufferingPlayer> Device;
    std::int32_t RepeatStart = 0;
    std::int32_t RepeatEnd = 0;
    // From a device byte count on, the data heard comes from that count plus an offset.
    struct THeardOffset {
        std::int64_t DeviceBytes;
        std::int64_t Offset;
    };

    // Data position now heard minus the device byte count; 64-bit so that hours of looping do
    // not wrap the device count.
    std::int64_t PositionOffset = 0;
    // The offsets of data handed to the device but not yet heard, oldest first: a loop or a
    // seek is heard only after the buffers queued before it.
    std::deque<THeardOffset> PendingOffsets;
    // Bytes handed to the device since the run started.
    std::int64_t HandedBytes = 0;
};
