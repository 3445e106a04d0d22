#pragma once

#include "storage/settings.h"

#include <string>

class ProfileFile;

// The settings file of the data folder.
inline constexpr const char* SettingsFileName = "quavrel.ini";

// The settings stored in file; what is missing keeps its value from DefaultSettings(languageCode).
// Values the program could not work with are replaced by their defaults: a search speed of 0
// or less, click codes outside their menus (1..4 on the main window, 1..3 on a cassette or
// card), an unknown recording source or speed-change engine or playback engine; the practice
// defaults are brought within their ranges. PosChangeType and HintType stay
// as read: values outside 0..2 mean "leave the player's method" and are never written back.
Settings ReadSettings(const ProfileFile& file, const std::string& languageCode);

// Writes every stored setting into file, keeping its other sections and keys (the playlist
// window keeps its own there). CDPlayer.Playing is written as settings.CDPlayerPlaying
// stands: the caller sets it only while a medium other than an audio CD plays, since a disc
// is never resumed playing at start-up.
void WriteSettings(ProfileFile& file, const Settings& settings);

// ReadSettings of dataFolder's settings file (defaults when there is none).
Settings LoadSettingsFile(const std::string& dataFolder, const std::string& languageCode);
// WriteSettings into dataFolder's settings file, saved at once; EProfileFileError when the
// file cannot be written (the previous one stays).
void SaveSettingsFile(const std::string& dataFolder, const Settings& settings);
