#include "font_aliases.h"

#include <fontconfig/fontconfig.h>

namespace {

// "Times New Roman" and the other core faces already have metric aliases in fontconfig's own
// configuration; the Japanese Windows faces do not.
constexpr const char* Aliases = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>ＭＳ Ｐゴシック</family>
    <accept><family>IPAPGothic</family></accept>
  </alias>
  <alias binding="same">
    <family>MS PGothic</family>
    <accept><family>IPAPGothic</family></accept>
  </alias>
  <alias binding="same">
    <family>ＭＳ ゴシック</family>
    <accept><family>IPAGothic</family></accept>
  </alias>
  <alias binding="same">
    <family>MS Gothic</family>
    <accept><family>IPAGothic</family></accept>
  </alias>
</fontconfig>
)";

} // namespace

void RegisterFontAliases() {
    static const bool registered = [] {
        FcInit();
        return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                              reinterpret_cast<const FcChar8*>(Aliases),
                                              FcFalse) == FcTrue;
    }();
    (void)registered;
}
