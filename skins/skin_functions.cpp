#include "skin_functions.h"

#include "actions/event_module.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace {

constexpr const char* Names[SkinFunctionCount] = {
    "Velocity",
    "Image",
    "DockingPoint",
    "SpeedMeterLabel",
    "SpeedMeter",
    "PlayingPosition",
    "RepeatStart",
    "RepeatEnd",
    "Ratio",
    "TransposeLabel",
    "AutoRec",
    "Back",
    "Config",
    "Eject",
    "ExecSpeedChange",
    "Exit",
    "Minimize",
    "NextTrack",
    "Pause",
    "Play",
    "PrevTrack",
    "Rec",
    "RepEndBack",
    "RepEndSet",
    "RepEndStep",
    "RepStartBack",
    "RepStartSet",
    "RepStartStep",
    "RepeatPlaySwitch",
    "RestoreSpeedChange",
    "Step",
    "Stop",
    "Trash",
    "WaveFast",
    "WaveSlow",
    "JumpToStartTime",
    "Select",
    "EjectCassette",
    "HistoryBack",
    "ShowVornic",
    "ShowHomepage",
    "SpeedReset",
    "TransposeUp",
    "TransposeDown",
    "CentsUp",
    "CentsDown",
    "SpeedTrainer",
};

} // namespace

QString SkinFunctionName(TSkinFunction function) {
    return QString::fromLatin1(Names[static_cast<std::size_t>(function)]);
}

std::optional<TSkinFunction> FindSkinFunction(const QString& name) {
    for (int i = 0; i < SkinFunctionCount; ++i) {
        if (name.compare(QLatin1String(Names[i]), Qt::CaseInsensitive) == 0) {
            return static_cast<TSkinFunction>(i);
        }
    }
    return std::nullopt;
}

void TSkinControlGroups::DestroyAll() {
    // A control filed under two names is destroyed once.
    std::vector<QPointer<QWidget>> controls;
    for (TControlList& list : lists) {
        for (int i = 0; i < list.Count(); ++i) {
            controls.emplace_back(list.Item(i));
        }
        list = TControlList();
    }
    for (const QPointer<QWidget>& control : controls) {
        if (control != nullptr) {
            control->hide();
            control->deleteLater();
        }
    }
}

TSkinActions::TSkinActions(const TEventModule& commands) {
    for (const TEventCommand& command : commands.Commands()) {
        if (const std::optional<TSkinFunction> function = FindSkinFunction(command.FunctionName)) {
            actions[static_cast<std::size_t>(*function)] = command.Action;
        }
    }
}
