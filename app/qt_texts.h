#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

// Installs Qt's own texts (the standard buttons of boxes and dialogs, the file and font
// dialogs) in the interface language of the code, from the translations the system keeps
// for Qt (Debian's qt6-translations-l10n); they stay installed while the translator lives.
// None for English, or when the system has no translation for the language.
std::unique_ptr<QTranslator> InstallQtTexts(const QString& languageCode);
