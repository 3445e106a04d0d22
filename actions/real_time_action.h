#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

class TRealTimeButton;
class TRealTimeKey;

// Sender is the action.
using TNotifyEvent = std::function<void(QObject* sender)>;
// milliSec: how long the action has been held, from the tick count at its press.
using TNotifyTimeButtonEvent = std::function<void(QObject* sender, std::int32_t milliSec)>;

// A command that knows when it is pressed, how long it is held, when it is released and
// whether that made a click. Keys and buttons press and release it; the controller acts on
// its events and tells commands apart by Tag.
class TRealTimeAction : public QObject {
    Q_OBJECT
public:
    explicit TRealTimeAction(QObject* owner = nullptr);
    // Unlinks every button and key first, so none is left pointing here.
    ~TRealTimeAction() override;

    int Tag() const { return tag; }
    void SetTag(int value) { tag = value; }

    bool ToggleType() const { return toggleType; }
    void SetToggleType(bool value);
    bool Downed() const { return downed; }
    // Releasing a pressed switch flips Toggled, after the click was fired.
    void SetDowned(bool value);
    bool Toggled() const { return toggled; }
    void SetToggled(bool value);
    std::uint32_t DownTick() const { return downTick; }

    int LinkedButtonCount() const { return static_cast<int>(buttons.size()); }
    // nullptr outside 0 .. LinkedButtonCount() - 1.
    TRealTimeButton* LinkedButton(int index) const;
    int LinkedKeyCount() const { return static_cast<int>(keys.size()); }
    TRealTimeKey* LinkedKey(int index) const;

    // What caused the last press or release: at most one of them is set.
    TRealTimeKey* SourceKey() const;
    TRealTimeButton* SourceButton() const;

    // source is a key, a button or anything else (which clears both sources).
    void Press(QObject* source);
    void Release(QObject* source);
    // Fires OnHolding with the time held so far, if the action is down.
    void Hold();

    TNotifyTimeButtonEvent OnHolding;
    TNotifyTimeButtonEvent OnReleased;
    TNotifyEvent OnDown;
    TNotifyEvent OnUp;
    TNotifyEvent OnClick;

    // Every action alive, in the order they were made.
    static const std::vector<TRealTimeAction*>& Registry();

private:
    friend class TRealTimeButton;
    friend class TRealTimeKey;

    void Link(TRealTimeButton* button);
    void Unlink(TRealTimeButton* button);
    void Link(TRealTimeKey* key);
    void Unlink(TRealTimeKey* key);
    void RecordSource(QObject* source);
    std::int32_t HeldMilliSec() const;

    int tag = 0;
    bool toggleType = false;
    bool downed = false;
    bool toggled = false;
    std::uint32_t downTick = 0;
    std::vector<TRealTimeButton*> buttons;
    std::vector<TRealTimeKey*> keys;
    QPointer<TRealTimeKey> sourceKey;
    QPointer<TRealTimeButton> sourceButton;
};
