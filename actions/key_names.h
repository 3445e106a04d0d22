#pragma once

#include "shift_state.h"

#include <QString>
#include <cstdint>

// The texts of a shortcut. Storage names ("VK_SPACE") are what key files hold, display names
// ("SPACE", "A-KEY") what the user sees; a code the program does not name is "NONE" in both.

QString KeyStorageName(std::uint16_t virtualKey);
// The code whose storage name equals text, the case of ASCII letters aside; 0 for "NONE" and for
// anything unknown.
std::uint16_t KeyFromStorageName(const QString& text);
QString KeyDisplayName(std::uint16_t virtualKey);

// "Shift", "Ctrl" and "Alt", in this order, joined by "+"; empty for no modifier.
QString ShiftText(TShiftState shift);
// The modifiers whose words occur anywhere in text, the case of ASCII letters aside.
TShiftState ShiftFromText(const QString& text);
// The shift text, "+" and the display name; the display name alone without modifiers.
QString ShortcutText(std::uint16_t virtualKey, TShiftState shift);
