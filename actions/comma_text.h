#pragma once

#include <QString>
#include <QStringList>

// A list of texts on one line, as Windows programs write string lists: items separated by
// commas; an item in double quotes may hold commas and blanks, with "" for a quote in it.

QString ToCommaText(const QStringList& items);
// Blanks around unquoted items are dropped; an empty text is an empty list.
QStringList FromCommaText(const QString& text);
