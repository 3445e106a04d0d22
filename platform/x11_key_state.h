#pragma once

#include "key_state.h"

#include <memory>

// The X server's own keymap, asked on Qt's X connection at each poll, so that it answers for
// the physical keys whichever program is in front. nullptr when Qt does not run on X11.
std::unique_ptr<KeyStateSource> CreateX11KeyState();
