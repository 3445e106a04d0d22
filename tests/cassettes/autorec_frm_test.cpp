#include "actions/dialog_state.h"
#include "actions/messages.h"
#include "cassettes/autorec_frm.h"
#include "dialogs/link_label.h"
#include "platform/virtual_keys.h"
#include "tests/actions/fake_input.h"
#include "tests/cassettes/fake_host.h"
#include "tests/support/mouse_events.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The window with its stop counted, as the controller's Stop would close it.
class AutorecFrmTest : public testing::Test {
protected:
    AutorecFrmTest() { host.main.show(); }

    FakeInput input;
    FakeHost host;
    int stops = 0;
    TAutorecFrm form{host, [this] {
                         ++stops;
                         form.Close();
                     }};
};

TEST_F(AutorecFrmTest, ItIsBuiltHiddenAsDescribed) {
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(345, 148));
    EXPECT_EQ(form.lbMessage->text(), "Now Recording");
    EXPECT_EQ(form.lbMessage->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form.llCancel->text(), "CANCEL");
    EXPECT_EQ(form.llCancel->NormalColor(), QColor(Qt::blue));
    EXPECT_EQ(form.llCancel->RollOverColor(), QColor(Qt::red));
    EXPECT_TRUE(form.llCancel->font().underline());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 1000);
    EXPECT_EQ(form.miCancel->text(), "&Cancel");
    EXPECT_EQ(form.miCancel->shortcut(), QKeySequence(Qt::Key_Escape));
}

TEST_F(AutorecFrmTest, ShownModallyItAlternatesItsMessagesEveryTick) {
    form.ShowModal();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Timer1->isActive());
    // Bound keys and the tick's song changes wait while it shows.
    EXPECT_TRUE(DialogOfOursOpen());
    EXPECT_FALSE(form.Picture().isNull());
    for (const QString& expected : {SRecordMessage1, SRecordMessage2, SRecordMessage1}) {
        form.Timer1Timer();
        EXPECT_EQ(form.lbMessage->text(), expected);
    }
    EXPECT_EQ(stops, 0);
    form.Close();
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_FALSE(DialogOfOursOpen());
}

TEST_F(AutorecFrmTest, EscapeStopsOnlyWhenHeldAtATick) {
    form.ShowModal();
    // Pressed and let go between two ticks: the next tick does not see it.
    input.Hold({VkEscape});
    input.tick += 300;
    input.Hold({});
    input.tick += 700;
    form.Timer1Timer();
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(form.isVisible());
    // Held over a tick.
    input.Hold({VkEscape});
    input.tick += 1000;
    form.Timer1Timer();
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(AutorecFrmTest, CancelStops) {
    form.ShowModal();
    SendMouse(*form.llCancel, QEvent::MouseButtonPress);
    SendMouse(*form.llCancel, QEvent::MouseButtonRelease);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(form.isVisible());
}

// The recording ends while the window's menu is open: the menu goes with the window, and the
// bound keys are the program's again.
TEST_F(AutorecFrmTest, ItsMenuClosesWithIt) {
    form.ShowModal();
    form.PopupMenu1->popup(form.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(form.PopupMenu1->isVisible());
    form.Close();
    EXPECT_FALSE(form.PopupMenu1->isVisible());
    EXPECT_FALSE(DialogOfOursOpen());
}

// The window manager's close (Alt+F4, the task list) is a CANCEL: the recording does not run on
// without its window.
TEST_F(AutorecFrmTest, ClosingItByTheWindowManagerStops) {
    form.ShowModal();
    form.close();
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(DialogOfOursOpen());
    // Hidden, it has nothing to stop.
    form.close();
    EXPECT_EQ(stops, 1);
}

} // namespace
