#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "storage/temp_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Hands out the given numbers in turn, then the last one again and again.
class Draws {
public:
    explicit Draws(std::vector<std::int32_t> numbers) : numbers(std::move(numbers)) {}
    std::int32_t operator()() {
        ++count;
        return numbers[std::min(count, numbers.size()) - 1];
    }
    std::size_t count = 0;

private:
    std::vector<std::int32_t> numbers;
};

TEST(TempFile, ATakenNameIsDrawnAgainAndTheNewFileIsMadeAtOnce) {
    TempDir dir;
    WriteFile(dir.File("tmp5.wav"), {1, 2, 3});
    Draws draws({5, 2147483646});
    const std::string path = CreateTempFile(dir.Path() + "/", "tmp", "wav", {}, std::ref(draws));
    EXPECT_EQ(path, dir.File("tmp2147483646.wav"));
    EXPECT_EQ(draws.count, 2u);
    EXPECT_TRUE(ReadFile(path).empty());
    EXPECT_EQ(ReadFile(dir.File("tmp5.wav")), (Bytes{1, 2, 3}));
}

TEST(TempFile, GivesUpAfterTenThousandTakenNames) {
    TempDir dir;
    Draws draws({7});
    int tries = 0;
    const auto taken = [&](const std::string&) {
        ++tries;
        return false;
    };
    try {
        CreateTempFile(dir.Path(), "SaveData - song - ", "wav", taken, std::ref(draws));
        FAIL() << "no error";
    } catch (const ETempFileError& error) {
        EXPECT_EQ(error.Message(), "Failed to create temporary file.");
    }
    EXPECT_EQ(tries, 10000);
}

TEST(TempFile, AFolderThatCannotTakeFilesFailsAtOnceNamingTheFile) {
    TempDir dir;
    Draws draws({42});
    try {
        CreateTempFile(dir.File("gone"), "tmp", "wav", {}, std::ref(draws));
        FAIL() << "no error";
    } catch (const EFileStreamError& error) {
        EXPECT_NE(error.Message().find(dir.File("gone/tmp42.wav")), std::string::npos)
            << error.Message();
    }
    EXPECT_EQ(draws.count, 1u);
}

TEST(TempFile, CopiesNeverReplaceAFile) {
    TempDir dir;
    WriteFile(dir.File("a.wav"), {1, 2, 3, 4});
    WriteFile(dir.File("b.wav"), {9});
    EXPECT_FALSE(CopyToNewFile(dir.File("a.wav"), dir.File("b.wav")));
    EXPECT_EQ(ReadFile(dir.File("b.wav")), Bytes{9});
    EXPECT_TRUE(CopyToNewFile(dir.File("a.wav"), dir.File("c.wav")));
    EXPECT_EQ(ReadFile(dir.File("c.wav")), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(CreateNewFile(dir.File("c.wav")));
}

} // namespace
