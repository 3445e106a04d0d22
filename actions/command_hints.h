#pragma once

class TEventModule;

// Gives every skin button of every command its hint: the command's hint text at the length the
// user chose (0 none, 1 short, 2 whole), followed by the shortcut of its key when it has one.
// Run after a skin is loaded, when the length changes and when keys are bound anew.
void ApplyCommandHints(const TEventModule& commands, int hintLength);
