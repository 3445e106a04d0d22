#pragma once

#include <QString>
#include <QUrl>

class QWidget;
class TGuideFrm;

// The user guide in the program folder, with the query its page reads the language from
// ("Japanese" for the code "jap", otherwise "English"); a language file that gives a web
// address of its own as SQuavrelUrl names that page instead.
QUrl UserGuidePage(const QString& programFolder, const QString& languageCode);

// Shows a page with the desktop's program for it. Where the desktop has none, a page of this
// machine shows in the program's own guide window, and a web page's address is told in a box
// over owner; nothing waits for the box.
void ShowPage(const QUrl& page, TGuideFrm& guide, QWidget* owner);
