#include "storage/settings_file.h"

#include "audio/record_source.h"
#include "audio/stretch_engine.h"
#include "platform/profile_file.h"
#include "storage/practice_settings.h"
#include "storage/temp_file.h"

namespace {

const QString Application = QStringLiteral("Application");
const QString MainFrm = QStringLiteral("MainFrm");
const QString Skin = QStringLiteral("Skin");
const QString Practice = QStringLiteral("Practice");

template <typename T> struct Key {
    const QString& section;
    const char* name;
    T Settings::*member;
};

// In the order they are written to a new file.
const Key<int> IntegerKeys[] = {
    {Application, "WaveFormatIdx", &Settings::WaveFormatIdx},
    {Application, StretchEngineKey, &Settings::StretchEngine},
    {Application, "RecordSource", &Settings::RecordSource},
    {Application, "PlaybackEngine", &Settings::PlaybackEngine},
    {MainFrm, "Top", &Settings::Top},
    {MainFrm, "Left", &Settings::Left},
    {MainFrm, "MainFrmSearchSpeed", &Settings::MainFrmSearchSpeed},
    {MainFrm, "MainFrmRightClicked", &Settings::MainFrmRightClicked},
    {MainFrm, "MainFrmDoubleClicked", &Settings::MainFrmDoubleClicked},
    {MainFrm, "WaveFrmDoubleClicked", &Settings::WaveFrmDoubleClicked},
    {MainFrm, "CDPlayer.Position", &Settings::CDPlayerPosition},
};

const Key<bool> BoolKeys[] = {
    {Application, "CheckDisuseFile", &Settings::CheckDisuseFile},
    {MainFrm, "JumpToStartWhenSwitchOn", &Settings::JumpToStartWhenSwitchOn},
    {MainFrm, "StopCDPlayerWhenExit", &Settings::StopCDPlayerWhenExit},
    {MainFrm, "AddToTreeWhenDroped", &Settings::AddToTreeWhenDroped},
    {MainFrm, "LinearStretch", &Settings::LinearStretch},
    {MainFrm, "CheckMinimizeKeyWhileInactive", &Settings::CheckMinimizeKeyWhileInactive},
    {MainFrm, "AutoStartRepeating", &Settings::AutoStartRepeating},
    {MainFrm, "CDPlayer.Playing", &Settings::CDPlayerPlaying},
    {MainFrm, "CassettesVisible", &Settings::CassettesVisible},
};

const Key<std::string> StringKeys[] = {
    {MainFrm, "FileName", &Settings::FileName},
    {Skin, "FileName", &Settings::SkinName},
};

// Written only when the value is one the program knows.
const Key<int> MethodKeys[] = {
    {MainFrm, "PosChangeType", &Settings::PosChangeType},
    {MainFrm, "HintType", &Settings::HintType},
};

const struct {
    const char* section;
    FontSetting Settings::*member;
} FontSections[] = {
    {"Font.MainfrmTitle", &Settings::MainfrmTitleFont},
    {"Font.MainfrmTime", &Settings::MainfrmTimeFont},
    {"Font.Wavefrm", &Settings::WavefrmFont},
    {"Font.Repeatfrm", &Settings::RepeatfrmFont},
};

FontSetting ReadFont(const ProfileFile& file, const QString& section, const FontSetting& def) {
    FontSetting font;
    font.Name = file.ReadString(section, "Name", QString::fromStdString(def.Name)).toStdString();
    font.Charset = file.ReadInteger(section, "Charset", def.Charset);
    font.Color = file.ReadInteger(section, "Color", def.Color);
    font.Size = file.ReadInteger(section, "Size", def.Size);
    font.Bold = file.ReadBool(section, "Style.Bold", def.Bold);
    font.Italic = file.ReadBool(section, "Style.Italic", def.Italic);
    font.Underline = file.ReadBool(section, "Style.Underline", def.Underline);
    font.StrikeOut = file.ReadBool(section, "Style.StrikeOut", def.StrikeOut);
    return font;
}

void WriteFont(ProfileFile& file, const QString& section, const FontSetting& font) {
    file.WriteString(section, "Name", QString::fromStdString(font.Name));
    file.WriteInteger(section, "Charset", font.Charset);
    file.WriteInteger(section, "Color", font.Color);
    file.WriteInteger(section, "Size", font.Size);
    file.WriteBool(section, "Style.Bold", font.Bold);
    file.WriteBool(section, "Style.Italic", font.Italic);
    file.WriteBool(section, "Style.Underline", font.Underline);
    file.WriteBool(section, "Style.StrikeOut", font.StrikeOut);
}

void KeepWithin(int& value, int lowest, int highest, int def) {
    if (value < lowest || value > highest) {
        value = def;
    }
}

bool IsMethod(int value) {
    return value >= 0 && value <= 2;
}

} // namespace

