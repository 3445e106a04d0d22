#pragma once

#include "skins/skin_parameters.h"

// The looks of cassettes and memory cards until a skin gives its own: pictures drawn here,
// a cassette with two reels behind a window and a label for its title, and a memory card with
// a label and gold contacts.
TSkinWindowLook DefaultCassetteSkin();
TSkinWindowLook DefaultCardSkin();
