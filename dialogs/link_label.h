#pragma once

#include <QColor>
#include <QLabel>

// A label that looks and behaves like a web link: a hand cursor, and underlined in its
// roll-over colour while the mouse is over it.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    QColor NormalColor() const { return normalColor; }
    void SetNormalColor(const QColor& color);
    QColor RollOverColor() const { return rollOverColor; }
    void SetRollOverColor(const QColor& color);
    // Underlined also while the mouse is elsewhere.
    void SetUnderlined(bool value);

signals:
    void Clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowAs(const QColor& color, bool hoveredLook);

    QColor normalColor = Qt::black;
    QColor rollOverColor = Qt::blue;
    bool hovered = false;
    bool underlined = false;
};
