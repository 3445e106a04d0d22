#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QObject;
class TEventModule;
class TMainController;
class TMainFrm;
struct Settings;

// The program's main menu: commands, the skin choice, and every option the user may set. Its
// items, the choices of its submenus too, belong to the event module, so a language file
// translates them under its section. The
// check marks are set from the options each time a menu opens; a choice writes its option at
// once.
class TConfigMenu {
public:
    // What the menu asks of the program; an unset command's item is disabled.
    struct TCommands {
        std::function<void()> ShowPlaylist;
        std::function<void()> SelectWindow;
        std::function<void()> ExpandWave;
        std::function<void()> ShowKeyBind;
        std::function<void()> ChangeDataFolder;
        std::function<void()> Minimize;
        std::function<void()> Exit;
        // A font changed: texts and windows are painted anew.
        std::function<void()> FontsChanged;
        // The hint length changed.
        std::function<void()> HintsChanged;
        // The main window's stay-on-top state changed: the dialogs follow it.
        std::function<void(bool onTop)> StayOnTopChanged;
        // An item of the options changed its option.
        std::function<void()> OptionsChanged;
        // The recording source changed.
        std::function<void()> RecordSourceChanged;
    };

    TConfigMenu(TEventModule& events, TMainController& controller, TMainFrm& frm,
                Settings& settings, TCommands commands);
    ~TConfigMenu();
    TConfigMenu(const TConfigMenu&) = delete;
    TConfigMenu& operator=(const TConfigMenu&) = delete;

    QMenu* Menu() const { return pmConfig; }
    // Pops the menu up at a point of the screen without waiting: a choice comes back through the
    // event loop, and the keys that closed the menu fire nothing until let go.
    void Popup(QPoint at);

private:
    // An item of the event module named name with caption; tag is its value in a choice list.
    QAction* Item(QMenu* menu, const char* name, const QString& caption, int tag = 0);
    QAction* Item(QMenu* menu, const QString& name, const QString& caption, int tag);
    QMenu* Submenu(QMenu* menu, const char* name, const QString& caption);
    // A submenu of radio items, each with its value; choosing one stores it with store.
    QMenu* ChoiceMenu(QMenu* menu, const char* name, const QString& caption,
                      const std::vector<std::pair<QString, int>>& choices,
                      std::function<int()> read, std::function<void(int)> store);
    void BuildCustomize(QMenu* customize);
    void BuildOptions(QMenu* options);
    // The song's speed and transpose commands, the speed trainer and its options, and the
    // engine that changes the song while it plays.
    void BuildPractice(QMenu* practice);
    void RefreshPracticeItems();
    // Opens the speed trainer's options without waiting; OK gives them to the song.
    void ChooseTrainerOptions();
    void RefreshConfigItems();
    void RebuildSkinItems();
    void RebuildRecordingFormats();
    // Opens the font dialog for a font of the options without waiting; OK stores its choice.
    void ChooseFont(int kind);
    void OptionChosen(QAction* option);

    TEventModule& events;
    TMainController& controller;
    TMainFrm& frm;
    Settings& settings;
    TCommands commands;
    QMenu* pmConfig;
    std::vector<QMenu*> menus; // owned
    QMenu* skinMenu = nullptr;
    QMenu* formatMenu = nullptr;
    // The radio groups of the two menus rebuilt at each popup, made once.
    QActionGroup* skinGroup = nullptr;
    QActionGroup* formatGroup = nullptr;
    QAction* miSelectWindow = nullptr;
    QAction* miTileCassette = nullptr;
    QAction* miLoopPlay = nullptr;
    QAction* miStayOnTop = nullptr;
    QAction* miHideCassettes = nullptr;
    QAction* miExpandWave = nullptr;
    QAction* miShowPlayList = nullptr;
    std::vector<std::pair<QAction*, std::function<bool()>>> optionItems;
    // The items that act on the song, which a docked cassette keeps from it.
    std::vector<QAction*> practiceItems;
    QAction* miSpeedTrainer = nullptr;
    QAction* miFasterEngine = nullptr;
};
