#include "cassettes/setting_font.h"

#include "storage/settings.h"

QFont FontOf(const FontSetting& setting) {
    QFont font(QString::fromStdString(setting.Name == "Default" ? "MS Sans Serif" : setting.Name));
    font.setPointSize(setting.Size > 0 ? setting.Size : 9);
    font.setBold(setting.Bold);
    font.setItalic(setting.Italic);
    font.setUnderline(setting.Underline);
    font.setStrikeOut(setting.StrikeOut);
    return font;
}
