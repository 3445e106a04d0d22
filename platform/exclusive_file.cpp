#include "exclusive_file.h"

#include "file_stream.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::int64_t CopyBlock = 1 << 16;

// The new file, or nothing when the name is taken.
std::unique_ptr<FileStream> OpenNew(const std::string& path) {
    try {
        return std::make_unique<FileStream>(path, FileStream::Mode::CreateNew);
    } catch (const EFileExists&) {
        return nullptr;
    }
}

} // namespace

bool CreateNewFile(const std::string& path) {
    return OpenNew(path) != nullptr;
}

bool CopyToNewFile(const std::string& source, const std::string& target) {
    FileStream from(source, FileStream::Mode::ReadShared);
    std::unique_ptr<FileStream> to = OpenNew(target);
    if (!to) {
        return false;
    }
    try {
        std::vector<char> buffer(CopyBlock);
        while (const std::int64_t n = from.Read(buffer.data(), CopyBlock)) {
            to->Write(buffer.data(), n);
        }
    } catch (...) {
        to.reset();
        FileStream::Delete(target);
        throw;
    }
    return true;
}

void CopyReplacing(const std::string& source, const std::string& target) {
    FileStream from(source, FileStream::Mode::ReadShared);
    QSaveFile to(QFile::decodeName(target.c_str()));
    const auto fail = [&] {
        throw EFileStreamError("Cannot create file \"" + target + "\". " +
                               to.errorString().toStdString());
    };
    if (!to.open(QIODevice::WriteOnly)) {
        fail();
    }
    std::vector<char> buffer(CopyBlock);
    while (const std::int64_t n = from.Read(buffer.data(), CopyBlock)) {
        if (to.write(buffer.data(), n) != n) {
            fail();
        }
    }
    if (!to.commit()) {
        fail();
    }
}

bool MoveToNewName(const std::string& source, const std::string& target) {
    int result = ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without that kind of rename: a second name, then the first goes.
        result = ::link(source.c_str(), target.c_str());
        if (result == 0 && ::unlink(source.c_str()) != 0) {
            const int error = errno;
            ::unlink(target.c_str());
            errno = error;
            result = -1;
        }
    }
    if (result == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    throw EFileStreamError("Cannot rename file \"" + source + "\" to \"" + target + "\". " +
                           std::strerror(errno));
}

void MoveReplacing(const std::string& source, const std::string& target) {
    if (std::rename(source.c_str(), target.c_str()) != 0) {
        throw EFileStreamError("Cannot rename file \"" + source + "\" to \"" + target + "\". " +
                               std::strerror(errno));
    }
}
