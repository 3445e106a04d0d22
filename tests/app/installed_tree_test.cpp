// What `cmake --install` lays out, checked in the temporary prefix the tests install into: the
// program and its tools, the program folder, and what the desktop reads of it.
#include "tests/support/required_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString Prefix = QStringLiteral(QUAVREL_INSTALL_PREFIX);
const QString Id = QStringLiteral("org.quavrel.Quavrel");
constexpr int DeadlineMs = 60000;

QString Installed(const QString& path) {
    return Prefix + u'/' + path;
}

struct Finished {
    int ExitCode = -1;
    QString Output;
};

// Runs program to its end with its output and errors together.
Finished
RunToTheEnd(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(DeadlineMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

TEST(InstalledTree, HoldsTheProgramItsToolsAndItsFolder) {
    for (const char* path :
         {"bin/quavrel", "bin/quavrel-play", "bin/quavrel-stretch", "bin/quavrel-song",
          "bin/quavrel-record", "bin/quavrel-lang-template", "bin/quavrel-skin-check",
          "share/quavrel/Skins/sky/skin.xml", "share/quavrel/Skins/default/skin.xml",
          "share/quavrel/Skins/splash.bmp", "share/quavrel/quavrel_key.ini",
          "share/quavrel/readme.html", "share/doc/quavrel/LICENSE"}) {
        EXPECT_TRUE(QFileInfo(Installed(path)).isFile()) << path;
    }
}

// Every language file the sources ship is installed with the program, and no other: a file a
// translator tries out in the build's program folder is no part of it.
TEST(InstalledTree, HoldsEveryShippedLanguageFile) {
    const QStringList languages = {QStringLiteral("quavrel_lang*.ini")};
    EXPECT_EQ(QDir(Installed("share/quavrel")).entryList(languages, QDir::Files),
              QDir(QStringLiteral(QUAVREL_RESOURCES)).entryList(languages, QDir::Files));
}

TEST(InstalledTree, HoldsTheIconAtEverySizeAndScalable) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QImage icon(
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(Id)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    EXPECT_TRUE(QFileInfo(Installed("share/icons/hicolor/scalable/apps/" + Id + ".svg")).isFile());
}

// The desktop entry, the metadata and how they tie to each other and to the icon pass the
// checks distributions and software centres make.
TEST(InstalledTree, PassesTheDesktopsValidators) {
    struct Validator {
        QString Program;
        QStringList Arguments;
    };
    const Validator validators[] = {
        {"desktop-file-validate", {Installed("share/applications/" + Id + ".desktop")}},
        {"appstreamcli",
         {"validate", "--no-net", Installed("share/metainfo/" + Id + ".metainfo.xml")}},
        {"appstreamcli", {"validate-tree", "--no-net", Prefix}},
    };
    for (const Validator& validator : validators) {
        QUAVREL_SKIP_UNLESS_PRESENT(!QStandardPaths::findExecutable(validator.Program).isEmpty(),
                                    validator.Program.toStdString());
        const Finished run = RunToTheEnd(validator.Program, validator.Arguments);
        EXPECT_EQ(run.ExitCode, 0) << run.Output.toStdString();
        // Hints and pedantic notes are advice; warnings and errors are faults.
        EXPECT_FALSE(run.Output.contains(QStringLiteral("warning"), Qt::CaseInsensitive) ||
                     run.Output.contains(QStringLiteral("error:"), Qt::CaseInsensitive))
            << run.Output.toStdString();
    }
}

// The desktop entry hands the files opened with it to the program, and offers it for songs
// and disc images in the menus of sound, music and education.
TEST(InstalledTree, TheDesktopEntryOpensSongsAndDiscImages) {
    QFile entry(Installed("share/applications/" + Id + ".desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> values;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(u'\n')) {
        values.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    EXPECT_EQ(values.value("Exec").toStdString(), "quavrel %F");
    EXPECT_EQ(values.value("Icon").toStdString(), Id.toStdString());
    const struct {
        const char* key;
        QStringList items;
    } lists[] = {
        {"Categories", {"Audio", "Music", "Education"}},
        {"MimeType",
         {"application/x-cue", "audio/x-wav", "audio/mpeg", "audio/flac", "audio/ogg", "audio/mp4",
          "audio/x-ms-wma"}},
    };
    for (const auto& list : lists) {
        const QStringList items = values.value(list.key).split(u';');
        for (const QString& item : list.items) {
            EXPECT_TRUE(items.contains(item)) << list.key << " lacks " << item.toStdString();
        }
    }
}

// Software centres show the newest release the metadata lists as the version installed.
TEST(InstalledTree, TheMetadataNamesThisVersionFirst) {
    QFile metadata(Installed("share/metainfo/" + Id + ".metainfo.xml"));
    ASSERT_TRUE(metadata.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(metadata.readAll());
    const qsizetype release = text.indexOf(QStringLiteral("<release "));
    ASSERT_GE(release, 0);
    EXPECT_EQ(text.mid(release).section(u'"', 1, 1), QStringLiteral(QUAVREL_VERSION));
}

// Packagers and users ask the program what it is without a desktop session.
TEST(InstalledTree, TheProgramSaysItsVersionAndLicenseWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(variable);
    }
    const Finished run = RunToTheEnd(Installed("bin/quavrel"), {"--version"}, environment);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Output.startsWith(QStringLiteral("Quavrel " QUAVREL_VERSION "\n"
                                                     "License GPL-3.0-or-later: ")))
        << run.Output.toStdString();
}

} // namespace
