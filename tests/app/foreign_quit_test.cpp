#include "app/foreign_quit.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace {

TEST(ForeignQuit, AQuitTheProgramDidNotAskForEndsTheProgramItsOwnWay) {
    QObject owner;
    int ended = 0;
    RedirectForeignQuits(
        &owner, [] { return false; }, [&] { ++ended; });
    QEvent quit(QEvent::Quit);
    // Taken: the application does not go on to close its windows.
    EXPECT_TRUE(QCoreApplication::sendEvent(qApp, &quit));
    EXPECT_EQ(ended, 1);
}

} // namespace
