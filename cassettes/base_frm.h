#pragma once

#include "platform/window_drag.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

// A borderless floating window painted with one picture, which gives the window its shape (the
// picture's top-left colour is left out). A left press anywhere on it drags it; files dropped on
// it go to FilesDropped.
class TBaseFrm : public QWidget {
public:
    // owner: the window this one stays above, without a task-bar entry of its own. constrain:
    // where a drag puts the window for the place the mouse proposes; without one the window
    // manager moves it.
    explicit TBaseFrm(QWidget* owner, WindowDrag::Constrain constrain = {});

    // The picture filling the client area (Image1), or none.
    const QImage& Picture() const { return picture; }
    void SetPicture(const QImage& value);
    // What shows where the picture does not reach.
    void SetColor(const QColor& value);

protected:
    virtual void FilesDropped(const QStringList& files);
    WindowDrag& Drag() { return *drag; }
    void RebuildShape();

    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage picture;
    QColor color = Qt::black;
    WindowDrag* drag;
};
