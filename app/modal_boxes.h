#pragma once

// Ends the open dialogs, boxes and menus as their Cancel would, and every dialog or box that
// opens from now on as soon as it shows: a program asked to end by the system must not wait for
// a user who may be gone, nor leave a start-up question between it and its shut-down.
void EndModalBoxesFromNowOn();
