#pragma once

#include "skin_bounds.h"

#include <QColor>
#include <QString>
#include <optional>

// The value forms of a skin description.

// A whole number as the Windows program's number reader takes it: leading blanks, a sign, then
// decimal digits, or hexadecimal ones after "$" or "0x" (up to eight, wrapping into the sign);
// nothing may follow. No value when the text is not such a number or does not fit 32 bits.
std::optional<int> ParseSkinNumber(const QString& text);

// The integer form: "#" before the digits marks hexadecimal as "$" does. Raises ESkinError
// "Malformed integer : " with the text ("#" shown as "$") when it is no number, and for
// -99999, which the form keeps to mean "no number".
int SkinInteger(const QString& text);

// A number of the description that must lie within range; raises ESkinError
// "Value out of range (min to max) : " with the text otherwise.
int InSkinRange(int value, TSkinRange range, const QString& text);

// The integer form within range.
int SkinIntegerIn(const QString& text, TSkinRange range);

// The colour form: the first character is passed over (skins write "#"), the rest is
// hexadecimal. The number is a Windows colour reference, red in its lowest byte. Raises
// ESkinError "malformed color : " with the text when it is no number, and for 16777216, which
// the form keeps to mean "no number".
int SkinColor(const QString& text);

// The colour a Windows colour reference names; the highest byte (palette flags) is ignored.
QColor ColorOfColorRef(int colorRef);
