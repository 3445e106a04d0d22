// quavrel-skin-check: loads a skin folder with the program's own loader and prints "ok", or the
// text the program would show in its message box (exit code 1). With --screenshot it also
// saves a picture of the skin's windows, a cassette docked; with --practice-screenshot one
// with a memory card docked, its section slowed down and transposed.
#include "actions/event_module.h"
#include "platform/font_aliases.h"
#include "skin_screenshot.h"
#include "skins/skin_loader.h"
#include "skins/skin_target.h"
#include "tool_support.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <iostream>
#include <utility>
#include <vector>

namespace {

constexpr const char* Usage = "Usage: quavrel-skin-check SKIN_FOLDER [--screenshot OUT.png]"
                              " [--practice-screenshot OUT.png]";

// Keeps the message instead of showing it.
class CheckedTarget : public SkinTarget {
public:
    using SkinTarget::SkinTarget;
    QString error;
    void ShowSkinError(const QString& text) override { error = text; }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RunTool([&] {
        Arguments args(argc, argv);
        const QFileInfo folder(QDir::cleanPath(QString::fromStdString(args.Take(Usage))));
        std::vector<std::pair<TScreenshotScene, QString>> screenshots;
        while (!args.Empty()) {
            const std::string option = args.Take("an option");
            TScreenshotScene scene = TScreenshotScene::Cassette;
            if (option == "--practice-screenshot") {
                scene = TScreenshotScene::Practice;
            } else if (option != "--screenshot") {
                throw UsageError(Usage);
            }
            screenshots.emplace_back(
                scene, QString::fromStdString(args.Take(("the file after " + option).c_str())));
        }
        RegisterFontAliases();
        QWidget window;
        const TEventModule commands;
        CheckedTarget target(&window, commands, folder.absolutePath() + QStringLiteral("/"));
        if (!LoadSkin(target, folder.fileName())) {
            if (target.error.isEmpty()) {
                throw std::runtime_error(folder.filePath().toStdString() +
                                         ": no such folder, or no skin.xml in it");
            }
            std::cout << target.error.toStdString() << '\n';
            return 1;
        }
        std::cout << "ok\n";
        for (const auto& [scene, file] : screenshots) {
            if (!SkinScreenshot(target, scene).save(file)) {
                throw std::runtime_error("cannot write " + file.toStdString());
            }
        }
        return 0;
    });
}
