#include "platform/song_paths.h"

#include <QUrl>
#include <filesystem>

std::string LocalFileOf(const QUrl& url) {
    if (!url.isLocalFile()) {
        return {};
    }
    // The decoded path of a QUrl is text, which has no room for a byte that is not UTF-8.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        absolute = path;
    }
    std::string clean = absolute.lexically_normal().string();
    if (clean.size() > 1 && clean.back() == '/') {
        clean.pop_back();
    }
    return clean;
}
