#include "language_template.h"

#include "language_file.h"
#include "line_break_tags.h"
#include "messages.h"
#include "platform/profile_file.h"
#include "translatable_properties.h"

#include <QObject>

void WriteLanguageTemplate(const std::string& path) {
    ProfileFile file;
    const QString messages = QStringLiteral("Messages");
    for (const MessageEntry& entry : RegisteredMessages()) {
        file.WriteString(messages, entry.Key, LineBreaksToTags(*entry.Text));
    }
    for (const QPointer<QObject>& root : RegisteredComponents()) {
        if (root.isNull() || root->objectName().isEmpty()) {
            continue;
        }
        for (QObject* component : TranslatableComponents(root)) {
            for (const TranslatableProperty& property : TranslatableProperties(component)) {
                file.WriteString(root->objectName(), component->objectName() + u'.' + property.Name,
                                 LineBreaksToTags(property.Read()));
            }
        }
    }
    file.SaveAs(path);
}
