#include "skin_loader.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "actions/stack_string_list.h"
#include "picture_file.h"
#include "platform/text_decoding.h"
#include "skin_background.h"
#include "skin_bounds.h"
#include "skin_controls.h"
#include "skin_error.h"
#include "skin_folder.h"
#include "skin_line.h"
#include "skin_properties.h"
#include "skin_target.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>

namespace {

constexpr QSize PlainSize(500, 500);
const QString DefaultSkin = QStringLiteral("default");

// Setting window flags hides a window; one that was shown is shown again.
void SetFrameless(QWidget* window, bool frameless) {
    if (!window->isWindow() ||
        window->windowFlags().testFlag(Qt::FramelessWindowHint) == frameless) {
        return;
    }
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::FramelessWindowHint, frameless);
    if (visible) {
        window->show();
    }
}

void ClearTextColors(TTextItemLook& item) {
    item.Color = -1;
    item.ColorLight = -1;
    item.ColorShadow = -1;
}

// Drops what a section set, except the title text's place and angle.
void ClearSectionLook(TSkinWindowLook& look) {
    look.Background = QImage();
    look.BackgroundColor = 0;
    look.Width = 0;
    look.Height = 0;
    look.DockingPoint = QPoint(0, 0);
    ClearTextColors(look.Title);
}

// A window reaching past the right or bottom edge of its screen moves back onto it, at its size.
void FitOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    QPoint at = window->pos();
    if (at.x() + window->width() > area.x() + area.width()) {
        at.setX(area.x() + area.width() - window->width());
    }
    if (at.y() + window->height() > area.y() + area.height()) {
        at.setY(area.y() + area.height() - window->height());
    }
    window->move(at);
}

// The lines of a description file: the last line needs no line break after it.
QStringList DescriptionLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// Follows a description line by line, holding the open elements and the control being built.
class SkinReader {
public:
    SkinReader(SkinTarget& target, const QString& folder) : target(target), folder(folder) {}

    void Read(const QString& line) {
        QString name;
        const TSkinLineKind kind = ClassifySkinLine(line, name, value);
        if (kind == TSkinLineKind::CommentStart) {
            inComment = true;
            return;
        }
        if (kind == TSkinLineKind::CommentEnd) {
            inComment = false;
            return;
        }
        if (inComment) {
            return;
        }
        switch (kind) {
        case TSkinLineKind::SyntaxError:
            throw ESkinError(SSkinSyntaxError, TrimSkinText(line));
        case TSkinLineKind::Open:
            Open(name);
            break;
        case TSkinLineKind::Close:
            Close(name);
            break;
        case TSkinLineKind::Property:
            Property(name);
            break;
        case TSkinLineKind::Ignored:
        case TSkinLineKind::CommentStart:
        case TSkinLineKind::CommentEnd:
            break;
        }
    }

private:
    static TSkinElement ElementOf(const QString& name) {
        const std::optional<TSkinElement> element = FindSkinElement(name);
        if (!element) {
            throw ESkinError(SSkinUnknownTag, name);
        }
        return *element;
    }

    void Open(const QString& name) {
        const TSkinElement element = ElementOf(name);
        stack.Push(name);
        if (element == TSkinElement::Mainfrm) {
            parent = target.MainWindow();
        } else if (!IsSkinControl(element)) {
            parent = nullptr;
        } else {
            if (++controls > MaxSkinControls) {
                throw ESkinError(
                    FormatMessage(SSkinTooManyControls, {MaxSkinControls}).toStdString());
            }
            control =
                CreateSkinControl(element, parent != nullptr ? parent.data() : target.Unparented());
            folder.ControlSized(control->size());
        }
    }

    void Close(const QString& name) {
        const TSkinElement element = ElementOf(name);
        if (stack.Peek() != name) {
            throw ESkinError(SSkinUnknownTag, name);
        }
        stack.Pop();
        control = nullptr;
        if (!IsSkinControl(element)) {
            parent = nullptr;
        }
    }

