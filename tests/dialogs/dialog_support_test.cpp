#include "actions/dialog_state.h"
#include "dialogs/dialog_support.h"
#include "modal.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ErrorBoxTest, OpensWithoutWaitingAsAModalBoxThatGoesOnceClosed) {
    ShowErrorBox("disc gone\rtry again");
    const QPointer<QMessageBox> box = OpenModal<QMessageBox>();
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(DialogOfOursOpen());
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->text(), "disc gone\ntry again");
    box->button(QMessageBox::Ok)->click();
    EXPECT_FALSE(DialogOfOursOpen());
    DeleteClosedDialogs();
    EXPECT_TRUE(box.isNull());
}

// Before the program's loop runs, or after it ended, the box would go with the program unread:
// the application's loop runs until it is closed.
TEST(ErrorBoxTest, OutsideTheLoopTheBoxIsWaitedForAndInsideItNot) {
    QString closed;
    QTimer::singleShot(0, [&] {
        if (auto* box = OpenModal<QMessageBox>()) {
            closed = box->text();
            box->close();
        }
    });
    ShowErrorBoxOutsideTheLoop("shut-down failed");
    EXPECT_EQ(closed, "shut-down failed");
    EXPECT_EQ(OpenModal<QMessageBox>(), nullptr);

    bool openAfterReturn = false;
    QTimer::singleShot(0, [&] {
        ShowErrorBoxOutsideTheLoop("while running");
        auto* box = OpenModal<QMessageBox>();
        openAfterReturn = box != nullptr;
        if (box != nullptr) {
            box->close();
        }
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    EXPECT_TRUE(openAfterReturn);
    DeleteClosedDialogs();
}

} // namespace
