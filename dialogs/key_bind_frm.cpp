#include "key_bind_frm.h"

#include "actions/event_module.h"
#include "actions/messages.h"
#include "actions/real_time_hot_key.h"
#include "dialog_support.h"
#include "input_frm.h"
#include "platform/application_error.h"
#include "platform/profile_file.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

enum class Group { None, RepeatStart, RepeatEnd };

// One editor: "hk" and the command's function name, linked to the key "rk" and that name.
struct EditorRow {
    const char* functionName;
    TRealTimeKey* TEventModule::*key;
    const char* label;
    Group group;
};

using M = TEventModule;

// In the order entries of a written set follow.
const EditorRow Rows[] = {
    {"PrevTrack", &M::rkPrevTrack, "Prev Track", Group::None},
    {"Back", &M::rkBack, "Rewind", Group::None},
    {"Stop", &M::rkStop, "Stop", Group::None},
    {"Pause", &M::rkPause, "Pause", Group::None},
    {"Play", &M::rkPlay, "Play", Group::None},
    {"Step", &M::rkStep, "Fast Forwarding", Group::None},
    {"NextTrack", &M::rkNextTrack, "Next Track", Group::None},
    {"Eject", &M::rkEject, "Eject", Group::None},
    {"RepStartBack", &M::rkRepStartBack, "Back", Group::RepeatStart},
    {"RepStartSet", &M::rkRepStartSet, "Set", Group::RepeatStart},
    {"RepStartStep", &M::rkRepStartStep, "Forward", Group::RepeatStart},
    {"RepEndBack", &M::rkRepEndBack, "Back", Group::RepeatEnd},
    {"RepEndSet", &M::rkRepEndSet, "Set", Group::RepeatEnd},
    {"RepEndStep", &M::rkRepEndStep, "Forward", Group::RepeatEnd},
    {"RepeatPlaySwitch", &M::rkRepeatPlaySwitch, "Switching Repeat Play", Group::None},
    {"Trash", &M::rkTrash, "Trash Cassette Tape", Group::None},
    {"Select", &M::rkSelect, "Select Window", Group::None},
    {"EjectCassette", &M::rkEjectCassette, "Eject Cassette", Group::None},
    {"Config", &M::rkConfig, "Menu", Group::None},
    {"Rec", &M::rkRec, "Record While Holding", Group::None},
    {"AutoRec", &M::rkAutoRec, "Automatic Recording", Group::None},
    {"Exit", &M::rkExit, "Exit", Group::None},
    {"Minimize", &M::rkMinimize, "Minimize", Group::None},
    {"WaveFast", &M::rkWaveFast, "Make Wave Data Faster", Group::None},
    {"WaveSlow", &M::rkWaveSlow, "Make Wave Data Slower", Group::None},
    {"ExecSpeedChange", &M::rkExecSpeedChange, "Apply Wave Data Speed", Group::None},
    {"RestoreSpeedChange", &M::rkRestoreSpeedChange, "Restore Wave Data Speed", Group::None},
    {"JumpToStartTime", &M::rkJumpToStartTime, "Jump To Repeat Head", Group::None},
    {"HistoryBack", &M::rkHistoryBack, "Jump To The Last Position", Group::None},
    {"SpeedReset", &M::rkSpeedReset, "Song At Normal Speed", Group::None},
    {"TransposeUp", &M::rkTransposeUp, "Transpose Up A Semitone", Group::None},
    {"TransposeDown", &M::rkTransposeDown, "Transpose Down A Semitone", Group::None},
    {"CentsUp", &M::rkCentsUp, "Tune Up 10 Cents", Group::None},
    {"CentsDown", &M::rkCentsDown, "Tune Down 10 Cents", Group::None},
    {"SpeedTrainer", &M::rkSpeedTrainer, "Speed Trainer On/Off", Group::None},
};

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QGroupBox* GroupBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    new QGridLayout(box);
    return box;
}

void AddRow(QGridLayout* grid, QLabel* label, QWidget* editor) {
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(editor, row, 1);
}

