#include "speed_hints.h"

#include "actions/button_hint.h"
#include "actions/messages.h"
#include "skin_functions.h"

#include <utility>

void ApplySpeedHints(const TSkinControlGroups& groups, int hintLength) {
    const std::pair<TSkinFunction, const QString*> hints[] = {
        {TSkinFunction::SpeedMeter, &RHINT_SPEED},
        {TSkinFunction::Velocity, &RHINT_SPEED},
        {TSkinFunction::SpeedMeterLabel, &RHINT_SPEED},
        {TSkinFunction::Ratio, &RHINT_SCROLLBAR_RATIO},
        {TSkinFunction::TransposeLabel, &RHINT_TRANSPOSE},
    };
    for (const auto& [function, text] : hints) {
        const QString hint = ActionButtonHint(hintLength, *text, std::nullopt);
        const TControlList& controls = groups[function];
        for (int i = 0; i < controls.Count(); ++i) {
            controls.Item(i)->setToolTip(hint);
        }
    }
}
