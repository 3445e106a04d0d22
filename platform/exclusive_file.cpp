#include "exclusive_file.h"

#include "file_stream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int CopyBlock = 1 << 16;

// The descriptor of the new file, -1 when the name is taken.
int OpenNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) {
        throw EFileStreamError("Cannot create file \"" + path + "\". " + std::strerror(errno));
    }
    return fd;
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd; }
    // Closes now, reporting what close says (a delayed write error shows up here).
    int Close() {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }

private:
    int fd;
};

void CopyData(int from, int to, const std::string& source, const std::string& target) {
    char buffer[CopyBlock];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw EFileStreamError("Read error in file \"" + source + "\". " +
                                   std::strerror(errno));
        }
        if (n == 0) {
            return;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t written = ::write(to, buffer + done, static_cast<size_t>(n - done));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                throw EFileStreamError("Write error in file \"" + target + "\". " +
                                       std::strerror(errno));
            }
            done += written;
        }
    }
}

} // namespace

bool CreateNewFile(const std::string& path) {
    const int fd = OpenNew(path);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool CopyToNewFile(const std::string& source, const std::string& target) {
    Descriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.Get() < 0) {
        throw EFileStreamError("Cannot open file \"" + source + "\". " + std::strerror(errno));
    }
    Descriptor to(OpenNew(target));
    if (to.Get() < 0) {
        return false;
    }
    try {
        CopyData(from.Get(), to.Get(), source, target);
        if (to.Close() != 0) {
            throw EFileStreamError("Write error in file \"" + target + "\". " +
                                   std::strerror(errno));
        }
    } catch (...) {
        ::unlink(target.c_str());
        throw;
    }
    return true;
}
