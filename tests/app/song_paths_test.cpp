#include "actions/event_module.h"
#include "app/command_line.h"
#include "app/main_frm.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Names that are no valid UTF-8 reach the player as the bytes they are.
TEST(SongPaths, CommandLineSongsKeepTheBytesOfTheirNames) {
    const std::string here = std::filesystem::current_path().string();
    const struct {
        std::string argument;
        std::string song;
    } cases[] = {
        {"\xff.wav", here + "/\xff.wav"},
        {"/music/./old/../\xfe\xff.wav", "/music/\xfe\xff.wav"},
        {"file:///music/%FF%20a.wav", "/music/\xff a.wav"},
        {"file:///music/%C3%A9.wav", "/music/\xc3\xa9.wav"},
    };
    for (const auto& c : cases) {
        const TCommandLine line = ParseCommandLine({"-lang", "jap", c.argument});
        EXPECT_TRUE(line.Error.isEmpty()) << c.argument;
        EXPECT_EQ(line.Songs, std::vector<std::string>{c.song}) << c.argument;
    }
}

// A drop is delivered only to the target of a drag the window system runs: handed over here.
class DropTarget : public TMainFrm {
public:
    using TMainFrm::dropEvent;
    using TMainFrm::TMainFrm;
};

TEST(SongPaths, DroppedFilesKeepTheBytesOfTheirNames) {
    TEventModule events;
    DropTarget frm(events, QStringLiteral("/nonexistent/Skins/"));
    std::vector<std::string> dropped;
    frm.OnFilesDropped = [&](const std::vector<std::string>& files) { dropped = files; };
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file:///music/%FF.wav"),
                  QUrl::fromEncoded("file:///music/%C3%A9.wav"),
                  QUrl::fromEncoded("https://example.org/a.wav")});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    frm.dropEvent(&drop);
    EXPECT_EQ(dropped, (std::vector<std::string>{"/music/\xc3\xa9.wav", "/music/\xff.wav"}));
}

} // namespace
