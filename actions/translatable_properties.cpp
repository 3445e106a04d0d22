#include "translatable_properties.h"

#include "comma_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <optional>

namespace {

// Read and write of one text property of type Owner.
template <typename Owner> struct Accessors {
    QString (Owner::*get)() const;
    void (Owner::*set)(const QString&);
};

template <typename Owner>
TranslatableProperty Property(const char* name, Owner* owner, Accessors<Owner> accessors) {
    return {QString::fromLatin1(name), [owner, accessors] { return (owner->*accessors.get)(); },
            [owner, accessors](const QString& text) { (owner->*accessors.set)(text); }};
}

std::optional<TranslatableProperty> Caption(QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return Property("Caption", label, Accessors<QLabel>{&QLabel::text, &QLabel::setText});
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        return Property(
            "Caption", button,
            Accessors<QAbstractButton>{&QAbstractButton::text, &QAbstractButton::setText});
    }
    if (auto* group = qobject_cast<QGroupBox*>(object)) {
        return Property("Caption", group,
                        Accessors<QGroupBox>{&QGroupBox::title, &QGroupBox::setTitle});
    }
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return Property("Caption", menu, Accessors<QMenu>{&QMenu::title, &QMenu::setTitle});
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        return Property("Caption", action, Accessors<QAction>{&QAction::text, &QAction::setText});
    }
    if (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr && widget->isWindow()) {
        return Property("Caption", widget,
                        Accessors<QWidget>{&QWidget::windowTitle, &QWidget::setWindowTitle});
    }
    return std::nullopt;
}

std::optional<TranslatableProperty> Text(QObject* object) {
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return Property("Text", edit, Accessors<QLineEdit>{&QLineEdit::text, &QLineEdit::setText});
    }
    if (auto* combo = qobject_cast<QComboBox*>(object); combo != nullptr && combo->isEditable()) {
        return Property("Text", combo,
                        Accessors<QComboBox>{&QComboBox::currentText, &QComboBox::setEditText});
    }
    return std::nullopt;
}

// A string list property. Language files hold it as quoted comma text ("a","b c"); the file
// reader drops the outer pair of quotes, so the value is put back inside one pair before it is
// read as comma text, as the program these files were first written for does. An empty value
// is what a template holds for a list that was empty when it was written; the list keeps what
// the program has put in it since (the saved key sets) instead of becoming one empty entry.
TranslatableProperty ListProperty(const char* name, std::function<QStringList()> read,
                                  std::function<void(const QStringList&)> write) {
    return {QString::fromLatin1(name),
            [read] {
                const QString quoted = ToQuotedCommaText(read());
                return quoted.mid(1, quoted.size() - 2);
            },
            [write](const QString& text) {
                if (!text.isEmpty()) {
                    write(FromCommaText(u'"' + text + u'"'));
                }
            }};
}

// Entries are replaced as a whole; the selected entry stays selected by its position.
std::optional<TranslatableProperty> Items(QObject* object) {
    if (auto* combo = qobject_cast<QComboBox*>(object)) {
        return ListProperty(
            "Items",
            [combo] {
                QStringList entries;
                for (int i = 0; i < combo->count(); ++i) {
                    entries.append(combo->itemText(i));
                }
                return entries;
            },
            [combo](const QStringList& entries) {
                const int current = combo->currentIndex();
                combo->clear();
                combo->addItems(entries);
                combo->setCurrentIndex(current < combo->count() ? current : -1);
            });
    }
    if (auto* list = qobject_cast<QListWidget*>(object)) {
        return ListProperty(
            "Items",
            [list] {
                QStringList entries;
                for (int i = 0; i < list->count(); ++i) {
                    entries.append(list->item(i)->text());
                }
                return entries;
            },
            [list](const QStringList& entries) {
                const int current = list->currentRow();
                list->clear();
                list->addItems(entries);
                list->setCurrentRow(current < list->count() ? current : -1);
            });
    }
    return std::nullopt;
}

template <typename Editor> TranslatableProperty LinesOf(Editor* editor) {
    return ListProperty(
        "Lines", [editor] { return editor->toPlainText().split(u'\n'); },
        [editor](const QStringList& lines) { editor->setPlainText(lines.join(u'\n')); });
}

std::optional<TranslatableProperty> Lines(QObject* object) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(object)) {
        return LinesOf(plain);
    }
    if (auto* rich = qobject_cast<QTextEdit*>(object)) {
        return LinesOf(rich);
    }
    return std::nullopt;
}

std::optional<TranslatableProperty> Hint(QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        return Property("Hint", action,
                        Accessors<QAction>{&QAction::toolTip, &QAction::setToolTip});
    }
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        return Property("Hint", widget,
                        Accessors<QWidget>{&QWidget::toolTip, &QWidget::setToolTip});
    }
    return std::nullopt;
}

// Qt names the parts it makes inside its own widgets "qt_...": they are no components of the
// dialog, but the dialog's own components may sit in them (a scroll area's viewport).
bool IsQtPart(const QObject* object) {
    return object->objectName().startsWith(QLatin1String("qt_"));
}

// A dialog that Qt builds of widgets of its own: its look-in list holds the folder it shows,
// its type list the filters, its labels Qt's own texts.
bool IsQtDialog(const QObject* object) {
    return qobject_cast<const QFileDialog*>(object) != nullptr ||
           qobject_cast<const QFontDialog*>(object) != nullptr ||
           qobject_cast<const QColorDialog*>(object) != nullptr;
}

void CollectOwned(QObject* owner, std::vector<QObject*>& components) {
    for (QObject* child : owner->children()) {
        if (IsQtPart(child)) {
            CollectOwned(child, components);
        } else if (!child->objectName().isEmpty()) {
            components.push_back(child);
            if (!IsQtDialog(child)) {
                CollectOwned(child, components);
            }
        }
    }
}

} // namespace

std::vector<TranslatableProperty> TranslatableProperties(QObject* object) {
    std::vector<TranslatableProperty> properties;
    for (const auto find : {Caption, Text, Items, Lines, Hint}) {
        if (std::optional<TranslatableProperty> property = find(object)) {
            properties.push_back(std::move(*property));
        }
    }
    return properties;
}

std::vector<QObject*> TranslatableComponents(QObject* root) {
    std::vector<QObject*> components;
    CollectOwned(root, components);
    components.push_back(root);
    return components;
}
