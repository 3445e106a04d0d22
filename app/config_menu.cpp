#include "app/config_menu.h"

#include "actions/dialog_state.h"
#include "actions/event_module.h"
#include "actions/key_polling.h"
#include "actions/language_choice.h"
#include "actions/line_break_tags.h"
#include "actions/messages.h"
#include "app/main_frm.h"
#include "audio/record_source.h"
#include "audio/recording_formats.h"
#include "audio/stretch_engine.h"
#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/setting_font.h"
#include "controller/main_controller.h"
#include "dialogs/trainer_options_frm.h"
#include "platform/desktop_mixer.h"
#include "skins/skin_list.h"
#include "skins/skin_loader.h"
#include "storage/settings.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QMenu>
#include <QPointer>

namespace {

// The quickness levels of the menu, and the highest stored value each one stands for. The
// finest moves a card's end by about a tenth of a second at a tap, for short notes.
constexpr int Quickness[] = {1, 5, 10, 15, 30, 60};

// A choice of a submenu is named by the submenu's item and its value, such as
// "miSelectHint2", so that a language file can translate it.
QString ChoiceName(const char* submenu, int value) {
    return QString::fromLatin1(submenu) + QString::number(value);
}

FontSetting SettingOf(const QFont& font, int color) {
    FontSetting setting;
    setting.Name = font.family().toStdString();
    setting.Size = font.pointSize() > 0 ? font.pointSize() : 9;
    setting.Bold = font.bold();
    setting.Italic = font.italic();
    setting.Underline = font.underline();
    setting.StrikeOut = font.strikeOut();
    setting.Color = color;
    return setting;
}

} // namespace

