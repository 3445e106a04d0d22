// The pictures of a skin: the first byte chooses the kind the file's name gives (a bitmap, a
// JPEG picture or an icon), the rest is the file.
#include "fuzz_folder.h"
#include "skins/picture_file.h"

#include <QGuiApplication>
#include <array>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<const char*, 3> names{"fuzz.bmp", "fuzz.jpg", "fuzz.ico"};
    if (size == 0) {
        return 0;
    }
    const std::string path = WriteFuzzFile(names[data[0] % names.size()], data + 1, size - 1);
    try {
        LoadPictureFile(QString::fromStdString(path));
    } catch (const Exception&) {
        // A damaged picture is refused with a message.
    }
    return 0;
}
