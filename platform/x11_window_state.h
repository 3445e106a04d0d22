#pragma once

class QWindow;

// Asks the window manager to leave the (not yet mapped) window out of the task bar and the
// pager. Does nothing where the display is not X11.
void AddSkipTaskbarState(QWindow* window);
