#include "skin_properties.h"

#include "actions/messages.h"
#include "actions/real_time_button.h"
#include "bitmap_scroll_bar.h"
#include "skin_background.h"
#include "skin_controls.h"
#include "skin_error.h"
#include "skin_folder.h"
#include "skin_target.h"
#include "skin_values.h"
#include "speed_meter.h"

#include <QApplication>
#include <QLabel>
#include <limits>
#include <optional>

namespace {

[[noreturn]] void Fail(const QString& message, const QString& what) {
    throw ESkinError(message, what);
}

bool Is(const QString& name, const char* key) {
    return name == QLatin1String(key);
}

bool IsAnyCase(const QString& name, QLatin1String key) {
    return name.compare(key, Qt::CaseInsensitive) == 0;
}

// A field of the integer key tables and the range its values keep.
struct TKeyField {
    int* Field = nullptr;
    TSkinRange Range{};
};

// Colour references are read bit by bit, so every number is one.
constexpr TSkinRange ColorRefRange{std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()};

// The field of a text item's key: the text after its owner's prefix ("PosLeft", "Angle",
// "ColorShadow", ...), compared without regard to case.
TKeyField TextField(TTextItemLook& item, QStringView key) {
    const auto is = [&](const char* field) {
        return key.compare(QLatin1String(field), Qt::CaseInsensitive) == 0;
    };
    if (is("PosLeft")) {
        return {&item.Pos.rx(), SkinPositionRange};
    }
    if (is("PosTop")) {
        return {&item.Pos.ry(), SkinPositionRange};
    }
    if (is("Angle")) {
        return {&item.Angle, SkinAngleRange};
    }
    if (is("Color")) {
        return {&item.Color, ColorRefRange};
    }
    if (is("ColorLight")) {
        return {&item.ColorLight, ColorRefRange};
    }
    if (is("ColorShadow")) {
        return {&item.ColorShadow, ColorRefRange};
    }
    return {};
}

TKeyField PrefixedTextField(TTextItemLook& item, const QString& name, QLatin1String prefix) {
    if (!name.startsWith(prefix, Qt::CaseInsensitive)) {
        return {};
    }
    return TextField(item, QStringView(name).mid(prefix.size()));
}

// The main key table: the three time texts' fields.
TKeyField MainKeyField(SkinParameters& parameters, const QString& name) {
    if (const TKeyField key =
            PrefixedTextField(parameters.CurrentTime, name, QLatin1String("TextCurrentTime"));
        key.Field != nullptr) {
        return key;
    }
    if (const TKeyField key =
            PrefixedTextField(parameters.RepeatStart, name, QLatin1String("TextRepeatStart"));
        key.Field != nullptr) {
        return key;
    }
    return PrefixedTextField(parameters.RepeatStop, name, QLatin1String("TextRepeatStop"));
}

// The section key table.
TKeyField SectionKeyField(TSkinWindowLook& look, const QString& name) {
    if (IsAnyCase(name, QLatin1String("Height"))) {
        return {&look.Height, SkinSizeRange};
    }
    if (IsAnyCase(name, QLatin1String("Width"))) {
        return {&look.Width, SkinSizeRange};
    }
    if (IsAnyCase(name, QLatin1String("DockingPointLeft"))) {
        return {&look.DockingPoint.rx(), SkinPositionRange};
    }
    if (IsAnyCase(name, QLatin1String("DockingPointTop"))) {
        return {&look.DockingPoint.ry(), SkinPositionRange};
    }
    return PrefixedTextField(look.Title, name, QLatin1String("Text"));
}

// A window or control of this size paints pictures of it; raises ESkinError when it is too
// large for one.
void CheckPixels(QSize size) {
    if (!FitsSkinPixels(size)) {
        throw ESkinError(TooManyPixelsText(size).toStdString());
    }
}

// Height, Width, Left, Top and Function, which every control takes; false for other names.
// Function files the control into the group of that name, when there is one.
bool SetCommonProperty(SkinTarget& target, TSkinFolder& folder, QWidget* control,
                       const QString& name, const QString& value) {
    QRect geometry = control->geometry();
    if (Is(name, "Height")) {
        geometry.setHeight(SkinIntegerIn(value, SkinSizeRange));
    } else if (Is(name, "Width")) {
        geometry.setWidth(SkinIntegerIn(value, SkinSizeRange));
    } else if (Is(name, "Left")) {
        geometry.moveLeft(SkinIntegerIn(value, SkinPositionRange));
    } else if (Is(name, "Top")) {
        geometry.moveTop(SkinIntegerIn(value, SkinPositionRange));
    } else if (Is(name, "Function")) {
        if (const std::optional<TSkinFunction> function = FindSkinFunction(value)) {
            target.Groups[*function].Add(control);
        }
        return true;
    } else {
        return false;
    }
    CheckPixels(geometry.size());
    folder.ControlSized(geometry.size());
    SetSkinControlGeometry(control, geometry);
    return true;
}

// Buttons, labels and scroll bars do more with their function name than join its group.
bool ReadsFunction(TSkinElement element) {
    return element == TSkinElement::Button || element == TSkinElement::Label ||
           element == TSkinElement::ScrollBar;
}

void SetButtonProperty(SkinTarget& target, TSkinFolder& folder, TRealTimeButton* button,
                       const QString& name, const QString& value) {
    static const std::pair<const char*, TCustomBitmapButton::PictureIndex> Pictures[] = {
        {"BitmapNormal", TCustomBitmapButton::Normal},
        {"BitmapDowned", TCustomBitmapButton::Downed},
        {"BitmapHighlighted", TCustomBitmapButton::Highlighted},
        {"BitmapDisabled", TCustomBitmapButton::Disabled},
    };
    if (Is(name, "Function")) {
        const std::optional<TSkinFunction> function = FindSkinFunction(value);
        TRealTimeAction* action = function ? target.Actions().Of(*function) : nullptr;
        if (action == nullptr) {
            Fail(SSkinBadFunctionName, value);
        }
        button->SetRealTimeAction(action);
        if (value == u"RepeatPlaySwitch") {
            button->SetToggleType(true);
        }
        return;
    }
    if (Is(name, "URL")) {
        button->SetUserString(value);
        return;
    }
    for (const auto& [key, index] : Pictures) {
        if (Is(name, key)) {
            if (const std::optional<QImage> picture = folder.Bitmap(value)) {
                button->SetPicture(index, *picture);
            }
            return;
        }
    }
    Fail(SSkinBadPropertyName, name);
}

void SetImageProperty(TSkinFolder& folder, TSkinImage* image, const QString& name,
                      const QString& value) {
    if (!Is(name, "Bitmap")) {
        Fail(SSkinBadPropertyName, name);
    }
    image->SetPicture(folder.Picture(value));
}

void SetLabelColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    // A disabled label draws the greyed text of its style, as the Windows labels did.
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label->setPalette(palette);
}

