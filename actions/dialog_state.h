#pragma once

#include <functional>

class QDialog;

// Whether a modal dialog, a message box or a popup menu of the program is open, the error box
// included. While one is, no bound key fires and the main timer changes no song, releases no
// window and saves nothing: the dialog may be about to act on what they would take away.
bool DialogOfOursOpen();

// Shows a dialog or box of ours without waiting for it: application-modal, so that
// DialogOfOursOpen holds while it is open, and deleted once closed. closed (may be empty) hears
// its result once it closed and the keys held then (Return, Escape) were swallowed, so that the
// key that closed it does not go on to fire its binding.
void OpenDialogOfOurs(QDialog* dialog, std::function<void(int result)> closed = {});
