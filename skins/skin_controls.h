#pragma once

#include "skin_elements.h"

#include <QImage>
#include <QWidget>

// A picture placed on the main window for decoration: drawn from its top-left corner, clipped
// to the control, with its transparent parts left out; mouse input passes through it.
class TSkinImage : public QWidget {
public:
    explicit TSkinImage(QWidget* parent);

    const QImage& Picture() const { return picture; }
    void SetPicture(const QImage& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture;
};

// A new control of a control element, with the loader's defaults: buttons and scroll bars
// as their classes make them, pictures and labels passing mouse input through, speed meters
// for ratios from 10 to 500 per cent. It is shown whenever its parent is.
QWidget* CreateSkinControl(TSkinElement element, QWidget* parent);

// Sizes and places a control; bitmap controls hear of it even while hidden.
void SetSkinControlGeometry(QWidget* control, const QRect& geometry);