    void Property(const QString& name) {
        const TSkinElement element = ElementOf(stack.Peek());
        switch (element) {
        case TSkinElement::Root:
            break;
        case TSkinElement::Mainfrm:
            SetMainProperty(target, folder, name, value);
            break;
        case TSkinElement::Wavefrm:
            SetSectionProperty(target.Parameters.Cassette, folder, name, value);
            break;
        case TSkinElement::Repeatfrm:
            SetSectionProperty(target.Parameters.Card, folder, name, value);
            break;
        case TSkinElement::Button:
        case TSkinElement::Image:
            if (control != nullptr) {
                SetControlProperty(target, folder, element, control, name, value);
            }
            break;
        case TSkinElement::Label:
        case TSkinElement::ScrollBar:
        case TSkinElement::SpeedMeter:
            // Left open around a control that has closed since.
            if (control == nullptr) {
                throw ESkinError(SSkinNoOpenControl, name);
            }
            SetControlProperty(target, folder, element, control, name, value);
            break;
        }
    }

    SkinTarget& target;
    TSkinFolder folder;
    TStackStringList stack;
    QPointer<QWidget> parent;
    QPointer<QWidget> control;
    QString value;
    bool inComment = false;
    int controls = 0;
};

void FinishLoading(SkinTarget& target, bool wasVisible) {
    QWidget* window = target.MainWindow();
    target.Parameters.Active = true;
    SetFrameless(window, true);
    target.ApplyHints();
    target.Background()->show();
    target.Background()->RebuildTextAreas();
    target.ApplySectionLooks();
    FitOnScreen(window);
    target.RefreshDisplay();
    target.ApplyMainWindowShape();
    if (wasVisible) {
        window->show();
        window->update();
    }
    target.Parameters.DockSnapDistance = window->width() / 20;
}

} // namespace

void ResetSkin(SkinTarget& target) {
    SkinParameters& parameters = target.Parameters;
    parameters.DockSnapDistance = 15;
    parameters.WindowSlideSteps = 8;
    parameters.Active = false;
    ClearSectionLook(parameters.Cassette);
    ClearSectionLook(parameters.Card);
    ClearTextColors(parameters.CurrentTime);
    ClearTextColors(parameters.RepeatStart);
    ClearTextColors(parameters.RepeatStop);

    QWidget* window = target.MainWindow();
    window->resize(PlainSize);
    QImage plain(PlainSize, QImage::Format_RGB32);
    plain.fill(QApplication::palette().color(QPalette::Button));
    target.Background()->SetPicture(plain);
    target.Background()->hide();
    target.ApplyMainWindowShape();
    target.Background()->RebuildTextAreas();
    SetFrameless(window, false);
    target.Groups.DestroyAll();
}

bool LoadSkin(SkinTarget& target, const QString& name) {
    const QString folder = target.SkinsFolder() + name + QStringLiteral("/");
    const QString description = folder + QStringLiteral("skin.xml");
    if (!QFileInfo(folder).isDir() || !QFileInfo(description).isFile()) {
        return false;
    }
    QWidget* window = target.MainWindow();
    const bool wasVisible = window->isVisible();
    int lineNumber = 0;
    try {
        const QStringList lines = DescriptionLines(DecodeLanguageText(ReadSkinFile(description)));
        window->hide();
        ResetSkin(target);
        SkinReader reader(target, folder);
        for (const QString& line : lines) {
            ++lineNumber;
            reader.Read(line);
        }
    } catch (const std::exception& error) {
        target.ShowSkinError(FormatMessage(
            SSkinErrorAtLine, {lineNumber, QStringLiteral("\n"), QString::fromUtf8(error.what())}));
        ResetSkin(target);
        window->show();
        return false;
    }
    FinishLoading(target, wasVisible);
    return true;
}

QString LoadSkinOrDefault(SkinTarget& target, const QString& name) {
    if (LoadSkin(target, name)) {
        return name;
    }
    LoadSkin(target, DefaultSkin);
    return DefaultSkin;
}
