#include "add_path.h"

#include "platform/shell_link.h"

#include <cctype>
#include <limits>

namespace {

bool EndsWithLinkExtension(const std::string& path) {
    constexpr std::string_view extension = ".lnk";
    if (path.size() < extension.size()) {
        return false;
    }
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = path[path.size() - extension.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != extension[i]) {
            return false;
        }
    }
    return true;
}

int TrackNumber(std::string_view text) {
    int number = 0;
    bool any = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            continue;
        }
        any = true;
        if (number > (std::numeric_limits<int>::max() - (c - '0')) / 10) {
            return 1;
        }
        number = number * 10 + (c - '0');
    }
    return any ? number : 1;
}

} // namespace

std::optional<TCdTrackPath> CdTrackOfPath(const std::string& path,
                                          const std::vector<std::string>& drives) {
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const std::string& drive = drives[i];
        if (!drive.empty() && path.starts_with(drive)) {
            return TCdTrackPath{i, TrackNumber(std::string_view(path).substr(drive.size()))};
        }
    }
    return std::nullopt;
}

std::string ResolvedPath(const std::string& path) {
    if (!EndsWithLinkExtension(path)) {
        return path;
    }
    return ShellLinkTarget(path).value_or(path);
}

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
