#pragma once

#include <Qt>

class QWidget;

// Makes window a tool window of owner: it stays above owner, goes with it, and has no button
// of its own in the task bar or pager. `flags` are added to the tool-window flags (for
// instance Qt::FramelessWindowHint for a shaped window).
void MakeOwnedToolWindow(QWidget* window, QWidget* owner, Qt::WindowFlags flags = {});
