#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QTimer;
class TRealTimeAction;
class TRealTimeKey;

// One command of the event module: its action, the key that drives it, the name by which a
// skin binds buttons to it and its hint text in the message table.
struct TEventCommand {
    TRealTimeAction* Action;
    TRealTimeKey* Key; // nullptr for the commands without a key
    QString FunctionName;
    const QString* Hint; // nullptr for the commands without a hint
};

// The program's commands: every action with its code (Tag) and the key linked to it, ready
// for the controller to give the actions their handlers and the key-binding dialog to give
// the keys their shortcuts (until then every key is unbound). Also the main timer, stopped
// until the controller starts it.
class TEventModule : public QObject {
    Q_OBJECT
public:
    explicit TEventModule(QObject* parent = nullptr);

    // In the order they were made, which is the order keys are polled in.
    const std::vector<TEventCommand>& Commands() const { return commands; }

    TRealTimeAction* rePrevTrack;
    TRealTimeAction* reBack;
    TRealTimeAction* reStop;
    TRealTimeAction* rePause;
    TRealTimeAction* rePlay;
    TRealTimeAction* reStep;
    TRealTimeAction* reNextTrack;
    TRealTimeAction* reEject;
    TRealTimeAction* reRepStartBack;
    TRealTimeAction* reRepStartSet;
    TRealTimeAction* reRepStartStep;
    TRealTimeAction* reRepEndBack;
    TRealTimeAction* reRepEndSet;
    TRealTimeAction* reRepEndStep;
    TRealTimeAction* reRepeatPlaySwitch;
    TRealTimeAction* reAutoRec;
    TRealTimeAction* reRec;
    TRealTimeAction* reJumpToStartTime;
    TRealTimeAction* reHistoryBack;
    TRealTimeAction* reWaveSlow;
    TRealTimeAction* reWaveFast;
    TRealTimeAction* reExecSpeedChange;
    TRealTimeAction* reRestoreSpeedChange;
    TRealTimeAction* reTrash;
    TRealTimeAction* reSelect;
    TRealTimeAction* reEjectCassette;
    TRealTimeAction* reMinimize;
    TRealTimeAction* reExit;
    TRealTimeAction* reConfig;
    TRealTimeAction* reShowHomepage;
    TRealTimeAction* reShowVornic;
    TRealTimeAction* reSpeedReset;
    TRealTimeAction* reTransposeUp;
    TRealTimeAction* reTransposeDown;
    TRealTimeAction* reCentsUp;
    TRealTimeAction* reCentsDown;
    TRealTimeAction* reSpeedTrainer;

    TRealTimeKey* rkPrevTrack;
    TRealTimeKey* rkBack;
    TRealTimeKey* rkStop;
    TRealTimeKey* rkPause;
    TRealTimeKey* rkPlay;
    TRealTimeKey* rkStep;
    TRealTimeKey* rkNextTrack;
    TRealTimeKey* rkEject;
    TRealTimeKey* rkRepStartBack;
    TRealTimeKey* rkRepStartSet;
    TRealTimeKey* rkRepStartStep;
    TRealTimeKey* rkRepEndBack;
    TRealTimeKey* rkRepEndSet;
    TRealTimeKey* rkRepEndStep;
    TRealTimeKey* rkRepeatPlaySwitch;
    TRealTimeKey* rkAutoRec;
    TRealTimeKey* rkRec;
    TRealTimeKey* rkJumpToStartTime;
    TRealTimeKey* rkHistoryBack;
    TRealTimeKey* rkWaveSlow;
    TRealTimeKey* rkWaveFast;
    TRealTimeKey* rkExecSpeedChange;
    TRealTimeKey* rkRestoreSpeedChange;
    TRealTimeKey* rkTrash;
    TRealTimeKey* rkSelect;
    TRealTimeKey* rkEjectCassette;
    TRealTimeKey* rkMinimize;
    TRealTimeKey* rkExit;
    TRealTimeKey* rkConfig;
    TRealTimeKey* rkSpeedReset;
    TRealTimeKey* rkTransposeUp;
    TRealTimeKey* rkTransposeDown;
    TRealTimeKey* rkCentsUp;
    TRealTimeKey* rkCentsDown;
    TRealTimeKey* rkSpeedTrainer;

    // Every 64 ms once started: it also makes sure that the keys are polled at least that
    // often, as every timer event ends in an idle moment.
    QTimer* Timer1;

private:
    std::vector<TEventCommand> commands;
};
