#include "time_text.h"

#include <cstdio>

std::string TimeText(std::int32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d:%2.2d:%2.2d", ms / 60000, ms / 1000 % 60,
                  ms / 10 % 100);
    return text;
}
