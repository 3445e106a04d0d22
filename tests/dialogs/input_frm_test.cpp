#include "actions/dialog_state.h"
#include "dialogs/input_frm.h"
#include "modal.h"
#include "platform/virtual_keys.h"
#include "tests/actions/bound_key.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

// Return and Escape bound to actions while the box asks; the answers the box gave.
class InputBoxTest : public testing::Test {
protected:
    ~InputBoxTest() override { DeleteClosedDialogs(); }

    // Opens the box, which must be open, modal, and not have answered yet, when InputBox returns.
    TInputFrm* Ask(const QString& caption, const QString& text, bool stayOnTop = false) {
        InputBox(caption, "Title : ", text, stayOnTop,
                 [this](const std::optional<QString>& typed) { answers.push_back(typed); });
        auto* box = OpenModal<TInputFrm>();
        EXPECT_NE(box, nullptr);
        EXPECT_TRUE(DialogOfOursOpen());
        EXPECT_TRUE(answers.empty());
        return box;
    }

    FakeInput input;
    BoundKey returnKey{VkReturn};
    BoundKey escapeKey{VkEscape};
    std::vector<std::optional<QString>> answers;
};

TEST_F(InputBoxTest, CancelAnswersNothingTypedAndEscapeFiresOnlyWhenPressedAgain) {
    TInputFrm* box = Ask("Set Caption of This Window", "Recorded Data 3");
    ASSERT_NE(box, nullptr);
    const QPointer<TInputFrm> guard(box);
    box->Edit1->setText("changed");
    input.Hold({VkEscape});
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(answers, (std::vector<std::optional<QString>>{std::nullopt}));
    EXPECT_FALSE(DialogOfOursOpen());
    ExpectSwallowedUntilPressedAgain(input, escapeKey);
    // The box goes once closed.
    DeleteClosedDialogs();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(InputBoxTest, ReturnConfirmsAndFiresOnlyWhenPressedAgain) {
    TInputFrm* box = Ask("Name", "old", true);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Name");
    EXPECT_EQ(box->Edit1->text(), "old");
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    box->Edit1->setText("mine");
    input.Hold({VkReturn});
    QTest::keyClick(box->Edit1, Qt::Key_Return);
    EXPECT_EQ(answers, (std::vector<std::optional<QString>>{QString("mine")}));
    ExpectSwallowedUntilPressedAgain(input, returnKey);
}

// Renaming a window: what the user types takes the old title's place.
TEST_F(InputBoxTest, TheOldTextIsOfferedSelectedSoThatTypingReplacesIt) {
    TInputFrm* box = Ask("Set Caption of This Window", "Reepat Section 2");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Edit1->selectedText(), "Reepat Section 2");
    QTest::keyClicks(box->Edit1, "Chorus");
    box->Button1->click();
    EXPECT_EQ(answers, (std::vector<std::optional<QString>>{QString("Chorus")}));
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