TConfigMenu::TConfigMenu(TEventModule& events, TMainController& controller, TMainFrm& frm,
                         Settings& settings, TCommands commands)
    : events(events), controller(controller), frm(frm), settings(settings),
      commands(std::move(commands)), pmConfig(new QMenu) {
    menus.push_back(pmConfig);
    pmConfig->setObjectName(QStringLiteral("pmConfig"));
    // While it is open the program is in a menu of its own, as in a dialog.
    pmConfig->setWindowModality(Qt::ApplicationModal);
    QObject::connect(pmConfig, &QMenu::aboutToShow, pmConfig, [this] { RefreshConfigItems(); });

    miShowPlayList = Item(pmConfig, "miShowPlayList", QStringLiteral("Show &Playlist"));
    miSelectWindow = Item(pmConfig, "miSelectWindow", QStringLiteral("Select Cass&ette"));
    miTileCassette =
        Item(pmConfig, "miTileCassette", QStringLiteral("&Dispose Cassettes In Order"));
    miLoopPlay = Item(pmConfig, "miLoopPlay", QStringLiteral("&Loop Play ( Current Song )"));
    miLoopPlay->setCheckable(true);
    BuildPractice(Submenu(pmConfig, "miPractice", QStringLiteral("P&ractice")));
    pmConfig->addSeparator();
    skinMenu = Submenu(pmConfig, "miSelectSkin", QStringLiteral("Select &Skin"));
    miStayOnTop = Item(pmConfig, "miStayOnTop", QStringLiteral("Stay On &Top"));
    miStayOnTop->setCheckable(true);
    miHideCassettes = Item(pmConfig, "miHideCassettes", QStringLiteral("&Hide Cassettes"));
    miHideCassettes->setCheckable(true);
    pmConfig->addSeparator();
    QAction* play = Item(pmConfig, "miSndVolPlay", QStringLiteral("Show Volume Control ( &Play )"));
    QAction* rec = Item(pmConfig, "miSndVolRec", QStringLiteral("Show Volume Control ( &Rec )"));
    pmConfig->addSeparator();
    miExpandWave = Item(pmConfig, "miExpandWave", QStringLiteral("Expand Specific &Wave File"));
    pmConfig->addSeparator();
    BuildCustomize(Submenu(pmConfig, "miPreference", QStringLiteral("&Customize")));
    pmConfig->addSeparator();
    QAction* minimize = Item(pmConfig, "miMinimize", QStringLiteral("&Minimize"));
    QAction* exit = Item(pmConfig, "miExit", QStringLiteral("E&xit"));

    const auto run = [](const std::function<void()>& command) {
        return [command] {
            if (command) {
                command();
            }
        };
    };
    // The key that chose an item (or closed the menu) must not go on to fire its binding once
    // the key polling runs again.
    QObject::connect(pmConfig, &QMenu::aboutToHide, pmConfig, [] { SwallowHeldKeys(); });
    QObject::connect(miShowPlayList, &QAction::triggered, pmConfig,
                     run(this->commands.ShowPlaylist));
    QObject::connect(miSelectWindow, &QAction::triggered, pmConfig,
                     run(this->commands.SelectWindow));
    QObject::connect(miTileCassette, &QAction::triggered, pmConfig,
                     [this] { DisposeInOrder(this->controller); });
    QObject::connect(miLoopPlay, &QAction::toggled, pmConfig,
                     [this](bool checked) { this->controller.LoopPlay = checked; });
    QObject::connect(miStayOnTop, &QAction::triggered, pmConfig, [this] {
        const bool onTop = !this->frm.StayOnTop();
        this->frm.SetStayOnTop(onTop);
        this->controller.SetStayOnTop(onTop);
        if (this->commands.StayOnTopChanged) {
            this->commands.StayOnTopChanged(onTop);
        }
    });
    QObject::connect(miHideCassettes, &QAction::toggled, pmConfig, [this](bool hidden) {
        this->settings.CassettesVisible = !hidden;
        for (TQvrBaseFrm* window : QvrWindows()) {
            window->setVisible(!hidden);
        }
    });
    const auto mixer = [this](bool recording) {
        return [this, recording] {
            if (!StartDesktopMixer(recording)) {
                this->controller.ShowMessage(WithLineFeeds(SDesktopMixerMissing),
                                             QMessageBox::Information);
            }
        };
    };
    QObject::connect(play, &QAction::triggered, pmConfig, mixer(false));
    QObject::connect(rec, &QAction::triggered, pmConfig, mixer(true));
    QObject::connect(miExpandWave, &QAction::triggered, pmConfig, run(this->commands.ExpandWave));
    QObject::connect(minimize, &QAction::triggered, pmConfig, run(this->commands.Minimize));
    QObject::connect(exit, &QAction::triggered, pmConfig, run(this->commands.Exit));
    QObject::connect(skinMenu, &QMenu::aboutToShow, skinMenu, [this] { RebuildSkinItems(); });
    skinGroup = new QActionGroup(skinMenu);
    QObject::connect(skinGroup, &QActionGroup::triggered, skinMenu, [this](QAction* item) {
        this->settings.SkinName =
            LoadSkinOrDefault(this->frm, item->data().toString()).toStdString();
    });
}

TConfigMenu::~TConfigMenu() {
    for (QMenu* menu : menus) {
        delete menu;
    }
}

QAction* TConfigMenu::Item(QMenu* menu, const char* name, const QString& caption, int tag) {
    return Item(menu, QString::fromLatin1(name), caption, tag);
}

QAction* TConfigMenu::Item(QMenu* menu, const QString& name, const QString& caption, int tag) {
    auto* item = new QAction(caption, &events);
    item->setObjectName(name);
    item->setData(tag);
    menu->addAction(item);
    return item;
}

QMenu* TConfigMenu::Submenu(QMenu* menu, const char* name, const QString& caption) {
    auto* submenu = new QMenu;
    menus.push_back(submenu);
    QAction* item = Item(menu, name, caption);
    item->setMenu(submenu);
    return submenu;
}

