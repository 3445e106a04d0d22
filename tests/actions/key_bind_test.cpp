#include "actions/key_bind.h"
#include "platform/profile_file.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t VkSpace = 32;

// A key file may claim more entries than it holds: each entry has lines of its own, so a
// small damaged file cannot make the program read millions of empty entries.
TEST(KeyBindTest, AnEntryCountPastTheSectionsLinesReadsNoMoreEntriesThanLines) {
    const ProfileFile file = ProfileFile::FromBytes("[MainFrm.CurrKeyBind]\n"
                                                    "Name=Mine\n"
                                                    "KeyCount=10000\n"
                                                    "Key0=hkPlay\n"
                                                    "Key0.VirtualKey=VK_SPACE\n");
    TKeyBind set;
    set.LoadFromSection(file, CurrentKeyBindSection);
    ASSERT_FALSE(set.Keys.empty());
    EXPECT_LE(set.Keys.size(), 4u); // the key=value lines of the section
    EXPECT_EQ(set.Keys[0].Name, "hkPlay");
    EXPECT_EQ(set.Keys[0].VirtualKey, VkSpace);
}

} // namespace
