#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using Mode = FileStream::Mode;

class FileStreamTest : public testing::Test {
protected:
    // The message a create of the test's file fails with, or "" when it succeeds.
    std::string CreateError(Mode mode) {
        try {
            FileStream file(path, mode);
        } catch (const EFileStreamError& error) {
            return error.Message();
        }
        return "";
    }

    std::string CannotCreate(int error) const {
        return "Cannot create file \"" + path + "\". " + std::strerror(error);
    }

    void Write(FileStream& file) {
        file.Write(written.data(), static_cast<std::int64_t>(written.size()));
    }

    TempDir dir;
    std::string path = dir.File("cassette.wav");
    const Bytes written = Pattern(300);
};

// A second writer is refused before it touches the file: the first keeps all it wrote.
TEST_F(FileStreamTest, FileBeingWrittenIsNotTruncatedByASecondWriter) {
    for (const Mode first : {Mode::CreateAlways, Mode::CreateNew}) {
        SCOPED_TRACE(static_cast<int>(first));
        FileStream::Delete(path);
        FileStream file(path, first);
        Write(file);
        EXPECT_EQ(CreateError(Mode::CreateAlways), CannotCreate(EWOULDBLOCK));
        EXPECT_EQ(CreateError(Mode::CreateNew), CannotCreate(EEXIST));
        EXPECT_EQ(ReadFile(path), written);
    }
}

TEST_F(FileStreamTest, CreateNewTakesOnlyAFreeName) {
    {
        FileStream file(path, Mode::CreateNew);
        Write(file);
        file.SetPosition(0);
        Bytes back(written.size());
        EXPECT_EQ(file.Read(back.data(), static_cast<std::int64_t>(back.size())),
                  static_cast<std::int64_t>(written.size()));
        EXPECT_EQ(back, written);
    }
    // Once closed the name is still taken; replacing the file empties it.
    EXPECT_EQ(CreateError(Mode::CreateNew), CannotCreate(EEXIST));
    EXPECT_EQ(ReadFile(path), written);
    EXPECT_EQ(CreateError(Mode::CreateAlways), "");
    EXPECT_TRUE(ReadFile(path).empty());
}

TEST_F(FileStreamTest, CreateFailsWithThePathAndTheSystemsReason) {
    path = dir.File("no folder/cassette.wav");
    for (const Mode mode : {Mode::CreateAlways, Mode::CreateNew}) {
        EXPECT_EQ(CreateError(mode), CannotCreate(ENOENT)) << static_cast<int>(mode);
    }
}

TEST_F(FileStreamTest, AFileAndItsFolderAreFlushedAndAMissingOneNamesItsPath) {
    WriteFile(path, written);
    EXPECT_NO_THROW(FileStream::FlushToDisk(path));
    EXPECT_NO_THROW(FileStream::FlushToDisk(dir.Path()));
    try {
        FileStream::FlushToDisk(dir.File("gone.wav"));
        FAIL() << "no error";
    } catch (const EFileStreamError& error) {
        EXPECT_NE(error.Message().find(dir.File("gone.wav")), std::string::npos) << error.Message();
    }
}

TEST_F(FileStreamTest, AMoveTakesOnlyAFreeNameAndLeavesBothFilesWhenItIsTaken) {
    WriteFile(path, written);
    const std::string taken = dir.File("taken.wav");
    WriteFile(taken, Bytes{1});
    EXPECT_FALSE(MoveToNewName(path, taken));
    EXPECT_EQ(ReadFile(path), written);
    EXPECT_EQ(ReadFile(taken), Bytes{1});

    const std::string moved = dir.File("moved.wav");
    EXPECT_TRUE(MoveToNewName(path, moved));
    EXPECT_FALSE(FileStream::Exists(path));
    EXPECT_EQ(ReadFile(moved), written);
    EXPECT_THROW(MoveToNewName(path, dir.File("again.wav")), EFileStreamError);
}

} // namespace
