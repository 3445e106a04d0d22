#pragma once

class QWindow;

// Asks the window manager to leave the window out of the task bar and the pager: in the state
// the window is mapped with, or by a request when it is mapped already. Does nothing where the
// display is not X11.
void AddSkipTaskbarState(QWindow* window);
