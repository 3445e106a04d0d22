#pragma once

#include <exception>
#include <optional>

// Where an error ends that no command could handle: the error box asks whether to end the
// program (OK) or to go on (Cancel). There is one box for the whole program, whatever raised
// the error (key polling, the main timer, a button): while it is open, further errors are not
// shown, so one fault repeated at every tick does not stack boxes.
//
// True when the user chose to go on, false when the program is to end, nothing when a box was
// open already.
std::optional<bool> AskToGoOnAfterError(const std::exception& error);
bool FatalErrorBoxOpen();
