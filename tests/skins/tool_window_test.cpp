#include "platform/tool_window.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ToolWindowTest, KeepsTheWindowsHintsAndOneHelperPerWindow) {
    QWidget owner;
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    MakeOwnedToolWindow(&window, &owner);
    const QObjectList helpers = window.children();
    MakeOwnedToolWindow(&window, &owner);
    EXPECT_EQ(window.children(), helpers);
    EXPECT_EQ(window.parentWidget(), &owner);
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
}

} // namespace
