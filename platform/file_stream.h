#pragma once

#include "byte_stream.h"
#include "exception.h"

#include <string>

// Errors of the file layer: the text names the file and the system's reason.
class EFileStreamError : public Exception {
public:
    using Exception::Exception;
};

// A disk file opened through the operating system's own calls.
class FileStream final : public ByteStream {
public:
    enum class Mode {
        ReadShared,      // existing file, read-only; others may read and write it meanwhile
        CreateExclusive, // new empty file, read and write; others may not open it for writing
    };

    FileStream(const std::string& path, Mode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Position() const override { return position; }
    void SetPosition(std::int64_t newPosition) override;
    std::int64_t Size() const override;
    void SetSize(std::int64_t size) override;

    static bool Exists(const std::string& path);
    static void Delete(const std::string& path);

private:
    [[noreturn]] void Fail(const char* what) const;

    std::string path;
    int fd = -1;
    std::int64_t position = 0;
};
