#include "actions/real_time_action.h"
#include "actions/real_time_button.h"
#include "skin_fixture.h"
#include "skins/bitmap_scroll_bar.h"
#include "skins/skin_background.h"
#include "skins/skin_controls.h"
#include "skins/skin_loader.h"
#include "skins/speed_meter.h"

#include <QLabel>
#include <QScreen>
#include <functional>

namespace {

// What a test looks at once a skin has loaded or failed.
struct Loaded {
    RecordingTarget& target;
    QWidget& window;

    const TControlList& Group(TSkinFunction function) const { return target.Groups[function]; }
    template <typename Control> Control* First(TSkinFunction function) const {
        return dynamic_cast<Control*>(Group(function).Item(0));
    }
};

struct LoaderCase {
    const char* name;
    QStringList lines;
    // The message box text; empty when the skin loads.
    QString error;
    std::function<void(const Loaded&)> check = [](const Loaded&) {};
};

// A description inside the root element and the main window's section.
QStringList InMainfrm(const QStringList& lines) {
    return QStringList{"<Quavrel>", "<Mainfrm>"} + lines + QStringList{"</Mainfrm>", "</Quavrel>"};
}

QStringList InWavefrm(const QStringList& lines) {
    return QStringList{"<Quavrel>", "<Wavefrm>"} + lines + QStringList{"</Wavefrm>", "</Quavrel>"};
}

class SkinLoaderTest : public SkinFixture, public testing::WithParamInterface<LoaderCase> {};

TEST_P(SkinLoaderTest, LoadsOrReportsTheLine) {
    const LoaderCase& test = GetParam();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    WriteBitmap("s", "pic.bmp", picture);
    WriteSkin("s", test.lines);

    const bool loaded = LoadSkin(target, "s");

    if (test.error.isEmpty()) {
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(target.errors.isEmpty()) << target.errors.join('|').toStdString();
        EXPECT_TRUE(target.Parameters.Active);
    } else {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(target.errors, QStringList{test.error});
        EXPECT_FALSE(target.Parameters.Active);
        EXPECT_TRUE(window.isVisible()) << "a failed load shows the window in the plain look";
    }
    test.check({target, window});
}

const LoaderCase LoaderCases[] = {
    {"RootOnlyFileGivesAnEmptyShape",
     {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<Quavrel>", "</Quavrel>"},
     "",
     [](const Loaded& l) {
         EXPECT_EQ(l.window.size(), QSize(500, 500));
         EXPECT_TRUE(l.window.windowFlags().testFlag(Qt::FramelessWindowHint));
         EXPECT_FALSE(l.window.mask().intersects(l.window.rect()));
         EXPECT_EQ(l.target.Parameters.Cassette.Width, 0);
         EXPECT_EQ(l.target.Parameters.Cassette.Height, 0);
         EXPECT_EQ(l.target.Parameters.DockSnapDistance, 25);
         EXPECT_EQ(l.target.sectionLooksApplied, 1);
     }},
    {"OneLineCommentIsAnElement",
     {"<Quavrel>", "<!-- a note -->", "</Quavrel>"},
     SkinErrorText(2, "Unknown Tag Error : !--")},
    {"CommentLinesHideEverythingUpToTheEnd",
     {"<Quavrel>", "<!--", "<Bogus>", "x", "-->", "<Mainfrm>", "<!--", "<Width Value=\"9\"/>",
      "--!>", "</Mainfrm>", "</Quavrel>"},
     "",
     [](const Loaded& l) { EXPECT_EQ(l.window.width(), 500); }},
    {"LinesAreCountedWithBlanksAndComments",
     {"", "<Quavrel>", "<!--", "-->", "", "<x>", "</Quavrel>"},
     SkinErrorText(6, "Unknown Tag Error : x")},
    {"ShortLineIsASyntaxError",
     {"<Quavrel>", "  <> ", "</Quavrel>"},
     SkinErrorText(2, "Syntax Error : <>")},
    {"NamelessTagIsASyntaxError",
     {"<Quavrel>", "< Value=\"1\"/>"},
     SkinErrorText(2, "Syntax Error : < Value=\"1\"/>")},
    {"ElementNamesIgnoreCase",
     {"<QUAVREL>", "<mainfrm>", "<Width Value=\"300\"/>", "</mainfrm>", "</QUAVREL>"},
     "",
     [](const Loaded& l) { EXPECT_EQ(l.window.width(), 300); }},
    {"CloseTagRepeatsTheOpeningLetters",
     {"<Quavrel>", "<mainfrm>", "</Mainfrm>", "</Quavrel>"},
     SkinErrorText(3, "Unknown Tag Error : Mainfrm")},
    {"ClosingTheWrongElement", InMainfrm({"<Button>", "<Label>", "</Button>"}),
     SkinErrorText(5, "Unknown Tag Error : Button")},
    {"CloseWithNothingOpen", {"</Quavrel>"}, SkinErrorText(1, "Stack Over Flow")},
    {"PropertyWithNothingOpen", {"<Width Value=\"3\"/>"}, SkinErrorText(1, "Stack Over Flow")},
    {"OpenElementsMayBeLeftOpen",
     {"<Quavrel>", "<Mainfrm>", "<Height Value=\"120\"/>"},
     "",
     [](const Loaded& l) { EXPECT_EQ(l.window.height(), 120); }},
    {"RootPropertiesAreIgnored", {"<Quavrel>", "<Anything Value=\"1\"/>", "</Quavrel>"}, ""},
    {"PropertyNamesKeepTheirCase", InMainfrm({"<height Value=\"320\"/>"}),
     SkinErrorText(3, "Illegal Tag : height")},
    {"SectionKeysIgnoreCase",
     InWavefrm({"<textangle Value=\"900\"/>", "<DOCKINGPOINTLEFT Value=\"12\"/>"}), "",
     [](const Loaded& l) {
         EXPECT_EQ(l.target.Parameters.Cassette.Title.Angle, 900);
         EXPECT_EQ(l.target.Parameters.Cassette.DockingPoint, QPoint(12, 0));
     }},
    {"MainKeysIgnoreCase", InMainfrm({"<textrepeatstopangle Value=\"-450\"/>"}), "",
     [](const Loaded& l) { EXPECT_EQ(l.target.Parameters.RepeatStop.Angle, -450); }},
    {"MainHeightThatIsNoNumberIs320",
     InMainfrm({"<Height Value=\"tall\"/>", "<Width Value=\"wide\"/>"}), "",
     [](const Loaded& l) { EXPECT_EQ(l.window.size(), QSize(200, 320)); }},
    {"SectionHeightThatIsNoNumberFails", InWavefrm({"<Height Value=\"tall\"/>"}),
     SkinErrorText(3, "Malformed integer : tall")},
    {"HexadecimalIntegerShowsADollar", InWavefrm({"<Width Value=\"#1G\"/>"}),
     SkinErrorText(3, "Malformed integer : $1G")},
    {"MinusNinetyNineNinetyNineIsNoNumber", InWavefrm({"<Width Value=\"-99999\"/>"}),
     SkinErrorText(3, "Malformed integer : -99999")},
    {"ValueWithoutValueTakesThePreviousOne", InMainfrm({"<Width Value=\"300\"/>", "<Height/>"}), "",
     [](const Loaded& l) { EXPECT_EQ(l.window.size(), QSize(300, 300)); }},
    {"UnquotedBitmapKeepsTheSlash", InMainfrm({"<Image>", "<Bitmap Value=pic.bmp/>", "</Image>"}),
     SkinErrorText(4, "Could not find the file : pic.bmp/")},
    {"ColourIsAWindowsColourReference",
     InMainfrm(
         {"<BackgroundColor Value=\"#FF0000\"/>", "<TextCurrentTimeColor Value=\"#FF0000\"/>"}),
     "",
     [](const Loaded& l) {
         EXPECT_EQ(l.target.Parameters.MainBackgroundColor, 0xFF0000);
         EXPECT_EQ(l.window.palette().color(QPalette::Window), QColor(Qt::blue));
         EXPECT_EQ(l.target.Parameters.CurrentTime.Color, 0xFF0000);
     }},
    {"IntegerColourSwitchesALayerOff",
     InWavefrm({"<TextColor Value=\"#FF\"/>", "<TextColorShadow Value=\"-1\"/>"}), "",
     [](const Loaded& l) {
         EXPECT_EQ(l.target.Parameters.Cassette.Title.Color, 0xFF);
         EXPECT_EQ(l.target.Parameters.Cassette.Title.ColorShadow, -1);
     }},
    {"ColourThatIsNoNumberFails", InWavefrm({"<BackgroundColor Value=\"#red\"/>"}),
     SkinErrorText(3, "malformed color : #red")},
    {"ColourOneAboveTheLargestFails", InWavefrm({"<BackgroundColor Value=\"#1000000\"/>"}),
     SkinErrorText(3, "malformed color : #1000000")},
    {"SectionLooks",
     {"<Quavrel>", "<Repeatfrm>", "<Background Value=\"pic.bmp\"/>",
      "<BackgroundColor Value=\"#00FF00\"/>", "<Width Value=\"90\"/>", "<Height Value=\"40\"/>",
      "<DockingPointTop Value=\"7\"/>", "<TextPosLeft Value=\"5\"/>", "</Repeatfrm>", "</Quavrel>"},
     "",
     [](const Loaded& l) {
         const TSkinWindowLook& card = l.target.Parameters.Card;
         EXPECT_EQ(card.Background.size(), QSize(4, 4));
         EXPECT_EQ(card.BackgroundColor, 0x00FF00);
         EXPECT_EQ(QSize(card.Width, card.Height), QSize(90, 40));
         EXPECT_EQ(card.DockingPoint, QPoint(0, 7));
         EXPECT_EQ(card.Title.Pos, QPoint(5, 0));
         EXPECT_TRUE(l.target.Parameters.Cassette.Background.isNull());
     }},
    {"UnknownSectionPropertyFails", InWavefrm({"<Left Value=\"1\"/>"}),
     SkinErrorText(3, "Illegal Tag : Left")},
    {"ButtonWithAGroupThatHasNoCommand",
     InMainfrm({"<Button>", "<Function Value=\"Velocity\"/>", "</Button>"}),
     SkinErrorText(4, "Bad Function Name : Velocity"),
     [](const Loaded& l) {
         EXPECT_EQ(l.Group(TSkinFunction::Velocity).Count(), 0) << "the reset empties the groups";
     }},
    {"ButtonRunsTheCommandOfItsName",
     InMainfrm({"<Button>", "<Left Value=\"10\"/>", "<Top Value=\"20\"/>", "<Width Value=\"30\"/>",
                "<Height Value=\"40\"/>", "<Function Value=\"play\"/>",
                "<URL Value=\"https://example.org/\"/>", "<BitmapNormal Value=\"pic.bmp\"/>",
                "<BitmapDowned Value=\"\"/>", "</Button>", "<Button>",
                "<Function Value=\"RepeatPlaySwitch\"/>", "</Button>"}),
     "",
     [](const Loaded& l) {
         auto* play = l.First<TRealTimeButton>(TSkinFunction::Play);
         ASSERT_NE(play, nullptr);
         EXPECT_EQ(play->parentWidget(), &l.window);
         EXPECT_EQ(play->geometry(), QRect(10, 20, 30, 40));
         EXPECT_EQ(play->RealTimeAction(), l.target.Actions().Of(TSkinFunction::Play));
         EXPECT_EQ(play->UserString(), "https://example.org/");
         EXPECT_EQ(play->Glyph().Size(), QSize(4, 4));
         EXPECT_FALSE(play->ToggleType());
         auto* toggle = l.First<TRealTimeButton>(TSkinFunction::RepeatPlaySwitch);
         ASSERT_NE(toggle, nullptr);
         EXPECT_TRUE(toggle->ToggleType());
     }},
    {"UnknownButtonPropertyFails", InMainfrm({"<Button>", "<Caption Value=\"x\"/>"}),
     SkinErrorText(4, "Bad Property Name : Caption")},
    {"ButtonAndImagePropertiesAfterTheirControlAreIgnored",
     InMainfrm({"<Button>", "<Image>", "</Image>", "<Nonsense Value=\"1\"/>", "</Button>",
                "<Image>", "<Button>", "</Button>", "<Nonsense/>", "</Image>"}),
     ""},
    {"LabelPropertyAfterItsControlFails",
     InMainfrm({"<Label>", "<Button>", "</Button>", "<Caption Value=\"x\"/>"}),
     SkinErrorText(6, "No control is open for the property : Caption")},
    {"ScrollBarPropertyAfterItsControlFails",
     InMainfrm({"<ScrollBar>", "<Image>", "</Image>", "<ScrollType Value=\"Vertical\"/>"}),
     SkinErrorText(6, "No control is open for the property : ScrollType")},
    {"SpeedMeterPropertyAfterItsControlFails",
     InMainfrm({"<SpeedMeter>", "<Label>", "</Label>", "<TickCount Value=\"3\"/>"}),
     SkinErrorText(6, "No control is open for the property : TickCount")},
    {"LabelsAndImagesTakeAnyFunctionName",
     InMainfrm({"<Label>", "<Function Value=\"Nonsense\"/>", "<Function Value=\"docKingPoint\"/>",
                "<Caption Value=\"Hi\"/>", "<FontSize Value=\"20\"/>",
                "<FontColor Value=\"#0000FF\"/>", "</Label>", "<Image>",
                "<Function Value=\"Whatever\"/>", "<Bitmap Value=\"pic.bmp\"/>", "</Image>"}),
     "",
     [](const Loaded& l) {
         auto* label = l.First<QLabel>(TSkinFunction::DockingPoint);
         ASSERT_NE(label, nullptr);
         EXPECT_EQ(label->text(), "Hi");
         EXPECT_EQ(label->font().pointSize(), 20);
         EXPECT_FALSE(label->isEnabled());
         EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
     }},
    {"SpeedMeterLabel", InMainfrm({"<Label>", "<Function Value=\"SpeedMeterLabel\"/>", "</Label>"}),
     "",
     [](const Loaded& l) {
         auto* label = l.First<QLabel>(TSkinFunction::SpeedMeterLabel);
         ASSERT_NE(label, nullptr);
         EXPECT_TRUE(label->isEnabled());
         EXPECT_EQ(label->font().family(), "Small Fonts");
         EXPECT_EQ(label->font().pointSize(), 7);
     }},
    {"TransposeLabelIsAReadoutInTheSkinsColour",
     InMainfrm({"<Label>", "<Function Value=\"TransposeLabel\"/>", "<FontColor Value=\"#0000FF\"/>",
                "</Label>"}),
     "",
     [](const Loaded& l) {
         auto* label = l.First<QLabel>(TSkinFunction::TransposeLabel);
         ASSERT_NE(label, nullptr);
         EXPECT_TRUE(label->isEnabled());
         EXPECT_FALSE(label->testAttribute(Qt::WA_TransparentForMouseEvents)) << "for its hint";
         EXPECT_EQ(label->font().family(), "Small Fonts");
         EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::red));
         EXPECT_TRUE(label->text().isEmpty()) << "the controller fills it";
     }},
    {"PracticeButtonsRunTheCommandsOfTheirNames",
     InMainfrm({"<Button>", "<Function Value=\"SpeedReset\"/>", "</Button>", "<Button>",
                "<Function Value=\"transposeup\"/>", "</Button>", "<Button>",
                "<Function Value=\"TransposeDown\"/>", "</Button>", "<Button>",
                "<Function Value=\"CentsUp\"/>", "</Button>", "<Button>",
                "<Function Value=\"CentsDown\"/>", "</Button>", "<Button>",
                "<Function Value=\"SpeedTrainer\"/>", "</Button>"}),
     "",
     [](const Loaded& l) {
         for (const TSkinFunction function :
              {TSkinFunction::SpeedReset, TSkinFunction::TransposeUp, TSkinFunction::TransposeDown,
               TSkinFunction::CentsUp, TSkinFunction::CentsDown, TSkinFunction::SpeedTrainer}) {
             const QString name = SkinFunctionName(function);
             auto* button = l.First<TRealTimeButton>(function);
             ASSERT_NE(button, nullptr) << name.toStdString();
             ASSERT_NE(button->RealTimeAction(), nullptr) << name.toStdString();
             EXPECT_EQ(button->RealTimeAction(), l.target.Actions().Of(function));
             EXPECT_EQ(button->RealTimeAction()->objectName(), "re" + name);
             EXPECT_FALSE(button->ToggleType());
         }
     }},
    {"ASkinWithoutThePracticeControlsLoadsAsBefore",
     InMainfrm({"<Button>", "<Function Value=\"Play\"/>", "</Button>", "<Label>",
                "<Function Value=\"SpeedMeterLabel\"/>", "</Label>"}),
     "",
     [](const Loaded& l) {
         for (const TSkinFunction function :
              {TSkinFunction::TransposeLabel, TSkinFunction::SpeedReset, TSkinFunction::TransposeUp,
               TSkinFunction::TransposeDown, TSkinFunction::CentsUp, TSkinFunction::CentsDown,
               TSkinFunction::SpeedTrainer}) {
             EXPECT_EQ(l.Group(function).Count(), 0) << SkinFunctionName(function).toStdString();
         }
         EXPECT_EQ(l.Group(TSkinFunction::Play).Count(), 1);
         EXPECT_EQ(l.Group(TSkinFunction::SpeedMeterLabel).Count(), 1);
     }},
    {"ScrollBars",
     InMainfrm({"<ScrollBar>", "<Function Value=\"Ratio\"/>", "<ScrollType Value=\"Vertical\"/>",
                "<BitmapThumb Value=\"pic.bmp\"/>", "<StartPosLeft Value=\"3\"/>",
                "<StartPosTop Value=\"4\"/>", "<EndPosLeft Value=\"5\"/>",
                "<EndPosTop Value=\"60\"/>", "</ScrollBar>"}),
     "",
     [](const Loaded& l) {
         auto* bar = l.First<TBitmapScrollBar>(TSkinFunction::Ratio);
         ASSERT_NE(bar, nullptr);
         EXPECT_EQ(bar->Kind(), sbVertical);
         EXPECT_EQ(bar->Min(), 10);
         EXPECT_EQ(bar->Max(), 500);
         EXPECT_EQ(bar->BmpThumb().Size(), QSize(4, 4));
         EXPECT_EQ(bar->ScrollStartPos().Point(), QPoint(3, 4));
         EXPECT_EQ(bar->ScrollEndPos().Point(), QPoint(5, 60));
     }},
    {"LowerCaseScrollType", InMainfrm({"<ScrollBar>", "<ScrollType Value=\"horizontal\"/>"}),
     SkinErrorText(4, "Bad ScrollType Value : horizontal")},
    {"ScrollBarFunctionKeepsItsCase", InMainfrm({"<ScrollBar>", "<Function Value=\"ratio\"/>"}),
     SkinErrorText(4, "Bad Function Type : ratio")},
    {"ScrollBarWithoutGuideName", InMainfrm({"<ScrollBar>", "<BitmapGuide Value=\"\"/>"}),
     SkinErrorText(4, "Bad Property Name : BitmapGuide")},
    {"SpeedMeter",
     InMainfrm({"<SpeedMeter>", "<Function Value=\"SpeedMeter\"/>", "<TickCount Value=\"5\"/>",
                "<HandColor Value=\"#00FF00\"/>", "</SpeedMeter>"}),
     "",
     [](const Loaded& l) {
         auto* meter = l.First<TSpeedMeter>(TSkinFunction::SpeedMeter);
         ASSERT_NE(meter, nullptr);
         EXPECT_EQ(meter->Min(), 10);
         EXPECT_EQ(meter->Max(), 500);
         EXPECT_EQ(meter->HandSizeByPercent(), 70);
         EXPECT_EQ(meter->TickWidth(), 1);
         EXPECT_EQ(meter->TickCount(), 5);
         EXPECT_EQ(meter->HandColor(), QColor(Qt::green));
     }},
    {"ControlsOutsideMainfrmNeverAppear",
     {"<Quavrel>", "<Button>", "<Function Value=\"Stop\"/>", "</Button>", "<Wavefrm>", "<Image>",
      "<Function Value=\"Image\"/>", "</Image>", "</Wavefrm>", "</Quavrel>"},
     "",
     [](const Loaded& l) {
         QWidget* stop = l.Group(TSkinFunction::Stop).Item(0);
         QWidget* image = l.Group(TSkinFunction::Image).Item(0);
         ASSERT_NE(stop, nullptr);
         ASSERT_NE(image, nullptr);
         EXPECT_EQ(stop->parentWidget(), l.target.Unparented());
         EXPECT_EQ(image->parentWidget(), l.target.Unparented());
         EXPECT_FALSE(stop->isVisible());
     }},
};

