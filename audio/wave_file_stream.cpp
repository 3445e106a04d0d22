#include "wave_file_stream.h"

#include "platform/file_stream.h"
#include "riff_stream_error.h"

TWaveFileStream::~TWaveFileStream() = default;

std::unique_ptr<ByteStream> TWaveFileStream::CreateStream() {
    if (Creating) {
        FileStream::Delete(FileName);
        return std::make_unique<FileStream>(FileName, FileStream::Mode::CreateExclusive);
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
