#include "actions/dialog_state.h"
#include "actions/event_module.h"
#include "actions/language_choice.h"
#include "actions/language_file.h"
#include "actions/line_break_tags.h"
#include "actions/messages.h"
#include "app/config_menu.h"
#include "app/main_frm.h"
#include "audio/record_source.h"
#include "audio/recording_formats.h"
#include "audio/stretch_engine.h"
#include "cassettes/setting_font.h"
#include "controller/main_controller.h"
#include "dialogs/trainer_options_frm.h"
#include "platform/virtual_wave_device.h"
#include "storage/settings.h"
#include "tests/dialogs/modal.h"
#include "tests/support/fake_launcher.h"
#include "tests/support/temp_dir.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

namespace {

class ConfigMenuTest : public testing::Test {
protected:
    ConfigMenuTest() {
        commands.RecordSourceChanged = [this] { controller.ApplyRecordSource(); };
        commands.FontsChanged = [this] { ++fontsChanged; };
        menu = std::make_unique<TConfigMenu>(events, controller, frm, settings, commands);
    }

    QAction* Named(const char* name) const {
        return events.findChild<QAction*>(QString::fromLatin1(name));
    }
    // The submenu of a named item, as it is about to show.
    QMenu* Opened(const char* name) const {
        QMenu* submenu = Named(name)->menu();
        emit submenu->aboutToShow();
        return submenu;
    }
    static QStringList Checked(const QMenu* menu) {
        QStringList checked;
        for (const QAction* item : menu->actions()) {
            if (item->isChecked()) {
                checked << item->text();
            }
        }
        return checked;
    }
    static QAction* Captioned(const QMenu* menu, const QString& caption) {
        for (QAction* item : menu->actions()) {
            if (item->text() == caption) {
                return item;
            }
        }
        return nullptr;
    }