QMenu* TConfigMenu::ChoiceMenu(QMenu* menu, const char* name, const QString& caption,
                               const std::vector<std::pair<QString, int>>& choices,
                               std::function<int()> read, std::function<void(int)> store) {
    QMenu* submenu = Submenu(menu, name, caption);
    auto* group = new QActionGroup(submenu);
    for (const auto& [choice, value] : choices) {
        QAction* item = Item(submenu, ChoiceName(name, value), choice, value);
        item->setCheckable(true);
        group->addAction(item);
    }
    // A stored value outside the list checks nothing.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QObject::connect(submenu, &QMenu::aboutToShow, submenu, [submenu, read] {
        const int value = read();
        for (QAction* item : submenu->actions()) {
            item->setChecked(item->data().toInt() == value);
        }
    });
    QObject::connect(group, &QActionGroup::triggered, submenu,
                     [store](QAction* item) { store(item->data().toInt()); });
    return submenu;
}

void TConfigMenu::BuildCustomize(QMenu* customize) {
    QAction* key = Item(customize, "miConfigKey", QStringLiteral("Customize Shortcut &Key"));
    key->setEnabled(static_cast<bool>(commands.ShowKeyBind));
    QObject::connect(key, &QAction::triggered, customize, [this] { commands.ShowKeyBind(); });

    QMenu* mouse = Submenu(customize, "miConfigMouse", QStringLiteral("Customize &Mouse"));
    const std::vector<std::pair<QString, int>> mainChoices = {{"&None", 0},
                                                              {"Pop Up &Cassette List", 1},
                                                              {"Pop Up &Main Menu", 2},
                                                              {"Pop Up &Song List", 3},
                                                              {"M&inimize", 4}};
    ChoiceMenu(
        mouse, "miMainFrmRightClick", QStringLiteral("Right Click On &Main Window"), mainChoices,
        [this] { return settings.MainFrmRightClicked; },
        [this](int value) { settings.MainFrmRightClicked = value; });
    ChoiceMenu(
        mouse, "miMainFrmDoubleClick", QStringLiteral("Double Click On Main Window"), mainChoices,
        [this] { return settings.MainFrmDoubleClicked; },
        [this](int value) { settings.MainFrmDoubleClicked = value; });
    mouse->addSeparator();
    ChoiceMenu(
        mouse, "miDoubleClickCassette", QStringLiteral("Double Click On &Cassette Window"),
        {{"&None", 0}, {"&Toggle Set and Eject", 1}, {"&Rename", 2}, {"&Close", 3}},
        [this] { return settings.WaveFrmDoubleClicked; },
        [this](int value) { settings.WaveFrmDoubleClicked = value; });

    // A stored quickness checks the level it does not exceed; above the last, none.
    QMenu* quickness = ChoiceMenu(
        customize, "miPositioningQuickness", QStringLiteral("Adjust Quickness of &Positioning "),
        {{"Very Fine (&0)", Quickness[0]},
         {"Very Slow (&1)", Quickness[1]},
         {"Slow (&2)", Quickness[2]},
         {"Normal (&3)", Quickness[3]},
         {"Quick (&4)", Quickness[4]},
         {"Very Quick (&5)", Quickness[5]}},
        [this] {
            for (const int level : Quickness) {
                if (settings.MainFrmSearchSpeed <= level) {
                    return level;
                }
            }
            return -1;
        },
        [this](int value) { settings.MainFrmSearchSpeed = value; });
    // Kept hidden, as language files may name them.
    quickness->addSeparator()->setVisible(false);
    Item(quickness, "miQuicknessOther", QStringLiteral("&Other"))->setVisible(false);

    QMenu* fonts = Submenu(customize, "miSelectFont", QStringLiteral("Select &Font"));
    for (const auto& [caption, kind] :
         std::vector<std::pair<QString, int>>{{QStringLiteral("&Main Window"), 1},
                                              {QStringLiteral("&Cassette Tape"), 3},
                                              {QStringLiteral("M&emory Card"), 2}}) {
        QAction* item = Item(fonts, ChoiceName("miSelectFont", kind), caption, kind);
        QObject::connect(item, &QAction::triggered, fonts,
                         [this, kind = kind] { ChooseFont(kind); });
    }
    ChoiceMenu(
        customize, "miSelectHint", QStringLiteral("Select Length of &Hint"),
        {{"Short Hint", 1}, {"Long Hint", 2}, {"Dismiss", 0}}, [this] { return settings.HintType; },
        [this](int value) {
            settings.HintType = value;
            if (commands.HintsChanged) {
                commands.HintsChanged();
            }
        });
    BuildOptions(Submenu(customize, "miMisc", QStringLiteral("&Options")));
    QAction* change = Item(customize, "miChangeDataFolder", QStringLiteral("Change Data &Folder"));
    change->setEnabled(static_cast<bool>(commands.ChangeDataFolder));
    QObject::connect(change, &QAction::triggered, customize,
                     [this] { commands.ChangeDataFolder(); });
    customize->addSeparator();
    ChoiceMenu(
        customize, "miPositioningMethod", QStringLiteral("&Cd Positioning Method ( Advanced )"),
        {{"Method &1 ( Nothing Special )", 0},
         {"Method &2 ( Pause Before Positioning )", 1},
         {"Method &3 ( Stop Before Positioning)", 2}},
        [this] { return static_cast<int>(controller.SongPlayer().PositioningMethod); },
        [this](int value) {
            settings.PosChangeType = value;
            controller.SongPlayer().SetPositioningMethod(static_cast<std::uint8_t>(value));
        });
    formatMenu =
        Submenu(customize, "miConfigSound", QStringLiteral("&Recording Quality ( Advanced )"));
    QObject::connect(formatMenu, &QMenu::aboutToShow, formatMenu,
                     [this] { RebuildRecordingFormats(); });
    formatGroup = new QActionGroup(formatMenu);
    QObject::connect(formatGroup, &QActionGroup::triggered, formatMenu,
                     [this](QAction* item) { settings.WaveFormatIdx = item->data().toInt(); });
    ChoiceMenu(
        customize, "miRecordSource", SMenuItemRecordSource,
        {{SMenuItemRecordSourceSong, RecordSourceSong},
         {SMenuItemRecordSourceDevice, RecordSourceInput}},
        [this] { return settings.RecordSource; },
        [this](int value) {
            settings.RecordSource = value;
            if (commands.RecordSourceChanged) {
                commands.RecordSourceChanged();
            }
        });
}

