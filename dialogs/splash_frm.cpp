#include "splash_frm.h"

#include "dialog_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>

TSplashfrm::TSplashfrm() : Image1(new QLabel(this)) {
    setObjectName(QStringLiteral("Splashfrm"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Quavrel"));
    Image1->setObjectName(QStringLiteral("Image1"));
}

bool TSplashfrm::LoadPicture(const QString& path) {
    const QPixmap picture(path);
    if (picture.isNull()) {
        return false;
    }
    Image1->setPixmap(picture);
    Image1->setGeometry(0, 0, picture.width(), picture.height());
    setFixedSize(picture.size());
    return true;
}

QPointer<TSplashfrm> ShowSplash(const QString& programFolder) {
    auto splash = std::make_unique<TSplashfrm>();
    if (!splash->LoadPicture(QDir(programFolder).filePath(QStringLiteral("Skins/splash.bmp")))) {
        return nullptr;
    }
    CentreOnScreen(splash.get());
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    return splash.release();
}
