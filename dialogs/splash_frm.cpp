#include "splash_frm.h"

#include "dialog_support.h"

#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

// Paints the window into its backing store and hands that to the display now, not at the
// paint event that the event loop would deliver once the window is exposed.
void PaintNow(QWidget& window) {
    QBackingStore* store = window.backingStore();
    if (store == nullptr) {
        return;
    }
    if (store->size() != window.size()) {
        store->resize(window.size());
    }
    const QRegion all(window.rect());
    store->beginPaint(all);
    {
        QPainter painter(store->paintDevice());
        window.render(&painter);
    }
    store->endPaint();
    store->flush(all);
}

} // namespace

TSplashfrm::TSplashfrm() : Image1(new QLabel(this)) {
    setObjectName(QStringLiteral("Splashfrm"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    setWindowTitle(QStringLiteral("Quavrel"));
    Image1->setObjectName(QStringLiteral("Image1"));
    qApp->installEventFilter(this);
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

bool TSplashfrm::eventFilter(QObject* watched, QEvent* event) {
    // Nothing shown after the splash may stand behind it.
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

QPointer<TSplashfrm> ShowSplash(const QString& programFolder) {
    auto splash = std::make_unique<TSplashfrm>();
    if (!splash->LoadPicture(QDir(programFolder).filePath(QStringLiteral("Skins/splash.bmp")))) {
        return nullptr;
    }
    CentreOnScreen(splash.get());
    splash->show();
    PaintNow(*splash);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    return splash.release();
}
