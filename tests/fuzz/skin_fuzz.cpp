// The skin loader: the input is a skin's "skin.xml", loaded into a main window as the program
// loads a skin. The skin's folder holds a bitmap "a.bmp", a JPEG picture "b.jpg" and an icon
// "c.ico" for the description to name.
#include "actions/event_module.h"
#include "fuzz_folder.h"
#include "skins/skin_loader.h"
#include "skins/skin_target.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <cstdlib>

namespace {

const QString SkinName = QStringLiteral("fuzz");

// Keeps the message the user would see instead of showing it.
class QuietTarget : public SkinTarget {
public:
    using SkinTarget::SkinTarget;
    void ShowSkinError(const QString&) override {}
};

QString SkinsFolder() {
    return QString::fromStdString(FuzzFolder()) + QStringLiteral("/Skins/");
}

void WritePictures() {
    const QString folder = SkinsFolder() + SkinName + u'/';
    QDir().mkpath(folder);
    QImage picture(24, 16, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x * 10, y * 15, (x + y) * 5));
        }
    }
    picture.save(folder + QStringLiteral("a.bmp"), "BMP");
    picture.save(folder + QStringLiteral("b.jpg"), "JPG");
    picture.convertToFormat(QImage::Format_ARGB32).save(folder + QStringLiteral("c.ico"), "ICO");
}

struct MainWindow {
    QWidget window;
    const TEventModule commands;
    QuietTarget target{&window, commands, SkinsFolder()};
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed either, as the window below outlives it.
    static QApplication* const application = new QApplication(*argc, *argv);
    (void)application;
    WritePictures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Never destroyed: the registry of the buttons a skin creates is a static made after it, so
    // it would be gone before the buttons at the end of the process.
    static MainWindow* const main = new MainWindow;
    WriteFuzzFile("Skins/fuzz/skin.xml", data, size);
    LoadSkin(main->target, SkinName);
    // The controls of the skin before are deleted by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
