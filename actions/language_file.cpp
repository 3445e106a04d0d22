#include "language_file.h"

#include "line_break_tags.h"
#include "message_format.h"
#include "messages.h"
#include "platform/profile_file.h"
#include "translatable_properties.h"

#include <QObject>

namespace {

std::vector<QPointer<QObject>>& Components() {
    static std::vector<QPointer<QObject>> components;
    return components;
}

// The marker of a missing key; a text cannot be set to it.
const QString Missing = QStringLiteral("/*****/");

std::optional<QString> Translation(const ProfileFile& file, const QString& section,
                                   const QString& key) {
    const QString text = TagsToLineBreaks(file.Value(section, key).value_or(Missing));
    if (text == Missing) {
        return std::nullopt;
    }
    return text;
}

void TranslateMessages(const ProfileFile& file) {
    for (const MessageEntry& entry : RegisteredMessages()) {
        const std::optional<QString> text =
            Translation(file, QStringLiteral("Messages"), entry.Key);
        // A text with other placeholders would be filled with the wrong values, or none.
        if (text && PlaceholderKinds(*text) == PlaceholderKinds(entry.Default)) {
            *entry.Text = *text;
        }
    }
}

void TranslateComponents(const ProfileFile& file) {
    for (const QPointer<QObject>& root : Components()) {
        if (root.isNull() || root->objectName().isEmpty()) {
            continue;
        }
        const QString section = root->objectName();
        for (QObject* component : TranslatableComponents(root)) {
            for (const TranslatableProperty& property : TranslatableProperties(component)) {
                const QString key = component->objectName() + u'.' + property.Name;
                if (const std::optional<QString> text = Translation(file, section, key)) {
                    property.Write(*text);
                }
            }
        }
    }
}

} // namespace

void RegisterComponents(std::initializer_list<QObject*> roots) {
    for (QObject* root : roots) {
        Components().emplace_back(root);
    }
}

const std::vector<QPointer<QObject>>& RegisteredComponents() {
    return Components();
}

void LoadLanguageFile(const QString& path) {
    // A missing file reads as an empty one, which changes nothing.
    const ProfileFile file(path.toStdString());
    TranslateMessages(file);
    TranslateComponents(file);
}
