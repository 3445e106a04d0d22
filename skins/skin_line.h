#pragma once

#include <QString>

// What one line of a skin description holds. The file has one tag per line: a tag never
// spans lines and a line never holds two.
enum class TSkinLineKind {
    Ignored,      // blank, or an XML declaration
    CommentStart, // exactly "<!--"
    CommentEnd,   // exactly "-->" or "--!>"
    SyntaxError,  // too short to be a tag, or a tag without a name
    Open,         // <Name ...>
    Close,        // </Name>
    Property,     // <Name Value="..."/>
};

// The longest value a line can give; the rest of a longer one is dropped.
inline constexpr int MaxSkinValueLength = 256;

// Classifies a line and reads its element name. value is written only when the line holds
// "Value=": the text after it, or, when that text holds a double quote, what stands between
// the first quote and the next; so a property line without a value keeps the one before.
TSkinLineKind ClassifySkinLine(const QString& line, QString& name, QString& value);

// Blanks and control characters dropped at both ends, as the description's lines are read.
QString TrimSkinText(const QString& text);