void TConfigMenu::BuildPractice(QMenu* practice) {
    const auto command = [&](const char* name, const char* caption, int tag) {
        QAction* item = Item(practice, name, QString::fromUtf8(caption), tag);
        QObject::connect(item, &QAction::triggered, practice, [this, tag] {
            controller.Guarded([&] { controller.Click(tag, false); });
        });
        practiceItems.push_back(item);
        return item;
    };
    using C = TMainController;
    command("miSpeedReset", "&Normal Speed", C::cmSpeedReset);
    practice->addSeparator();
    command("miTransposeUp", "Transpose &Up A Semitone", C::cmTransposeUp);
    command("miTransposeDown", "Transpose &Down A Semitone", C::cmTransposeDown);
    command("miCentsUp", "Tune U&p 10 Cents", C::cmCentsUp);
    command("miCentsDown", "Tune D&own 10 Cents", C::cmCentsDown);
    practice->addSeparator();
    miSpeedTrainer = command("miSpeedTrainer", "Speed &Trainer", C::cmSpeedTrainer);
    miSpeedTrainer->setCheckable(true);
    QAction* options =
        Item(practice, "miSpeedTrainerOptions", QStringLiteral("Speed Trainer Opt&ions..."));
    QObject::connect(options, &QAction::triggered, practice, [this] { ChooseTrainerOptions(); });
    practice->addSeparator();
    miFasterEngine =
        Item(practice, "miFasterEngine", QStringLiteral("&Faster, Less CPU (Shorter Window)"));
    miFasterEngine->setCheckable(true);
    QObject::connect(miFasterEngine, &QAction::triggered, practice, [this](bool checked) {
        settings.PlaybackEngine = checked ? 1 : 0;
        controller.Guarded([this] { controller.ApplyPlaybackTempo(); });
    });
    QAction* defaults =
        Item(practice, "miPracticeDefaults", QStringLiteral("Use These For New &Songs"));
    QObject::connect(defaults, &QAction::triggered, practice,
                     [this] { settings.Practice = controller.Practice(); });
    QObject::connect(practice, &QMenu::aboutToShow, practice, [this] { RefreshPracticeItems(); });
}

