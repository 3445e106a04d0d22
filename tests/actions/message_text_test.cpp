#include "actions/comma_text.h"
#include "actions/line_break_tags.h"
#include "actions/message_format.h"
#include "actions/messages.h"

#include <gtest/gtest.h>

namespace {

TEST(LineBreakTagsTest, EveryKindOfBreakBecomesATagAndTagsComeBackAsPairs) {
    struct Case {
        QString text;
        QString tagged;
    };
    const Case cases[] = {
        {"one\rtwo", "one<br>two"},       {"one\ntwo", "one<br>two"},
        {"one\r\ntwo", "one<br>two"},     {"one\n\rtwo", "one<br><br>two"},
        {"a\r\r\nb\n", "a<br><br>b<br>"}, {"no break", "no break"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LineBreaksToTags(c.text), c.tagged) << c.text.toStdString();
    }
    EXPECT_EQ(TagsToLineBreaks("two<br>words"), "two\r\nwords");
    EXPECT_EQ(TagsToLineBreaks("<br><br>"), "\r\n\r\n");
    EXPECT_EQ(TagsToLineBreaks("<BR> stays"), "<BR> stays");
}

TEST(MessageFormatTest, FillsPlaceholdersOfEachKind) {
    EXPECT_EQ(FormatMessage(SExpandWaveWaveFileInfo1, {441000, 10.0}),
              "441000(sample)  10.000(sec)");
    EXPECT_EQ(FormatMessage(SExpandWaveWaveFileInfo2, {2, 16, 2}), "2ch 16/2(bit/sample)");
    EXPECT_EQ(FormatMessage(RHINT_FORMAT, {QString("Play"), "Shift+SPACE"}), "Play [Shift+SPACE]");
    EXPECT_EQ(FormatMessage("%5s|%-4d|%05.1f|100%%|%.2s", {"ab", 7, 3.14159, "xyz"}),
              "   ab|7   |003.1|100%|xy");
}

TEST(MessageFormatTest, WhatIsNotAPlaceholderOfOursIsPrintedAsItStands) {
    EXPECT_EQ(FormatMessage("%n %x %p %999d 50% off", {}), "%n %x %p %999d 50% off");
    EXPECT_EQ(PlaceholderKinds("%s%s%n"), "ss");
    EXPECT_EQ(PlaceholderKinds(SFailedToOpenMediaPlayer), "s");
    EXPECT_EQ(PlaceholderKinds(SExpandWaveWaveFileInfo1), "df");
}

TEST(MessageFormatTest, ArgumentsThatDoNotFitThePlaceholdersAreRefused) {
    EXPECT_THROW(FormatMessage("%d", {"text"}), EMessageFormat);
    EXPECT_THROW(FormatMessage("%s", {1}), EMessageFormat);
    EXPECT_THROW(FormatMessage("%f", {1}), EMessageFormat);
    EXPECT_THROW(FormatMessage("%s %s", {"one"}), EMessageFormat);
    EXPECT_THROW(FormatMessage("%s", {"one", "two"}), EMessageFormat);
}

TEST(MessageTableTest, KeysAreRegisteredInOrderWithThePaddedAndRepeatedOnes) {
    const std::vector<MessageEntry>& messages = RegisteredMessages();
    ASSERT_GE(messages.size(), 97u);
    EXPECT_EQ(messages.front().Key, "SQuavrelUrl");
    EXPECT_EQ(messages[8].Key, "SMenuItemSetTitle");
    EXPECT_EQ(messages[9].Key, "SMenuItemSetTitle");
    EXPECT_EQ(messages[9].Text, &SMenuItemSetTitle);
    int padded = 0;
    for (const MessageEntry& entry : messages) {
        if (entry.Key.startsWith("SSaveDialog")) {
            EXPECT_EQ(entry.Key.size(), 22) << entry.Key.toStdString();
            ++padded;
        }
    }
    EXPECT_EQ(padded, 4);
    EXPECT_EQ(messages[96].Key, "SChangeDataFolder");
    EXPECT_EQ(SFirstMessageCaption1,
              "Welcome to Quavrel, an integrated musical transcribing tool!");
}

// The English defaults read as English: the misspellings they once had stay out, and the
// texts named here read as mended.
TEST(MessageTableTest, TheEnglishDefaultsAreSpelledAndWorded) {
    const char* misspellings[] = {
        "Reepat",    "Forder",         "occured",       "successfuly",       "posigtion",
        "possition", "Unfortunatelly", "shutdowned",    "be still remained", "A Integrated",
        "disuse",    "Windows Volume", "Windows Sound", "Stereo Mix"};
    for (const MessageEntry& entry : RegisteredMessages()) {
        for (const char* wrong : misspellings) {
            EXPECT_FALSE(entry.Default.contains(QString::fromLatin1(wrong), Qt::CaseInsensitive))
                << entry.Key.toStdString() << ": " << wrong;
        }
    }
    const struct {
        const QString* message;
        QString contains;
    } mended[] = {
        {&SSelectFrmRepeat, "Repeat Section %d"},
        {&RHINT_AUTOREC, "Automatic Recording"},
        {&SFatalError, "An error occurred."},
        {&SFatalError, "will shut down"},
        {&SChangeDataFolder, "has to be shut down"},
        {&SChangeDataFolder, "will still remain"},
        {&SFirstMessage1_1, "An integrated musical transcribing tool"},
    };
    for (const auto& m : mended) {
        EXPECT_TRUE(m.message->contains(m.contains)) << m.contains.toStdString();
    }
}

TEST(CommaTextTest, QuotedItemsKeepCommasBlanksAndQuotes) {
    const QStringList items{"One", "Two words", "a,b", "say \"hi\"", "", "a\x01"};
    const QString text = ToCommaText(items);
    EXPECT_EQ(text, "One,\"Two words\",\"a,b\",\"say \"\"hi\"\"\",\"\",\"a\x01\"");
    EXPECT_EQ(FromCommaText(text), items);
    EXPECT_EQ(ToQuotedCommaText({"a", "b c"}), "\"a\",\"b c\"");
    const struct {
        QString text;
        QStringList items;
    } cases[] = {
        {" x , y ", {"x", "y"}},      {"a b,c", {"a", "b", "c"}}, // blanks end unquoted items too
        {"\"One,Two\"", {"One,Two"}}, {"a,", {"a", ""}},          {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromCommaText(c.text), c.items) << c.text.toStdString();
    }
}

} // namespace