void SetLabelProperty(QLabel* label, const QString& name, const QString& value) {
    QFont font = label->font();
    if (Is(name, "Function")) {
        // The readouts the controller fills: a small font the skin may change after this line.
        if (value == u"SpeedMeterLabel" || value == u"TransposeLabel") {
            label->setFont(QFont(QStringLiteral("Small Fonts"), 7));
            label->setEnabled(true);
            label->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        }
    } else if (Is(name, "FontName")) {
        font.setFamily(value);
        label->setFont(font);
    } else if (Is(name, "FontSize")) {
        font.setPointSize(SkinIntegerIn(value, SkinFontSizeRange));
        label->setFont(font);
    } else if (Is(name, "FontColor")) {
        SetLabelColor(label, ColorOfColorRef(SkinColor(value)));
    } else if (Is(name, "Caption")) {
        label->setText(value);
    } else {
        Fail(SSkinBadPropertyName, name);
    }
}

void BindScrollBar(const TSkinScrollHandlers& handlers, TBitmapScrollBar* bar,
                   const QString& function) {
    if (function == u"PlayingPosition") {
        bar->OnScroll = handlers.PlayingPositionScroll;
        bar->OnThumbDblClicked = handlers.PlayingPositionDblClick;
    } else if (function == u"RepeatStart") {
        bar->OnScroll = handlers.RepeatStartScroll;
    } else if (function == u"RepeatEnd") {
        bar->OnScroll = handlers.RepeatEndScroll;
    } else if (function == u"Ratio") {
        bar->OnChange = handlers.RatioChange;
        bar->SetMin(10);
        bar->SetMax(500);
    } else {
        Fail(SSkinBadFunctionType, function);
    }
}

