#include "skin_folder.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "picture_file.h"
#include "skin_bounds.h"
#include "skin_error.h"

#include <QFileInfo>
#include <cstdint>

namespace {

constexpr qint64 PicturesPerControl = 4;

qint64 Pixels(QSize size) {
    return size.isValid() ? qint64{size.width()} * size.height() : 0;
}

} // namespace

std::optional<QImage> TSkinFolder::Bitmap(const QString& value) {
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return Taken(LoadBitmapFile(ExistingFile(value)));
}

QImage TSkinFolder::Picture(const QString& value) {
    return Taken(LoadPictureFile(ExistingFile(value)));
}

void TSkinFolder::ControlSized(QSize size) {
    Take(PicturesPerControl * Pixels(size));
}

QString TSkinFolder::ExistingFile(const QString& value) const {
    const QString file = path + value;
    if (!QFileInfo(file).isFile()) {
        throw ESkinError(SSkinFileNotFound, value);
    }
    return file;
}

QImage TSkinFolder::Taken(QImage picture) {
    Take(Pixels(picture.size()));
    return picture;
}

void TSkinFolder::Take(qint64 pixels) {
    taken += pixels;
    if (taken > MaxSkinPixelsInAll) {
        throw ESkinError(
            FormatMessage(SSkinTooManyPixelsInAll, {static_cast<std::int64_t>(MaxSkinPixelsInAll)})
                .toStdString());
    }
}
