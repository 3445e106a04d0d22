// quavrel-skin-check: loads a skin folder with the program's own loader and prints "ok", or the
// text the program would show in its message box (exit code 1). With --screenshot it also
// saves a picture of the skin's windows.
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

namespace {

constexpr const char* Usage = "Usage: quavrel-skin-check SKIN_FOLDER [--screenshot OUT.png]";

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
        const QFileInfo folder(QDir::cleanPath(QString::fromStdString(args.Take(
            "the skin folder (usage: quavrel-skin-check SKIN_FOLDER [--screenshot OUT.png])"))));
        QString screenshot;
        while (!args.Empty()) {
            if (args.Take("an option") != "--screenshot") {
                throw UsageError(Usage);
            }
            screenshot =
                QString::fromStdString(args.Take("the screenshot file after --screenshot"));
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
        if (!screenshot.isEmpty() && !SkinScreenshot(target).save(screenshot)) {
            throw std::runtime_error("cannot write " + screenshot.toStdString());
        }
        return 0;
    });
}
