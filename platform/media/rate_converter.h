#pragma once

#include "platform/pcm_source.h"

#include <memory>

// The same sound at another sample rate, with lengths and seeks in the new rate. A source
// already at that rate comes back as it is.
std::unique_ptr<PcmSource> ConvertRate(std::unique_ptr<PcmSource> source, int samplesPerSec);
