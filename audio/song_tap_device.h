#pragma once

#include "platform/gui_mailbox.h"
#include "platform/media/pcm_converter.h"
#include "platform/wave_device.h"
#include "song_tap.h"

#include <QTimer>
#include <deque>
#include <memory>
#include <optional>

// An input device that records what the song plays: from the moment it starts, every byte that
// has been heard, converted to the recording format (bit for bit when the formats match). Heard
// bytes are delivered as they are heard, so a stop keeps nothing the listener did not hear.
class TSongTapDevice final : public WaveDevice {
public:
    explicit TSongTapDevice(TSongTap& tap);
    ~TSongTapDevice() override;

    void Open(const WaveDeviceFormat& format, BufferDone done) override;
    void Queue(WaveBuffer& buffer) override;
    void Start() override;
    void Reset() override;
    void Close() override;
    std::int64_t BytesProcessed() const override { return processed; }
    std::int64_t UnheardBytes() const override { return 0; }

private:
    void Pump();
    void PumpReportingErrors();
    void StopTapping();
    void Deliver(const std::uint8_t* data, std::size_t bytes);
    void Flush();
    void HandBack(WaveBuffer& buffer);

    TSongTap& tap;
    WaveDeviceFormat format;
    BufferDone done;
    bool opened = false;
    bool started = false;
    std::deque<WaveBuffer*> queue;
    std::int64_t cursor = 0;
    std::int64_t processed = 0;
    std::optional<WaveDeviceFormat> sourceFormat;
    std::unique_ptr<PcmConverter> converter;
    std::vector<std::uint8_t> converted;
    std::vector<std::uint8_t> pending;
    QTimer timer;
    GuiMailbox mailbox;
};
