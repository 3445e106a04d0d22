#include "storage/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, FontsFollowTheLanguageExceptForTheTimeTexts) {
    const Settings english = DefaultSettings("");
    const Settings japanese = DefaultSettings("jap");
    for (const FontSetting* font :
         {&english.MainfrmTitleFont, &english.WavefrmFont, &english.RepeatfrmFont,
          &english.MainfrmTimeFont, &japanese.MainfrmTimeFont}) {
        EXPECT_EQ(font->Name, "Times New Roman");
        EXPECT_EQ(font->Charset, 0);
    }
    for (const FontSetting* font :
         {&japanese.MainfrmTitleFont, &japanese.WavefrmFont, &japanese.RepeatfrmFont}) {
        EXPECT_EQ(font->Name, "ＭＳ Ｐゴシック");
        EXPECT_EQ(font->Charset, 128);
    }
    // Only the time texts and the card titles are emphasised.
    for (const Settings* settings : {&english, &japanese}) {
        EXPECT_TRUE(settings->MainfrmTimeFont.Bold && settings->MainfrmTimeFont.Italic);
        EXPECT_TRUE(settings->RepeatfrmFont.Bold && settings->RepeatfrmFont.Italic);
        EXPECT_FALSE(settings->MainfrmTitleFont.Bold || settings->MainfrmTitleFont.Italic);
        EXPECT_FALSE(settings->WavefrmFont.Bold || settings->WavefrmFont.Italic);
        EXPECT_EQ(settings->WavefrmFont.Color, 5263440);
        EXPECT_EQ(settings->WavefrmFont.Size, 9);
    }
    EXPECT_EQ(japanese.LanguageCode, "jap");
}

} // namespace
