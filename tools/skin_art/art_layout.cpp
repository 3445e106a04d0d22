#include "art_layout.h"

#include "platform/text_decoding.h"
#include "skins/picture_file.h"
#include "skins/skin_line.h"
#include "skins/skin_values.h"

#include <stdexcept>

namespace {

int IntegerOf(const QMap<QString, QString>& properties, const QString& name, int fallback) {
    return properties.contains(name) ? SkinInteger(properties.value(name)) : fallback;
}

} // namespace

bool ArtControl::Has(TSkinFunction function) const {
    return Functions.contains(SkinFunctionName(function));
}

int ArtControl::Integer(const QString& name, int fallback) const {
    return IntegerOf(Properties, name, fallback);
}

int ArtSection::Integer(const QString& name, int fallback) const {
    return IntegerOf(Properties, name, fallback);
}

QSize ArtLayout::MainSize() const {
    return {Main.Integer("Width", 500), Main.Integer("Height", 500)};
}

const ArtControl* ArtLayout::Find(TSkinFunction function) const {
    for (const ArtControl& control : Controls) {
        if (control.Has(function)) {
            return &control;
        }
    }
    return nullptr;
}

TTextItemLook ArtLayout::TimeText(const QString& name) const {
    const QString key = QStringLiteral("Text") + name;
    TTextItemLook look;
    look.Pos = {Main.Integer(key + "PosLeft", 0), Main.Integer(key + "PosTop", 0)};
    look.Angle = Main.Integer(key + "Angle", 0);
    look.Color = Main.Integer(key + "Color", -1);
    look.ColorLight = Main.Integer(key + "ColorLight", -1);
    look.ColorShadow = Main.Integer(key + "ColorShadow", -1);
    return look;
}

TTextItemLook ArtLayout::Title(const ArtSection& section) {
    TTextItemLook look;
    look.Pos = {section.Integer("TextPosLeft", 0), section.Integer("TextPosTop", 0)};
    look.Angle = section.Integer("TextAngle", 0);
    look.Color = section.Integer("TextColor", -1);
    look.ColorLight = section.Integer("TextColorLight", -1);
    look.ColorShadow = section.Integer("TextColorShadow", -1);
    return look;
}

QSize ArtLayout::Size(const ArtSection& section) {
    return {section.Integer("Width", 0), section.Integer("Height", 0)};
}

ArtLayout ReadArtLayout(const QString& descriptionPath) {
    ArtLayout layout;
    std::vector<TSkinElement> open;
    // The open control by its place in the list; -1 while none is open.
    qsizetype control = -1;
    QString value;
    bool inComment = false;
    for (const QString& line : DecodeLanguageText(ReadSkinFile(descriptionPath)).split('\n')) {
        QString name;
        const TSkinLineKind kind = ClassifySkinLine(line, name, value);
        if (kind == TSkinLineKind::CommentStart || kind == TSkinLineKind::CommentEnd) {
            inComment = kind == TSkinLineKind::CommentStart;
            continue;
        }
        if (inComment || kind == TSkinLineKind::Ignored) {
            continue;
        }
        const std::optional<TSkinElement> element = FindSkinElement(name);
        if (kind == TSkinLineKind::Open && element) {
            open.push_back(*element);
            if (IsSkinControl(*element)) {
                control = static_cast<qsizetype>(layout.Controls.size());
                layout.Controls.push_back({*element, {}, {}, {}});
            }
        } else if (kind == TSkinLineKind::Close && !open.empty()) {
            open.pop_back();
            control = -1;
        } else if (kind == TSkinLineKind::Property && !open.empty()) {
            switch (open.back()) {
            case TSkinElement::Mainfrm:
                layout.Main.Properties[name] = value;
                break;
            case TSkinElement::Wavefrm:
                layout.Cassette.Properties[name] = value;
                break;
            case TSkinElement::Repeatfrm:
                layout.Card.Properties[name] = value;
                break;
            default:
                if (control < 0) {
                    break;
                }
                ArtControl& target = layout.Controls[static_cast<std::size_t>(control)];
                if (name == u"Function") {
                    target.Functions << value;
                } else if (name == u"Left") {
                    target.Rect.moveLeft(SkinInteger(value));
                } else if (name == u"Top") {
                    target.Rect.moveTop(SkinInteger(value));
                } else if (name == u"Width") {
                    target.Rect.setWidth(SkinInteger(value));
                } else if (name == u"Height") {
                    target.Rect.setHeight(SkinInteger(value));
                } else {
                    target.Properties[name] = value;
                }
            }
        } else {
            throw std::runtime_error("cannot read this line of " + descriptionPath.toStdString() +
                                     ": " + line.toStdString());
        }
    }
    return layout;
}
