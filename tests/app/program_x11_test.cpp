// The program as a user starts it: a process of its own on the test's X display, its sound on
// SDL's disk driver, driven by keys held in the X server, checked by what it leaves on disk.
#include "platform/profile_file.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"
#include "tests/support/x11_test.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTimer>
#include <climits>
#include <functional>
#include <memory>

namespace {

const PcmWaveFormat Stereo16 = MakePcmWaveFormat(2, 44100, 16);
constexpr int BytesPerSecond = 44100 * 4;
// Far beyond what a start or an exit takes on a loaded machine.
constexpr int DeadlineMs = 60000;
// The main window's title ends with the program's, after the song it has open.
const QString MainWindowName = QStringLiteral("(^| - )Quavrel 4\\.00$");

// Lets the event loop run for a while: the time a key is held.
void HoldFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

class ProgramTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        QDir().mkpath(Folder("home/Documents"));
        QDir().mkpath(Folder("config/quavrel"));
        QDir().mkpath(Folder("data"));
        // A user who chose the data folder before: no first-run questions.
        ProfileFile user(Folder("config/quavrel/quavrel.ini").toStdString());
        user.WriteBool(Folder("home/Documents"), "FirstTimeFlg", false);
        user.WriteString(Folder("home/Documents"), "UserProfiles", Folder("data"));
        user.Save();
        const QString programFolder = QFileInfo(QUAVREL_PROGRAM).absolutePath();
        QFile::copy(programFolder + "/quavrel_key.ini", Folder("data/quavrel_key.ini"));
        for (const char* song : {"first.wav", "second.wav"}) {
            WriteWave(dir.File(song), Stereo16, Bytes(20 * BytesPerSecond, 0x10));
        }
    }

    void TearDown() override {
        for (const auto& process : processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
        X11Test::TearDown();
    }

    QString Folder(const QString& name) const {
        return QString::fromStdString(dir.Path()) + "/" + name;
    }

    QProcess& Start(const QStringList& arguments, const QString& program = QUAVREL_PROGRAM,
                    const QString& workingFolder = QString(),
                    const QString& dataFolders = QString()) {
        auto process = std::make_unique<QProcess>();
        process->setWorkingDirectory(workingFolder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!dataFolders.isEmpty()) {
            environment.insert("XDG_DATA_DIRS", dataFolders);
        }
        environment.insert("HOME", Folder("home"));
        environment.insert("XDG_CONFIG_HOME", Folder("config"));
        environment.insert("XDG_DOCUMENTS_DIR", Folder("home/Documents"));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        // The English texts the tests look for, whatever the language of the desktop.
        environment.insert("LC_ALL", "C.UTF-8");
        environment.insert("SDL_AUDIODRIVER", "disk");
        environment.insert("SDL_DISKAUDIOFILE", "/dev/null");
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(program, arguments);
        processes.push_back(std::move(process));
        return *processes.back();
    }

    // Starts the program with one argument given as bytes, which need not be valid text (a
    // process's arguments as text could not hold them).
    QProcess& StartWithBytes(const std::string& argument) {
        QString octal;
        for (const unsigned char byte : argument) {
            octal += QStringLiteral("\\%1").arg(static_cast<uint>(byte), 3, 8, QLatin1Char('0'));
        }
        return Start(
            {"-c", QStringLiteral("exec \"$0\" \"$(printf '%1')\"").arg(octal), QUAVREL_PROGRAM},
            QStringLiteral("/bin/sh"));
    }

    // The main window of program once it is shown, brought in front. The windows of a program
    // that just ended may still be on the display for a moment.
    QString WaitForMainWindow(const QProcess& program) { return InFront(program, MainWindowName); }

    // Holds keys down together long enough for a poll to see them, then lets them go.
    void Chord(const QStringList& keys) {
        for (const QString& key : keys) {
            PressKey(key);
        }
        HoldFor(300);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            ReleaseKey(*key);
        }
    }

    // Brings the visible window of program whose name matches name in front, once it shows;
    // false when it never does.
    bool Activate(const QProcess& program, const QString& name) {
        return !InFront(program, name).isEmpty();
    }

    // The id of the window Activate brings in front; empty when it never shows.
    QString InFront(const QProcess& program, const QString& name) {
        const QStringList ids =
            SearchWindows({"--all", "--onlyvisible", "--pid", QString::number(program.processId()),
                           "--name", name},
                          WindowSearch::UntilFound);
        if (ids.isEmpty()) {
            return {};
        }
        RunX11Tool("xdotool", {"windowactivate", "--sync", ids.first()});
        return ids.first();
    }

    // Where window is on the screen, as the X server has it.
    static QRect Geometry(const QString& window) {
        const QString shell = RunX11Tool("xdotool", {"getwindowgeometry", "--shell", window});
        const auto value = [&](const QString& name) {
            return shell.section(name + "=", 1).section('\n', 0, 0).toInt();
        };
        return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
    }

    // The first icon a window shows in task bars, as the X server has it.
    static QImage Icon(const QString& window) {
        const QStringList numbers =
            RunX11Tool("xprop", {"-id", window, "-notype", "32c", "_NET_WM_ICON"})
                .section(u'=', 1)
                .split(u',', Qt::SkipEmptyParts);
        if (numbers.size() < 2) {
            return {};
        }
        const int width = numbers[0].toInt();
        const int height = numbers[1].toInt();
        if (numbers.size() < 2 + width * height) {
            return {};
        }
        QImage icon(width, height, QImage::Format_ARGB32);
        for (int pixel = 0; pixel < width * height; ++pixel) {
            icon.setPixel(pixel % width, pixel / width, numbers[2 + pixel].trimmed().toUInt());
        }
        return icon;
    }

    // A user who has never run the program.
    void ForgetTheDataFolder() { QFile::remove(Folder("config/quavrel/quavrel.ini")); }

    bool Finish(QProcess& process) {
        return WaitOnGuiThread([&] { return process.state() == QProcess::NotRunning; }, DeadlineMs);
    }

    ProfileFile Settings() const { return ProfileFile(Folder("data/quavrel.ini").toStdString()); }
    ProfileFile SongData() const {
        return ProfileFile(Folder("data/quavrel_data.ini").toStdString());
    }

    TempDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
};

