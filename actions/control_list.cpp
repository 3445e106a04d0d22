#include "control_list.h"

#include "skins/bitmap_scroll_bar.h"
#include "skins/speed_meter.h"

#include <algorithm>

void TControlList::Add(QWidget* control) {
    controls.emplace_back(control);
}

void TControlList::Remove(QWidget* control) {
    std::erase(controls, control);
}

int TControlList::Count() const {
    return static_cast<int>(Controls().size());
}

QWidget* TControlList::Item(int index) const {
    const std::vector<QWidget*> alive = Controls();
    return index >= 0 && index < static_cast<int>(alive.size())
               ? alive[static_cast<std::size_t>(index)]
               : nullptr;
}

void TControlList::RefreshAll() const {
    for (QWidget* control : Controls()) {
        control->repaint();
    }
}

void TControlList::SetVisibleAll(bool visible) const {
    for (QWidget* control : Controls()) {
        control->setVisible(visible);
    }
}

void TControlList::SetTextAll(const QString& text) const {
    for (QWidget* control : Controls()) {
        if (control->metaObject()->indexOfProperty("text") >= 0) {
            control->setProperty("text", text);
        } else {
            control->setWindowTitle(text);
        }
    }
}

void TControlList::SetMaxAll(int max) const {
    for (QWidget* control : Controls()) {
        if (auto* bar = dynamic_cast<TBitmapScrollBar*>(control)) {
            bar->SetMax(max);
        }
    }
}

void TControlList::SetPositionAll(int position) const {
    for (QWidget* control : Controls()) {
        if (auto* bar = dynamic_cast<TBitmapScrollBar*>(control)) {
            bar->SetPosition(position);
        } else if (auto* meter = dynamic_cast<TSpeedMeter*>(control)) {
            meter->SetPosition(position);
        }
    }
}

int TControlList::GetMax() const {
    for (QWidget* control : Controls()) {
        if (auto* bar = dynamic_cast<TBitmapScrollBar*>(control); bar && bar->Max() != -1) {
            return bar->Max();
        }
    }
    return -1;
}

int TControlList::GetLeft() const {
    return OfFirst(&QWidget::x);
}

int TControlList::GetTop() const {
    return OfFirst(&QWidget::y);
}

int TControlList::GetWidth() const {
    return OfFirst(&QWidget::width);
}

int TControlList::GetHeight() const {
    return OfFirst(&QWidget::height);
}

int TControlList::OfFirst(int (QWidget::*measure)() const) const {
    const std::vector<QWidget*> alive = Controls();
    return alive.empty() ? NoControl : (alive.front()->*measure)();
}

std::vector<QWidget*> TControlList::Controls() const {
    std::vector<QWidget*> alive;
    for (const QPointer<QWidget>& control : controls) {
        if (control != nullptr) {
            alive.push_back(control);
        }
    }
    return alive;
}
