#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need a QApplication; they run offscreen unless the test command provides a
// display (QT_QPA_PLATFORM decides).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
