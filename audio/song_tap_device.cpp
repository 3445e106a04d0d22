#include "song_tap_device.h"

#include "platform/application_error.h"

#include <algorithm>
#include <cstring>

namespace {

// Heard bytes are collected this often, as a sound card hands over captured periods.
constexpr int PumpMilliseconds = 20;
constexpr int MaxPendingSeconds = 5;

bool SameFormat(const WaveDeviceFormat& a, const WaveDeviceFormat& b) {
    return a.channels == b.channels && a.samplesPerSec == b.samplesPerSec &&
           a.bitsPerSample == b.bitsPerSample;
}

} // namespace

TSongTapDevice::TSongTapDevice(TSongTap& tap) : tap(tap) {
    timer.setInterval(PumpMilliseconds);
    QObject::connect(&timer, &QTimer::timeout, [this] { PumpReportingErrors(); });
}

TSongTapDevice::~TSongTapDevice() {
    Close();
}

void TSongTapDevice::Open(const WaveDeviceFormat& newFormat, BufferDone newDone) {
    if (opened) {
        throw EWaveDeviceError("The song is already being recorded.");
    }
    const bool valid = (newFormat.channels == 1 || newFormat.channels == 2) &&
                       (newFormat.bitsPerSample == 8 || newFormat.bitsPerSample == 16) &&
                       newFormat.samplesPerSec >= 1000 && newFormat.samplesPerSec <= 384000;
    if (!valid) {
        throw EWaveDeviceError("The song cannot be recorded in this format.");
    }
    format = newFormat;
    done = std::move(newDone);
    opened = true;
    processed = 0;
}

void TSongTapDevice::Queue(WaveBuffer& buffer) {
    if (!opened) {
        throw EWaveDeviceError("The song recording device is not open.");
    }
    buffer.bytesRecorded = 0;
    queue.push_back(&buffer);
    Flush();
}

void TSongTapDevice::Start() {
    if (!opened || started) {
        return;
    }
    started = true;
    cursor = tap.Heard();
    tap.HoldFrom(cursor);
    tap.OnFilled = [this] { PumpReportingErrors(); };
    timer.start();
}

void TSongTapDevice::StopTapping() {
    if (started) {
        started = false;
        timer.stop();
        tap.OnFilled = nullptr;
        tap.Release();
    }
}

void TSongTapDevice::Reset() {
    if (started) {
        Pump();
    }
    StopTapping();
    while (!queue.empty()) {
        WaveBuffer* buffer = queue.front();
        queue.pop_front();
        HandBack(*buffer);
    }
}

void TSongTapDevice::Close() {
    StopTapping();
    queue.clear();
    pending.clear();
    opened = false;
    converter.reset();
    sourceFormat.reset();
}

// A failure while collecting must not stop the song whose fill called in: it is reported
// instead, as a device error would be.
void TSongTapDevice::PumpReportingErrors() {
    try {
        Pump();
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}

void TSongTapDevice::Pump() {
    const std::int64_t heard = tap.Heard();
    if (!started || heard <= cursor) {
        return;
    }
    tap.Take(cursor, heard,
             [this](const std::uint8_t* data, std::int32_t bytes, const WaveDeviceFormat& from) {
                 if (!sourceFormat || !SameFormat(*sourceFormat, from)) {
                     sourceFormat = from;
                     converter = SameFormat(from, format)
                                     ? nullptr
                                     : std::make_unique<PcmConverter>(from, format);
                 }
                 if (!converter) {
                     Deliver(data, static_cast<std::size_t>(bytes));
                     return;
                 }
                 converter->Convert(data, bytes, converted);
                 Deliver(converted.data(), converted.size());
             });
    cursor = heard;
    tap.HoldFrom(cursor);
}

void TSongTapDevice::Deliver(const std::uint8_t* data, std::size_t bytes) {
    // Bytes wait while no buffer is queued (the recorder is writing one); past a few seconds
    // they are dropped, as a sound card drops what nobody collects.
    const auto limit = static_cast<std::size_t>(MaxPendingSeconds * format.BytesPerSecond());
    pending.insert(pending.end(), data,
                   data + std::min(bytes, limit - std::min(limit, pending.size())));
    Flush();
}

// Fills the queued buffers in order with the waiting bytes.
void TSongTapDevice::Flush() {
    std::size_t taken = 0;
    while (taken < pending.size() && !queue.empty()) {
        WaveBuffer& buffer = *queue.front();
        const auto room = static_cast<std::size_t>(buffer.length - buffer.bytesRecorded);
        const std::size_t n = std::min(room, pending.size() - taken);
        std::memcpy(buffer.data + buffer.bytesRecorded, pending.data() + taken, n);
        buffer.bytesRecorded += static_cast<std::int32_t>(n);
        processed += static_cast<std::int64_t>(n);
        taken += n;
        if (buffer.bytesRecorded == buffer.length) {
            queue.pop_front();
            HandBack(buffer);
        }
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(taken));
}

void TSongTapDevice::HandBack(WaveBuffer& buffer) {
    mailbox.Post([this, &buffer] {
        if (done) {
            done(buffer);
        }
    });
}
