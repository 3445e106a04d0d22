#include "jpeg_decoder.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "picture_file.h"
#include "skin_bounds.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return; it jumps back
// to the setjmp of the step that was running. Only the decoder's plain C state lives across
// those jumps, so no destructor is skipped.
struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr decoder) {
    auto* errors = reinterpret_cast<ErrorManager*>(decoder->err);
    (*decoder->err->format_message)(decoder, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (such as data ending early) leave the picture partly grey, as other viewers show it.
void IgnoreMessage(j_common_ptr, int) {}

bool ReadHeader(jpeg_decompress_struct* decoder, ErrorManager* errors, const unsigned char* data,
                unsigned long size) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    jpeg_mem_src(decoder, data, size);
    jpeg_read_header(decoder, TRUE);
    return true;
}

bool StartDecoding(jpeg_decompress_struct* decoder, ErrorManager* errors) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    decoder->out_color_space = JCS_RGB;
    jpeg_start_decompress(decoder);
    return true;
}

bool ReadRows(jpeg_decompress_struct* decoder, ErrorManager* errors, unsigned char* bits,
              qsizetype bytesPerLine) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    while (decoder->output_scanline < decoder->output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(decoder->output_scanline) * bytesPerLine;
        jpeg_read_scanlines(decoder, &row, 1);
    }
    jpeg_finish_decompress(decoder);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data) {
    jpeg_decompress_struct decoder{};
    ErrorManager errors{};
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ExitOnError;
    errors.manager.emit_message = IgnoreMessage;
    jpeg_create_decompress(&decoder);

    QImage picture;
    bool decoded =
        ReadHeader(&decoder, &errors, reinterpret_cast<const unsigned char*>(data.constData()),
                   static_cast<unsigned long>(data.size()));
    // The declared size is checked before the decoder sets aside memory for it.
    const QSize size(static_cast<int>(decoder.image_width), static_cast<int>(decoder.image_height));
    const bool fits = !decoded || FitsSkinPixels(size);
    decoded = decoded && fits && StartDecoding(&decoder, &errors);
    if (decoded) {
        picture = QImage(static_cast<int>(decoder.output_width),
                         static_cast<int>(decoder.output_height), QImage::Format_RGB888);
        decoded = !picture.isNull() &&
                  ReadRows(&decoder, &errors, picture.bits(), picture.bytesPerLine());
        if (picture.isNull()) {
            std::snprintf(errors.message, sizeof errors.message, "%s", "picture too large");
        }
    }
    jpeg_destroy_decompress(&decoder);
    if (!fits) {
        throw EInvalidGraphic(TooManyPixelsText(size).toStdString());
    }
    if (!decoded) {
        throw EInvalidGraphic(
            FormatMessage(SInvalidJpeg, {QString::fromLocal8Bit(errors.message)}).toStdString());
    }
    return picture;
}
