#pragma once

#include <cstdint>
#include <string>

// A time as the program shows it: minutes, seconds and hundredths, "%2.2d:%2.2d:%2.2d"; the
// minutes do not wrap.
std::string TimeText(std::int32_t ms);
