#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

// The start-up picture: a borderless window exactly the size of its picture.
class TSplashfrm : public QWidget {
    Q_OBJECT
public:
    TSplashfrm();

    // False when the picture cannot be read; the window then keeps no picture.
    bool LoadPicture(const QString& path);

    QLabel* Image1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows programFolder/Skins/splash.bmp centred on the screen and paints it at once, since the
// start-up goes on without running the event loop: the window bypasses the window manager,
// which would map it only once events are handled, and so it would stand above every window
// shown after it; it hides as soon as another window of the program shows (a question during
// start-up, the main window). Null when the picture cannot be read: there is no splash then.
// The caller frees the window when the main window shows.
QPointer<TSplashfrm> ShowSplash(const QString& programFolder);
