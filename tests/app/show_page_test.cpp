#include "actions/messages.h"
#include "app/show_page.h"
#include "dialogs/guide_frm.h"
#include "tests/support/fake_launcher.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

TEST(UserGuidePageTest, IsTheProgramFoldersGuideInTheInterfaceLanguage) {
    for (const auto& [code, language] : {std::pair{"", "English"}, std::pair{"jap", "Japanese"}}) {
        const QUrl page = UserGuidePage("/opt/quavrel", code);
        EXPECT_EQ(page.toLocalFile(), "/opt/quavrel/readme.html");
        EXPECT_EQ(page.query(), language);
    }
}

// The user guide of a program folder, shown over a main window, on a desktop that may or may
// not have a program to show pages with.
class ShowPageTest : public testing::Test {
protected:
    ShowPageTest() {
        QFile file(guide);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>Quavrel</h1><p>How to record a cassette.</p></body></html>");
    }

    QMessageBox* Box() const { return owner.findChild<QMessageBox*>(); }

    TempDir folder;
    QString guide = QString::fromStdString(folder.File("readme.html"));
    FakeLauncher launcher;
    QWidget owner;
    TGuideFrm guideFrm;
};

TEST_F(ShowPageTest, TheDesktopsBrowserShowsThePageWhenThereIsOne) {
    launcher.OpensPages = true;
    const QUrl page = UserGuidePage(QString::fromStdString(folder.Path()), "");
    ShowPage(page, guideFrm, &owner);
    EXPECT_EQ(launcher.Opened, QList<QUrl>{page});
    EXPECT_FALSE(guideFrm.isVisible());
    EXPECT_EQ(Box(), nullptr);
}

TEST_F(ShowPageTest, WithoutABrowserTheGuideShowsInTheProgramsOwnWindow) {
    ShowPage(UserGuidePage(QString::fromStdString(folder.Path()), "jap"), guideFrm, &owner);
    ASSERT_TRUE(guideFrm.isVisible());
    EXPECT_EQ(guideFrm.windowTitle(), SGuideFrmCaption);
    EXPECT_EQ(guideFrm.Browser->source(), QUrl::fromLocalFile(guide));
    EXPECT_TRUE(guideFrm.Browser->toPlainText().contains("How to record a cassette."));
    EXPECT_EQ(Box(), nullptr);
    QTest::keyClick(guideFrm.Browser, Qt::Key_Escape);
    EXPECT_FALSE(guideFrm.isVisible());
}

TEST_F(ShowPageTest, WithoutABrowserAWebPagesAddressIsToldInABoxThatWaitsForNothing) {
    ShowPage(QUrl("https://example.invalid/guide"), guideFrm, &owner);
    EXPECT_FALSE(guideFrm.isVisible());
    QMessageBox* box = Box();
    ASSERT_NE(box, nullptr);
    // We are here while the box is open: it runs no event loop of its own.
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains("https://example.invalid/guide"));
    EXPECT_TRUE(box->text().contains("xdg-open"));
    box->close();
}

} // namespace
