#pragma once

#include "byte_stream.h"
#include "exception.h"

#include <string>

// Errors of the file layer: the text names the file and the system's reason.
class EFileStreamError : public Exception {
public:
    using Exception::Exception;
};

// Creating a file that must be new failed because the name is taken.
class EFileExists : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};

// A disk file opened through the operating system's own calls.
//
// A created file is read and write, and locked against every other writer of ours (another
// instance included) for as long as it stays open: creating a file that such a writer holds
// fails and leaves the file as it is.
class FileStream final : public ByteStream {
public:
    enum class Mode {
        ReadShared,   // existing file, read-only; others may read and write it meanwhile
        CreateAlways, // empty file, replacing the contents of one of that name
        CreateNew,    // empty file that did not exist: EFileExists when the name is taken
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
    // Deletes path where it can; a file that will not go stays, a leftover that nothing more
    // can be done about here.
    static void DeleteQuietly(const std::string& path);
    // Waits until what was written to the file or folder path is on the disk, so that a crash
    // or a power cut after it cannot lose it (a folder: the names made or removed in it).
    static void FlushToDisk(const std::string& path);

private:
    void Create(bool mustBeNew);
    [[noreturn]] void Fail(const char* what) const;

    std::string path;
    int fd = -1;
    std::int64_t position = 0;
};
