#include "playlist_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

// The skins' colours: the deep blue of their symbols, the accent blue, the amber of the
// card's contacts, and white keys.
const QColor Ink("#1F4E79");
const QColor Accent("#3A8EE6");
const QColor AccentDark("#1D5FAE");
const QColor Amber("#E7B84A");
const QColor AmberDark("#B9862A");
const QColor AmberLight("#F6D98C");
const QColor Paper("#FFFFFF");
const QColor Silver("#D5E2EE");

using Drawing = std::function<void(QPainter&)>;

// A folder: the tab, then the back and the front, rounded.
void Folder(QPainter& painter) {
    painter.setPen(QPen(AmberDark, 1));
    painter.setBrush(Amber);
    painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
    painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 9.5), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(AmberLight);
    painter.drawRoundedRect(QRectF(2.5, 6, 11, 2), 1, 1);
}

// An open folder: the back, and the front tilted open before it.
void OpenFolder(QPainter& painter) {
    painter.setPen(QPen(AmberDark, 1));
    painter.setBrush(Amber);
    painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
    painter.drawRoundedRect(QRectF(1.5, 4.5, 12, 9.5), 1.5, 1.5);
    QPainterPath front;
    front.moveTo(4, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 14);
    front.lineTo(1.5, 14);
    front.closeSubpath();
    painter.setBrush(AmberLight);
    painter.drawPath(front);
}

// A page with a folded corner and a note on it.
void File(QPainter& painter) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(13.5, 5.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(Paper);
    painter.drawPath(page);
    painter.setBrush(Silver);
    painter.drawPolygon(QPolygonF{{9.5, 1.5}, {9.5, 5.5}, {13.5, 5.5}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(Accent);
    painter.drawEllipse(QRectF(5, 10, 3.5, 2.8));
    painter.fillRect(QRectF(7.6, 6, 1.1, 5.5), Accent);
    painter.fillRect(QRectF(7.6, 6, 3, 1.2), Accent);
}

// A compact disc: silver with a blue shine and the hole.
void CdTrack(QPainter& painter) {
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(Silver);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Accent);
    painter.drawPie(QRectF(3, 3, 10, 10), 30 * 16, 60 * 16);
    painter.drawPie(QRectF(3, 3, 10, 10), 210 * 16, 60 * 16);
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(Paper);
    painter.drawEllipse(QRectF(6, 6, 4, 4));
}

// The library: a rounded blue case holding a disc and a page.
void Root(QPainter& painter) {
    painter.setPen(QPen(AccentDark, 1));
    painter.setBrush(Accent);
    painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2.5, 2.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Paper);
    painter.drawEllipse(QRectF(3.5, 5, 6, 6));
    painter.setBrush(Accent);
    painter.drawEllipse(QRectF(5.5, 7, 2, 2));
    painter.setBrush(Paper);
    painter.drawRoundedRect(QRectF(10.5, 5, 2.5, 6), 0.8, 0.8);
}

QPixmap Drawn(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return pixmap;
}

} // namespace

QIcon PlaylistImage(int index) {
    static const Drawing drawings[PlaylistImageCount] = {Root, Folder, OpenFolder, File, CdTrack};
    QIcon icon;
    if (index < 0 || index >= PlaylistImageCount) {
        return icon;
    }
    for (const int size : {16, 32}) {
        icon.addPixmap(Drawn(drawings[index], size));
    }
    return icon;
}
