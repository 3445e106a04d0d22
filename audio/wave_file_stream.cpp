#include "wave_file_stream.h"

#include "platform/file_stream.h"
#include "riff_stream_error.h"

TWaveFileStream::~TWaveFileStream() = default;

std::unique_ptr<ByteStream> TWaveFileStream::CreateStream() {
    if (Creating) {
        // Emptied in place rather than deleted and made again: a new file would not carry the
        // lock of a writer that still has the old one open, and both would go on writing.
        return std::make_unique<FileStream>(FileName, FileStream::Mode::CreateAlways);
    }
    if (!FileStream::Exists(FileName)) {
        throw ERiffStreamError("File not found.");
    }
    return std::make_unique<FileStream>(FileName, FileStream::Mode::ReadShared);
}

void TWaveFileStream::SetFileName(const std::string& name) {
    if (Opened) {
        Close();
    }
    FileName = name;
}
