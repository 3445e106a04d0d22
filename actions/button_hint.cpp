#include "button_hint.h"

#include "key_names.h"
#include "message_format.h"
#include "messages.h"

QString HintShortcutText(const TShortcut& shortcut) {
    const QString shiftText = ShiftText(shortcut.ShiftState);
    QString keyName = KeyDisplayName(shortcut.VirtualKey);
    if (keyName == QLatin1String("NONE")) {
        keyName.clear();
    }
    if (shiftText.isEmpty() || keyName.isEmpty()) {
        return shiftText + keyName;
    }
    return shiftText + '+' + keyName;
}

QString ActionButtonHint(int hintLength, const QString& hintText,
                         const std::optional<TShortcut>& shortcut) {
    if (hintLength == hlDismiss) {
        return {};
    }
    const QString text = hintLength == hlShort ? hintText.section(':', 0, 0) : hintText;
    const QString shortcutText = shortcut ? HintShortcutText(*shortcut) : QString();
    if (shortcutText.isEmpty()) {
        return text;
    }
    return FormatMessage(RHINT_FORMAT, {text, shortcutText});
}
