#pragma once

#include <functional>

class QFont;
class QString;
class QWidget;

// The font of the picture message window for an interface language: "ＭＳ Ｐゴシック" for
// Japanese ("jap"), otherwise "Times New Roman", 11 points; fontconfig supplies a face of the
// same metrics where the Windows face is not installed.
QFont MessageFont(const QString& languageCode);

// Moves a window so that it stands in the middle of its screen's available area.
void CentreOnScreen(QWidget* window);

// Asks a question in a message box over parent, without waiting: the text (its carriage returns
// break lines), the program's caption, the question icon, OK and Cancel. answered hears true for
// OK once the box has closed.
void AskOkCancel(QWidget* parent, const QString& text, std::function<void(bool ok)> answered);

// Shows an error in a message box without waiting: the text (its carriage returns break lines),
// the program's caption, the error icon and OK.
void ShowErrorBox(const QString& text);

// For an error while no event loop runs (a start-up that failed, the shut-down after the loop
// ended): ShowErrorBox, then the application's own event loop runs until the box is closed, so
// that the program does not end before the user has read it. That loop nests in none, as none
// runs. While a loop runs, only ShowErrorBox.
void ShowErrorBoxOutsideTheLoop(const QString& text);