void TConfigMenu::RefreshPracticeItems() {
    const bool onSong = controller.Mode() != TMainController::ModeCassette;
    for (QAction* item : practiceItems) {
        item->setEnabled(onSong);
    }
    miSpeedTrainer->setChecked(controller.Practice().TrainerOn);
    miFasterEngine->setChecked(settings.PlaybackEngine == 1);
}

void TConfigMenu::ChooseTrainerOptions() {
    const TPracticeSettings& practice = controller.Practice();
    const QPointer<QMenu> menu(pmConfig);
    AskTrainerSpeeds({practice.TrainerStart, practice.TrainerStep, practice.TrainerTarget},
                     {LowestPracticeSpeed, 1, LowestPracticeSpeed},
                     {HighestPracticeSpeed, LargestTrainerStep, HighestPracticeSpeed},
                     frm.StayOnTop(), [this, menu](const TTrainerSpeeds& speeds) {
                         if (!menu.isNull()) {
                             controller.Guarded([&] {
                                 controller.SetTrainerOptions(speeds.Start, speeds.Step,
                                                              speeds.Target);
                             });
                         }
                     });
}

void TConfigMenu::BuildOptions(QMenu* options) {
    const auto option = [&](const char* name, const char* caption, std::function<bool()> read) {
        QAction* item = Item(options, name, QString::fromUtf8(caption));
        item->setCheckable(true);
        optionItems.emplace_back(item, std::move(read));
        QObject::connect(item, &QAction::triggered, options, [this, item] { OptionChosen(item); });
        return item;
    };
    option("miOptionDontCarePitchShift", "Don't Care If Pitch Is Changed While Slow Playing...",
           [this] { return settings.LinearStretch; });
    option("miOptionEnableMinimize",
           "Enable \"Minimize\" Shortcut Key Even If Quavrel is not Active (It will Work As "
           "\"Restore Window\" )",
           [this] { return settings.CheckMinimizeKeyWhileInactive; });
    option("miOptionDontStopCD", "Don't Stop Playing &CD When Shutdown Quavrel",
           [this] { return !settings.StopCDPlayerWhenExit; });
    option("miOptionGotoBegining", "&Go to the beginning of the range when start repeating",
           [this] { return settings.JumpToStartWhenSwitchOn; });
    option("miOptionAddToTreeWhenDropped",
           "Regist To Tree-View ( on the PlayList )  When Any Folders is Dropped on The Main "
           "Window",
           [this] { return settings.AddToTreeWhenDroped; });
    option("miOptionAutoStartRepeating", "&Auto Start Repating Right After Setting Cassette",
           [this] { return settings.AutoStartRepeating; });
    QAction* quality = Item(options, "miOptionHighQualityStretch", SMenuItemHighQualityStretch);
    quality->setCheckable(true);
    optionItems.emplace_back(quality,
                             [this] { return settings.StretchEngine == StretchEngineHighQuality; });
    QObject::connect(quality, &QAction::triggered, options,
                     [this, quality] { OptionChosen(quality); });
    options->addSeparator();
    option("miOptionDontCheckDisuse", "&Don't check disuse temporary files on start up",
           [this] { return !settings.CheckDisuseFile; });
    QObject::connect(options, &QMenu::aboutToShow, options, [this] {
        for (const auto& [item, read] : optionItems) {
            item->setChecked(read());
        }
    });
}

