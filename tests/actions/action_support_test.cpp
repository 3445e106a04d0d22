#include "actions/button_hint.h"
#include "actions/control_list.h"
#include "actions/messages.h"
#include "actions/stack_string_list.h"
#include "skins/bitmap_scroll_bar.h"
#include "skins/speed_meter.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(ButtonHintTest, ShortOrLongTextWithTheShortcut) {
    struct Case {
        int hintLength;
        const char* text;
        std::optional<TShortcut> shortcut;
        const char* hint;
    };
    const Case cases[] = {
        {hlShort, "Rewind : Rewind current playing position.", TShortcut{32, ssShift},
         "Rewind  [Shift+SPACE]"},
        {hlLong, "Rewind : back", TShortcut{116, 0}, "Rewind : back [F5]"},
        {hlShort, "Stop", TShortcut{'S', 0}, "Stop [S-KEY]"},
        {hlLong, "Play : ", TShortcut{0, ssCtrl | ssAlt}, "Play :  [Ctrl+Alt]"},
        {hlLong, "Play : ", TShortcut{0, 0}, "Play : "},
        {hlLong, "Play : ", TShortcut{189, 0}, "Play : "},
        {hlShort, "Home : page", std::nullopt, "Home "},
        {hlDismiss, "Play : ", TShortcut{32, 0}, ""},
        {7, "Play : x", TShortcut{32, 0}, "Play : x [SPACE]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ActionButtonHint(c.hintLength, c.text, c.shortcut), c.hint) << c.hint;
    }
}

TEST(ControlListTest, SetsItsControlsByKind) {
    QWidget parent;
    TControlList list;
    EXPECT_EQ(list.GetLeft(), TControlList::NoControl);
    EXPECT_EQ(list.GetHeight(), TControlList::NoControl);
    EXPECT_EQ(list.GetMax(), -1);
    auto* label = new QLabel(&parent);
    label->setGeometry(3, 4, 30, 40);
    auto* bar = new TBitmapScrollBar(&parent);
    auto* meter = new TSpeedMeter(&parent);
    meter->SetMax(100);
    list.Add(label);
    list.Add(bar);
    list.Add(meter);
    EXPECT_EQ(list.GetLeft(), 3);
    EXPECT_EQ(list.GetTop(), 4);
    EXPECT_EQ(list.GetWidth(), 30);
    EXPECT_EQ(list.GetHeight(), 40);

    list.SetMaxAll(90);
    list.SetPositionAll(45);
    list.SetTextAll("00:01:02");
    EXPECT_EQ(bar->Max(), 90);
    EXPECT_EQ(list.GetMax(), 90);
    EXPECT_EQ(bar->Position(), 45);
    EXPECT_EQ(meter->Position(), 45);
    EXPECT_EQ(label->text(), "00:01:02");
    list.SetVisibleAll(false);
    EXPECT_TRUE(label->isHidden());
    EXPECT_TRUE(meter->isHidden());

    delete label;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(0), bar);
}

TEST(StackStringListTest, PopsWhatWasPushedLast) {
    TStackStringList stack;
    EXPECT_THROW(stack.Peek(), EStackStringList);
    stack.Push("skin");
    stack.Push("button");
    EXPECT_EQ(stack.Peek(), "button");
    EXPECT_EQ(stack.Pop(), "button");
    EXPECT_EQ(stack.Pop(), "skin");
    try {
        stack.Pop();
        FAIL() << "an empty stack popped";
    } catch (const EStackStringList& error) {
        EXPECT_STREQ(error.what(), "Stack Over Flow");
    }
}

} // namespace
