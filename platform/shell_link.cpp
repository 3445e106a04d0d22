#include "shell_link.h"

#include <liblnk.h>
#include <memory>
#include <vector>

namespace {

struct LinkFile {
    LinkFile() {
        if (liblnk_file_initialize(&file, nullptr) != 1) {
            file = nullptr;
        }
    }
    ~LinkFile() {
        if (file != nullptr) {
            if (opened) {
                liblnk_file_close(file, nullptr);
            }
            liblnk_file_free(&file, nullptr);
        }
    }
    LinkFile(const LinkFile&) = delete;
    LinkFile& operator=(const LinkFile&) = delete;

    liblnk_file_t* file = nullptr;
    bool opened = false;
};

} // namespace

std::optional<std::string> ShellLinkTarget(const std::string& linkPath) {
    LinkFile link;
    if (link.file == nullptr ||
        liblnk_file_open(link.file, linkPath.c_str(), LIBLNK_OPEN_READ, nullptr) != 1) {
        return std::nullopt;
    }
    link.opened = true;
    std::size_t size = 0;
    if (liblnk_file_get_utf8_local_path_size(link.file, &size, nullptr) != 1 || size <= 1) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> text(size);
    if (liblnk_file_get_utf8_local_path(link.file, text.data(), text.size(), nullptr) != 1) {
        return std::nullopt;
    }
    std::string target(reinterpret_cast<const char*>(text.data()));
    if (target.empty()) {
        return std::nullopt;
    }
    return target;
}
