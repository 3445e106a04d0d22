#include "dialogs/data_folder_picker.h"
#include "tests/support/temp_dir.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What the picker takes when Enter is pressed right after it opens.
struct Opened {
    QString directory;
    QString typed;
    bool canChoose;
    int result;
    QString folder;
};

Opened EnterAtOnce(const QString& proposed) {
    TDataFolderPicker picker(proposed);
    picker.show();
    auto* name = picker.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(name, nullptr);
    QPushButton* choose = picker.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
    const Opened opened{picker.directory().absolutePath(),
                        name ? name->text() : QString(),
                        choose->isEnabled(),
                        0,
                        {}};
    if (name != nullptr) {
        QTest::keyClick(name, Qt::Key_Return);
    }
    return {opened.directory, opened.typed, opened.canChoose, picker.result(), picker.Folder()};
}

TEST(DataFolderPickerTest, EnterTakesTheProposedFolderWithoutMakingIt) {
    TempDir home;
    QDir().mkpath(QString::fromStdString(home.File("Documents")));
    const QString proposed = QString::fromStdString(home.File("Documents/Quavrel"));
    const Opened opened = EnterAtOnce(proposed);
    EXPECT_EQ(opened.directory, QString::fromStdString(home.File("Documents")));
    EXPECT_EQ(opened.typed, "Quavrel");
    EXPECT_TRUE(opened.canChoose);
    EXPECT_EQ(opened.result, QDialog::Accepted);
    EXPECT_EQ(opened.folder, proposed);
    EXPECT_FALSE(QFileInfo::exists(proposed));
}

TEST(DataFolderPickerTest, AProposedFolderThatExistsIsTakenAsItIs) {
    TempDir home;
    const QString proposed = QString::fromStdString(home.File("Documents/Quavrel"));
    QDir().mkpath(proposed);
    const Opened opened = EnterAtOnce(proposed);
    EXPECT_EQ(opened.result, QDialog::Accepted);
    EXPECT_EQ(opened.folder, proposed);
}

TEST(DataFolderPickerTest, WithoutTheDocumentsFolderItOpensWhereAFolderExists) {
    TempDir home;
    const QString proposed = QString::fromStdString(home.File("Documents/Quavrel"));
    const Opened opened = EnterAtOnce(proposed);
    EXPECT_EQ(opened.directory, QString::fromStdString(home.Path()));
    EXPECT_EQ(opened.typed, "Documents/Quavrel");
    EXPECT_EQ(opened.result, QDialog::Accepted);
    EXPECT_EQ(opened.folder, proposed);
}

} // namespace
