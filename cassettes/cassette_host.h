#pragma once

#include <functional>
#include <string>

class QString;
class QWidget;
class TCDAMediaPlayer;
class TQvrBaseFrm;
struct Settings;
struct TSkinWindowLook;

enum class TQvrKind { Cassette, Card };

// All that cassette and memory-card windows need of the main window, which implements it.
// Tests give a fake.
class TCassetteHost {
public:
    virtual ~TCassetteHost() = default;

    // The main window: owner of every cassette and card window (they stay above it and have no
    // task-bar entry of their own), and the reference of their docking point.
    virtual QWidget* MainWindow() = 0;
    virtual void BringMainToFront() = 0;
    // Whether the main window stays on top; the windows' dialogs follow it.
    virtual bool StayOnTop() const = 0;
    virtual const Settings& GetSettings() const = 0;
    // Where recordings and their speed-changed copies are written.
    virtual std::string DataFolder() const = 0;
    // The song player, which splits memory-card times into tracks.
    virtual TCDAMediaPlayer& SongPlayer() = 0;
    // The skin's description of one kind of window.
    virtual const TSkinWindowLook& WindowSkin(TQvrKind kind) const = 0;
    // A window dragged nearer than this (straight-line distance) to its docking point docks.
    virtual int DockSnapDistance() const = 0;

    virtual TQvrBaseFrm* DockedWindow() const = 0;
    // The one dock operation: window becomes the docked one (nullptr: none is), gliding to the
    // docking point first when glide is asked for and it is not near it. The window that was
    // docked before glides to a free spot.
    virtual void DockWindow(TQvrBaseFrm* window, bool glide) = 0;
    // The window is released at the next tick of the main timer (undocked first). Windows are
    // released there, never inside one of their own event handlers.
    virtual void QueueClose(TQvrBaseFrm* window) = 0;
    // Whether the window waits in that queue: lists of the windows leave it out.
    virtual bool Closing(const TQvrBaseFrm* window) const = 0;
    // Asks for the file to save a recording to, without waiting: chosen runs once the user
    // has picked one (after agreeing to replace it when it exists), and never on cancel.
    virtual void ChooseSaveWaveFile(std::function<void(const std::string& file)> chosen) = 0;
    // Tells the user of a failure that ends nothing, in an ordinary message box.
    virtual void ShowProblem(const QString& text) = 0;
};
