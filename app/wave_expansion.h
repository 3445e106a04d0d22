#pragma once

#include "audio/stretch_engine.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>

class QWidget;

// What "Create" of the expand tool asks for.
struct TExpandOrder {
    std::string Source;
    std::string Destination;
    StretchRequest Request;
};

// The expand tool's final conversion: the result is made on the worker thread under the
// progress window (with Cancel) while the main window is disabled. It is written to a new file
// beside the destination and takes the destination's name only once complete, so that a
// failure or a cancel leaves the file the user chose as it was (the save dialog asked before
// replacing it) and no part of a result; a song is decoded into a temporary file of the data
// folder first, removed in every case. A failure ends in a message box.
class TWaveExpansion {
public:
    TWaveExpansion(QWidget& mainWindow, std::string dataFolder);
    ~TWaveExpansion();
    TWaveExpansion(const TWaveExpansion&) = delete;
    TWaveExpansion& operator=(const TWaveExpansion&) = delete;

    // Starts the conversion unless one runs; returns at once.
    void Start(const TExpandOrder& order, bool stayOnTop);
    bool Running() const { return static_cast<bool>(run); }

    // How the user is told of a failure: a message box over the main window by default.
    std::function<void(const QString& text)> ShowError;
    // Called last when a conversion ended, with true when the destination was made.
    std::function<void(bool made)> Finished;

private:
    struct TRun;
    void Complete(bool done, std::exception_ptr error);

    QWidget& mainWindow;
    std::string dataFolder;
    std::unique_ptr<TRun> run;
};
