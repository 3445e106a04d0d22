#pragma once

#include "key_state.h"

#include <cstdint>
#include <memory>
#include <optional>

// The X server's own keymap, asked on Qt's X connection at each poll, so that it answers for
// the physical keys whichever program is in front. nullptr when Qt does not run on X11.
std::unique_ptr<KeyStateSource> CreateX11KeyState();

// The virtual key that the X key state holds while the key with this X key code is down (0:
// none); nullopt when Qt does not run on X11 or there is no key code (0: an event the program
// made itself).
std::optional<std::uint16_t> X11VirtualKeyOfKeycode(std::uint32_t keycode);
