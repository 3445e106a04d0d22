#include "exclusive_file.h"

#include "file_stream.h"

#include <QFile>
#include <QSaveFile>
#include <memory>
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