INSTANTIATE_TEST_SUITE_P(Descriptions, SkinLoaderTest, testing::ValuesIn(LoaderCases),
                         [](const auto& info) { return info.param.name; });

TEST_F(SkinLoaderTest, FunctionTableBindsTheCommandsOfTheirNames) {
    int commands = 0;
    for (int i = 0; i < SkinFunctionCount; ++i) {
        const auto function = static_cast<TSkinFunction>(i);
        const QString name = SkinFunctionName(function);
        EXPECT_EQ(FindSkinFunction(name.toUpper()), function) << name.toStdString();
        TRealTimeAction* action = target.Actions().Of(function);
        if (action != nullptr) {
            ++commands;
            EXPECT_EQ(action->objectName(), "re" + name);
        }
        EXPECT_EQ(action != nullptr, i >= static_cast<int>(FirstCommandFunction))
            << name.toStdString();
    }
    EXPECT_EQ(commands, 37);
    EXPECT_EQ(FindSkinFunction("Nonsense"), std::nullopt);
}

TEST_F(SkinLoaderTest, MissingFolderOrDescriptionChangesNothing) {
    window.resize(123, 45);
    WriteFile("empty", "Title.txt", "eng=Empty\n");
    QFile plain(SkinsFolder() + "plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const char* name : {"absent", "empty", "plain"}) {
        EXPECT_FALSE(LoadSkin(target, name)) << name;
    }
    EXPECT_TRUE(target.errors.isEmpty());
    EXPECT_EQ(window.size(), QSize(123, 45));
}

