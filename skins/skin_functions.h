#pragma once

#include "actions/control_list.h"

#include <QString>
#include <array>
#include <optional>

class TEventModule;
class TRealTimeAction;

// The function names a skin files its controls under, in the table's order. The controller
// shows, hides, fills and places whole groups; buttons run the command of their name (from
// AutoRec on; the ones before have no command). A skin without the practice functions (the
// transpose text and the buttons from SpeedReset on) loads as before; their groups stay empty.
enum class TSkinFunction {
    Velocity,
    Image,
    DockingPoint,
    SpeedMeterLabel,
    SpeedMeter,
    PlayingPosition,
    RepeatStart,
    RepeatEnd,
    Ratio,
    TransposeLabel,
    AutoRec,
    Back,
    Config,
    Eject,
    ExecSpeedChange,
    Exit,
    Minimize,
    NextTrack,
    Pause,
    Play,
    PrevTrack,
    Rec,
    RepEndBack,
    RepEndSet,
    RepEndStep,
    RepStartBack,
    RepStartSet,
    RepStartStep,
    RepeatPlaySwitch,
    RestoreSpeedChange,
    Step,
    Stop,
    Trash,
    WaveFast,
    WaveSlow,
    JumpToStartTime,
    Select,
    EjectCassette,
    HistoryBack,
    ShowVornic,
    ShowHomepage,
    SpeedReset,
    TransposeUp,
    TransposeDown,
    CentsUp,
    CentsDown,
    SpeedTrainer,
};

inline constexpr int SkinFunctionCount = 47;
// The first function that has a command.
inline constexpr TSkinFunction FirstCommandFunction = TSkinFunction::AutoRec;

QString SkinFunctionName(TSkinFunction function);
// The function of a name, compared without regard to case.
std::optional<TSkinFunction> FindSkinFunction(const QString& name);

// The main window's control groups, one per function name. Controls are filed here only: a
// reset destroys what the groups hold.
class TSkinControlGroups {
public:
    TControlList& operator[](TSkinFunction function) {
        return lists[static_cast<std::size_t>(function)];
    }
    const TControlList& operator[](TSkinFunction function) const {
        return lists[static_cast<std::size_t>(function)];
    }

    // Hides every control of every group and has it destroyed once the event loop is back,
    // since the command that chose another skin may run inside one of these buttons' own
    // mouse handlers; the groups are emptied at once.
    void DestroyAll();

private:
    std::array<TControlList, SkinFunctionCount> lists;
};

// The real-time action of each function that has a command, from the program's commands.
class TSkinActions {
public:
    explicit TSkinActions(const TEventModule& commands);
    // nullptr for the functions without a command.
    TRealTimeAction* Of(TSkinFunction function) const {
        return actions[static_cast<std::size_t>(function)];
    }

private:
    std::array<TRealTimeAction*, SkinFunctionCount> actions{};
};
