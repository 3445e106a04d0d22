#pragma once

#include <QColor>
#include <QWidget>

// The hand and tick dots of a circular gauge, drawn over whatever the parent paints beneath
// (the dial face comes from the skin's background). The hand sweeps 120 degrees about the
// middle of the bottom row: Min on the right, Max on the left.
class TSpeedMeter : public QWidget {
public:
    explicit TSpeedMeter(QWidget* parent = nullptr);

    int Min() const { return min; }
    int Max() const { return max; }
    int Position() const { return position; }
    int HandSizeByPercent() const { return handSizeByPercent; }
    int TickCount() const { return tickCount; }
    int TickWidth() const { return tickWidth; }
    QColor HandColor() const { return handColor; }

    // Min stays at 0 or above and Max at 1 or above; raising Min above Max pushes Max to
    // Min + 1 (to Min itself at the largest value), lowering Max below Min pulls Min to Max - 1.
    void SetMin(int value);
    void SetMax(int value);
    // Clamped to the range of the moment; later range changes leave it as it is.
    void SetPosition(int value);
    void SetHandSizeByPercent(int value);
    void SetTickCount(int value);
    void SetTickWidth(int value);
    void SetHandColor(QColor value);

    QPoint Centre() const;
    int Radius() const;
    // Where the hand ends for the fraction f of the sweep (0 at Min, 1 at Max).
    QPoint Tip(double f) const;
    // Where the hand ends for the position (at Min when Min equals Max).
    QPoint HandTip() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int min = 0;
    int max = 10000;
    int position = 0;
    int handSizeByPercent = 90;
    int tickCount = 8;
    int tickWidth = 1;
    QColor handColor = Qt::black;
};
