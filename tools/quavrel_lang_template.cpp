// quavrel-lang-template: writes an English language file for translators to start from.
#include "actions/event_module.h"
#include "actions/language_file.h"
#include "actions/language_template.h"
#include "cassettes/autorec_frm.h"
#include "cassettes/cassette_host.h"
#include "cassettes/select_frm.h"
#include "dialogs/expand_wave_frm.h"
#include "dialogs/key_bind_frm.h"
#include "platform/exception.h"
#include "playlist/playlist_frm.h"
#include "playlist/playlist_host.h"
#include "tool_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

// The select window only keeps its host until it is shown, which the template never does.
class NoHost : public TCassetteHost {
public:
    QWidget* MainWindow() override { return nullptr; }
    void BringMainToFront() override {}
    bool StayOnTop() const override { return false; }
    const Settings& GetSettings() const override { throw Unused(); }
    std::string DataFolder() const override { return {}; }
    TCDAMediaPlayer& SongPlayer() override { throw Unused(); }
    const TSkinWindowLook& WindowSkin(TQvrKind) const override { throw Unused(); }
    int DockSnapDistance() const override { return 0; }
    TQvrBaseFrm* DockedWindow() const override { return nullptr; }
    void DockWindow(TQvrBaseFrm*, bool) override {}
    void QueueClose(TQvrBaseFrm*) override {}
    bool Closing(const TQvrBaseFrm*) const override { return false; }
    void ChooseSaveWaveFile(std::function<void(const std::string&)>) override {}
    void ShowProblem(const QString&) override {}

private:
    static Exception Unused() { return Exception("quavrel-lang-template has no windows"); }
};

} // namespace

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
        TIdlePlaylistHost playlistHost;
        TPlaylistFrm playlist(playlistHost, dataFolder);
        NoHost host;
        TAutorecFrm autorec(host, {});
        TKeyBindFrm keyBind(events, QDir(folder.path()).filePath("quavrel_key.ini"));
        TExpandWaveFrm expandWave(dataFolder);
        TSelectFrm select(host, {});
        RegisterComponents({&events, &playlist, &autorec, &keyBind, &expandWave, &select});
        WriteLanguageTemplate(path);
        return 0;
    });
}
