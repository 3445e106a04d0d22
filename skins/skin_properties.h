#pragma once

#include "skin_elements.h"
#include "skin_parameters.h"

#include <QString>

class SkinTarget;
class QWidget;

// The property lines of a skin description, by the kind of the innermost open element. Each
// raises ESkinError (or the picture loader's error) for a property its element does not have
// or a value it cannot take. folder is the skin's folder, ending with "/"; picture file names
// are relative to it.

void SetMainProperty(SkinTarget& target, const QString& folder, const QString& name,
                     const QString& value);
void SetSectionProperty(TSkinWindowLook& look, const QString& folder, const QString& name,
                        const QString& value);
void SetControlProperty(SkinTarget& target, const QString& folder, TSkinElement element,
                        QWidget* control, const QString& name, const QString& value);
