// The playlist's tree file: whatever a file holds, what is read from it is written and read
// back the same.
#include "playlist/tree_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TreeFileContent read = ParseTreeFile(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const TreeFileContent again = ParseTreeFile(TreeFileBytes(read.Nodes));
    // Writing drops what cannot be kept (line breaks become blanks), so the second reading is
    // the one that must survive writing unchanged.
    const TreeFileContent third = ParseTreeFile(TreeFileBytes(again.Nodes));
    if (again.DamagedLine || third.DamagedLine || third.Nodes != again.Nodes) {
        __builtin_trap();
    }
    return 0;
}