void TConfigMenu::OptionChosen(QAction* option) {
    const auto checked = [this](const char* name) {
        return events.findChild<QAction*>(QString::fromLatin1(name))->isChecked();
    };
    const bool wasLinear = settings.LinearStretch;
    settings.LinearStretch = checked("miOptionDontCarePitchShift");
    settings.CheckMinimizeKeyWhileInactive = checked("miOptionEnableMinimize");
    settings.StopCDPlayerWhenExit = !checked("miOptionDontStopCD");
    settings.JumpToStartWhenSwitchOn = checked("miOptionGotoBegining");
    settings.AddToTreeWhenDroped = checked("miOptionAddToTreeWhenDropped");
    settings.AutoStartRepeating = checked("miOptionAutoStartRepeating");
    settings.StretchEngine =
        checked("miOptionHighQualityStretch") ? StretchEngineHighQuality : StretchEngineDescribed;
    settings.CheckDisuseFile = !checked("miOptionDontCheckDisuse");
    if (option->objectName() == QStringLiteral("miOptionDontCarePitchShift") &&
        wasLinear != settings.LinearStretch) {
        controller.SetRatio(settings.LinearStretch ? 370 : 150);
    }
    if (commands.OptionsChanged) {
        commands.OptionsChanged();
    }
}

void TConfigMenu::RefreshConfigItems() {
    const bool anyWindow = !QvrWindows().empty();
    miSelectWindow->setEnabled(anyWindow && static_cast<bool>(commands.SelectWindow));
    miTileCassette->setEnabled(anyWindow);
    miShowPlayList->setEnabled(static_cast<bool>(commands.ShowPlaylist));
    miExpandWave->setEnabled(static_cast<bool>(commands.ExpandWave));
    miStayOnTop->setChecked(frm.StayOnTop());
    miHideCassettes->setChecked(!settings.CassettesVisible);
}

void TConfigMenu::RebuildSkinItems() {
    skinMenu->clear();
    const TSkinList skins = ListSkins(frm.SkinsFolder(), LanguageCode());
    for (qsizetype i = 0; i < skins.Folders.size(); ++i) {
        QAction* item = skinMenu->addAction(skins.Titles[i]);
        item->setCheckable(true);
        item->setData(skins.Folders[i]);
        item->setChecked(skins.Folders[i] == QString::fromStdString(settings.SkinName));
        skinGroup->addAction(item);
    }
}

void TConfigMenu::RebuildRecordingFormats() {
    formatMenu->clear();
    const auto& formats = SupportedRecordingFormats();
    const int current =
        settings.WaveFormatIdx >= 0 && settings.WaveFormatIdx < static_cast<int>(formats.size())
            ? settings.WaveFormatIdx
            : static_cast<int>(formats.size()) - 1;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        QAction* item = formatMenu->addAction(QString::fromStdString(formats[i].Caption));
        item->setCheckable(true);
        item->setData(static_cast<int>(i));
        item->setChecked(static_cast<int>(i) == current);
        formatGroup->addAction(item);
    }
    // Kept so that the menu is never empty, as language files may name it.
    formatMenu->addAction(QStringLiteral("Dummy"))->setVisible(false);
}

void TConfigMenu::ChooseFont(int kind) {
    const auto settingOf = [this, kind]() -> FontSetting& {
        return kind == 1   ? settings.MainfrmTimeFont
               : kind == 3 ? settings.WavefrmFont
                           : settings.RepeatfrmFont;
    };
    // A dialog under a window that stays on top would be hidden behind it.
    const bool onTop = frm.StayOnTop();
    frm.SetStayOnTop(false);
    // Our own dialog, not the desktop's: a window of ours, modal while it is open. The menu
    // owns the answer's connection, so that an answer after the menu is gone is dropped.
    auto* dialog = new QFontDialog(FontOf(settingOf()), &frm);
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    const QPointer<QMenu> menu(pmConfig);
    OpenDialogOfOurs(dialog, [this, menu, dialog, onTop, settingOf](int result) {
        if (menu.isNull()) {
            return;
        }
        frm.SetStayOnTop(onTop);
        if (result != QDialog::Accepted) {
            return;
        }
        FontSetting& setting = settingOf();
        setting = SettingOf(dialog->selectedFont(), setting.Color);
        if (commands.FontsChanged) {
            commands.FontsChanged();
        }
    });
}

void TConfigMenu::Popup(QPoint at) {
    pmConfig->popup(at);
}
