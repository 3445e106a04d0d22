#pragma once

#include "platform/progress_callback.h"

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The bar position for a fraction done: 0 to 100, rounded half to even.
int ProgressPosition(double fraction);

// The window that shows how far a speed change running on a worker thread has got, and lets
// the user stop it. It has no close button of its own: the work's owner closes it when the
// work ends.
class TProgressFrm : public QWidget {
    Q_OBJECT
public:
    // Titled with SWaveExpansionCaption, centred on the screen; not shown yet. onCancel runs
    // once when the user presses the Cancel button (or Escape); the button is then disabled.
    explicit TProgressFrm(bool stayOnTop = false, std::function<void()> onCancel = nullptr);

    void Report(const std::string& stage, double fraction);
    // Reports to this window; valid while the window exists.
    ProgressCallback Callback();

    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* btCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CancelClick();

    std::function<void()> onCancel;
};
