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

TEST_F(SkinListTest, TheEnglishTitleStandsInForALanguageWithoutOne) {
    WriteFile("sky", "Title.txt", "eng=Sky\njap=空\n");
    WriteFile("blank", "Title.txt", "fre=\neng=Blank\n");
    WriteFile("other", "Title.txt", "fre=Ciel\n");
    // No language file names a code, a code no skin knows, and a language whose title is empty.
    for (const char* code : {"", "quavrel_lang", "ger"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(ListSkins(SkinsFolder(), code).Titles, (QStringList{"Blank", "Skin2", "Sky"}));
    }
    EXPECT_EQ(ListSkins(SkinsFolder(), "fre").Titles, (QStringList{"Skin1", "Ciel", "Sky"}));
}

TEST_F(SkinListTest, NoSkinsFolder) {
    const TSkinList none = ListSkins(SkinsFolder() + "absent/", "eng");
    EXPECT_TRUE(none.Folders.isEmpty());
    EXPECT_TRUE(none.Titles.isEmpty());
}

} // namespace
