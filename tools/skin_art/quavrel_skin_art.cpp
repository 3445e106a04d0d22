// quavrel-skin-art: paints the pictures of a shipped skin from its skin.xml, and the pictures
// of the program's own windows (splash and first-run notices). The build runs it; its output
// is the program folder's Skins folder.
#include "program_pictures.h"
#include "skin_painter.h"
#include "tools/tool_support.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    return RunTool([&] {
        constexpr const char* Usage = "usage: quavrel-skin-art SOURCE_SKIN_FOLDER OUT_SKIN_FOLDER"
                                      " | --program-pictures OUT_SKINS_FOLDER";
        Arguments args(argc, argv);
        const std::string first = args.Take(Usage);
        const QString out = QString::fromStdString(args.Take(Usage));
        if (!args.Empty()) {
            throw UsageError(Usage);
        }
        if (first == "--program-pictures") {
            PaintProgramPictures(out);
        } else {
            PaintSkin(QString::fromStdString(first), out);
        }
        return 0;
    });
}