Settings ReadSettings(const ProfileFile& file, const std::string& languageCode) {
    const Settings defaults = DefaultSettings(languageCode);
    Settings settings = defaults;
    for (const auto& key : IntegerKeys) {
        settings.*key.member = file.ReadInteger(key.section, key.name, defaults.*key.member);
    }
    for (const auto& key : MethodKeys) {
        settings.*key.member = file.ReadInteger(key.section, key.name, defaults.*key.member);
    }
    for (const auto& key : BoolKeys) {
        settings.*key.member = file.ReadBool(key.section, key.name, defaults.*key.member);
    }
    for (const auto& key : StringKeys) {
        settings.*key.member =
            file.ReadString(key.section, key.name, QString::fromStdString(defaults.*key.member))
                .toStdString();
    }
    for (const auto& font : FontSections) {
        settings.*font.member = ReadFont(file, font.section, defaults.*font.member);
    }
    settings.Practice =
        ReadPractice(file, Practice, QString(), defaults.Practice).value_or(defaults.Practice);
    // A search speed of 0 would never move; a click code outside its menu would do nothing
    // and leave no item checked.
    if (settings.MainFrmSearchSpeed <= 0) {
        settings.MainFrmSearchSpeed = defaults.MainFrmSearchSpeed;
    }
    // 0 is the menus' "None".
    KeepWithin(settings.MainFrmRightClicked, 0, 4, defaults.MainFrmRightClicked);
    KeepWithin(settings.MainFrmDoubleClicked, 0, 4, defaults.MainFrmDoubleClicked);
    KeepWithin(settings.WaveFrmDoubleClicked, 0, 3, defaults.WaveFrmDoubleClicked);
    KeepWithin(settings.RecordSource, RecordSourceSong, RecordSourceInput, defaults.RecordSource);
    KeepWithin(settings.StretchEngine, StretchEngineDescribed, StretchEngineHighQuality,
               defaults.StretchEngine);
    KeepWithin(settings.PlaybackEngine, 0, 1, defaults.PlaybackEngine);
    return settings;
}

void WriteSettings(ProfileFile& file, const Settings& settings) {
    for (const auto& key : IntegerKeys) {
        file.WriteInteger(key.section, key.name, settings.*key.member);
    }
    for (const auto& key : MethodKeys) {
        if (IsMethod(settings.*key.member)) {
            file.WriteInteger(key.section, key.name, settings.*key.member);
        }
    }
    for (const auto& key : BoolKeys) {
        file.WriteBool(key.section, key.name, settings.*key.member);
    }
    for (const auto& key : StringKeys) {
        file.WriteString(key.section, key.name, QString::fromStdString(settings.*key.member));
    }
    for (const auto& font : FontSections) {
        WriteFont(file, font.section, settings.*font.member);
    }
    WritePractice(file, Practice, QString(), settings.Practice);
}

Settings LoadSettingsFile(const std::string& dataFolder, const std::string& languageCode) {
    return ReadSettings(ProfileFile(JoinPath(dataFolder, SettingsFileName)), languageCode);
}

void SaveSettingsFile(const std::string& dataFolder, const Settings& settings) {
    ProfileFile file(JoinPath(dataFolder, SettingsFileName));
    WriteSettings(file, settings);
    file.Save();
}
