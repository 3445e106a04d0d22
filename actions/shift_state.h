#pragma once

#include <cstdint>

// The modifiers of a shortcut as key files store them: bit 0 Shift, bit 1 Alt, bit 2 Ctrl.
// Shortcuts match only when their sets are equal.
using TShiftState = std::uint8_t;

enum TShiftFlag : TShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
};

// A key with its modifiers; key 0 is no key.
struct TShortcut {
    std::uint16_t VirtualKey = 0;
    TShiftState ShiftState = 0;
};
