#pragma once

#include <QString>
#include <functional>
#include <vector>

class QObject;

// A text of a dialog that a language file may replace, under the property name that language
// files for the Windows program use: "Caption" (a label's or button's text, a group box's or
// menu's title, an action's text, a window's title), "Text" (an edit field's text), "Items"
// (a list's or combo box's entries) and "Lines" (a multi-line editor's lines), both as comma
// text, where an empty value leaves the list as it is, and "Hint" (the tool tip).
struct TranslatableProperty {
    QString Name;
    std::function<QString()> Read;
    std::function<void(const QString&)> Write;
};

// The object's translatable properties, in the order above; none for objects without text.
std::vector<TranslatableProperty> TranslatableProperties(QObject* object);

// The objects of root that take part in translation, depth first in the order they were
// given their parent: an object with an empty name is left out with all it owns; the parts Qt
// makes inside its widgets ("qt_..." names) are passed through to what they hold; a dialog Qt
// builds itself (a file, font or colour dialog) takes part, but not the widgets it is made of,
// which Qt fills and names and refills as it pleases. The root itself comes last.
std::vector<QObject*> TranslatableComponents(QObject* root);
