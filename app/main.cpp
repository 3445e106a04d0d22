// quavrel: the program.
#include "app/command_line.h"
#include "app/quavrel_program.h"
#include "dialogs/dialog_support.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QIcon>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A logout or a kill during a slow start must not end the program with nothing saved.
    CatchTerminationSignals();
    const TCommandLine commandLine =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine.Error.isEmpty()) {
        std::cerr << commandLine.Error.toStdString() << "\n" << CommandLineUsage;
        return 2;
    }
    if (commandLine.Help) {
        std::cout << CommandLineUsage;
        return 0;
    }
    if (commandLine.Version) {
        std::cout << "Quavrel " << QUAVREL_VERSION << "\n" << CommandLineLicense;
        return 0;
    }
    // The program places its own windows and reads the keys held anywhere, which Wayland gives
    // to no client: on a Wayland desktop it runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavrel"));
    QApplication::setApplicationVersion(QStringLiteral(QUAVREL_VERSION));
    // Ties the program's windows to its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quavrel.Quavrel"));
    // Task bars and window lists of X11 desktops show the window's own icon: the one installed
    // with the desktop entry.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quavrel.Quavrel")));
    // The main window only minimises when closed; the program ends by its Exit.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        TQuavrelProgram program(commandLine);
        return program.Run();
    } catch (const std::exception& error) {
        // Started from a desktop menu, nobody reads the terminal: the box says why it ends. The
        // program's event loop has ended (or never ran), so the box runs the application's own
        // loop until it is closed; nothing nests in another loop.
        std::cerr << "quavrel: " << error.what() << "\n";
        ShowErrorBoxOutsideTheLoop(QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
}
