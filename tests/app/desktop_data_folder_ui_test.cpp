#include "actions/messages.h"
#include "app/desktop_data_folder_ui.h"
#include "dialogs/data_folder_picker.h"
#include "dialogs/guide_frm.h"
#include "dialogs/image_message.h"
#include "tests/support/fake_launcher.h"
#include "tests/support/temp_dir.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

using TNoFolderAnswer = TDataFolderUi::TNoFolderAnswer;

QAbstractButton* ButtonOf(QDialog* box, const QString& text) {
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

class DesktopDataFolderUiTest : public testing::Test {
protected:
    FakeLauncher launcher;
    TGuideFrm guide;
};

// Each window opens without waiting: the handler runs only once the user has answered.
TEST_F(DesktopDataFolderUiTest, TheQuestionWithoutAFolderAnswersByTheButtonPressed) {
    struct Case {
        QString button;
        TNoFolderAnswer answer;
    };
    const Case cases[] = {{SNoDataFolderChoose, TNoFolderAnswer::ChooseAgain},
                          {SNoDataFolderUseProposed, TNoFolderAnswer::UseProposed},
                          {SNoDataFolderQuit, TNoFolderAnswer::Quit}};
    for (const Case& c : cases) {
        TDesktopDataFolderUi ui(guide);
        std::optional<TNoFolderAnswer> answered;
        ui.AskWithoutFolder("/home/me/Documents/Quavrel", "",
                            [&](TNoFolderAnswer answer) { answered = answer; });
        auto* box = qobject_cast<QMessageBox*>(ui.OpenWindow());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(box->text().contains("/home/me/Documents/Quavrel"));
        EXPECT_FALSE(answered);
        QAbstractButton* button = ButtonOf(box, c.button);
        ASSERT_NE(button, nullptr) << c.button.toStdString();
        button->click();
        EXPECT_EQ(answered, c.answer) << c.button.toStdString();
        EXPECT_EQ(ui.OpenWindow(), nullptr);
    }
}

TEST_F(DesktopDataFolderUiTest, EscapeOrAnEndOfTheProgramQuits) {
    TDesktopDataFolderUi ui(guide);
    std::optional<TNoFolderAnswer> answered;
    ui.AskWithoutFolder("/p", "", [&](TNoFolderAnswer answer) { answered = answer; });
    QTest::keyClick(ui.OpenWindow(), Qt::Key_Escape);
    EXPECT_EQ(answered, TNoFolderAnswer::Quit);

    answered.reset();
    ui.AskWithoutFolder("/p", "", [&](TNoFolderAnswer answer) { answered = answer; });
    ui.OpenWindow()->reject();
    EXPECT_EQ(answered, TNoFolderAnswer::Quit);
}

TEST_F(DesktopDataFolderUiTest, TheQuestionTellsFirstWhyTheChosenFolderCouldNotBeUsed) {
    TDesktopDataFolderUi ui(guide);
    ui.AskWithoutFolder("/p", "Cannot create folder \"/x\".", [](TNoFolderAnswer) {});
    auto* box = qobject_cast<QMessageBox*>(ui.OpenWindow());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().startsWith("Cannot create folder \"/x\"."))
        << box->text().toStdString();
    EXPECT_TRUE(box->text().contains("/p"));
}

TEST_F(DesktopDataFolderUiTest, APictureMessageGoesOnWhenClosedAndTheCancelledPickerGivesNothing) {
    TDesktopDataFolderUi ui(guide);
    int closed = 0;
    ui.ShowImageMessage("Notice!", "text", "", [&] { ++closed; });
    auto* message = qobject_cast<TImageMessage*>(ui.OpenWindow());
    ASSERT_NE(message, nullptr);
    QTest::keyClick(message, Qt::Key_Tab);
    EXPECT_EQ(closed, 0);
    QTest::keyClick(message, Qt::Key_Space);
    EXPECT_EQ(closed, 1);

    std::optional<QString> chosen;
    ui.ChooseFolder("/nowhere/Quavrel", [&](const QString& folder) { chosen = folder; });
    ASSERT_NE(qobject_cast<TDataFolderPicker*>(ui.OpenWindow()), nullptr);
    ui.OpenWindow()->reject();
    EXPECT_EQ(chosen, QString());
}

TEST_F(DesktopDataFolderUiTest, AWindowStillOpenAtTheEndClosesWithoutItsHandler) {
    int closed = 0;
    QPointer<QDialog> window;
    {
        TDesktopDataFolderUi ui(guide);
        ui.ShowImageMessage("Notice!", "text", "", [&] { ++closed; });
        window = ui.OpenWindow();
        ASSERT_TRUE(window);
    }
    EXPECT_FALSE(window);
    EXPECT_EQ(closed, 0);
}

// The guide the first run opens: with the desktop's browser where there is one, else in the
// program's own window, never not at all.
TEST_F(DesktopDataFolderUiTest, TheFirstRunsGuideShowsWithoutABrowserToo) {
    TempDir folder;
    const QString page = QString::fromStdString(folder.File("readme.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>Welcome</p></body></html>");
    file.close();
    TDesktopDataFolderUi ui(guide);
    for (const bool browser : {true, false}) {
        SCOPED_TRACE(browser);
        launcher.OpensPages = browser;
        ui.OpenDocument(page);
        EXPECT_EQ(launcher.Opened.last(), QUrl::fromLocalFile(page));
        EXPECT_EQ(guide.isVisible(), !browser);
    }
}

} // namespace