// The first run asks in the message loop: a Tab leaves the welcome open, a cancelled picker
// offers the proposed folder, which is made only once chosen, and the notes go on with Enter.
TEST_F(ProgramTest, AFirstRunCancelledOnceTakesTheProposedFolder) {
    ForgetTheDataFolder();
    QProcess& program = Start({});
    ASSERT_TRUE(Activate(program, "^Welcome to Quavrel"));
    Chord({"Tab"});
    ASSERT_TRUE(Activate(program, "^Welcome to Quavrel"));
    Chord({"Return"});
    ASSERT_TRUE(Activate(program, "^Choose a folder"));
    EXPECT_FALSE(QFileInfo::exists(Folder("home/Documents/Quavrel")));
    Chord({"Escape"});
    ASSERT_TRUE(Activate(program, MainWindowName));
    EXPECT_FALSE(QFileInfo::exists(Folder("home/Documents/Quavrel")));
    Chord({"alt", "u"}); // Use the Proposed Folder
    ASSERT_TRUE(Activate(program, "^Notice!$"));
    EXPECT_TRUE(QFileInfo::exists(Folder("home/Documents/Quavrel/quavrel_key.ini")));
    Chord({"Return"});
    ASSERT_TRUE(Activate(program, "^About Recording Device$"));
    Chord({"space"});
    ASSERT_FALSE(WaitForMainWindow(program).isEmpty());
    Chord({"ctrl", "q"});
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitCode(), 0);
    const ProfileFile user(Folder("config/quavrel/quavrel.ini").toStdString());
    EXPECT_EQ(user.Value(Folder("home/Documents"), "UserProfiles"),
              Folder("home/Documents/Quavrel"));
    EXPECT_EQ(user.Value(Folder("home/Documents"), "FirstTimeFlg"), "0");
}

