// Loading and saving the playlist window's two files, next to `cat` reading and writing the
// same bytes (the least any program can take for them):
// - the registered file tree of 10,000 file nodes in 100 folders (quavrel_playlist.ini);
// - a play list of 1,000 entries in the settings file (section "PlaylistFrm"); loading checks
//   that each file still exists, so the entries name files made for the run.
// Each figure is the best of five runs. Run build/bench/quavrel-bench-playlist-files; it needs
// nothing else (it draws offscreen).

#include "playlist/playlist_frm.h"
#include "playlist/playlist_host.h"
#include "playlist/registered_file_tree.h"

#include <QApplication>
#include <QFileInfo>
#include <QTreeWidgetItem>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int TreeFolders = 100;
constexpr int FilesPerFolder = 100;
constexpr int PlayListEntries = 1000;
constexpr int Runs = 5;

double BestMs(const std::function<void()>& work) {
    double best = 1e300;
    for (int run = 0; run < Runs; ++run) {
        const Clock::time_point start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

void Report(const char* title, const std::string& file, double load, double save) {
    const double catRead = BestMs([&] { Shell("cat '" + file + "' > /dev/null"); });
    const double catWrite = BestMs([&] { Shell("cat '" + file + "' > '" + file + ".copy'"); });
    std::printf("%s (%lld bytes)\n", title,
                static_cast<long long>(QFileInfo(QString::fromStdString(file)).size()));
    std::printf("  load: %8.2f ms   cat reading it:  %6.2f ms\n", load, catRead);
    std::printf("  save: %8.2f ms   cat writing it:  %6.2f ms\n", save, catWrite);
}

void MeasureTree(const std::string& folder) {
    const std::string file = folder + "/quavrel_playlist.ini";
    TRegisteredFileTree tree;
    for (int f = 0; f < TreeFolders; ++f) {
        QTreeWidgetItem* node =
            tree.AddFolderNode(tree.Root(), false, QStringLiteral("Album %1").arg(f));
        for (int n = 0; n < FilesPerFolder; ++n) {
            tree.AddFileNode(node,
                             "/home/user/Music/Album " + std::to_string(f) + "/Track " +
                                 std::to_string(n) + ".mp3",
                             false);
        }
    }
    const double save = BestMs([&] { tree.SaveTree(file); });
    const double load = BestMs([&] { tree.LoadTree(file); });
    Report("Tree of 10,000 files", file, load, save);
}

void MeasurePlayList(const std::string& folder) {
    const std::string songs = folder + "/songs";
    std::filesystem::create_directories(songs);
    TIdlePlaylistHost host;
    {
        TPlaylistFrm window(host, folder);
        window.LoadLists();
        for (int n = 0; n < PlayListEntries; ++n) {
            const std::string path = songs + "/Song number " + std::to_string(n) + ".wav";
            std::ofstream(path) << "x";
            window.AddPath(path, TAddTarget::PlayList);
        }
        const double save = BestMs([&] { window.SavePlayList(); });
        TPlaylistFrm reader(host, folder);
        const double load = BestMs([&] { reader.LoadLists(); });
        if (reader.PlayListCount() != PlayListEntries) {
            std::fprintf(stderr, "the play list came back with %d entries\n",
                         reader.PlayListCount());
            std::exit(1);
        }
        Report("Play list of 1,000 entries", folder + "/quavrel.ini", load, save);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    char pattern[] = "/tmp/quavrel-bench-playlist-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = pattern;
    std::filesystem::create_directories(folder + "/tree");
    std::filesystem::create_directories(folder + "/list");
    MeasureTree(folder + "/tree");
    MeasurePlayList(folder + "/list");
    std::filesystem::remove_all(folder);
}