// The saved set of a name, whatever its case.
std::vector<TKeyBind>::iterator SetNamed(std::vector<TKeyBind>& sets, const QString& name) {
    return std::find_if(sets.begin(), sets.end(), [&](const TKeyBind& saved) {
        return saved.Name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

TKeyBindFrm::TKeyBindFrm(TEventModule& events, const QString& keyFilePath)
    : cbKeyBinds(new QComboBox(this)), btSaveAs(Button("btSaveAs", "&Save as", this)),
      btDelete(Button("btDelete", "&Delete", this)), btOK(Button("btOK", "&OK", this)),
      btCancel(Button("btCancel", "&Cancel", this)), btApply(Button("btApply", "&Apply", this)),
      keyFile(std::make_unique<ProfileFile>(keyFilePath.toStdString())) {
    setObjectName(QStringLiteral("KeyBindFrm"));
    setWindowTitle(QStringLiteral("Key Bind Configuration"));
    setMinimumSize(MinWidth, MinHeight);
    setMaximumWidth(MinWidth);
    cbKeyBinds->setObjectName(QStringLiteral("cbKeyBinds"));
    btOK->setDefault(true);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("pnKeys"));
    BuildEditors(events, panel);
    scroll->setWidget(panel);

    auto* setRow = new QHBoxLayout;
    setRow->addWidget(cbKeyBinds, 1);
    setRow->addWidget(btSaveAs);
    setRow->addWidget(btDelete);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    buttons->addWidget(btApply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(setRow);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(MinWidth, 480);

    connect(cbKeyBinds, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(this->sets.size())) {
            this->sets[static_cast<std::size_t>(index)].ApplyToEditors(editors);
        }
    });
    connect(btApply, &QPushButton::clicked, this, &TKeyBindFrm::ApplyClick);
    connect(btOK, &QPushButton::clicked, this, [this] {
        ApplyClick();
        accept();
    });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btSaveAs, &QPushButton::clicked, this, &TKeyBindFrm::SaveAsClick);
    connect(btDelete, &QPushButton::clicked, this, &TKeyBindFrm::DeleteClick);

    sets = LoadSets(*keyFile);
    FillCombo();
    TKeyBind current;
    current.LoadFromSection(*keyFile, CurrentKeyBindSection);
    current.ApplyToEditors(editors);
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        editor->StoreToKey();
    }
}

TKeyBindFrm::~TKeyBindFrm() {
    try {
        SaveCurrentBinding();
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}

void TKeyBindFrm::SaveCurrentBinding() {
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        editor->LoadFromKey();
    }
    TKeyBind current;
    CaptureEditors(current, editors);
    current.SaveToSection(*keyFile, CurrentKeyBindSection);
    keyFile->Save();
}

