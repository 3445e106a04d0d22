#include "platform/profile_file.h"
#include "storage/practice_settings.h"

#include <gtest/gtest.h>

namespace {

const QString Section = QStringLiteral("song.mp3");
const QString Prefix = QStringLiteral("Practice.");

TEST(PracticeSettings, ASectionWithoutASpeedHasNone) {
    ProfileFile file;
    file.WriteInteger(Section, "WaveFrmCount", 0);
    file.WriteInteger(Section, "Practice.TrainerStep", 10);
    EXPECT_EQ(ReadPractice(file, Section, Prefix, {}), std::nullopt);
}

TEST(PracticeSettings, WrittenSettingsComeBack) {
    const TPracticeSettings practice{150, 1250, 40, 15, 110, true};
    ProfileFile file;
    WritePractice(file, Section, Prefix, practice);
    EXPECT_EQ(file.Value(Section, "Practice.TransposeCents"), "1250");
    EXPECT_EQ(file.Value(Section, "Practice.TrainerOn"), "1");
    EXPECT_EQ(ReadPractice(file, Section, Prefix, {}), practice);
}

// Files others write: every number is brought within what the player and the trainer take;
// a missing or malformed key keeps the value given.
TEST(PracticeSettings, ValuesReadAreBounded) {
    TPracticeSettings def;
    def.TrainerStart = 70;
    const struct {
        const char* key;
        const char* value;
        int TPracticeSettings::*member;
        int expected;
    } cases[] = {
        {"Practice.Speed", "10", &TPracticeSettings::Speed, 25},
        {"Practice.Speed", "5000", &TPracticeSettings::Speed, 200},
        {"Practice.Speed", "75", &TPracticeSettings::Speed, 75},
        {"Practice.TransposeCents", "-99999", &TPracticeSettings::TransposeCents, -1250},
        {"Practice.TransposeCents", "1251", &TPracticeSettings::TransposeCents, 1250},
        {"Practice.TransposeCents", "-320", &TPracticeSettings::TransposeCents, -320},
        {"Practice.TrainerStart", "0", &TPracticeSettings::TrainerStart, 25},
        {"Practice.TrainerStart", "junk", &TPracticeSettings::TrainerStart, 70},
        {"Practice.TrainerStep", "0", &TPracticeSettings::TrainerStep, 1},
        {"Practice.TrainerStep", "-5", &TPracticeSettings::TrainerStep, 1},
        {"Practice.TrainerStep", "51", &TPracticeSettings::TrainerStep, 50},
        {"Practice.TrainerTarget", "201", &TPracticeSettings::TrainerTarget, 200},
    };
    for (const auto& c : cases) {
        ProfileFile file;
        file.WriteString(Section, "Practice.Speed", "100");
        file.WriteString(Section, c.key, c.value);
        const std::optional<TPracticeSettings> read = ReadPractice(file, Section, Prefix, def);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ((*read).*c.member, c.expected) << c.key << "=" << c.value;
    }
}

} // namespace
