#pragma once

#include "platform/key_state.h"
#include "shift_state.h"

class TRealTimeKey;

// The modifiers among held keys: Shift, Alt (the menu key) and Ctrl.
TShiftState ShiftStateOf(const HeldKeys& held);

// One poll: every real-time key looks at the keys held now, in the order the keys were made,
// then every action still down hears how long it has been held.
void PollRealTimeKeys();
// One poll of key alone (the Minimize key while another program is in front).
void PollRealTimeKey(TRealTimeKey& key);

// Called when a menu or dialog of ours closes, so that the key that closed it (Return, Escape,
// a bound key) does not go on to fire its binding: every key held now counts as not held for
// the polls until one has seen it let go, or until SwallowDeadlineMs have passed, so that a key
// held for ever, or one the X server never reports released, cannot block its binding. The
// modifiers still count for the keys pressed after. Returns at once.
void SwallowHeldKeys();
inline constexpr std::uint32_t SwallowDeadlineMs = 10000;