    VirtualWaveDevices devices;
    TempDir data;
    Settings settings = DefaultSettings("");
    TEventModule events;
    TMainFrm frm{events, QString::fromStdString(data.Path() + "/Skins/")};
    TMainController controller{frm, events, settings, data.Path()};
    TConfigMenu::TCommands commands;
    int fontsChanged = 0;
    std::unique_ptr<TConfigMenu> menu;
};

TEST_F(ConfigMenuTest, EachOptionItemWritesItsOwnOption) {
    struct Case {
        const char* item;
        std::function<bool(const Settings&)> option; // what the checked item means
    };
    const Case cases[] = {
        {"miOptionDontCarePitchShift", [](const Settings& s) { return s.LinearStretch; }},
        {"miOptionEnableMinimize",
         [](const Settings& s) { return s.CheckMinimizeKeyWhileInactive; }},
        {"miOptionDontStopCD", [](const Settings& s) { return !s.StopCDPlayerWhenExit; }},
        {"miOptionGotoBegining", [](const Settings& s) { return s.JumpToStartWhenSwitchOn; }},
        {"miOptionAddToTreeWhenDropped", [](const Settings& s) { return s.AddToTreeWhenDroped; }},
        {"miOptionAutoStartRepeating", [](const Settings& s) { return s.AutoStartRepeating; }},
        {"miOptionHighQualityStretch",
         [](const Settings& s) { return s.StretchEngine == StretchEngineHighQuality; }},
        {"miOptionDontCheckDisuse", [](const Settings& s) { return !s.CheckDisuseFile; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Opened("miMisc");
        const Settings before = settings;
        const bool wasChecked = Named(c.item)->isChecked();
        EXPECT_EQ(wasChecked, c.option(settings));
        Named(c.item)->trigger();
        EXPECT_EQ(c.option(settings), !wasChecked);
        // A second choice puts it back, and nothing else changed meanwhile.
        Named(c.item)->trigger();
        EXPECT_EQ(settings, before);
    }
}

TEST_F(ConfigMenuTest, ThePitchOptionSetsTheRatioItStandsFor) {
    Opened("miMisc");
    Named("miOptionDontCarePitchShift")->trigger();
    EXPECT_EQ(controller.Ratio(), 370);
    Named("miOptionDontCarePitchShift")->trigger();
    EXPECT_EQ(controller.Ratio(), 150);
}

TEST_F(ConfigMenuTest, ThePracticeMenuRunsTheSongsCommandsAndChoosesTheEngine) {
    QMenu* practice = Opened("miPractice");
    EXPECT_FALSE(Named("miSpeedTrainer")->isChecked());
    Named("miTransposeUp")->trigger();
    Named("miCentsDown")->trigger();
    EXPECT_EQ(controller.Practice().TransposeCents, 90);
    Named("miSpeedTrainer")->trigger();
    EXPECT_TRUE(controller.Practice().TrainerOn);
    emit practice->aboutToShow();
    EXPECT_TRUE(Named("miSpeedTrainer")->isChecked());

    Named("miFasterEngine")->trigger();
    EXPECT_EQ(settings.PlaybackEngine, 1);
    EXPECT_EQ(controller.SongPlayer().Tempo().Engine, TStretchEngine::Short);
    Named("miFasterEngine")->trigger();
    EXPECT_EQ(controller.SongPlayer().Tempo().Engine, TStretchEngine::Finer);

    controller.SetSongSpeed(70);
    Named("miPracticeDefaults")->trigger();
    EXPECT_EQ(settings.Practice, controller.Practice());
}

TEST_F(ConfigMenuTest, TheTrainersOptionsComeFromItsDialog) {
    Opened("miPractice");
    Named("miSpeedTrainerOptions")->trigger();
    auto* dialog = OpenModal<TTrainerOptionsFrm>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->seStart->value(), 60);
    dialog->seStart->setValue(40);
    dialog->seStep->setValue(10);
    dialog->seTarget->setValue(120);
    dialog->btOK->click();
    EXPECT_EQ(controller.Practice().TrainerStart, 40);
    EXPECT_EQ(controller.Practice().TrainerStep, 10);
    EXPECT_EQ(controller.Practice().TrainerTarget, 120);
    DeleteClosedDialogs();
}

TEST_F(ConfigMenuTest, QuicknessShowsTheLevelAStoredValueDoesNotExceed) {
    const std::pair<int, QStringList> cases[] = {{1, {"Very Fine (&0)"}},   {2, {"Very Slow (&1)"}},
                                                 {5, {"Very Slow (&1)"}},   {7, {"Slow (&2)"}},
                                                 {60, {"Very Quick (&5)"}}, {100, {}}};
    for (const auto& [stored, checked] : cases) {
        settings.MainFrmSearchSpeed = stored;
        EXPECT_EQ(Checked(Opened("miPositioningQuickness")), checked) << stored;
    }
    // Each level stores its own value, the finest first.
    const std::pair<const char*, int> levels[] = {{"Very Fine (&0)", 1}, {"Very Slow (&1)", 5},
                                                  {"Slow (&2)", 10},     {"Normal (&3)", 15},
                                                  {"Quick (&4)", 30},    {"Very Quick (&5)", 60}};
    QStringList captions;
    for (const auto& [caption, value] : levels) {
        captions << caption;
        Captioned(Opened("miPositioningQuickness"), caption)->trigger();
        EXPECT_EQ(settings.MainFrmSearchSpeed, value);
        EXPECT_EQ(Checked(Opened("miPositioningQuickness")), QStringList{caption});
    }
    QStringList shown;
    for (const QAction* item : Opened("miPositioningQuickness")->actions()) {
        if (item->isVisible()) {
            shown << item->text();
        }
    }
    EXPECT_EQ(shown, captions);
}

TEST_F(ConfigMenuTest, MouseChoicesChangeOnlyTheirOwnOption) {
    Captioned(Opened("miDoubleClickCassette"), "&Rename")->trigger();
    EXPECT_EQ(settings.WaveFrmDoubleClicked, 2);
    EXPECT_EQ(settings.MainFrmRightClicked, 1);
    EXPECT_EQ(settings.MainFrmDoubleClicked, 2);
    EXPECT_EQ(Checked(Opened("miMainFrmRightClick")), QStringList{"Pop Up &Cassette List"});
}

// A language file translates the choices of the submenus under the event module's section, each
// named by its submenu's item and its value; choosing one still stores its value.
TEST_F(ConfigMenuTest, ALanguageFileTranslatesTheChoicesOfTheSubmenus) {
    QFile file(QString::fromStdString(data.File("quavrel_lang.test.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[EventModule]\n"
               "miSelectHint2.Caption=長いヒント(&L)\n"
               "miDoubleClickCassette2.Caption=名前の変更(&R)\n"
               "miMainFrmDoubleClick2.Caption=メインメニューを表示(&M)\n"
               "miSelectFont3.Caption=カセットテープ(&C)\n");
    file.close();
    RegisterComponents({&events});
    LoadLanguageFile(file.fileName());
    EXPECT_EQ(Checked(Opened("miSelectHint")), QStringList{"長いヒント(&L)"});
    EXPECT_EQ(Checked(Opened("miMainFrmDoubleClick")), QStringList{"メインメニューを表示(&M)"});
    EXPECT_EQ(Checked(Opened("miMainFrmRightClick")), QStringList{"Pop Up &Cassette List"});
    EXPECT_NE(Captioned(Opened("miSelectFont"), "カセットテープ(&C)"), nullptr);
    Captioned(Opened("miDoubleClickCassette"), "名前の変更(&R)")->trigger();
    EXPECT_EQ(settings.WaveFrmDoubleClicked, 2);
}

TEST_F(ConfigMenuTest, RecordingQualityListsWhatTheDeviceTakes) {
    devices.accepts = [](const WaveDeviceFormat& format) { return format.bitsPerSample == 16; };
    Captioned(Opened("miRecordSource"), SMenuItemRecordSourceDevice)->trigger();
    EXPECT_EQ(settings.RecordSource, RecordSourceInput);
    QMenu* formats = Opened("miConfigSound");
    ASSERT_GE(formats->actions().size(), 7);
    EXPECT_EQ(formats->actions()[0]->text(), "11025Hz, Mono   16bit");
    // Without a stored index the last format is the one in use.
    EXPECT_EQ(Checked(formats), QStringList{"44100Hz, Stereo 16bit"});
    formats->actions()[0]->trigger();
    EXPECT_EQ(settings.WaveFormatIdx, 0);
    devices.accepts = [](const WaveDeviceFormat&) { return true; };
    ReadRecordingCapabilities();
}

TEST_F(ConfigMenuTest, ASkinThatFailsFallsBackToDefault) {
    // Two skins: the default one and one whose description is broken.
    const QString skins = QString::fromStdString(data.Path() + "/Skins/");
    QDir().mkpath(skins + "default");
    QDir().mkpath(skins + "broken");
    QFile broken(skins + "broken/skin.xml");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<Quavrel>\n<Oops>\n");
    broken.close();
    QFile plain(skins + "default/skin.xml");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("<Quavrel>\n</Quavrel>\n");
    plain.close();
    QMenu* list = Opened("miSelectSkin");
    QAction* item = nullptr;
    for (QAction* candidate : list->actions()) {
        if (candidate->data().toString() == "broken") {
            item = candidate;
        }
    }
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_EQ(settings.SkinName, "default");
    // The user is told why the skin failed, in a box that waits for nothing.
    auto* box = OpenModal<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_TRUE(box->text().contains("Oops")) << box->text().toStdString();
    box->close();
    DeleteClosedDialogs();
    list = Opened("miSelectSkin");
    for (QAction* candidate : list->actions()) {
        EXPECT_EQ(candidate->isChecked(), candidate->data().toString() == "default");
    }
}

TEST_F(ConfigMenuTest, TheSkinMenuShowsEachSkinsTitleInTheInterfaceLanguage) {
    const QString skins = QString::fromStdString(data.Path() + "/Skins/");
    for (const auto& [folder, titles] : {std::pair{"default", "eng=Default\r\njap=デフォルト\r\n"},
                                         std::pair{"sky", "eng=Sky\r\njap=スカイ\r\n"}}) {
        QDir().mkpath(skins + folder);
        QFile file(skins + folder + "/Title.txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(titles);
    }
    // Without a language file the program speaks English.
    for (const auto& [code, shown] : {std::pair{"", QStringList{"Default", "Sky"}},
                                      std::pair{"jap", QStringList{"デフォルト", "スカイ"}}}) {
        SCOPED_TRACE(code);
        SetLanguageCode(code);
        QStringList titles;
        for (const QAction* item : Opened("miSelectSkin")->actions()) {
            titles << item->text();
        }
        EXPECT_EQ(titles, shown);
    }
    SetLanguageCode(QString());
}

TEST_F(ConfigMenuTest, TheVolumeControlItemsStartPavucontrolOrSayItIsMissing) {
    FakeLauncher launcher;
    QStringList told;
    controller.ShowMessage = [&](const QString& text, QMessageBox::Icon) { told << text; };
    for (const bool installed : {false, true}) {
        SCOPED_TRACE(installed);
        launcher.Installed = installed ? QStringList{"pavucontrol"} : QStringList{};
        launcher.Started.clear();
        told.clear();
        Named("miSndVolPlay")->trigger();
        Named("miSndVolRec")->trigger();
        EXPECT_EQ(launcher.Started, (QStringList{"pavucontrol --tab=3", "pavucontrol --tab=4"}));
        const QStringList expected = installed ? QStringList{}
                                               : QStringList{WithLineFeeds(SDesktopMixerMissing),
                                                             WithLineFeeds(SDesktopMixerMissing)};
        EXPECT_EQ(told, expected);
    }
    EXPECT_TRUE(SDesktopMixerMissing.contains("pavucontrol"));
}

TEST_F(ConfigMenuTest, MenusRebuiltAtEachShowingKeepOneGroupOfRadioItems) {
    for (int i = 0; i < 3; ++i) {
        Opened("miSelectSkin");
        Opened("miConfigSound");
        frm.SetSongList(
            {{QStringLiteral("a.wav"), true, {}}, {QStringLiteral("b.wav"), false, {}}});
    }
    for (const QMenu* rebuilt :
         {Named("miSelectSkin")->menu(), Named("miConfigSound")->menu(), frm.SongListMenu()}) {
        SCOPED_TRACE(rebuilt->objectName().toStdString());
        EXPECT_EQ(rebuilt->findChildren<QActionGroup*>().size(), 1);
    }
    // The song list's entries are still radio items of that one group.
    QList<QAction*> songs = frm.SongListMenu()->actions();
    ASSERT_EQ(songs.size(), 2);
    songs[1]->trigger();
    EXPECT_FALSE(songs[0]->isChecked());
}

TEST_F(ConfigMenuTest, TheMainMenuOpensWithoutWaiting) {
    // The menu is open when Popup returns: its choice comes back through the event loop, and
    // while it is open no bound key fires.
    menu->Popup(QPoint(10, 10));
    EXPECT_EQ(QApplication::activePopupWidget(), menu->Menu());
    EXPECT_TRUE(DialogOfOursOpen());
    menu->Menu()->close();
}

// The font dialog opens without waiting; OK stores its font, Cancel leaves the option alone, and
// the main window stays on top again either way.
TEST_F(ConfigMenuTest, TheFontDialogIsModalAndOnlyOkChangesTheFont) {
    frm.SetStayOnTop(true);
    const FontSetting before = settings.WavefrmFont;
    QAction* cassetteFont = Named("miSelectFont")->menu()->actions()[1];
    QFont chosen = FontOf(before);
    chosen.setPointSize(before.Size + 3);
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        cassetteFont->trigger();
        auto* dialog = OpenModal<QFontDialog>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(DialogOfOursOpen());
        EXPECT_TRUE(dialog->testOption(QFontDialog::DontUseNativeDialog));
        EXPECT_FALSE(frm.StayOnTop()); // not above its own dialog
        dialog->setCurrentFont(chosen);
        const QFont shown = dialog->currentFont();
        if (ok) {
            dialog->accept();
        } else {
            dialog->reject();
        }
        EXPECT_TRUE(frm.StayOnTop());
        EXPECT_EQ(fontsChanged, ok ? 1 : 0);
        EXPECT_EQ(settings.WavefrmFont.Size, ok ? chosen.pointSize() : before.Size);
        EXPECT_EQ(settings.WavefrmFont.Name, ok ? shown.family().toStdString() : before.Name);
        EXPECT_EQ(settings.WavefrmFont.Color, before.Color);
        DeleteClosedDialogs();
    }
    frm.SetStayOnTop(false);
}

} // namespace
