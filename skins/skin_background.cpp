#include "skin_background.h"

#include "text_item.h"

#include <QPaintEvent>
#include <QPainter>

TSkinBackground::TSkinBackground(QWidget* mainWindow, const SkinParameters& parameters)
    : QWidget(mainWindow), parameters(parameters) {
    setObjectName(QStringLiteral("imgBackground"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    lower();
}

void TSkinBackground::SetPicture(const QImage& value) {
    picture = value.convertToFormat(QImage::Format_RGB32);
    setGeometry(0, 0, picture.width(), picture.height());
    update();
}

void TSkinBackground::SetTimeFont(const QFont& value) {
    timeFont = value;
    RebuildTextAreas();
    update();
}

void TSkinBackground::SetText(TTimeText which, const QString& value) {
    QString& text = texts[Index(which)];
    if (text == value) {
        return;
    }
    text = value;
    update(areas[Index(which)]);
}

void TSkinBackground::RebuildTextAreas() {
    for (const TTimeText which :
         {TTimeText::CurrentTime, TTimeText::RepeatStart, TTimeText::RepeatStop}) {
        areas[Index(which)] =
            parameters.Active ? TextUpdateArea(timeFont, Look(which), picture.size()) : QRegion();
    }
}

void TSkinBackground::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, picture);
    for (const TTimeText which :
         {TTimeText::CurrentTime, TTimeText::RepeatStart, TTimeText::RepeatStop}) {
        DrawTextItem(painter, timeFont, Look(which), texts[Index(which)]);
    }
}

const TTextItemLook& TSkinBackground::Look(TTimeText which) const {
    switch (which) {
    case TTimeText::CurrentTime:
        return parameters.CurrentTime;
    case TTimeText::RepeatStart:
        return parameters.RepeatStart;
    case TTimeText::RepeatStop:
        break;
    }
    return parameters.RepeatStop;
}
