#pragma once

#include <QRegion>
#include <optional>

class QWidget;

// Gives a window (top-level or child) the shape `shape` in its own coordinates: no shape means
// the plain rectangle, an empty shape shows nothing of the window. Mouse input passes through
// the parts outside the shape.
void SetWindowShape(QWidget* window, const std::optional<QRegion>& shape);
