#include "language_template.h"

#include "language_file.h"
#include "line_break_tags.h"
#include "messages.h"
#include "platform/file_stream.h"
#include "translatable_properties.h"

#include <QObject>
#include <QSet>

namespace {

// Reading drops blanks around a value and one pair of quotes around all of it: such values,
// and those holding quotes (string lists among them), get a pair of quotes of their own.
QString ValueText(const QString& text) {
    const QString value = LineBreaksToTags(text);
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (quoted || value != value.trimmed() || value.contains(u'"')) {
        return u'"' + value + u'"';
    }
    return value;
}

QString MessagesSection() {
    QString text = QStringLiteral("[Messages]\n");
    QSet<QString> written;
    for (const MessageEntry& entry : RegisteredMessages()) {
        const QString key = entry.Key.trimmed();
        if (!written.contains(key)) {
            written.insert(key);
            text += key + u'=' + ValueText(*entry.Text) + u'\n';
        }
    }
    return text;
}

QString DialogSection(QObject* root) {
    QString text = u'[' + root->objectName() + QStringLiteral("]\n");
    for (QObject* component : TranslatableComponents(root)) {
        for (const TranslatableProperty& property : TranslatableProperties(component)) {
            text += component->objectName() + u'.' + property.Name + u'=' +
                    ValueText(property.Read()) + u'\n';
        }
    }
    return text;
}

} // namespace

void WriteLanguageTemplate(const std::string& path) {
    QString text = MessagesSection();
    for (const QPointer<QObject>& root : RegisteredComponents()) {
        if (!root.isNull() && !root->objectName().isEmpty()) {
            text += u'\n' + DialogSection(root);
        }
    }
    const QByteArray bytes = text.toUtf8();
    FileStream file(path, FileStream::Mode::CreateAlways);
    file.Write(bytes.constData(), bytes.size());
}