void TKeyBindFrm::BuildEditors(TEventModule& events, QWidget* panel) {
    auto* grid = new QGridLayout(panel);
    QGroupBox* repeatStart = nullptr;
    QGroupBox* repeatEnd = nullptr;
    // A group box goes where its first editor comes, so the dialog's components are made in
    // the order they are shown.
    const auto groupBox = [&](QGroupBox*& box, const char* name, const char* caption) {
        if (box == nullptr) {
            box = GroupBox(name, caption, panel);
            grid->addWidget(box, grid->rowCount(), 0, 1, 2);
        }
        return box;
    };
    for (const EditorRow& row : Rows) {
        QWidget* parent = row.group == Group::RepeatStart
                              ? groupBox(repeatStart, "gbRepeatStart", "Repeat Start Position")
                          : row.group == Group::RepeatEnd
                              ? groupBox(repeatEnd, "gbRepeatEnd", "Repeat End Position")
                              : panel;
        auto* label = new QLabel(QString::fromLatin1(row.label), parent);
        label->setObjectName(QStringLiteral("lb") + QLatin1String(row.functionName));
        auto* editor = new TRealTimeVirtualCodeHotKey(parent);
        editor->setObjectName(QStringLiteral("hk") + QLatin1String(row.functionName));
        editor->SetRealTimeKey(events.*row.key);
        editor->OnChangeQuery = [this](TVirtualCodeHotKey* sender, std::uint16_t& virtualKey,
                                       TShiftState shiftState, bool&) {
            EditorChangeQuery(static_cast<TRealTimeVirtualCodeHotKey*>(sender), virtualKey,
                              shiftState);
        };
        label->setBuddy(editor);
        editors.push_back(editor);
        AddRow(parent == panel ? grid : static_cast<QGridLayout*>(parent->layout()), label, editor);
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

void TKeyBindFrm::EditorChangeQuery(TRealTimeVirtualCodeHotKey* sender, std::uint16_t virtualKey,
                                    TShiftState shiftState) {
    // One shortcut drives at most one action.
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        if (editor != sender && editor->VirtualKey() == virtualKey &&
            editor->ShiftState() == shiftState) {
            editor->SetVirtualKey(0);
            editor->SetShiftState(0);
        }
    }
    cbKeyBinds->setCurrentIndex(-1);
}

void TKeyBindFrm::showEvent(QShowEvent* event) {
    TQuavrelDialogForm::showEvent(event);
    // Restored from the task bar: the edits of this showing stay.
    if (event->spontaneous()) {
        return;
    }
    // The keys' binding, not edits left from an earlier showing that were never applied.
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        editor->LoadFromKey();
    }
    const auto matching = std::find_if(sets.begin(), sets.end(), [this](const TKeyBind& set) {
        return set.MatchesEditors(editors);
    });
    cbKeyBinds->setCurrentIndex(matching == sets.end() ? -1
                                                       : static_cast<int>(matching - sets.begin()));
}

void TKeyBindFrm::FillCombo() {
    cbKeyBinds->clear();
    for (const TKeyBind& set : sets) {
        cbKeyBinds->addItem(set.Name);
    }
    cbKeyBinds->setCurrentIndex(-1);
}

void TKeyBindFrm::ApplyClick() {
    for (TRealTimeVirtualCodeHotKey* editor : editors) {
        editor->StoreToKey();
    }
    emit KeysApplied();
}

void TKeyBindFrm::SaveAsClick() {
    const QPointer<TKeyBindFrm> self(this);
    InputBox(SSaveDialogTitle, SSaveDialogPrompt, QString(), StayOnTop(),
             [self](const std::optional<QString>& name) {
                 if (self && name) {
                     self->SaveAs(*name);
                 }
             });
}

void TKeyBindFrm::SaveAs(const QString& name) {
    if (SetNamed(sets, name) == sets.end()) {
        StoreEditorsAs(name);
        return;
    }
    const QPointer<TKeyBindFrm> self(this);
    AskOkCancel(this, SSaveDialogDuplicate, [self, name](bool ok) {
        if (self && ok) {
            self->StoreEditorsAs(name);
        }
    });
}

void TKeyBindFrm::StoreEditorsAs(const QString& name) {
    auto set = SetNamed(sets, name);
    if (set == sets.end()) {
        set = sets.insert(sets.end(), TKeyBind{});
    }
    CaptureEditors(*set, editors);
    set->Name = name;
    StoreSets(static_cast<int>(set - sets.begin()));
}

void TKeyBindFrm::DeleteClick() {
    const int index = cbKeyBinds->currentIndex();
    if (index < 0 || index >= static_cast<int>(sets.size())) {
        return;
    }
    const QPointer<TKeyBindFrm> self(this);
    AskOkCancel(this, SSaveDialogDeleteQuery, [self, index](bool ok) {
        if (!self || !ok || index >= static_cast<int>(self->sets.size())) {
            return;
        }
        self->sets.erase(self->sets.begin() + index);
        self->StoreSets(-1);
    });
}

void TKeyBindFrm::StoreSets(int selected) {
    // The list shows the sets as they are now, even when the file cannot be written.
    FillCombo();
    cbKeyBinds->setCurrentIndex(selected);
    // A key file that cannot be written is reported; it never unwinds through the event loop.
    try {
        SaveSets(*keyFile, sets);
        keyFile->Save();
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}
