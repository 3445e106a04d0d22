#include "stream_interface.h"

#include "platform/memory_stream.h"
#include "riff_stream_error.h"

TStreamInterface::~TStreamInterface() {
    TStreamInterface::Close();
}

ByteStream& TStreamInterface::OpenedStream() {
    if (!Stream) {
        throw ERiffStreamError("stream not opened.");
    }
    return *Stream;
}

void TStreamInterface::SetPosition(std::int32_t position) {
    OpenedStream().SetPosition(position);
}

std::int32_t TStreamInterface::GetPosition() {
    return static_cast<std::int32_t>(OpenedStream().Position());
}

std::unique_ptr<ByteStream> TStreamInterface::CreateStream() {
    return std::make_unique<MemoryStream>();
}

std::int32_t TStreamInterface::GetSize() {
    return static_cast<std::int32_t>(OpenedStream().Size());
}

void TStreamInterface::SetSize(std::int32_t size) {
    OpenedStream().SetSize(size);
}

void TStreamInterface::Open() {
    Stream = CreateStream();
    Opened = true;
}

void TStreamInterface::Close() {
    if (Opened) {
        Stream.reset();
        Opened = false;
    }
}

std::int32_t TStreamInterface::Read(void* buffer, std::int32_t count) {
    return static_cast<std::int32_t>(OpenedStream().Read(buffer, count));
}

std::int32_t TStreamInterface::Write(const void* buffer, std::int32_t count) {
    return static_cast<std::int32_t>(OpenedStream().Write(buffer, count));
}
