#include "actions/event_module.h"
#include "actions/key_polling.h"
#include "actions/real_time_action.h"
#include "actions/real_time_hot_key.h"
#include "actions/real_time_key.h"
#include "dialogs/key_bind_frm.h"
#include "platform/key_state.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x11_test.h"

#include <QApplication>
#include <QPushButton>

namespace {

constexpr int WaitMs = 5000;

class KeyBindOnX11Test : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        SetKeyStateSource(nullptr);
        ShowAndWait(&dialog);
        dialog.activateWindow();
        ASSERT_TRUE(
            WaitOnGuiThread([this] { return QApplication::activeWindow() == &dialog; }, WaitMs));
    }

    TempDir folder;
    TEventModule events;
    TKeyBindFrm dialog{events, QString::fromStdString(folder.File("quavrel_key.ini"))};
};

// The editor names a key as the polls see it held: what the user typed is what fires.
TEST_F(KeyBindOnX11Test, AShortcutTypedIntoAnEditorIsWhatThePollFiresOnceApplied) {
    auto* editor = dialog.findChild<TRealTimeVirtualCodeHotKey*>("hkPlay");
    editor->setFocus();
    RunX11Tool("xdotool", {"key", "ctrl+p"});
    ASSERT_TRUE(WaitOnGuiThread([&] { return editor->VirtualKey() == 'P'; }, WaitMs));
    EXPECT_EQ(editor->ShiftState(), ssCtrl);
    EXPECT_EQ(editor->text(), "Ctrl+P-KEY");
    dialog.btApply->click();

    int clicks = 0;
    events.rePlay->OnClick = [&](QObject*) { ++clicks; };
    PressKey("ctrl");
    PressKey("p");
    EXPECT_TRUE(WaitOnGuiThread(
        [&] {
            PollRealTimeKeys();
            return events.rePlay->Downed();
        },
        WaitMs));
    ReleaseKey("p");
    ReleaseKey("ctrl");
    EXPECT_TRUE(WaitOnGuiThread(
        [&] {
            PollRealTimeKeys();
            return clicks == 1;
        },
        WaitMs));
}

// A window of the desktop's own: not transient for another, a normal window the task bar lists.
TEST_F(KeyBindOnX11Test, TheDialogHasATaskBarButtonOfItsOwn) {
    const QString properties = RunX11Tool("xprop", {"-id", QString::number(dialog.winId())});
    EXPECT_FALSE(properties.contains("WM_TRANSIENT_FOR")) << properties.toStdString();
    EXPECT_TRUE(properties.contains("_NET_WM_WINDOW_TYPE_NORMAL")) << properties.toStdString();
    EXPECT_FALSE(properties.contains("_NET_WM_STATE_SKIP_TASKBAR")) << properties.toStdString();
}

} // namespace
