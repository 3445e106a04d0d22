#include "actions/messages.h"
#include "dialogs/progress_frm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(ProgressFrmTest, BarPositionIsTheFractionInHundredthsRoundedHalfToEven) {
    const std::pair<double, int> cases[] = {
        {0.0, 0},    {0.004, 0}, {0.005, 0}, {0.125, 12}, {0.375, 38},
        {0.994, 99}, {1.0, 100}, {1.5, 100}, {-0.2, 0},   {std::nan(""), 0},
    };
    for (const auto& [fraction, position] : cases) {
        EXPECT_EQ(ProgressPosition(fraction), position) << fraction;
    }
}

TEST(ProgressFrmTest, EachReportShowsStageAndPosition) {
    TProgressFrm window;
    EXPECT_EQ(window.windowTitle(), SWaveExpansionCaption);
    EXPECT_EQ(window.ProgressBar1->maximum(), 100);
    window.show();
    const ProgressCallback report = window.Callback();
    report("Expanding wave data...", 0.426);
    EXPECT_EQ(window.ProgressBar1->value(), 43);
    EXPECT_EQ(window.Label1->text(), "Expanding wave data...");
}

TEST(ProgressFrmTest, CancelAsksOnceByButtonOrEscape) {
    for (const bool byKey : {false, true}) {
        int asked = 0;
        TProgressFrm window(false, [&] { ++asked; });
        EXPECT_EQ(window.btCancel->text(), SWaveExpansionCancel);
        window.show();
        for (int i = 0; i < 2; ++i) {
            if (byKey) {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&window, &escape);
            } else {
                window.btCancel->click();
            }
        }
        EXPECT_EQ(asked, 1) << byKey;
        EXPECT_FALSE(window.btCancel->isEnabled()) << byKey;
    }
}

} // namespace
