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
};

// Shows programFolder/Skins/splash.bmp centred on the screen and paints it at once, since the
// start-up goes on without running the event loop. Null when the picture cannot be read:
// there is no splash then. The caller hides and frees the window when the main window shows.
QPointer<TSplashfrm> ShowSplash(const QString& programFolder);
