#include "storage/settings.h"

namespace {

FontSetting DefaultFont(bool japaneseFace, bool emphasised) {
    FontSetting font;
    font.Name = japaneseFace ? "ＭＳ Ｐゴシック" : "Times New Roman";
    font.Charset = japaneseFace ? 128 : 0;
    font.Bold = emphasised;
    font.Italic = emphasised;
    return font;
}

} // namespace

Settings DefaultSettings(const std::string& languageCode) {
    // The time texts are digits, which the Latin face draws best in every language.
    const bool japanese = languageCode == "jap";
    Settings settings;
    settings.LanguageCode = languageCode;
    settings.MainfrmTitleFont = DefaultFont(japanese, false);
    settings.MainfrmTimeFont = DefaultFont(false, true);
    settings.WavefrmFont = DefaultFont(japanese, false);
    settings.RepeatfrmFont = DefaultFont(japanese, true);
    return settings;
}
