#pragma once

#include "skins/bitmap_button.h"

#include <QPointer>
#include <QString>
#include <vector>

class TRealTimeAction;

// A skinned button that presses its action with the mouse and releases it when the mouse
// goes up.
class TRealTimeButton : public TCustomBitmapButton {
    Q_OBJECT
public:
    explicit TRealTimeButton(QWidget* parent = nullptr);
    ~TRealTimeButton() override;

    TRealTimeAction* RealTimeAction() const;
    // Moves the button to action's list of buttons (from any earlier action's) and makes it a
    // switch when the action is one; nullptr unlinks it.
    void SetRealTimeAction(TRealTimeAction* value);
    // The address a skin gave the button, for the command that opens it.
    const QString& UserString() const { return userString; }
    void SetUserString(const QString& value) { userString = value; }

    // Every real-time button alive, in the order they were made.
    static const std::vector<TRealTimeButton*>& Registry();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<TRealTimeAction> action;
    QString userString;
    // The last press was the button's own, not left to the window beneath.
    bool pressed = false;
};
