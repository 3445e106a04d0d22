#include "file_stream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

} // namespace

FileStream::FileStream(const std::string& path, Mode mode) : path(path) {
    if (mode != Mode::ReadShared) {
        Create(mode == Mode::CreateNew);
    } else {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            throw EFileStreamError("Cannot open file \"" + path + "\". " + SystemReason(errno));
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(fd);
            fd = -1;
            throw EFileStreamError("Cannot open file \"" + path + "\". " + SystemReason(EISDIR));
        }
    }
}

// The file is emptied only once the lock is held, so a writer that is refused has changed
// nothing. The lock is advisory: it keeps our own writers apart, not other programs.
void FileStream::Create(bool mustBeNew) {
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : 0), 0644);
    if (fd < 0 && errno == EEXIST) {
        throw EFileExists("Cannot create file \"" + path + "\". " + SystemReason(errno));
    }
    if (fd < 0) {
        throw EFileStreamError("Cannot create file \"" + path + "\". " + SystemReason(errno));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
        const int error = errno;
        ::close(fd);
        fd = -1;
        throw EFileStreamError("Cannot create file \"" + path + "\". " + SystemReason(error));
    }
}

FileStream::~FileStream() {
    if (fd >= 0) {
        ::close(fd);
    }
}

void FileStream::Fail(const char* what) const {
    throw EFileStreamError(std::string(what) + " \"" + path + "\". " + SystemReason(errno));
}

std::int64_t FileStream::Read(void* buffer, std::int64_t count) {
    auto* out = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, out + done, static_cast<size_t>(count - done), position);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail("Read error in file");
        }
        if (n == 0) {
            break;
        }
        done += n;
        position += n;
    }
    return done;
}

std::int64_t FileStream::Write(const void* buffer, std::int64_t count) {
    const auto* in = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd, in + done, static_cast<size_t>(count - done), position);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Fail("Write error in file");
        }
        done += n;
        position += n;
    }
    return done;
}

void FileStream::SetPosition(std::int64_t newPosition) {
    position = newPosition < 0 ? 0 : newPosition;
}

std::int64_t FileStream::Size() const {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        Fail("Cannot read the size of file");
    }
    return info.st_size;
}

void FileStream::SetSize(std::int64_t size) {
    if (::ftruncate(fd, size < 0 ? 0 : size) != 0) {
        Fail("Cannot change the size of file");
    }
    if (position > size) {
        position = size;
    }
}

bool FileStream::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

void FileStream::Delete(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw EFileStreamError("Cannot delete file \"" + path + "\". " + SystemReason(errno));
    }
}

void FileStream::DeleteQuietly(const std::string& path) {
    try {
        Delete(path);
    } catch (const EFileStreamError&) {
    }
}

void FileStream::FlushToDisk(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        throw EFileStreamError("Cannot open file \"" + path + "\". " + SystemReason(errno));
    }
    // A file system that cannot flush that kind of file (EINVAL) has nothing kept back.
    const int result = ::fsync(file);
    const int error = errno;
    ::close(file);
    if (result != 0 && error != EINVAL) {
        throw EFileStreamError("Cannot write file \"" + path + "\" to the disk. " +
                               SystemReason(error));
    }
}
