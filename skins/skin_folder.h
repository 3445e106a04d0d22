#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <optional>

// The folder of the skin being loaded, and the pixels the skin has taken so far: every picture
// read and, for every size a control is given, four pictures of that size, since a button may
// draw one for each of its states. Nothing is given back, so no sequence of lines takes more
// than MaxSkinPixelsInAll (skin_bounds.h); beyond that ESkinError "Too many pixels in all" is
// raised.
class TSkinFolder {
public:
    // path ends with "/"; the file names of the description are relative to it.
    explicit TSkinFolder(QString path) : path(std::move(path)) {}

    const QString& Path() const { return path; }

    // A Windows bitmap file; none for an empty value. Raises ESkinError "Could not find the
    // file : " with the value when there is no such file, and the picture loader's errors.
    std::optional<QImage> Bitmap(const QString& value);
    // A picture of any kind the picture loader reads; the file must exist.
    QImage Picture(const QString& value);
    // A control created or resized to size.
    void ControlSized(QSize size);

private:
    QString ExistingFile(const QString& value) const;
    QImage Taken(QImage picture);
    void Take(qint64 pixels);

    QString path;
    qint64 taken = 0;
};
