#pragma once

#include "skin_parameters.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <array>

// The three texts the main window paints over its picture.
enum class TTimeText { CurrentTime, RepeatStart, RepeatStop };

// The face of a skinned main window: its background picture, lowest of its children, and the
// time texts painted over it at the skin's positions, angles and colours. Mouse input passes
// through to the window beneath. A changed text repaints only its own small area, as the
// current time changes every few milliseconds.
class TSkinBackground : public QWidget {
public:
    TSkinBackground(QWidget* mainWindow, const SkinParameters& parameters);

    const QImage& Picture() const { return picture; }
    // Takes the picture's size too.
    void SetPicture(const QImage& value);

    const QFont& TimeFont() const { return timeFont; }
    // Rebuilds the text areas.
    void SetTimeFont(const QFont& value);

    const QString& Text(TTimeText which) const { return texts[Index(which)]; }
    void SetText(TTimeText which, const QString& value);

    // While a skin is active, the area each text may cover within the picture, in the main
    // window's coordinates; none otherwise. Rebuilt after every load and reset.
    const QRegion& TextArea(TTimeText which) const { return areas[Index(which)]; }
    void RebuildTextAreas();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static std::size_t Index(TTimeText which) { return static_cast<std::size_t>(which); }
    const TTextItemLook& Look(TTimeText which) const;

    const SkinParameters& parameters;
    QImage picture;
    QFont timeFont;
    std::array<QString, 3> texts;
    std::array<QRegion, 3> areas;
};
