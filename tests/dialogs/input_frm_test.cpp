#include "dialogs/input_frm.h"
#include "modal.h"
#include "platform/virtual_keys.h"
#include "tests/actions/bound_key.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Return and Escape bound to actions while the box asks.
class InputBoxTest : public testing::Test {
protected:
    FakeInput input;
    BoundKey returnKey{VkReturn};
    BoundKey escapeKey{VkEscape};
};

TEST_F(InputBoxTest, CancelLeavesTheCallersTextExactlyAsItWasAndEscapeFiresOnlyWhenPressedAgain) {
    QString text = "Recorded Data 3";
    WhenModalShown([this](QWidget* window) {
        auto* box = static_cast<TInputFrm*>(window);
        box->Edit1->setText("changed");
        input.Hold({VkEscape});
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(InputBox("Set Caption of This Window", "Title : ", text, false));
    EXPECT_EQ(text, "Recorded Data 3");
    ExpectSwallowedUntilPressedAgain(input, escapeKey);
}

TEST_F(InputBoxTest, ReturnConfirmsAndFiresOnlyWhenPressedAgain) {
    QString text = "old";
    WhenModalShown([this](QWidget* window) {
        auto* box = static_cast<TInputFrm*>(window);
        EXPECT_EQ(box->windowTitle(), "Name");
        EXPECT_EQ(box->Edit1->text(), "old");
        box->Edit1->setText("mine");
        input.Hold({VkReturn});
        QTest::keyClick(box->Edit1, Qt::Key_Return);
    });
    EXPECT_TRUE(InputBox("Name", "Name", text, true));
    EXPECT_EQ(text, "mine");
    ExpectSwallowedUntilPressedAgain(input, returnKey);
}

// Renaming a window: what the user types takes the old title's place.
TEST_F(InputBoxTest, TheOldTextIsOfferedSelectedSoThatTypingReplacesIt) {
    QString text = "Reepat Section 2";
    WhenModalShown([](QWidget* window) {
        auto* box = static_cast<TInputFrm*>(window);
        EXPECT_EQ(box->Edit1->selectedText(), "Reepat Section 2");
        QTest::keyClicks(box->Edit1, "Chorus");
        box->Button1->click();
    });
    EXPECT_TRUE(InputBox("Set Caption of This Window", "Title : ", text, false));
    EXPECT_EQ(text, "Chorus");
}

TEST(InputFrmTest, TheEditFieldKeepsItsMarginsWhenTheBoxIsResized) {
    TInputFrm box;
    box.show();
    box.resize(500, box.height());
    EXPECT_EQ(box.Edit1->width(), 500 - 2 * box.Edit1->x());
    box.resize(260, box.height());
    EXPECT_EQ(box.Edit1->width(), 260 - 2 * box.Edit1->x());
}

} // namespace
