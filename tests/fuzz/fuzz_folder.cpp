#include "fuzz_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

struct Folder {
    std::string path;
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quavrel-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a folder for the fuzz inputs");
        }
        path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& FuzzFolder() {
    static const Folder folder;
    return folder.path;
}

std::string WriteFuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}
