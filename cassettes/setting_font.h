#pragma once

#include <QFont>

struct FontSetting;

// The font a stored font setting describes; its colour is not part of it. The name "Default"
// stands for "MS Sans Serif".
QFont FontOf(const FontSetting& setting);
