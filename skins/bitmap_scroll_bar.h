#pragma once

#include "bitmap_rgn.h"
#include "custom_bitmap_control.h"
#include "scroll_bar_point.h"
#include "scroll_track.h"
#include "thumb_window.h"

#include <QPointer>
#include <functional>

// The scroll codes the bar reports, numbered as the platform's scroll messages number them.
enum TScrollCode { scPosition = 4, scTrack = 5, scEndScroll = 8 };

// A scroll bar drawn from a guide picture (the bar itself) and a thumb picture. The thumb is a
// window of its own beside the bar, in the bar's parent, so it may stand out of the bar's
// shape; it slides on the straight line from ScrollStartPos to ScrollEndPos.
class TCustomBitmapScrollBar : public TCustomBitmapControl {
public:
    using TScrollEvent =
        std::function<void(TCustomBitmapScrollBar* sender, TScrollCode code, int& position)>;
    using TNotifyEvent = std::function<void(TCustomBitmapScrollBar* sender)>;

    explicit TCustomBitmapScrollBar(QWidget* parent = nullptr);
    ~TCustomBitmapScrollBar() override;

    int Min() const { return min; }
    int Max() const { return max; }
    int Position() const { return position; }
    // Lowering Max below Min (or raising Min above Max) drags the other along; Position is
    // left as it is.
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);

    TScrollBarKind Kind() const { return kind; }
    void SetKind(TScrollBarKind value);

    // Where the thumb's top-left corner stands at Min and at Max, in bar coordinates. Setting
    // either by hand ends AutoDecideStartEndPos.
    TBitmapScrollBarPoint& ScrollStartPos() { return startPos; }
    TBitmapScrollBarPoint& ScrollEndPos() { return endPos; }
    void SetScrollStartPos(QPoint value);
    void SetScrollEndPos(QPoint value);

    const TBitmapRgn& BmpThumb() const { return thumbPicture; }
    const TBitmapRgn& BmpGuide() const { return guidePicture; }
    // A picture given from outside ends AutoCreateBitmap; an empty one brings the drawn
    // default back for that picture.
    void SetBmpThumb(const QImage& bitmap);
    void SetBmpGuide(const QImage& bitmap);

    int DefaultGuideWidth() const { return defaultGuideWidth; }
    void SetDefaultGuideWidth(int value);
    bool AutoCreateBitmap() const { return autoCreateBitmap; }
    void SetAutoCreateBitmap(bool value);
    bool AutoDecideStartEndPos() const { return autoDecideStartEndPos; }
    void SetAutoDecideStartEndPos(bool value);
    bool AutoSize() const { return autoSize; }
    void SetAutoSize(bool value);
    int LargeChange() const { return largeChange; }
    void SetLargeChange(int value) { largeChange = value; }
    int SmallChange() const { return smallChange; }
    void SetSmallChange(int value) { smallChange = value; }

    TThumbWindow* ThumbWindow() const { return thumb; }
    ScrollTrack Track() const;

    // A move of the thumb by the user; the position passed may be changed by the handler but
    // the bar does not read it back.
    TScrollEvent OnScroll;
    // Every setting of Position, by the user or by the program.
    TNotifyEvent OnChange;
    TNotifyEvent OnThumbDblClicked;

    void setVisible(bool visible) override;

protected:
    void Resized() override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TThumbWindow;

    // From the thumb window.
    void ThumbPressed();
    QPoint ConstrainThumb(QPoint proposedInParent) const;
    void ThumbMoved();
    void ThumbReleased();
    void ThumbDoubleClicked();

    void Scroll(TScrollCode code);
    void StorePosition(int value);
    void MoveThumb();
    QPoint ThumbPointInBar() const;
    void PlaceThumb(QPoint pointInBar);
    void PointChanged();
    void DecideStartEndPos();
    QSize ThumbSize() const;
    void GuideChanged();
    void ThumbChanged();
    void DrawDefaultThumb();
    void DrawDefaultGuide();

    int min = 0;
    int max = 0;
    int position = 0;
    TScrollBarKind kind = sbHorizontal;
    TBitmapScrollBarPoint startPos;
    TBitmapScrollBarPoint endPos;
    TBitmapRgn thumbPicture;
    TBitmapRgn guidePicture;
    int defaultGuideWidth = 25;
    bool autoCreateBitmap = true;
    bool autoDecideStartEndPos = true;
    bool autoSize = false;
    int largeChange = 0;
    int smallChange = 0;
    bool drawingDefaults = false;
    bool decidingPoints = false;
    QPointer<TThumbWindow> thumb;
};

// Every property of the custom bar is already public here.
using TBitmapScrollBar = TCustomBitmapScrollBar;
