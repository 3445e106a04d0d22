#pragma once

#include <QWidget>

class TCustomBitmapScrollBar;
class WindowDrag;

// The thumb of a bitmap scroll bar: a window in the bar's parent, shaped like the thumb
// picture, that the user drags along the bar's track. It is visible only while the bar is.
class TThumbWindow : public QWidget {
public:
    explicit TThumbWindow(TCustomBitmapScrollBar* bar);

    TCustomBitmapScrollBar* ScrollBar() const { return bar; }
    bool Dragging() const;
    // Takes the size and shape of the bar's thumb picture.
    void ApplyPicture();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TCustomBitmapScrollBar* bar;
    WindowDrag* drag;
};
