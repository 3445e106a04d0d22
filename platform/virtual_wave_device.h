#pragma once

#include "gui_mailbox.h"
#include "wave_device.h"

#include <deque>
#include <string>
#include <vector>

class VirtualWaveDevices;

// A wave device that moves only when told to: Advance plays or records the next bytes of the
// queued buffers at once, so double buffering, counters and positions can be checked exactly.
class VirtualWaveDevice final : public WaveDevice {
public:
    VirtualWaveDevice(WaveDirection direction, VirtualWaveDevices& owner);
    ~VirtualWaveDevice() override;

    void Open(const WaveDeviceFormat& format, BufferDone done) override;
    void Queue(WaveBuffer& buffer) override;
    void Start() override;
    void Reset() override;
    void Close() override;
    std::int64_t BytesProcessed() const override { return processed; }
    std::int64_t UnheardBytes() const override { return 0; }

    // Plays or records up to `bytes` bytes of what is queued now; every buffer finished on the
    // way is handed back. Returns the bytes that went through.
    std::int64_t Advance(std::int64_t bytes);
    std::int64_t AdvanceMilliseconds(int milliseconds);
    bool IsOpen() const { return opened; }
    int QueuedCount() const { return static_cast<int>(queue.size()); }
    const WaveDeviceFormat& Format() const { return format; }
    WaveDirection Direction() const { return direction; }

private:
    friend class VirtualWaveDevices;
    void HandBack(WaveBuffer& buffer);

    WaveDirection direction;
    // Null once the owner is gone: a device may outlive it while its run retires.
    VirtualWaveDevices* owner;
    WaveDeviceFormat format;
    BufferDone done;
    bool opened = false;
    bool started = false;
    std::deque<WaveBuffer*> queue;
    std::int64_t consumedOfFront = 0;
    std::int64_t processed = 0;
    GuiMailbox mailbox;
};

// Makes every default wave device virtual while it lives, and gives the test a hand on them.
// Devices still alive when it goes (runs still retiring) only close afterwards.
class VirtualWaveDevices {
public:
    VirtualWaveDevices();
    ~VirtualWaveDevices();

    // The newest open device of that direction, or null.
    VirtualWaveDevice* Current(WaveDirection direction) const;
    VirtualWaveDevice* Output() const { return Current(WaveDirection::Output); }
    VirtualWaveDevice* Input() const { return Current(WaveDirection::Input); }

    // When not empty, Open fails with this text.
    std::string openError;
    // Open fails for the formats this refuses.
    std::function<bool(const WaveDeviceFormat&)> accepts = [](const WaveDeviceFormat&) {
        return true;
    };
    // When not empty, Queue fails with this text.
    std::string queueError;
    // Byte n of what input devices capture, counted from the first byte of each device run.
    std::function<std::uint8_t(std::int64_t n)> inputSignal = [](std::int64_t n) {
        return static_cast<std::uint8_t>(n * 7 + 3);
    };
    // Every byte output devices played, across runs.
    std::vector<std::uint8_t> played;

private:
    friend class VirtualWaveDevice;
    std::vector<VirtualWaveDevice*> devices;
    ScopedWaveDeviceFactory scope;
};
