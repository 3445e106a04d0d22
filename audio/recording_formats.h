#pragma once

#include "pcm_wave_format.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One of the twelve standard PCM recording formats, named by its capability bit.
struct TStandardRecordingFormat {
    std::uint32_t Bit;
    PcmWaveFormat Format;
    const char* Caption;
};

// In the order of the capability bits: 11025, 22050 and 44100 Hz, each mono and stereo, 8 and
// 16 bits.
extern const std::array<TStandardRecordingFormat, 12> StandardRecordingFormats;

// The format of a capability bit; any other value fails with an empty message.
PcmWaveFormat MakeStandardFormat(std::uint32_t bit);

// The format new cassettes record in: the best standard format the default input device takes,
// all zeros when it takes none. Until the device has been asked it is 44100 Hz 16-bit stereo.
extern PcmWaveFormat DefaultRecordFormat;

struct TSupportedRecordingFormat {
    std::string Caption;
    PcmWaveFormat Format;
};

// Asks the default input device which standard formats it opens with (a format counts as
// supported when the device opens with it), then sets DefaultRecordFormat and the supported list.
void ReadRecordingCapabilities();

// The standard formats the device supports, in table order; empty until the device was asked.
const std::vector<TSupportedRecordingFormat>& SupportedRecordingFormats();
