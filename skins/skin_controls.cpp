#include "skin_controls.h"

#include "actions/real_time_button.h"
#include "bitmap_scroll_bar.h"
#include "speed_meter.h"

#include <QLabel>
#include <QPainter>

namespace {

// The sizes the Windows program's picture and label controls start with.
constexpr QSize ImageSize(105, 105);
constexpr QSize LabelSize(65, 13);

QWidget* CreateLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->resize(LabelSize);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setEnabled(false);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QWidget* CreateSpeedMeter(QWidget* parent) {
    auto* meter = new TSpeedMeter(parent);
    meter->SetMax(500);
    meter->SetMin(10);
    meter->SetTickCount(8);
    meter->SetTickWidth(1);
    meter->SetHandSizeByPercent(70);
    return meter;
}

QWidget* CreateControl(TSkinElement element, QWidget* parent) {
    switch (element) {
    case TSkinElement::Button:
        return new TRealTimeButton(parent);
    case TSkinElement::Image:
        return new TSkinImage(parent);
    case TSkinElement::Label:
        return CreateLabel(parent);
    case TSkinElement::ScrollBar:
        return new TBitmapScrollBar(parent);
    case TSkinElement::SpeedMeter:
        return CreateSpeedMeter(parent);
    case TSkinElement::Root:
    case TSkinElement::Mainfrm:
    case TSkinElement::Wavefrm:
    case TSkinElement::Repeatfrm:
        break;
    }
    return nullptr;
}

} // namespace

TSkinImage::TSkinImage(QWidget* parent) : QWidget(parent) {
    resize(ImageSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TSkinImage::SetPicture(const QImage& value) {
    picture = value;
    update();
}

void TSkinImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

QWidget* CreateSkinControl(TSkinElement element, QWidget* parent) {
    QWidget* control = CreateControl(element, parent);
    if (control != nullptr) {
        control->show();
    }
    return control;
}

void SetSkinControlGeometry(QWidget* control, const QRect& geometry) {
    if (auto* bitmapControl = dynamic_cast<TCustomBitmapControl*>(control)) {
        bitmapControl->SetBounds(geometry);
    } else {
        control->setGeometry(geometry);
    }
}
