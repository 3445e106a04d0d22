#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need a QApplication; they run offscreen unless the test command provides a
// display (QT_QPA_PLATFORM decides). Started by hand with no display at all, they run
// offscreen too, and the tests that need X skip themselves.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
