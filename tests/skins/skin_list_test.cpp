#include "skin_fixture.h"
#include "skins/skin_list.h"

namespace {

using SkinListTest = SkinFixture;

TEST_F(SkinListTest, TitlesByLanguageCode) {
    WriteFile("sky", "Title.txt", "eng=Sky\r\njap=空\r\n");
    WriteFile("Default", "Title.txt", "JAP=Plain=Simple\neng=Default\n");
    WriteFile("bare", "skin.xml", "");
    WriteFile("blank", "Title.txt", "jap=\neng=\n");
    WriteFile("shiftjis", "Title.txt", QByteArray("jap=\x8B\xF3\n"));
    WriteFile("other", "Title.txt", "fre=Ciel\n jap=Spaced key\n");
    QFile plain(SkinsFolder() + "plain.txt");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    const TSkinList japanese = ListSkins(SkinsFolder(), "jap");
    EXPECT_EQ(japanese.Folders,
              (QStringList{"bare", "blank", "Default", "other", "shiftjis", "sky"}));
    EXPECT_EQ(japanese.Titles,
              (QStringList{"Skin1", "Skin2", "Plain=Simple", "Skin4", "空", "空"}));
    EXPECT_EQ(ListSkins(SkinsFolder(), "eng").Titles,
              (QStringList{"Skin1", "Skin2", "Default", "Skin4", "Skin5", "Sky"}));
}

TEST_F(SkinListTest, NoSkinsFolder) {
    const TSkinList none = ListSkins(SkinsFolder() + "absent/", "eng");
    EXPECT_TRUE(none.Folders.isEmpty());
    EXPECT_TRUE(none.Titles.isEmpty());
}

} // namespace
