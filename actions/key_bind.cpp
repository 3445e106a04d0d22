#include "key_bind.h"

#include "key_names.h"
#include "platform/profile_file.h"
#include "real_time_hot_key.h"

#include <algorithm>

namespace {

const QString SetsSection = QStringLiteral("ConfFrm");
const QString SetCountKey = QStringLiteral("ConfigItemCount");

// A count beyond this in a damaged file would keep the program reading nothing for ever.
constexpr int MaxCount = 10000;

QString SetSection(int index) {
    return SetsSection + QStringLiteral(".ConfigItem") + QString::number(index);
}

QString EntryKey(int index, const char* suffix = "") {
    return QStringLiteral("Key") + QString::number(index) + QLatin1String(suffix);
}

// A decimal count; missing, malformed or negative is 0.
int ReadCount(const ProfileFile& profile, const QString& section, const QString& key) {
    bool ok = false;
    const int count = profile.ReadString(section, key, {}).trimmed().toInt(&ok);
    return ok ? std::clamp(count, 0, MaxCount) : 0;
}

bool Matches(const TKey& key, const TRealTimeVirtualCodeHotKey& editor) {
    return key.VirtualKey == editor.VirtualKey() && key.ShiftState == editor.ShiftState();
}

} // namespace

void TKeyBind::LoadFromSection(const ProfileFile& profile, const QString& section) {
    Name = profile.ReadString(section, QStringLiteral("Name"), {});
    // Each entry has lines of its own: a count past the lines of the section is damage, which
    // would have a small file read as thousands of empty entries in each of its sections.
    const int count = std::min(ReadCount(profile, section, QStringLiteral("KeyCount")),
                               profile.ValueCount(section));
    for (int j = 0; j < count; ++j) {
        TKey key;
        key.Name = profile.ReadString(section, EntryKey(j), {});
        key.VirtualKey =
            KeyFromStorageName(profile.ReadString(section, EntryKey(j, ".VirtualKey"), {}));
        key.ShiftState = ShiftFromText(profile.ReadString(section, EntryKey(j, ".ShiftState"), {}));
        Keys.push_back(key);
    }
}

void TKeyBind::SaveToSection(ProfileFile& profile, const QString& section) const {
    profile.WriteString(section, QStringLiteral("Name"), Name);
    profile.WriteString(section, QStringLiteral("KeyCount"), QString::number(Keys.size()));
    for (int j = 0; j < static_cast<int>(Keys.size()); ++j) {
        const TKey& key = Keys[static_cast<std::size_t>(j)];
        profile.WriteString(section, EntryKey(j), key.Name);
        profile.WriteString(section, EntryKey(j, ".VirtualKey"), KeyStorageName(key.VirtualKey));
        profile.WriteString(section, EntryKey(j, ".ShiftState"), ShiftText(key.ShiftState));
    }
}

const TKey* TKeyBind::FindKey(const QString& name) const {
    const auto found =
        std::find_if(Keys.begin(), Keys.end(), [&](const TKey& key) { return key.Name == name; });
    return found == Keys.end() ? nullptr : &*found;
}

void TKeyBind::ApplyToEditors(const THotKeyEditors& editors) const {
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        if (const TKey* key = FindKey(editor->objectName())) {
            editor->SetVirtualKey(key->VirtualKey);
            editor->SetShiftState(key->ShiftState);
        }
    }
}

bool TKeyBind::MatchesEditors(const THotKeyEditors& editors) const {
    return std::all_of(editors.begin(), editors.end(),
                       [&](const TRealTimeVirtualCodeHotKey* editor) {
                           const TKey* key = FindKey(editor->objectName());
                           return key == nullptr || Matches(*key, *editor);
                       });
}

void CaptureEditors(TKeyBind& set, const THotKeyEditors& editors) {
    set.Keys.clear();
    for (const TRealTimeVirtualCodeHotKey* editor : editors) {
        set.Keys.push_back({editor->objectName(), editor->VirtualKey(), editor->ShiftState()});
    }
}

std::vector<TKeyBind> LoadSets(const ProfileFile& profile) {
    std::vector<TKeyBind> sets(
        static_cast<std::size_t>(ReadCount(profile, SetsSection, SetCountKey)));
    for (std::size_t i = 0; i < sets.size(); ++i) {
        sets[i].LoadFromSection(profile, SetSection(static_cast<int>(i)));
    }
    return sets;
}

void SaveSets(ProfileFile& profile, const std::vector<TKeyBind>& sets) {
    profile.WriteString(SetsSection, SetCountKey, QString::number(sets.size()));
    for (std::size_t i = 0; i < sets.size(); ++i) {
        sets[i].SaveToSection(profile, SetSection(static_cast<int>(i)));
    }
}
