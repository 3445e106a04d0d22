#pragma once

// Whether a modal dialog, a message box or a popup menu of the program is open, the error box
// included. While one is, no bound key fires and the main timer changes no song, releases no
// window and saves nothing: the dialog may be about to act on what they would take away.
bool DialogOfOursOpen();
