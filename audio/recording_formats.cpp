#include "recording_formats.h"

#include "platform/exception.h"
#include "platform/wave_device.h"

namespace {

constexpr TStandardRecordingFormat Row(std::uint32_t bit, int rate, int channels, int bits,
                                       const char* caption) {
    PcmWaveFormat format;
    format.formatTag = PcmWaveFormat::PcmTag;
    format.channels = static_cast<std::uint16_t>(channels);
    format.samplesPerSec = static_cast<std::uint32_t>(rate);
    format.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = format.samplesPerSec * format.blockAlign;
    format.bitsPerSample = static_cast<std::uint16_t>(bits);
    format.extraSize = 0;
    return {bit, format, caption};
}

std::vector<TSupportedRecordingFormat>& SupportedList() {
    static std::vector<TSupportedRecordingFormat> list;
    return list;
}

// The capability bits of the formats the default input device opens with.
std::uint32_t ReadInputCapabilities() {
    std::uint32_t capabilities = 0;
    for (const auto& row : StandardRecordingFormats) {
        const auto device = CreateDefaultWaveDevice(WaveDirection::Input);
        try {
            device->Open({row.Format.channels, static_cast<int>(row.Format.samplesPerSec),
                          row.Format.bitsPerSample},
                         [](WaveBuffer&) {});
            device->Close();
            capabilities |= row.Bit;
        } catch (const EWaveDeviceError&) {
            // Not supported: the bit stays clear.
        }
    }
    return capabilities;
}

} // namespace

const std::array<TStandardRecordingFormat, 12> StandardRecordingFormats = {{
    Row(1, 11025, 1, 8, "11025Hz, Mono    8bit"),
    Row(2, 11025, 2, 8, "11025Hz, Stereo  8bit"),
    Row(4, 11025, 1, 16, "11025Hz, Mono   16bit"),
    Row(8, 11025, 2, 16, "11025Hz, Stereo 16bit"),
    Row(16, 22050, 1, 8, "22050Hz, Mono    8bit"),
    Row(32, 22050, 2, 8, "22050Hz, Stereo  8bit"),
    Row(64, 22050, 1, 16, "22050Hz, Mono   16bit"),
    Row(128, 22050, 2, 16, "22050Hz, Stereo 16bit"),
    Row(256, 44100, 1, 8, "44100Hz, Mono    8bit"),
    Row(512, 44100, 2, 8, "44100Hz, Stereo  8bit"),
    Row(1024, 44100, 1, 16, "44100Hz, Mono   16bit"),
    Row(2048, 44100, 2, 16, "44100Hz, Stereo 16bit"),
}};

PcmWaveFormat DefaultRecordFormat = StandardRecordingFormats.back().Format;

PcmWaveFormat MakeStandardFormat(std::uint32_t bit) {
    for (const auto& row : StandardRecordingFormats) {
        if (row.Bit == bit) {
            return row.Format;
        }
    }
    throw Exception("");
}

void ReadRecordingCapabilities() {
    const std::uint32_t capabilities = ReadInputCapabilities();
    auto& list = SupportedList();
    list.clear();
    DefaultRecordFormat = PcmWaveFormat{0, 0, 0, 0, 0, 0, 0};
    for (const auto& row : StandardRecordingFormats) {
        if ((capabilities & row.Bit) != 0) {
            list.push_back({row.Caption, row.Format});
            DefaultRecordFormat = row.Format;
        }
    }
}

const std::vector<TSupportedRecordingFormat>& SupportedRecordingFormats() {
    return SupportedList();
}