TEST_F(SkinLoaderTest, FailedSkinFallsBackToDefault) {
    WriteSkin("broken", {"<Quavrel>", "<Oops>"});
    WriteSkin("default", InMainfrm({"<Width Value=\"240\"/>"}));
    EXPECT_EQ(LoadSkinOrDefault(target, "broken"), "default");
    EXPECT_EQ(target.errors.size(), 1);
    EXPECT_EQ(window.width(), 240);
    EXPECT_EQ(LoadSkinOrDefault(target, "absent"), "default");
    EXPECT_EQ(target.errors.size(), 1);
}

TEST_F(SkinLoaderTest, NextLoadDestroysTheGroupedControlsAndResetsTheLooks) {
    WriteSkin("a",
              {"<Quavrel>", "<Mainfrm>", "<Button>", "<Function Value=\"Play\"/>", "</Button>",
               "<Label>", "</Label>", "<TextCurrentTimePosLeft Value=\"40\"/>",
               "<TextCurrentTimeColor Value=\"#123456\"/>", "</Mainfrm>", "<Wavefrm>",
               "<Width Value=\"80\"/>", "<TextColor Value=\"5\"/>", "</Wavefrm>", "</Quavrel>"});
    WriteSkin("b", {"<Quavrel>", "</Quavrel>"});
    ASSERT_TRUE(LoadSkin(target, "a"));
    QPointer<QWidget> play = target.Groups[TSkinFunction::Play].Item(0);
    QPointer<QLabel> ungrouped = window.findChild<QLabel*>();
    ASSERT_NE(play, nullptr);
    ASSERT_NE(ungrouped, nullptr);

    ASSERT_TRUE(LoadSkin(target, "b"));
    EXPECT_EQ(target.Groups[TSkinFunction::Play].Count(), 0);
    DeleteDestroyedControls();
    EXPECT_EQ(play, nullptr);
    EXPECT_NE(ungrouped, nullptr) << "a control in no group stays";
    EXPECT_EQ(target.Parameters.Cassette.Width, 0);
    EXPECT_EQ(target.Parameters.Cassette.Title.Color, -1);
    EXPECT_EQ(target.Parameters.CurrentTime.Color, -1);
    EXPECT_EQ(target.Parameters.CurrentTime.Pos, QPoint(40, 0)) << "positions outlive a reset";
}

