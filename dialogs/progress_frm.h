#pragma once

#include "platform/progress_callback.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The bar position for a fraction done: 0 to 100, rounded half to even.
int ProgressPosition(double fraction);

// The window that shows how far a speed change has got. The work runs on the user-interface
// thread, so each report repaints the window at once.
class TProgressFrm : public QWidget {
    Q_OBJECT
public:
    // Titled with SWaveExpansionCaption, centred on the screen; not shown yet.
    explicit TProgressFrm(bool stayOnTop = false);

    void Report(const std::string& stage, double fraction);
    // Reports to this window; valid while the window exists.
    ProgressCallback Callback();

    QLabel* Label1;
    QProgressBar* ProgressBar1;
};
