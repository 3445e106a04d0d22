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
