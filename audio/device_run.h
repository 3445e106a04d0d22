#pragma once

#include "platform/wave_device.h"

#include <QDeadlineTimer>
#include <QObject>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// One of the two device buffers.
struct TBufferObject {
    WaveBuffer WaveHeader;
    std::vector<std::uint8_t> Data;
    std::uint8_t Index = 0;
    std::int32_t FillSize = 0;
};

using TBufferPair = std::array<std::unique_ptr<TBufferObject>, 2>;

// One opening of the default wave device and the buffers queued on it. While a player drives
// the run, every buffer the device hands back goes to the player's handler. Retiring ends the
// player's part at once: the run resets the device and lives on by itself until every buffer
// still queued has come back or a deadline passed, then closes the device and frees itself. A
// retired run never calls into the player, so the player may start another run or go away
// meanwhile.
class DeviceRun final : public QObject {
public:
    using Handler = std::function<void(WaveBuffer&)>;

    // A device that has not handed its buffers back by then is taken as dead.
    static constexpr int RetireDeadlineMs = 5000;
    // What the device took is heard before it closes, unless that takes longer than this.
    static constexpr int EndHeardWithinMs = 250;
    static constexpr int EndHeardPollMs = 5;

    // Opens the default device of that direction; throws EWaveDeviceError.
    DeviceRun(WaveDirection direction, const WaveDeviceFormat& format, Handler handler);
    ~DeviceRun() override;
    DeviceRun(const DeviceRun&) = delete;
    DeviceRun& operator=(const DeviceRun&) = delete;

    void Queue(WaveBuffer& buffer);
    void Start();
    // The buffers come back through the handler, and are the caller's again at once (see
    // WaveDevice::Reset).
    void Reset();
    std::int64_t BytesProcessed() const { return device->BytesProcessed(); }
    // The buffers queued and not yet handed back to the handler, oldest first.
    const std::deque<WaveBuffer*>& Queued() const { return queued; }

    // Takes the run off its player, with the buffers that may still be queued on it.
    static void Retire(std::unique_ptr<DeviceRun> run, TBufferPair buffers);

private:
    void Returned(WaveBuffer& buffer);
    void Finish();
    void CloseWhenHeard(const QDeadlineTimer& deadline);

    // Declared before the device, so they outlive it.
    TBufferPair buffers;
    std::unique_ptr<WaveDevice> device;
    Handler handler;
    std::deque<WaveBuffer*> queued;
    bool retired = false;
    bool finished = false;
};
