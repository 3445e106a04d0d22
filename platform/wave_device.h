#pragma once

#include "exception.h"

#include <cstdint>
#include <functional>
#include <memory>

// Errors of a wave device; the text is the backend's own.
class EWaveDeviceError : public Exception {
public:
    using Exception::Exception;
};

// Linear PCM as a device sees it: 8-bit unsigned or 16-bit signed little-endian, interleaved.
struct WaveDeviceFormat {
    int channels = 2;
    int samplesPerSec = 44100;
    int bitsPerSample = 16;

    int BlockAlign() const { return channels * bitsPerSample / 8; }
    int BytesPerSecond() const { return samplesPerSec * BlockAlign(); }
};

enum class WaveDirection { Output, Input };

// One buffer handed to a device. The caller owns it and must not touch it until it comes back.
struct WaveBuffer {
    std::uint8_t* data = nullptr;
    std::int32_t length = 0;        // output: bytes to play; input: capacity
    std::int32_t bytesRecorded = 0; // input: bytes captured when the buffer came back
    void* user = nullptr;           // the caller's own tag
};

// The default wave output or input device. Buffers play (or fill) in the order queued; each
// finished buffer is handed back through the completion callback, always on the GUI thread and
// never from inside a call on this interface.
class WaveDevice {
public:
    using BufferDone = std::function<void(WaveBuffer&)>;

    virtual ~WaveDevice() = default;

    // Throws EWaveDeviceError when the device is busy or does not take the format.
    virtual void Open(const WaveDeviceFormat& format, BufferDone done) = 0;
    virtual void Queue(WaveBuffer& buffer) = 0;
    // Input devices capture only after Start; output devices play as soon as a buffer is queued.
    virtual void Start() = 0;
    // Every queued buffer comes back at once (input ones with what was captured so far). They
    // are the caller's again when this returns: the device no longer reads or fills them, though
    // their completions arrive only later.
    virtual void Reset() = 0;
    // Closes the device; buffers still queued are dropped without coming back.
    virtual void Close() = 0;
    // Bytes played or recorded since Open.
    virtual std::int64_t BytesProcessed() const = 0;
    // Output: bytes taken from the buffers that have not been heard yet (they are on their way
    // through the system); 0 for input. Close lets them be heard within a short deadline, waiting
    // for it: closing once this is 0 does not wait.
    virtual std::int64_t UnheardBytes() const = 0;
};

using WaveDeviceFactory = std::function<std::unique_ptr<WaveDevice>(WaveDirection)>;

// A new, closed device for the system's default output or input; SDL unless replaced.
std::unique_ptr<WaveDevice> CreateDefaultWaveDevice(WaveDirection direction);

// Replaces the default devices while it lives (tests, other recording sources). Scopes nest:
// each must end before the one made before it.
class ScopedWaveDeviceFactory {
public:
    explicit ScopedWaveDeviceFactory(WaveDeviceFactory factory);
    // Replaces the devices of one direction only; the other keeps the factory in force.
    ScopedWaveDeviceFactory(WaveDirection only, WaveDeviceFactory factory);
    ~ScopedWaveDeviceFactory();
    ScopedWaveDeviceFactory(const ScopedWaveDeviceFactory&) = delete;
    ScopedWaveDeviceFactory& operator=(const ScopedWaveDeviceFactory&) = delete;

private:
    WaveDeviceFactory previous;
};
