#pragma once

#include <cstdint>
#include <vector>

// Keys are stored and compared as Windows virtual-key codes, whatever the display system
// calls them, so that key files stay exchangeable with the Windows program.
enum VirtualKey : std::uint16_t {
    VkLButton = 1,
    VkRButton = 2,
    VkMButton = 4,
    VkReturn = 13,
    VkShift = 16,
    VkControl = 17,
    VkMenu = 18,
    VkEscape = 27,
};

// The X keysyms whose keys count as the virtual key (Shift is either Shift key; a digit is
// the key that carries it, whatever the layout puts on it shifted). Empty for mouse buttons
// and for codes no key produces here.
std::vector<unsigned long> KeysymsOfVirtualKey(std::uint16_t virtualKey);

// The virtual key of a Qt key event; shifted punctuation counts as its key (Qt::Key_Exclam
// is the 1 key on a US layout). 0 when no virtual key corresponds.
std::uint16_t VirtualKeyFromQtKey(int qtKey, bool keypad);
