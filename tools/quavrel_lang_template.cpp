// quavrel-lang-template: writes an English language file for translators to start from.
#include "actions/event_module.h"
#include "actions/language_file.h"
#include "actions/language_template.h"
#include "app/config_menu.h"
#include "app/main_frm.h"
#include "cassettes/autorec_frm.h"
#include "cassettes/select_frm.h"
#include "controller/main_controller.h"
#include "dialogs/expand_wave_frm.h"
#include "dialogs/key_bind_frm.h"
#include "playlist/playlist_frm.h"
#include "playlist/playlist_host.h"
#include "storage/settings.h"
#include "tool_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RunTool([&] {
        Arguments args(argc, argv);
        const std::string path =
            args.Take("the output file (usage: quavrel-lang-template OUT.ini)");
        // "--help" asks how the tool is used; a file of such a name is given as ./--help.
        if (!args.Empty() || path.starts_with('-')) {
            throw UsageError("Usage: quavrel-lang-template OUT.ini");
        }
        // The dialogs as the program registers them, in its order. The key-binding dialog
        // and the playlist read and write files of their own: throw-away ones here.
        const QTemporaryDir folder;
        const std::string dataFolder = folder.path().toStdString();
        TEventModule events;
        // The main menu's items belong to the event module.
        Settings settings = DefaultSettings("");
        TMainFrm frm(events, folder.path() + QStringLiteral("/Skins/"));
        TMainController controller(frm, events, settings, dataFolder);
        const TConfigMenu menu(events, controller, frm, settings, {});
        TIdlePlaylistHost playlistHost;
        TPlaylistFrm playlist(playlistHost, dataFolder);
        TAutorecFrm autorec(controller, {});
        TKeyBindFrm keyBind(events, QDir(folder.path()).filePath("quavrel_key.ini"));
        TExpandWaveFrm expandWave(dataFolder);
        TSelectFrm select(controller, {});
        RegisterComponents({&events, &playlist, &autorec, &keyBind, &expandWave, &select});
        WriteLanguageTemplate(path);
        return 0;
    });
}
