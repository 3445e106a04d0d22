#include "actions/dialog_state.h"
#include "dialogs/trainer_options_frm.h"
#include "modal.h"

#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>
#include <vector>

namespace {

class TrainerOptionsTest : public testing::Test {
protected:
    ~TrainerOptionsTest() override { DeleteClosedDialogs(); }

    // Opens the dialog, which must be open and modal, and not have answered yet, on return.
    TTrainerOptionsFrm* Ask() {
        AskTrainerSpeeds({60, 5, 100}, {25, 1, 25}, {200, 50, 200}, false,
                         [this](const TTrainerSpeeds& speeds) { answers.push_back(speeds); });
        auto* dialog = OpenModal<TTrainerOptionsFrm>();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(DialogOfOursOpen());
        EXPECT_TRUE(answers.empty());
        return dialog;
    }

    std::vector<TTrainerSpeeds> answers;
};

TEST_F(TrainerOptionsTest, OkAnswersTheChoicesWithinTheirRanges) {
    TTrainerOptionsFrm* dialog = Ask();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Speed Trainer");
    EXPECT_EQ(dialog->seStart->value(), 60);
    EXPECT_EQ(dialog->seTarget->value(), 100);
    dialog->seStart->setValue(10);
    dialog->seStep->setValue(80);
    dialog->seTarget->setValue(90);
    dialog->btOK->click();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].Start, 25);
    EXPECT_EQ(answers[0].Step, 50);
    EXPECT_EQ(answers[0].Target, 90);
    EXPECT_FALSE(DialogOfOursOpen());
}

TEST_F(TrainerOptionsTest, CancelAnswersNothing) {
    TTrainerOptionsFrm* dialog = Ask();
    ASSERT_NE(dialog, nullptr);
    dialog->seStep->setValue(10);
    dialog->btCancel->click();
    EXPECT_TRUE(answers.empty());
    EXPECT_FALSE(DialogOfOursOpen());
}

} // namespace
