#include "skins/picture_file.h"
#include "skins/skin_list.h"

#include <gtest/gtest.h>

namespace {

const QString SkinsFolder = QStringLiteral(QUAVREL_PROGRAM_FOLDER "/Skins/");

TEST(ShippedSkinsTest, HaveTitlesInEnglishAndJapanese) {
    const TSkinList english = ListSkins(SkinsFolder, "eng");
    EXPECT_EQ(english.Folders, (QStringList{"default", "sky"}));
    EXPECT_EQ(english.Titles, (QStringList{"Default", "Sky"}));
    EXPECT_EQ(ListSkins(SkinsFolder, "jap").Titles, (QStringList{"デフォルト", "スカイ"}));
}

TEST(ShippedSkinsTest, SplashAndFirstRunPicturesAre24BitBitmaps) {
    for (const char* name : {"splash", "imgmsg1", "imgmsg2", "imgmsg3"}) {
        const QString path = SkinsFolder + name + ".bmp";
        const QImage picture = LoadBitmapFile(path);
        EXPECT_GE(picture.width(), 300) << name;
        EXPECT_GE(picture.height(), 100) << name;
        // The bits per pixel of the bitmap's info header.
        EXPECT_EQ(ReadSkinFile(path).at(28), 24) << name;
    }
}

} // namespace