TEST_F(ProgramTest, AFirstRunThatQuitsWithoutAFolderLeavesNothing) {
    ForgetTheDataFolder();
    QProcess& program = Start({});
    ASSERT_TRUE(Activate(program, "^Welcome to Quavrel"));
    Chord({"Return"});
    ASSERT_TRUE(Activate(program, "^Choose a folder"));
    Chord({"Escape"});
    ASSERT_TRUE(Activate(program, MainWindowName));
    Chord({"alt", "q"}); // Quit
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(Folder("home/Documents/Quavrel")));
    EXPECT_FALSE(QFileInfo::exists(Folder("config/quavrel/quavrel.ini")));
}

// Installed, the program finds its folder beside its bin folder wherever it is started from:
// its main window wears the installed skin, and a song named relative to that place opens. Its
// window shows the icon installed with it to the desktop that finds its desktop entry.
TEST_F(ProgramTest, TheInstalledProgramStartsFromAnotherFolder) {
    ProfileFile settings(Folder("data/quavrel.ini").toStdString());
    settings.WriteString("Skin", "FileName", "sky");
    settings.Save();
    // The picture the build painted, which the installed program folder holds a copy of.
    const QSize skinSize =
        QImage(QFileInfo(QUAVREL_PROGRAM).absolutePath() + "/Skins/sky/main.bmp").size();
    ASSERT_FALSE(skinSize.isEmpty());
    const QString share = QFileInfo(QUAVREL_INSTALLED_PROGRAM).absolutePath() + "/../share";
    QProcess& program = Start({"first.wav"}, QUAVREL_INSTALLED_PROGRAM,
                              QString::fromStdString(dir.Path()), share + ":/usr/share");
    const QString window = InFront(program, "^first\\.wav - Quavrel 4\\.00$");
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(Geometry(window).size(), skinSize);
    const QImage icon = Icon(window);
    ASSERT_FALSE(icon.isNull());
    const QImage installedIcon =
        QImage(share + QStringLiteral("/icons/hicolor/%1x%2/apps/org.quavrel.Quavrel.png")
                           .arg(icon.width())
                           .arg(icon.height()))
            // As the window keeps it: premultiplied, then handed on without.
            .convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(icon, installedIcon);
    Chord({"ctrl", "q"});
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitCode(), 0);
}

// A termination during the first run's notes ends the program there: the notes left do not
// show, the guide does not open, no main window is made, and the next start begins anew.
TEST_F(ProgramTest, ATerminationDuringTheFirstRunsNotesEndsItThere) {
    ForgetTheDataFolder();
    QProcess& program = Start({});
    ASSERT_TRUE(Activate(program, "^Welcome to Quavrel"));
    Chord({"Return"});
    ASSERT_TRUE(Activate(program, "^Choose a folder"));
    Chord({"Return"});
    ASSERT_TRUE(Activate(program, "^Notice!$"));
    program.terminate();
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(Folder("config/quavrel/quavrel.ini")));
    EXPECT_FALSE(QFileInfo::exists(Folder("home/Documents/Quavrel/quavrel.ini")));
    EXPECT_FALSE(QFileInfo::exists(Folder("home/Documents/Quavrel/.quavrel.lock")));
}

