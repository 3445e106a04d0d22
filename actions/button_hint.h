#pragma once

#include "shift_state.h"

#include <QString>
#include <optional>

// How much of a command's hint its skinned buttons show, as the settings store it.
enum THintLength { hlDismiss = 0, hlShort = 1, hlLong = 2 };

// A shortcut as hints show it: "Shift+SPACE", "F5", "Ctrl" for modifiers without a key,
// empty for no shortcut at all.
QString HintShortcutText(const TShortcut& shortcut);

// The hint of a command's skinned button: its hint text (short: up to its first ":"), then
// its shortcut in brackets when it has one. Empty when hints are dismissed, which shows none.
// Any length other than dismissed and short shows the whole text.
QString ActionButtonHint(int hintLength, const QString& hintText,
                         const std::optional<TShortcut>& shortcut);
