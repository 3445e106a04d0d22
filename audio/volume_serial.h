#pragma once

#include "platform/cd_drive.h"

#include <cstdint>
#include <string>

// The serial number Windows gives an audio disc, worked out from its table of contents, so that
// song data saved on either system names the same disc.
std::uint32_t CdVolumeSerial(const CdToc& toc);

// The serial as 8 upper-case hexadecimal digits.
std::string CdVolumeSerialText(const CdToc& toc);
