#include "event_module.h"

#include "messages.h"
#include "real_time_action.h"
#include "real_time_key.h"

#include <QTimer>

namespace {

constexpr int MainTimerIntervalMs = 64;

// One command: its action is "re" and its key "rk" followed by the function name.
struct CommandRow {
    TRealTimeAction* TEventModule::*action;
    int tag;
    const char* functionName;
    TRealTimeKey* TEventModule::*key; // nullptr: no key
    const QString* hint;              // nullptr: no hint
};

using M = TEventModule;

const CommandRow Rows[] = {
    {&M::rePrevTrack, 1, "PrevTrack", &M::rkPrevTrack, &RHINT_PREVTRACK},
    {&M::reBack, 2, "Back", &M::rkBack, &RHINT_BACK},
    {&M::reStop, 3, "Stop", &M::rkStop, &RHINT_STOP},
    {&M::rePause, 4, "Pause", &M::rkPause, &RHINT_PAUSE},
    {&M::rePlay, 5, "Play", &M::rkPlay, &RHINT_PLAY},
    {&M::reStep, 6, "Step", &M::rkStep, &RHINT_STEP},
    {&M::reNextTrack, 7, "NextTrack", &M::rkNextTrack, &RHINT_NEXTTRACK},
    {&M::reEject, 8, "Eject", &M::rkEject, &RHINT_EJECT},
    {&M::reRepStartBack, 11, "RepStartBack", &M::rkRepStartBack, &RHINT_REPSTARTBACK},
    {&M::reRepStartSet, 12, "RepStartSet", &M::rkRepStartSet, &RHINT_REPSTARTSET},
    {&M::reRepStartStep, 13, "RepStartStep", &M::rkRepStartStep, &RHINT_REPSTARTSTEP},
    {&M::reRepEndBack, 21, "RepEndBack", &M::rkRepEndBack, &RHINT_REPENDBACK},
    {&M::reRepEndSet, 22, "RepEndSet", &M::rkRepEndSet, &RHINT_REPENDSET},
    {&M::reRepEndStep, 23, "RepEndStep", &M::rkRepEndStep, &RHINT_REPENDSTEP},
    {&M::reRepeatPlaySwitch, 31, "RepeatPlaySwitch", &M::rkRepeatPlaySwitch,
     &RHINT_REPEATPLAYSWITCH},
    {&M::reAutoRec, 32, "AutoRec", &M::rkAutoRec, &RHINT_AUTOREC},
    {&M::reRec, 33, "Rec", &M::rkRec, &RHINT_REC},
    {&M::reJumpToStartTime, 34, "JumpToStartTime", &M::rkJumpToStartTime, &RHINT_JUMPTOSTARTTIME},
    {&M::reHistoryBack, 35, "HistoryBack", &M::rkHistoryBack, &RHINT_HISTORYBACK},
    {&M::reWaveSlow, 41, "WaveSlow", &M::rkWaveSlow, &RHINT_WAVESLOW},
    {&M::reWaveFast, 42, "WaveFast", &M::rkWaveFast, &RHINT_WAVEFAST},
    {&M::reExecSpeedChange, 43, "ExecSpeedChange", &M::rkExecSpeedChange, &RHINT_EXECSPEEDCHANGE},
    {&M::reRestoreSpeedChange, 44, "RestoreSpeedChange", &M::rkRestoreSpeedChange,
     &RHINT_RESTORESPEEDCHANGE},
    {&M::reTrash, 51, "Trash", &M::rkTrash, &RHINT_TRASH},
    {&M::reSelect, 52, "Select", &M::rkSelect, &RHINT_SELECT},
    {&M::reEjectCassette, 53, "EjectCassette", &M::rkEjectCassette, &RHINT_EJECT_CASSETTE},
    {&M::reMinimize, 61, "Minimize", &M::rkMinimize, &RHINT_MINIMIZE},
    {&M::reExit, 62, "Exit", &M::rkExit, &RHINT_EXIT},
    {&M::reConfig, 63, "Config", &M::rkConfig, &RHINT_CONFIG},
    {&M::reShowHomepage, 70, "ShowHomepage", nullptr, nullptr},
    {&M::reShowVornic, 71, "ShowVornic", nullptr, nullptr},
    {&M::reSpeedReset, 81, "SpeedReset", &M::rkSpeedReset, &RHINT_SPEEDRESET},
    {&M::reTransposeUp, 82, "TransposeUp", &M::rkTransposeUp, &RHINT_TRANSPOSEUP},
    {&M::reTransposeDown, 83, "TransposeDown", &M::rkTransposeDown, &RHINT_TRANSPOSEDOWN},
    {&M::reCentsUp, 84, "CentsUp", &M::rkCentsUp, &RHINT_CENTSUP},
    {&M::reCentsDown, 85, "CentsDown", &M::rkCentsDown, &RHINT_CENTSDOWN},
    {&M::reSpeedTrainer, 86, "SpeedTrainer", &M::rkSpeedTrainer, &RHINT_SPEEDTRAINER},
};

} // namespace

TEventModule::TEventModule(QObject* parent) : QObject(parent), Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("EventModule"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(MainTimerIntervalMs);
    // All actions first, then their keys, each in the order of the commands.
    for (const CommandRow& row : Rows) {
        auto* action = new TRealTimeAction(this);
        action->setObjectName(QStringLiteral("re") + QLatin1String(row.functionName));
        action->SetTag(row.tag);
        this->*row.action = action;
    }
    reRepeatPlaySwitch->SetToggleType(true);
    for (const CommandRow& row : Rows) {
        TRealTimeKey* key = nullptr;
        if (row.key != nullptr) {
            key = new TRealTimeKey(this);
            key->setObjectName(QStringLiteral("rk") + QLatin1String(row.functionName));
            key->SetRealTimeAction(this->*row.action);
            this->*row.key = key;
        }
        commands.push_back(
            {this->*row.action, key, QString::fromLatin1(row.functionName), row.hint});
    }
}
