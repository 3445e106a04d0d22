#pragma once

#include "platform/byte_stream.h"

#include <cstdint>
#include <memory>

// A byte stream behind a fixed set of overridable operations; on its own it keeps its bytes in
// memory. The stream exists only between Open and Close.
class TStreamInterface {
public:
    TStreamInterface() = default;
    virtual ~TStreamInterface();
    TStreamInterface(const TStreamInterface&) = delete;
    TStreamInterface& operator=(const TStreamInterface&) = delete;

    virtual void SetPosition(std::int32_t position);
    virtual std::int32_t GetPosition();
    virtual std::unique_ptr<ByteStream> CreateStream();
    virtual std::int32_t GetSize();
    virtual void SetSize(std::int32_t size);
    virtual void Open();
    virtual void Close();
    virtual std::int32_t Read(void* buffer, std::int32_t count);
    virtual std::int32_t Write(const void* buffer, std::int32_t count);

    bool IsOpened() const { return Opened; }

protected:
    // The stream, or ERiffStreamError "stream not opened." when there is none.
    ByteStream& OpenedStream();

    std::unique_ptr<ByteStream> Stream;
    bool Opened = false;
};
