// The shipped skins with one number at a time replaced by an extreme value: each either loads
// within the limits or is refused at the changed line, and whatever loads paints.
#include "skin_fixture.h"
#include "skins/skin_bounds.h"
#include "skins/skin_line.h"
#include "skins/skin_loader.h"
#include "skins/skin_values.h"

#include <QDirIterator>
#include <QSet>
#include <cctype>

namespace {

const QString ShippedSkins = QStringLiteral(QUAVREL_PROGRAM_FOLDER "/Skins/");

struct MutationCase {
    const char* skin;
    const char* value;
};

std::string CaseName(const MutationCase& test) {
    std::string name = std::string(test.skin) + "_";
    for (const char* c = test.value; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

// Whether the value of a property line is a number, in the integer or the colour form.
bool IsNumber(const QString& value) {
    return ParseSkinNumber(value).has_value() ||
           (value.startsWith(u'#') && ParseSkinNumber("$" + value.mid(1)).has_value());
}

// The lines to change: the first number-valued line of each property within each element.
std::vector<int> NumberLines(const QStringList& lines) {
    std::vector<int> chosen;
    QSet<QString> seen;
    QString element;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        QString value;
        const TSkinLineKind kind = ClassifySkinLine(lines[i], name, value);
        if (kind == TSkinLineKind::Open) {
            element = name;
        } else if (kind == TSkinLineKind::Property && lines[i].contains("Value=\"") &&
                   IsNumber(value) && !seen.contains(element + "/" + name)) {
            seen.insert(element + "/" + name);
            chosen.push_back(i);
        }
    }
    return chosen;
}

bool PlaceFits(QPoint place) {
    return IsInSkinRange(place.x(), SkinPositionRange) &&
           IsInSkinRange(place.y(), SkinPositionRange);
}

void ExpectWithinLimits(const RecordingTarget& target, QWidget& window) {
    EXPECT_TRUE(FitsSkinPixels(window.size()));
    for (QWidget* parent : {&window, target.Unparented()}) {
        for (const QWidget* control : parent->findChildren<QWidget*>()) {
            EXPECT_TRUE(PlaceFits(control->pos())) << control->metaObject()->className();
            EXPECT_TRUE(FitsSkinPixels(control->size())) << control->metaObject()->className();
        }
    }
    const SkinParameters& parameters = target.Parameters;
    for (const TTextItemLook* text :
         {&parameters.CurrentTime, &parameters.RepeatStart, &parameters.RepeatStop,
          &parameters.Cassette.Title, &parameters.Card.Title}) {
        EXPECT_TRUE(PlaceFits(text->Pos));
        EXPECT_TRUE(IsInSkinRange(text->Angle, SkinAngleRange));
    }
    for (const TSkinWindowLook* look : {&parameters.Cassette, &parameters.Card}) {
        EXPECT_TRUE(FitsSkinPixels(QSize(look->Width, look->Height)));
        EXPECT_TRUE(PlaceFits(look->DockingPoint));
    }
    EXPECT_FALSE(window.grab().isNull());
}

class SkinMutationTest : public SkinFixture, public testing::WithParamInterface<MutationCase> {};

TEST_P(SkinMutationTest, LoadsWithinTheLimitsOrIsRefusedAtTheLine) {
    const MutationCase& test = GetParam();
    const QString shipped = ShippedSkins + test.skin + "/";
    for (QDirIterator files(shipped, QDir::Files); files.hasNext();) {
        const QString path = files.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        WriteFile("m", files.fileName(), file.readAll());
    }
    QFile description(shipped + "skin.xml");
    ASSERT_TRUE(description.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(description.readAll()).split('\n');
    const std::vector<int> numberLines = NumberLines(lines);
    EXPECT_GT(numberLines.size(), 20u);

    for (const int at : numberLines) {
        SCOPED_TRACE(lines[at].toStdString());
        QStringList changed = lines;
        const qsizetype start = changed[at].indexOf("Value=\"") + 7;
        changed[at].replace(start, changed[at].indexOf('"', start) - start,
                            QString::fromLatin1(test.value));
        WriteSkin("m", changed);
        target.errors.clear();

        if (LoadSkin(target, "m")) {
            EXPECT_TRUE(target.errors.isEmpty());
            ExpectWithinLimits(target, window);
        } else {
            ASSERT_EQ(target.errors.size(), 1);
            EXPECT_TRUE(target.errors.front().startsWith(SkinErrorText(at + 1, "")))
                << target.errors.front().toStdString();
        }
        DeleteDestroyedControls();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShippedSkins, SkinMutationTest,
    testing::Values(MutationCase{"sky", "2147483647"}, MutationCase{"sky", "-2147483648"},
                    MutationCase{"sky", "2000000000"}, MutationCase{"sky", "#FFFFFF"},
                    MutationCase{"default", "2147483647"}, MutationCase{"default", "-2147483648"},
                    MutationCase{"default", "2000000000"}, MutationCase{"default", "#FFFFFF"}),
    [](const auto& info) { return CaseName(info.param); });

} // namespace
