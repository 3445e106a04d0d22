#pragma once

#include <QString>
#include <QStringList>

// A list of texts on one line, as Windows programs write string lists: items separated by
// commas; an item in double quotes may hold commas and blanks, with "" for a quote in it.

// An item that is empty or holds a comma, a double quote or a character up to 32 (a blank, a
// tab, any control character, all of which end an unquoted item) is written in quotes.
QString ToCommaText(const QStringList& items);
// The same with every item in quotes.
QString ToQuotedCommaText(const QStringList& items);
// As Windows programs read it: an unquoted item ends at a comma or a blank, blanks between
// items are skipped, and a quoted item ends at its closing quote; an empty text is an empty list.
QStringList FromCommaText(const QString& text);
