#pragma once

class QFont;
class QString;
class QWidget;

// The font of the picture message window for an interface language: "ＭＳ Ｐゴシック" for
// Japanese ("jap"), otherwise "Times New Roman", 11 points; fontconfig supplies a face of the
// same metrics where the Windows face is not installed.
QFont MessageFont(const QString& languageCode);

// Moves a window so that it stands in the middle of its screen's available area.
void CentreOnScreen(QWidget* window);

// Asks a question in a message box over parent: the text (its carriage returns break lines),
// the program's caption, the question icon, OK and Cancel. True for OK.
bool AskOkCancel(QWidget* parent, const QString& text);

// Shows an error in a message box: the text (its carriage returns break lines), the program's
// caption, the error icon and OK.
void ShowErrorBox(const QString& text);