TEST_F(ProgramTest, HoldingTheRecordKeyMakesACassetteThatOutlivesTheProgram) {
    QProcess& program = Start({QString::fromStdString(dir.File("first.wav"))});
    WaitForMainWindow(program);
    // "r" records while it is held, in the shipped key binding.
    PressKey("r");
    HoldFor(1500);
    ReleaseKey("r");
    // A logout or a kill ends the program as its Exit does: everything is saved.
    HoldFor(300);
    program.terminate();
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);

    const ProfileFile data = SongData();
    ASSERT_EQ(data.ReadInteger("first.wav", "WaveFrmCount", 0), 1);
    EXPECT_TRUE(data.ReadBool("first.wav", "WaveFrm0.Grabbed", false));
    const QString copy = Folder("data/" + data.ReadString("first.wav", "WaveFrm0.WaveFile", ""));
    ASSERT_TRUE(QFileInfo::exists(copy)) << copy.toStdString();
    // What was recorded is what the key was held for, give or take the polling and a loaded
    // machine.
    const double seconds = static_cast<double>(QFileInfo(copy).size() - 46) / BytesPerSecond;
    EXPECT_GT(seconds, 0.8);
    EXPECT_LT(seconds, 3.0);
    const int start = data.ReadInteger("first.wav", "WaveFrm0.RepeatStartTimeOnFile", -1);
    const int stop = data.ReadInteger("first.wav", "WaveFrm0.RepeatStopTimeOnFile", -1);
    EXPECT_GE(start, 0);
    EXPECT_NEAR((stop - start) / 1000.0, seconds, 0.1);
    EXPECT_EQ(Settings().ReadString("MainFrm", "FileName", ""),
              QString::fromStdString(dir.File("first.wav")));
    // No recording is left behind as a temporary file.
    EXPECT_TRUE(QDir(Folder("data")).entryList({"tmp*.wav"}).isEmpty());
}

