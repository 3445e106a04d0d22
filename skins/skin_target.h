#pragma once

#include "bitmap_scroll_bar.h"
#include "skin_functions.h"
#include "skin_parameters.h"

#include <QPointer>
#include <QString>
#include <memory>

class TEventModule;
class TSkinBackground;
class QWidget;

// What the controller does when the user moves a skin's scroll bars; the loader hands each
// bar the handlers of its function, so they are set before a skin is loaded.
struct TSkinScrollHandlers {
    TCustomBitmapScrollBar::TScrollEvent PlayingPositionScroll;
    TCustomBitmapScrollBar::TNotifyEvent PlayingPositionDblClick;
    TCustomBitmapScrollBar::TScrollEvent RepeatStartScroll;
    TCustomBitmapScrollBar::TScrollEvent RepeatEndScroll;
    TCustomBitmapScrollBar::TNotifyEvent RatioChange;
};

// The window a skin is loaded into and everything the loader fills: the window's size, colour,
// shape and face, the controls of its control groups, and the parameters that the cassette
// and memory-card windows and the main window's painting read later. The main window owns one
// and overrides the calls with which the loader asks it to follow a new skin.
class SkinTarget {
public:
    // skinsFolder ends with "/"; commands give the buttons their actions.
    SkinTarget(QWidget* mainWindow, const TEventModule& commands, QString skinsFolder);
    virtual ~SkinTarget();
    SkinTarget(const SkinTarget&) = delete;
    SkinTarget& operator=(const SkinTarget&) = delete;

    QWidget* MainWindow() const { return mainWindow; }
    TSkinBackground* Background() const { return background; }
    // The parent of controls written outside the main window's section: never shown, as
    // such controls never appear.
    QWidget* Unparented() const { return unparented.get(); }
    const QString& SkinsFolder() const { return skinsFolder; }
    const TSkinActions& Actions() const { return actions; }

    SkinParameters Parameters;
    TSkinControlGroups Groups;
    TSkinScrollHandlers ScrollHandlers;

    // While a skin is active, the window takes the shape of its background picture, whose
    // top-left colour is transparent; otherwise it is a plain rectangle. Called by the loader
    // and whenever the window is shown or hidden.
    void ApplyMainWindowShape();

    // Tells the user why a skin could not be loaded (a message box).
    virtual void ShowSkinError(const QString& text);
    // A skin has been loaded: the new controls need their hint texts.
    virtual void ApplyHints() {}
    // A skin has been loaded: open cassette and memory-card windows take its looks.
    virtual void ApplySectionLooks() {}
    // A skin has been loaded: the controller shows and fills its groups for the current state.
    virtual void RefreshDisplay() {}

private:
    QPointer<QWidget> mainWindow;
    TSkinBackground* background;
    std::unique_ptr<QWidget> unparented;
    QString skinsFolder;
    TSkinActions actions;
};
