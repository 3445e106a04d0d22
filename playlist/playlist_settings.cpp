#include "playlist_settings.h"

#include "add_path.h"
#include "platform/profile_file.h"

#include <algorithm>
#include <filesystem>

namespace {

const QString IsPreservedKey = QStringLiteral("IsPreservedPlayList");
const QString FileCountKey = QStringLiteral("FileCount");
const QString TreeWidthKey = QStringLiteral("FileTreeView.Width");
const QString OpenDialogKey = QStringLiteral("OpenDialog.FileName");
constexpr int MaxTreeWidth = 100000;

QString FileKey(int n) {
    return QStringLiteral("Files[%1]").arg(n);
}
QString NameKey(int n) {
    return QStringLiteral("Names[%1]").arg(n);
}

bool IsExistingFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace

TSavedPlayList ReadPlayList(const ProfileFile& file) {
    TSavedPlayList list;
    list.Preserved = file.ReadBool(PlaylistSection, IsPreservedKey, false);
    const int count =
        std::clamp(file.ReadInteger(PlaylistSection, FileCountKey, 0), 0, MaxPlayListEntries);
    for (int n = 0; n < count; ++n) {
        const std::string path = file.ReadString(PlaylistSection, FileKey(n), {}).toStdString();
        if (path.empty() || !IsExistingFile(path)) {
            continue;
        }
        QString name = file.ReadString(PlaylistSection, NameKey(n), {});
        if (name.isEmpty()) {
            name = QString::fromStdString(FileNamePart(path));
        }
        list.Entries.push_back({name, path});
    }
    list.TreeWidth = std::clamp(file.ReadInteger(PlaylistSection, TreeWidthKey, DefaultTreeWidth),
                                0, MaxTreeWidth);
    return list;
}

void WritePlayList(ProfileFile& file, const TSavedPlayList& list) {
    file.WriteBool(PlaylistSection, IsPreservedKey, list.Preserved);
    file.WriteInteger(PlaylistSection, FileCountKey, static_cast<int>(list.Entries.size()));
    for (std::size_t n = 0; n < list.Entries.size(); ++n) {
        file.WriteString(PlaylistSection, FileKey(static_cast<int>(n)),
                         QString::fromStdString(list.Entries[n].Path));
        file.WriteString(PlaylistSection, NameKey(static_cast<int>(n)), list.Entries[n].Name);
    }
    file.WriteInteger(PlaylistSection, TreeWidthKey, list.TreeWidth);
}

QRect ReadWindowBounds(const ProfileFile& file, const QRect& screen) {
    const int width = std::clamp(file.ReadInteger(PlaylistSection, QStringLiteral("Width"), 640),
                                 MinWindowSize, std::max(screen.width(), MinWindowSize));
    const int height = std::clamp(file.ReadInteger(PlaylistSection, QStringLiteral("Height"), 480),
                                  MinWindowSize, std::max(screen.height(), MinWindowSize));
    const int left = file.ReadInteger(PlaylistSection, QStringLiteral("Left"),
                                      screen.left() + (screen.width() - width) / 2);
    const int top = file.ReadInteger(PlaylistSection, QStringLiteral("Top"),
                                     screen.top() + (screen.height() - height) / 2);
    return {std::clamp(left, screen.left(), std::max(screen.left(), screen.right() + 1 - width)),
            std::clamp(top, screen.top(), std::max(screen.top(), screen.bottom() + 1 - height)),
            width, height};
}

void WriteWindowBounds(ProfileFile& file, const QRect& bounds) {
    file.WriteInteger(PlaylistSection, QStringLiteral("Height"), bounds.height());
    file.WriteInteger(PlaylistSection, QStringLiteral("Width"), bounds.width());
    file.WriteInteger(PlaylistSection, QStringLiteral("Left"), bounds.left());
    file.WriteInteger(PlaylistSection, QStringLiteral("Top"), bounds.top());
}

QString ReadOpenDialogFileName(const ProfileFile& file) {
    return file.ReadString(PlaylistSection, OpenDialogKey, {});
}

void WriteOpenDialogFileName(ProfileFile& file, const QString& fileName) {
    file.WriteString(PlaylistSection, OpenDialogKey, fileName);
}
