#pragma once

#include "bitmap_rgn.h"
#include "custom_bitmap_control.h"

#include <array>
#include <functional>
#include <optional>

// A push button made of four pictures (normal, pressed, under the mouse, disabled) that takes
// the shape of the picture it shows. Missing pictures are derived from the others; with
// AutoCreateBitmap the button draws plain ones of its own size.
class TCustomBitmapButton : public TCustomBitmapControl {
public:
    enum PictureIndex { Normal, Downed, Highlighted, Disabled };
    using TNotifyEvent = std::function<void(TCustomBitmapButton* sender)>;

    explicit TCustomBitmapButton(QWidget* parent = nullptr);

    const TBitmapRgn& Glyph() const { return pictures[Normal]; }
    const TBitmapRgn& BitmapDowned() const { return pictures[Downed]; }
    const TBitmapRgn& BitmapHighlighted() const { return pictures[Highlighted]; }
    const TBitmapRgn& BitmapDisabled() const { return pictures[Disabled]; }
    // Copies bitmap into the picture of that state. While the button draws its own pictures,
    // a picture given from outside ends that and empties the other three.
    void SetPicture(PictureIndex index, const QImage& bitmap);
    void SetGlyph(const QImage& bitmap) { SetPicture(Normal, bitmap); }
    void SetBitmapDowned(const QImage& bitmap) { SetPicture(Downed, bitmap); }
    void SetBitmapHighlighted(const QImage& bitmap) { SetPicture(Highlighted, bitmap); }
    void SetBitmapDisabled(const QImage& bitmap) { SetPicture(Disabled, bitmap); }

    // The pixels of the picture shown that are not its key colour, in button coordinates:
    // presses elsewhere go to the window beneath, which shows there. None while the button
    // has no picture to show (the whole rectangle takes presses).
    const std::optional<QRegion>& Shape() const { return shape; }

    bool IsDowned() const { return downed; }
    void SetDowned(bool value);
    bool ToggleType() const { return toggleType; }
    void SetToggleType(bool value);
    bool Toggled() const { return toggled; }
    void SetToggled(bool value);
    bool AutoCreateBitmap() const { return autoCreateBitmap; }
    void SetAutoCreateBitmap(bool value);

    // A left button pressed on the button and released over it, told before the release
    // changes the pressed state.
    TNotifyEvent OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void Resized() override;

private:
    TBitmapRgn& PictureToShow();
    // Derives or draws a missing picture to show and takes its shape. Runs whenever the state
    // changes, so that the shape is right for the next press before any paint.
    void ApplyShape();
    // ApplyShape, then a repaint.
    void Refresh();
    void DeriveMissingPictures();
    void DrawDefaultPictures();

    std::array<TBitmapRgn, 4> pictures;
    bool downed = false;
    bool toggleType = false;
    bool toggled = false;
    bool autoCreateBitmap = true;
    bool mouseInside = false;
    bool regionStale = true;
    bool clickPending = false;
    bool drawingDefaults = false;
    const TBitmapRgn* lastPicture = nullptr;
    std::optional<QRegion> shape;
    QSize lastSize{0, 0};
};

// Every property of the custom button is already public here.
using TBitmapButton = TCustomBitmapButton;