void SetScrollBarProperty(SkinTarget& target, TSkinFolder& folder, TBitmapScrollBar* bar,
                          const QString& name, const QString& value) {
    if (Is(name, "Function")) {
        BindScrollBar(target.ScrollHandlers, bar, value);
    } else if ((Is(name, "BitmapThumb") || Is(name, "BitmapGuide")) && !value.isEmpty()) {
        const QImage picture = *folder.Bitmap(value);
        if (Is(name, "BitmapThumb")) {
            bar->SetBmpThumb(picture);
        } else {
            bar->SetBmpGuide(picture);
        }
    } else if (Is(name, "StartPosLeft")) {
        bar->SetScrollStartPos(
            QPoint(SkinIntegerIn(value, SkinPositionRange), bar->ScrollStartPos().Y()));
    } else if (Is(name, "StartPosTop")) {
        bar->SetScrollStartPos(
            QPoint(bar->ScrollStartPos().X(), SkinIntegerIn(value, SkinPositionRange)));
    } else if (Is(name, "EndPosLeft")) {
        bar->SetScrollEndPos(
            QPoint(SkinIntegerIn(value, SkinPositionRange), bar->ScrollEndPos().Y()));
    } else if (Is(name, "EndPosTop")) {
        bar->SetScrollEndPos(
            QPoint(bar->ScrollEndPos().X(), SkinIntegerIn(value, SkinPositionRange)));
    } else if (Is(name, "ScrollType")) {
        if (value == u"Horizontal") {
            bar->SetKind(sbHorizontal);
        } else if (value == u"Vertical") {
            bar->SetKind(sbVertical);
        } else {
            Fail(SSkinBadScrollType, value);
        }
    } else {
        Fail(SSkinBadPropertyName, name);
    }
}

void SetSpeedMeterProperty(TSpeedMeter* meter, const QString& name, const QString& value) {
    if (Is(name, "TickCount")) {
        meter->SetTickCount(SkinIntegerIn(value, SkinTickCountRange));
    } else if (Is(name, "TickWidth")) {
        meter->SetTickWidth(SkinIntegerIn(value, SkinLineWidthRange));
    } else if (Is(name, "HandLength")) {
        meter->SetHandSizeByPercent(SkinInteger(value));
    } else if (Is(name, "HandColor")) {
        meter->SetHandColor(ColorOfColorRef(SkinColor(value)));
    } else {
        Fail(SSkinBadPropertyName, name);
    }
}

} // namespace

void SetMainProperty(SkinTarget& target, TSkinFolder& folder, const QString& name,
                     const QString& value) {
    QWidget* window = target.MainWindow();
    if (Is(name, "Height") || Is(name, "Width")) {
        const bool height = Is(name, "Height");
        const int size =
            InSkinRange(ParseSkinNumber(value).value_or(height ? 320 : 200), SkinSizeRange, value);
        const QSize windowSize =
            height ? QSize(window->width(), size) : QSize(size, window->height());
        CheckPixels(windowSize);
        window->resize(windowSize);
    } else if (Is(name, "Background")) {
        QImage cleared(10, 10, QImage::Format_RGB32);
        cleared.fill(Qt::black);
        target.Background()->SetPicture(cleared);
        if (const std::optional<QImage> picture = folder.Bitmap(value)) {
            target.Background()->SetPicture(*picture);
        }
    } else if (Is(name, "BackgroundColor")) {
        const int color = SkinColor(value);
        target.Parameters.MainBackgroundColor = color;
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, ColorOfColorRef(color));
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    } else if (const TKeyField key = MainKeyField(target.Parameters, name); key.Field != nullptr) {
        *key.Field = SkinIntegerIn(value, key.Range);
    } else {
        Fail(SSkinIllegalTag, name);
    }
}

void SetSectionProperty(TSkinWindowLook& look, TSkinFolder& folder, const QString& name,
                        const QString& value) {
    if (Is(name, "Background")) {
        look.Background = folder.Bitmap(value).value_or(QImage());
    } else if (Is(name, "BackgroundColor")) {
        look.BackgroundColor = SkinColor(value);
    } else if (const TKeyField key = SectionKeyField(look, name); key.Field != nullptr) {
        *key.Field = SkinIntegerIn(value, key.Range);
        CheckPixels(QSize(look.Width, look.Height));
    } else {
        Fail(SSkinIllegalTag, name);
    }
}

void SetControlProperty(SkinTarget& target, TSkinFolder& folder, TSkinElement element,
                        QWidget* control, const QString& name, const QString& value) {
    if (SetCommonProperty(target, folder, control, name, value) &&
        !(Is(name, "Function") && ReadsFunction(element))) {
        return;
    }
    switch (element) {
    case TSkinElement::Button:
        SetButtonProperty(target, folder, static_cast<TRealTimeButton*>(control), name, value);
        break;
    case TSkinElement::Image:
        SetImageProperty(folder, static_cast<TSkinImage*>(control), name, value);
        break;
    case TSkinElement::Label:
        SetLabelProperty(static_cast<QLabel*>(control), name, value);
        break;
    case TSkinElement::ScrollBar:
        SetScrollBarProperty(target, folder, static_cast<TBitmapScrollBar*>(control), name, value);
        break;
    case TSkinElement::SpeedMeter:
        SetSpeedMeterProperty(static_cast<TSpeedMeter*>(control), name, value);
        break;
    case TSkinElement::Root:
    case TSkinElement::Mainfrm:
    case TSkinElement::Wavefrm:
    case TSkinElement::Repeatfrm:
        break;
    }
}
