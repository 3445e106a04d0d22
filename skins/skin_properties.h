#pragma once

#include "skin_elements.h"
#include "skin_parameters.h"

#include <QString>

class SkinTarget;
class TSkinFolder;
class QWidget;

// The property lines of a skin description, by the kind of the innermost open element. Each
// raises ESkinError (or the picture loader's error) for a property its element does not have
// or a value it cannot take. Pictures are read from the skin's folder, which counts the
// pixels they and the controls take.

void SetMainProperty(SkinTarget& target, TSkinFolder& folder, const QString& name,
                     const QString& value);
void SetSectionProperty(TSkinWindowLook& look, TSkinFolder& folder, const QString& name,
                        const QString& value);
void SetControlProperty(SkinTarget& target, TSkinFolder& folder, TSkinElement element,
                        QWidget* control, const QString& name, const QString& value);
