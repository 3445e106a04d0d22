#pragma once

#include "shift_state.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class ProfileFile;
class TRealTimeVirtualCodeHotKey;

// The shortcut editors of the key-binding dialog, in the order a written set lists them.
using THotKeyEditors = std::vector<TRealTimeVirtualCodeHotKey*>;

// One entry of a binding: the editor's component name ("hkPlay") and its shortcut.
struct TKey {
    QString Name;
    std::uint16_t VirtualKey = 0;
    TShiftState ShiftState = 0;
};

// A whole binding under a name: a key-binding set the user saved, or the current binding.
class TKeyBind {
public:
    QString Name;
    std::vector<TKey> Keys;

    // Appends the entries of the section: "Name", "KeyCount", then "Key<j>" with its
    // ".VirtualKey" storage name and ".ShiftState" text; missing values read as empty, and a
    // "KeyCount" past the section's key=value lines as their number.
    void LoadFromSection(const ProfileFile& profile, const QString& section);
    void SaveToSection(ProfileFile& profile, const QString& section) const;

    // The first entry of exactly that name (case counts).
    const TKey* FindKey(const QString& name) const;
    // Editors the set names take its shortcuts; the others keep theirs.
    void ApplyToEditors(const THotKeyEditors& editors) const;
    // Whether every editor the set names shows the set's shortcut. Entries no editor has and
    // editors the set does not name are passed over, so a set without entries matches any
    // binding and a set saved before an editor was added still matches.
    bool MatchesEditors(const THotKeyEditors& editors) const;
};

// The set becomes what the editors show: one entry per editor, in editor order.
void CaptureEditors(TKeyBind& set, const THotKeyEditors& editors);

// The saved sets of the key file ("ConfFrm" and its "ConfFrm.ConfigItem<i>" sections).
std::vector<TKeyBind> LoadSets(const ProfileFile& profile);
void SaveSets(ProfileFile& profile, const std::vector<TKeyBind>& sets);

// The section of the current binding.
inline const QString CurrentKeyBindSection = QStringLiteral("MainFrm.CurrKeyBind");
