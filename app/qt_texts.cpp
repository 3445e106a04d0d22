#include "app/qt_texts.h"

#include "actions/language_choice.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::unique_ptr<QTranslator> InstallQtTexts(const QString& languageCode) {
    const QString language = LocaleLanguage(languageCode);
    if (language.isEmpty()) {
        return nullptr;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;
    }
    QCoreApplication::installTranslator(translator.get());
    return translator;
}
