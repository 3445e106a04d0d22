#pragma once

#include <string>

// Writes a complete language file of the current texts for translators (UTF-8): section
// "Messages" with every message, then a section for every registered dialog with every
// translatable text of it, one key=value line each, line breaks written as "<br>".
// Loading the file back gives every text as it was (line breaks as carriage return plus line
// feed).
void WriteLanguageTemplate(const std::string& path);
