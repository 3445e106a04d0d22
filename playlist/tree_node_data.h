#pragma once

#include <cstdint>
#include <string>

// What every node of the registered file tree carries besides its caption: for a file node the
// full path (UTF-8), for a folder node the name it was created with, for the root "ROOT".
struct TTreeNodeData {
    std::string FileName;
    std::uint8_t NodeType;
};

inline constexpr std::uint8_t RootNode = 0;
inline constexpr std::uint8_t FolderNode = 1;
inline constexpr std::uint8_t FileNode = 2;
