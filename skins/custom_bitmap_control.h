#pragma once

#include <QWidget>

// A windowed control drawn entirely from pictures: its background is never erased, and
// subclasses hear of every size change through Resized().
class TCustomBitmapControl : public QWidget {
public:
    explicit TCustomBitmapControl(QWidget* parent = nullptr);

protected:
    virtual void Resized() {}
    void resizeEvent(QResizeEvent* event) override;
};
