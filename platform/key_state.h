#pragma once

#include <bitset>
#include <cstdint>
#include <memory>

class QKeyEvent;

// Every virtual-key code below 256 that is held, read at one moment.
using HeldKeys = std::bitset<256>;

// Whether a key or a mouse button, named by its Windows virtual-key code, is physically held
// at this moment. Polled: the program looks at the keys whenever it is idle instead of
// waiting for key events, so it also sees keys pressed while another window has the focus.
class KeyStateSource {
public:
    virtual ~KeyStateSource() = default;
    virtual bool IsDown(std::uint16_t virtualKey) = 0;
    // All keys at once, for a poll of many keys: a source that asks the display server
    // answers this with one request. Code 0 (no key) is never held.
    virtual HeldKeys AllDown();
};

// What the program polls: the system's key state, unless a test installed its own source.
KeyStateSource& CurrentKeyState();
// Polls go to source (not owned) from now on; nullptr goes back to the system's key state.
void SetKeyStateSource(KeyStateSource* source);

// The system's key state: the X server's keymap on X11, otherwise what this program's own
// key events said. Needs the GUI application to exist.
std::unique_ptr<KeyStateSource> CreateSystemKeyState();

// The virtual key of a key event, as a poll sees the same key held: where the keys come from an
// X server by the event's X key code (keypad keys are NUMPAD codes whatever Num Lock says,
// digits and punctuation go by position), elsewhere by its Qt key. 0 when none corresponds.
std::uint16_t VirtualKeyOfKeyEvent(const QKeyEvent& event);

// The mouse buttons VkLButton, VkRButton and VkMButton as Qt last saw them; false for others.
bool IsMouseButtonDown(std::uint16_t virtualKey);
bool IsMouseButton(std::uint16_t virtualKey);
// The three mouse buttons as Qt last saw them, as held keys.
HeldKeys MouseButtonsDown();
