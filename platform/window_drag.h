#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

// Moves a window with the mouse from a button press until the button goes up, as dragging a
// caption does. A top-level window is handed to the window manager's own move when the
// platform offers one; otherwise, and always when positions are constrained, the window
// follows the mouse by hand.
class WindowDrag : public QObject {
public:
    // Turns the top-left corner the mouse proposes (parent coordinates for a child window) into
    // the one the window takes.
    using Constrain = std::function<QPoint(QPoint proposed)>;

    explicit WindowDrag(QWidget* window, Constrain constrain = {});

    // Called from the window's press handler with the press's global position.
    void Start(QPoint globalPress);
    // A move by hand is under way.
    bool Active() const { return active; }

    // For moves by hand: after each completed move, and once when the move ends. It ends when
    // the button goes up, and also when that release will not reach the window: the window is
    // hidden, a modal window blocks it, or the mouse moves anywhere with no button held.
    std::function<void()> OnMoved;
    std::function<void()> OnFinished;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Finish();
    bool EndsTheMove(QObject* watched, QEvent* event) const;

    QWidget* window;
    Constrain constrain;
    bool active = false;
    QPoint pressGlobal;
    QPoint startPosition;
};