TEST_F(SkinLoaderTest, ResetGivesThePlainLook) {
    QImage back(30, 20, QImage::Format_RGB32);
    back.fill(Qt::white);
    back.setPixel(5, 5, qRgb(0, 0, 0));
    WriteBitmap("a", "back.bmp", back);
    WriteSkin("a", InMainfrm({"<Width Value=\"400\"/>", "<Background Value=\"back.bmp\"/>"}));
    window.show();
    ASSERT_TRUE(LoadSkin(target, "a"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(target.Parameters.DockSnapDistance, 20);
    EXPECT_EQ(window.mask(), QRegion(5, 5, 1, 1)) << "the picture's shape";
    EXPECT_TRUE(target.Background()->isVisible());
    EXPECT_EQ(target.Background()->Picture().size(), QSize(30, 20));

    ResetSkin(target);
    EXPECT_FALSE(target.Parameters.Active);
    EXPECT_EQ(window.size(), QSize(500, 500));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.mask().isEmpty()) << "no shape: the plain rectangle";
    EXPECT_FALSE(target.Background()->isVisibleTo(&window));
    EXPECT_EQ(target.Background()->Picture().size(), QSize(500, 500));
}

TEST_F(SkinLoaderTest, WindowPastTheScreenEdgeMovesBack) {
    const QRect screen = window.screen()->geometry();
    WriteSkin("a", InMainfrm({"<Width Value=\"200\"/>", "<Height Value=\"100\"/>"}));
    window.move(screen.right() - 50, screen.bottom() - 20);
    ASSERT_TRUE(LoadSkin(target, "a"));
    EXPECT_EQ(window.pos(), QPoint(screen.right() + 1 - 200, screen.bottom() + 1 - 100));
    EXPECT_EQ(window.size(), QSize(200, 100));
}

TEST_F(SkinLoaderTest, ScrollBarsCallTheControllersHandlers) {
    std::vector<std::string> calls;
    target.ScrollHandlers.PlayingPositionScroll = [&](auto*, TScrollCode, int&) {
        calls.push_back("position");
    };
    target.ScrollHandlers.RatioChange = [&](auto*) { calls.push_back("ratio"); };
    WriteSkin("a",
              InMainfrm({"<ScrollBar>", "<Function Value=\"PlayingPosition\"/>", "</ScrollBar>",
                         "<ScrollBar>", "<Function Value=\"Ratio\"/>", "</ScrollBar>"}));
    ASSERT_TRUE(LoadSkin(target, "a"));
    auto* position =
        dynamic_cast<TBitmapScrollBar*>(target.Groups[TSkinFunction::PlayingPosition].Item(0));
    auto* ratio = dynamic_cast<TBitmapScrollBar*>(target.Groups[TSkinFunction::Ratio].Item(0));
    ASSERT_NE(position, nullptr);
    ASSERT_NE(ratio, nullptr);
    int code = 0;
    position->OnScroll(position, scEndScroll, code);
    ratio->SetPosition(200);
    EXPECT_EQ(calls, (std::vector<std::string>{"position", "ratio"}));
}

} // namespace
