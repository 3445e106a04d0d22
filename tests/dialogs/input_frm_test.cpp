#include "dialogs/input_frm.h"
#include "modal.h"
#include "platform/key_state.h"
#include "platform/virtual_keys.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Return stays held for a few polls after the box closed, as when the user is slow to let go.
class SlowReturn : public KeyStateSource {
public:
    bool IsDown(std::uint16_t virtualKey) override {
        if (virtualKey != VkReturn) {
            return false;
        }
        ++returnPolls;
        return returnPolls <= 3;
    }
    int returnPolls = 0;
};

class InputBoxTest : public testing::Test {
protected:
    void SetUp() override { SetKeyStateSource(&keys); }
    void TearDown() override { SetKeyStateSource(nullptr); }

    SlowReturn keys;
};

TEST_F(InputBoxTest, CancelLeavesTheCallersTextExactlyAsItWas) {
    QString text = "Recorded Data 3";
    WhenModalShown([](QWidget* window) {
        auto* box = static_cast<TInputFrm*>(window);
        box->Edit1->setText("changed");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(InputBox("Set Caption of This Window", "Title : ", text, false));
    EXPECT_EQ(text, "Recorded Data 3");
}

TEST_F(InputBoxTest, ReturnConfirmsAndTheBoxReturnsOnlyOnceReturnIsReleased) {
    QString text = "old";
    int pollsWhileOpen = -1;
    WhenModalShown([&](QWidget* window) {
        auto* box = static_cast<TInputFrm*>(window);
        EXPECT_EQ(box->windowTitle(), "Name");
        EXPECT_EQ(box->Edit1->text(), "old");
        box->Edit1->setText("mine");
        pollsWhileOpen = keys.returnPolls;
        QTest::keyClick(box->Edit1, Qt::Key_Return);
    });
    EXPECT_TRUE(InputBox("Name", "Name", text, true));
    EXPECT_EQ(text, "mine");
    EXPECT_EQ(pollsWhileOpen, 0);
    EXPECT_EQ(keys.returnPolls, 4);
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
