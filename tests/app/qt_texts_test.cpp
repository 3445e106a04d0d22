#include "app/qt_texts.h"
#include "tests/support/required_environment.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

std::string CancelText() {
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text().toStdString();
}

// Japanese gives the buttons Qt makes itself in Japanese; English, and a language the system
// has no Qt texts for, leave them English.
TEST(QtTextsTest, QtsOwnButtonsSpeakTheInterfaceLanguage) {
    QUAVREL_SKIP_UNLESS_PRESENT(
        QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm"),
        "Qt's Japanese texts (qt6-translations-l10n)");
    EXPECT_EQ(InstallQtTexts(""), nullptr);
    EXPECT_EQ(InstallQtTexts("xx"), nullptr);
    EXPECT_EQ(CancelText(), "Cancel");
    {
        const std::unique_ptr<QTranslator> japanese = InstallQtTexts("jap");
        ASSERT_NE(japanese, nullptr);
        EXPECT_EQ(CancelText(), "キャンセル");
    }
    EXPECT_EQ(CancelText(), "Cancel");
}

} // namespace
