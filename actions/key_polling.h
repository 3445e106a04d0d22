#pragma once

#include "platform/key_state.h"
#include "shift_state.h"

// The modifiers among held keys: Shift, Alt (the menu key) and Ctrl.
TShiftState ShiftStateOf(const HeldKeys& held);
// The modifiers held now.
TShiftState CurrentShiftState();

// One poll: every real-time key looks at the keys held now, in the order the keys were made,
// then every action still down hears how long it has been held.
void PollRealTimeKeys();

// Handles events until no bound key is held with the modifiers held on entry, so that the key
// that closed a menu does not go on to fire its own binding; 10 s at most.
void WaitForBoundKeysReleased();
