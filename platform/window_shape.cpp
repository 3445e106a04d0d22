#include "window_shape.h"

#include <QWidget>

void SetWindowShape(QWidget* window, const std::optional<QRegion>& shape) {
    if (!shape) {
        window->clearMask();
        return;
    }
    // Qt reads an empty mask as "no mask"; one pixel outside the window leaves nothing inside.
    const QRegion mask = shape->isEmpty() ? QRegion(-1, -1, 1, 1) : *shape;
    if (window->mask() != mask) {
        window->setMask(mask);
    }
}
