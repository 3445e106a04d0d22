#pragma once

#include <QPointer>
#include <QString>
#include <initializer_list>
#include <vector>

class QObject;

// Appends dialogs (or other objects owning texts) whose texts a language file may replace:
// section = the root's object name, key = an owned object's name + "." + property name.
void RegisterComponents(std::initializer_list<QObject*> roots);
// Registered roots in order; a root destroyed meanwhile reads as null.
const std::vector<QPointer<QObject>>& RegisteredComponents();

// Replaces the registered messages (section "Messages") and the texts of the registered
// dialogs by those of the language file at path; nothing happens when there is no such file.
// A translated message whose placeholders differ from its English text's in kind or order is
// not used. Read errors are raised as EFileStreamError.
void LoadLanguageFile(const QString& path);
