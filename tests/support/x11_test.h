#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class QWidget;

// Base of tests that need a real X display with a window manager; scripts/test.sh runs them
// on its private Xvfb. Anywhere else they skip.
class X11Test : public testing::Test {
protected:
    void SetUp() override;
};

// Runs an X tool (xdotool, xprop, ...) to its end while the GUI goes on handling events, and
// returns what it printed. A tool that fails or hangs fails the test.
QString RunX11Tool(const QString& program, const QStringList& arguments);
// Shows the window and waits until the window manager has mapped it.
void ShowAndWait(QWidget* window);
// The whole screen as the display shows it now.
QImage GrabScreen();
