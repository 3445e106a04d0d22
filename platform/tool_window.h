#pragma once

#include <Qt>

class QWidget;

// Makes window a tool window of owner: it stays above owner, goes with it, and has no button
// of its own in the task bar or pager. `flags` are added to the tool-window flags (for
// instance Qt::FramelessWindowHint for a shaped window).
void MakeOwnedToolWindow(QWidget* window, QWidget* owner, Qt::WindowFlags flags = {});

// Keeps window above every other window, or lets it go back among them; a shown window stays
// shown (changing its flags would hide it).
void SetStayOnTop(QWidget* window, bool value);
bool StaysOnTop(const QWidget* window);
