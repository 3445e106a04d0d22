#pragma once

#include <QWidget>

// A windowed control drawn entirely from pictures: its background is never erased, and
// subclasses hear of every size change through Resized().
class TCustomBitmapControl : public QWidget {
public:
    explicit TCustomBitmapControl(QWidget* parent = nullptr);

    // Size the control and call Resized() at once, shown or hidden. Qt keeps resize events
    // from hidden widgets until they are shown, so a control sized with resize() or
    // setGeometry() while hidden hears of it only then.
    void SetBounds(const QRect& bounds);
    void SetSize(QSize size);

protected:
    virtual void Resized() {}
    void resizeEvent(QResizeEvent* event) override;

private:
    // Calls Resized() when the size differs from the one it was last called for.
    void FollowSize();

    QSize followedSize;
};
