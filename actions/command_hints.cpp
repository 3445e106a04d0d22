#include "command_hints.h"

#include "button_hint.h"
#include "event_module.h"
#include "real_time_action.h"
#include "real_time_button.h"
#include "real_time_key.h"

void ApplyCommandHints(const TEventModule& commands, int hintLength) {
    for (const TEventCommand& command : commands.Commands()) {
        std::optional<TShortcut> shortcut;
        if (command.Key != nullptr) {
            shortcut = TShortcut{command.Key->VirtualKey(), command.Key->ShiftState()};
        }
        const QString hint = ActionButtonHint(
            hintLength, command.Hint != nullptr ? *command.Hint : QString(), shortcut);
        for (int i = 0; i < command.Action->LinkedButtonCount(); ++i) {
            command.Action->LinkedButton(i)->setToolTip(hint);
        }
    }
}