// A memory card docked by the song's data: Shift+R records its section into a cassette on its
// own, and the cassette holds the section sample for sample, from the frame of its start time
// (ms x 44100 / 1000, rounded down) up to the frame of its end time.
TEST_F(ProgramTest, TheAutomaticRecordingKeyRecordsExactlyTheDockedCardsSection) {
    const Bytes song = Pattern(6 * BytesPerSecond, 3);
    WriteWave(dir.File("section.wav"), Stereo16, song);
    ProfileFile cards(Folder("data/quavrel_data.ini").toStdString());
    cards.WriteInteger("section.wav", "RepeatFrmCount", 1);
    cards.WriteInteger("section.wav", "RepeatFrm0.StartTime", 1234);
    cards.WriteInteger("section.wav", "RepeatFrm0.EndTime", 3457);
    cards.WriteBool("section.wav", "RepeatFrm0.Grabbed", true);
    cards.Save();
    QProcess& program = Start({QString::fromStdString(dir.File("section.wav"))});
    WaitForMainWindow(program);
    Chord({"shift", "r"});
    // The recording's window takes every key until the section has been recorded: only then
    // does Exit end the program.
    ASSERT_TRUE(WaitOnGuiThread(
        [&] {
            Chord({"ctrl", "q"});
            return program.state() == QProcess::NotRunning;
        },
        DeadlineMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);

    const ProfileFile data = SongData();
    ASSERT_EQ(data.ReadInteger("section.wav", "WaveFrmCount", 0), 1);
    EXPECT_TRUE(data.ReadBool("section.wav", "WaveFrm0.Grabbed", false));
    EXPECT_EQ(data.ReadInteger("section.wav", "WaveFrm0.RepeatStartTimeOnFile", -1), 1234);
    const QString copy = Folder("data/" + data.ReadString("section.wav", "WaveFrm0.WaveFile", ""));
    const Bytes file = ReadFile(copy.toStdString());
    ASSERT_EQ(file.size(), 46U + (152453 - 54419) * 4) << copy.toStdString();
    EXPECT_TRUE(Bytes(file.begin() + 46, file.end()) ==
                Bytes(song.begin() + 54419 * 4, song.begin() + 152453 * 4));
}

TEST_F(ProgramTest, ExitKeepsTheCassetteAndARestartBringsItBackDocked) {
    // The song of the last run, stopped.
    ProfileFile settings(Folder("data/quavrel.ini").toStdString());
    settings.WriteString("MainFrm", "FileName", QString::fromStdString(dir.File("first.wav")));
    settings.Save();
    QProcess& first = Start({});
    WaitForMainWindow(first);
    PressKey("r");
    HoldFor(1000);
    ReleaseKey("r");
    Chord({"ctrl", "q"}); // Exit
    ASSERT_TRUE(Finish(first));
    const QString copy =
        Folder("data/" + SongData().ReadString("first.wav", "WaveFrm0.WaveFile", ""));
    ASSERT_TRUE(QFileInfo::exists(copy));
    const Bytes recorded = ReadFile(copy.toStdString());

    QProcess& again = Start({});
    WaitForMainWindow(again);
    Chord({"ctrl", "q"});
    ASSERT_TRUE(Finish(again));
    const ProfileFile data = SongData();
    ASSERT_EQ(data.ReadInteger("first.wav", "WaveFrmCount", 0), 1);
    EXPECT_TRUE(data.ReadBool("first.wav", "WaveFrm0.Grabbed", false));
    // Saved anew from the cassette the restart made: the same recording, one copy on disk.
    const QString second = Folder("data/" + data.ReadString("first.wav", "WaveFrm0.WaveFile", ""));
    EXPECT_EQ(ReadFile(second.toStdString()), recorded);
    EXPECT_EQ(QDir(Folder("data")).entryList({"*.wav"}).size(), 1);
}

TEST_F(ProgramTest, ASecondStartHandsItsSongToTheFirstAndOpensNoWindow) {
    QProcess& first = Start({QString::fromStdString(dir.File("first.wav"))});
    WaitForMainWindow(first);
    QProcess& second = Start({QString::fromStdString(dir.File("second.wav"))});
    ASSERT_TRUE(Finish(second));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(SearchWindows({"--onlyvisible", "--name", MainWindowName}, WindowSearch::Now).size(),
              1);
    first.terminate();
    ASSERT_TRUE(Finish(first));
    EXPECT_EQ(Settings().ReadString("MainFrm", "FileName", ""),
              QString::fromStdString(dir.File("second.wav")));
}

TEST_F(ProgramTest, ATerminationWhileAStartUpBoxIsOpenEndsTheProgramOnceStarted) {
    const QString first = QString::fromStdString(dir.File("first.wav"));
    const struct {
        const char* box;
        QString lastSong;
        // What the start finds that makes it ask or tell.
        std::function<void()> arrange;
        // The song saved at the end; empty for the one that could not be opened.
        QString savedSong;
    } cases[] = {
        // A recording left by a crash: the start asks about it before the song opens.
        {"leftover files", first,
         [&] { WriteWave(dir.File("data/tmp123.wav"), Stereo16, Bytes(4096, 0x10)); }, first},
        {"missing last song", Folder("gone.wav"), [] {}, ""},
        {"song data file that is a folder", first,
         [&] { QDir().mkpath(Folder("data/quavrel_data.ini")); }, first},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        // What the case before left.
        QFile::remove(Folder("data/tmp123.wav"));
        QDir(Folder("data/quavrel_data.ini")).removeRecursively();
        QFile::remove(Folder("data/quavrel_data.ini"));
        ProfileFile settings(Folder("data/quavrel.ini").toStdString());
        settings.WriteString("MainFrm", "FileName", c.lastSong);
        settings.Save();
        c.arrange();
        QProcess& program = Start({});
        // Any window before the main one is the box; the main window shows once it is gone.
        ASSERT_FALSE(
            SearchWindows({"--onlyvisible", "--name", "^(Found|Quav)"}, WindowSearch::UntilFound)
                .isEmpty());
        program.terminate();
        // Nobody answers the box: the termination ends it.
        ASSERT_TRUE(Finish(program));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        // Saved once the start was complete: not the empty song of a controller that had not
        // started.
        EXPECT_EQ(Settings().ReadString("MainFrm", "FileName", "?"), c.savedSong);
        EXPECT_NE(Settings().ReadString("MainFrm", "Left", ""), "");
    }
}

TEST_F(ProgramTest, ASongWhoseNameIsNoValidTextIsOpenedFromTheCommandLineAndAHandOver) {
    const std::string song = dir.File("\xff.wav");
    WriteWave(song, Stereo16, Bytes(20 * BytesPerSecond, 0x10));
    // The settings file holds the name as text.
    const QString saved = QString::fromStdString(song);
    for (const bool handedOver : {false, true}) {
        SCOPED_TRACE(handedOver ? "handed over" : "command line");
        // Without a song of its own, the program that takes the hand-over opens just that.
        ProfileFile settings(Folder("data/quavrel.ini").toStdString());
        settings.WriteString("MainFrm", "FileName", "");
        settings.Save();
        QProcess& program = handedOver ? Start({}) : StartWithBytes(song);
        WaitForMainWindow(program);
        if (handedOver) {
            QProcess& second = StartWithBytes(song);
            ASSERT_TRUE(Finish(second));
            EXPECT_EQ(second.exitCode(), 0);
        }
        program.terminate();
        ASSERT_TRUE(Finish(program));
        EXPECT_EQ(Settings().ReadString("MainFrm", "FileName", ""), saved);
    }
}

TEST_F(ProgramTest, AStoredPositionAtTheEndsOfItsRangeShowsTheMainWindowOnTheScreen) {
    for (const int stored : {INT_MAX, INT_MIN}) {
        SCOPED_TRACE(stored);
        ProfileFile settings(Folder("data/quavrel.ini").toStdString());
        settings.WriteInteger("MainFrm", "Left", stored);
        settings.WriteInteger("MainFrm", "Top", stored);
        settings.Save();
        QProcess& program = Start({});
        const QRect geometry = Geometry(WaitForMainWindow(program));
        EXPECT_GE(geometry.x(), 0);
        EXPECT_GE(geometry.y(), 0);
        EXPECT_LE(geometry.x() + geometry.width(), 1280);
        EXPECT_LE(geometry.y() + geometry.height(), 1024);
        program.terminate();
        ASSERT_TRUE(Finish(program));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        const int left = Settings().ReadInteger("MainFrm", "Left", -1);
        EXPECT_GE(left, 0);
        EXPECT_LT(left, 1280);
    }
}

TEST_F(ProgramTest, ChangingSongsWhileACassettePlaysKeepsEverySongsWindows) {
    // A long recording of the first song, kept by an earlier run: every save of that song
    // copies it, so the song changes below run into slow saves.
    constexpr int RecordingSeconds = 120;
    WriteWave(Folder("data/kept.wav").toStdString(), Stereo16,
              Bytes(RecordingSeconds * BytesPerSecond, 0x20));
    const qint64 recordingSize = QFileInfo(Folder("data/kept.wav")).size();
    ProfileFile kept(Folder("data/quavrel_data.ini").toStdString());
    kept.WriteInteger("first.wav", "WaveFrmCount", 1);
    kept.WriteString("first.wav", "WaveFrm0.WaveFile", "kept.wav");
    kept.WriteBool("first.wav", "WaveFrm0.Grabbed", true);
    kept.Save();
    QProcess& program = Start({QString::fromStdString(dir.File("first.wav")),
                               QString::fromStdString(dir.File("second.wav"))});
    WaitForMainWindow(program);
    // Space plays what is docked (the cassette in the first song, the song in the second);
    // Page Down goes on to the next song, back to the first after the second.
    for (int change = 0; change < 50; ++change) {
        Chord({"space"});
        HoldFor(100);
        Chord({"Next"});
    }
    ASSERT_EQ(program.state(), QProcess::Running);
    Chord({"ctrl", "q"});
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const ProfileFile data = SongData();
    ASSERT_EQ(data.ReadInteger("first.wav", "WaveFrmCount", 0), 1);
    const QString copy = Folder("data/" + data.ReadString("first.wav", "WaveFrm0.WaveFile", ""));
    EXPECT_EQ(QFileInfo(copy).size(), recordingSize);
    // One copy of the recording: none left over from the saves on the way.
    EXPECT_EQ(QDir(Folder("data")).entryList({"*.wav"}), QStringList{QFileInfo(copy).fileName()});
}

// The play list the last run left: the short first song ends and the second opens and plays by
// itself, the next-track key opens the third, and Exit leaves the song, the play list and the
// tree of registered files as they were.
TEST_F(ProgramTest, ThePlayListGoesOnAtASongsEndAndWithTheNextTrackKey) {
    WriteWave(dir.File("short.wav"), Stereo16, Bytes(BytesPerSecond, 0x10));
    WriteWave(dir.File("third.wav"), Stereo16, Bytes(20 * BytesPerSecond, 0x10));
    const QStringList songs = {QString::fromStdString(dir.File("short.wav")),
                               QString::fromStdString(dir.File("second.wav")),
                               QString::fromStdString(dir.File("third.wav"))};
    {
        ProfileFile last(Folder("data/quavrel.ini").toStdString());
        last.WriteString("MainFrm", "FileName", songs[0]);
        last.WriteInteger("PlaylistFrm", "FileCount", static_cast<int>(songs.size()));
        for (int entry = 0; entry < songs.size(); ++entry) {
            last.WriteString("PlaylistFrm", QStringLiteral("Files[%1]").arg(entry), songs[entry]);
            last.WriteString("PlaylistFrm", QStringLiteral("Names[%1]").arg(entry),
                             QStringLiteral("Song %1").arg(entry + 1));
        }
        last.Save();
    }
    // A tree as the Windows program writes it: CRLF line ends.
    const QByteArray tree = "\tNAME=Lessons,FILENAME=Lessons,TYPE=FOLDER,EXPANDED=TRUE,COUNT=1\r\n"
                            "\t\t\"NAME=Song 2\",FILENAME=" +
                            songs[1].toUtf8() + ",TYPE=FILE,COUNT=0\r\n";
    {
        QFile file(Folder("data/quavrel_playlist.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(tree);
    }

    QProcess& program = Start({});
    WaitForMainWindow(program);
    Chord({"space"});
    EXPECT_FALSE(InFront(program, QStringLiteral("^second\\.wav - Quavrel")).isEmpty());
    Chord({"Next"});
    EXPECT_FALSE(InFront(program, QStringLiteral("^third\\.wav - Quavrel")).isEmpty());
    Chord({"ctrl", "q"});
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitCode(), 0);

    const ProfileFile settings = Settings();
    EXPECT_EQ(settings.ReadString("MainFrm", "FileName", ""), songs[2]);
    EXPECT_EQ(settings.ReadInteger("PlaylistFrm", "FileCount", 0), songs.size());
    for (int entry = 0; entry < songs.size(); ++entry) {
        EXPECT_EQ(settings.ReadString("PlaylistFrm", QStringLiteral("Files[%1]").arg(entry), ""),
                  songs[entry]);
        EXPECT_EQ(settings.ReadString("PlaylistFrm", QStringLiteral("Names[%1]").arg(entry), ""),
                  QStringLiteral("Song %1").arg(entry + 1));
    }
    QFile saved(Folder("data/quavrel_playlist.ini"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    // A folder keeps its name as its caption; its file name field is not read back.
    const QString kept =
        QString::fromUtf8(tree).remove('\r').replace("FILENAME=Lessons", "\"FILENAME=New Folder\"");
    EXPECT_EQ(QString::fromUtf8(saved.readAll()).toStdString(), kept.toStdString());
}

// The menu item opens the expand tool over the program; Escape ends it, and once the key is
// let go the program goes on, with no preview left in the data folder.
TEST_F(ProgramTest, TheMenuOpensTheExpandToolAndEscapeEndsIt) {
    QProcess& program = Start({QString::fromStdString(dir.File("first.wav"))});
    WaitForMainWindow(program);
    Chord({"F10"});
    Chord({"w"});
    ASSERT_TRUE(Activate(program, "^Wave File Expansion$")) << "the tool did not open";
    Chord({"Escape"});
    EXPECT_TRUE(WaitOnGuiThread(
        [&] {
            return SearchWindows({"--all", "--onlyvisible", "--pid",
                                  QString::number(program.processId()), "--name",
                                  "^Wave File Expansion$"},
                                 WindowSearch::Now)
                .isEmpty();
        },
        DeadlineMs))
        << "Escape did not end the tool";
    EXPECT_FALSE(QFileInfo::exists(Folder("data/preview.wav")));
    program.terminate();
    ASSERT_TRUE(Finish(program));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
}

} // namespace
