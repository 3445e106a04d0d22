#pragma once

#include "actions/key_bind.h"
#include "quavrel_dialog_form.h"

#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class TEventModule;
class ProfileFile;

// "Key Bind Configuration": one shortcut editor for each key of the event module,
// the saved key-binding sets to pick from, save under a name or delete. Making the dialog loads
// the current binding of the key file into the keys; destroying it saves the keys' binding
// back. Edits reach the keys only through Apply or OK.
class TKeyBindFrm : public TQuavrelDialogForm {
    Q_OBJECT
public:
    static constexpr int MinWidth = 455;
    static constexpr int MinHeight = 250;

    // keyFilePath: "quavrel_key.ini" of the data folder. Raises EProfileFileError when the file
    // exists but cannot be read.
    TKeyBindFrm(TEventModule& events, const QString& keyFilePath);
    // Saves the binding as SaveCurrentBinding does; an error goes to the application's error
    // handler.
    ~TKeyBindFrm() override;

    // Writes the keys' binding as the current one, dropping unapplied edits. Raises
    // EProfileFileError when the file cannot be written.
    void SaveCurrentBinding();

    const THotKeyEditors& Editors() const { return editors; }
    const std::vector<TKeyBind>& Sets() const { return sets; }

    QComboBox* cbKeyBinds;
    QPushButton* btSaveAs;
    QPushButton* btDelete;
    QPushButton* btOK;
    QPushButton* btCancel;
    QPushButton* btApply;

signals:
    // The keys took the editors' shortcuts: button hints that name them are out of date.
    void KeysApplied();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildEditors(TEventModule& events, QWidget* panel);
    void EditorChangeQuery(TRealTimeVirtualCodeHotKey* sender, std::uint16_t virtualKey,
                           TShiftState shiftState);
    void FillCombo();
    void ApplyClick();
    // Asks for a name, and whether to overwrite a set of that name, then saves the editors'
    // binding under it; Delete asks before it deletes the selected set. Neither waits: the
    // answers come back through the event loop.
    void SaveAsClick();
    void DeleteClick();
    void SaveAs(const QString& name);
    // The editors' binding becomes the set of that name (whatever its case), else a new set.
    void StoreEditorsAs(const QString& name);
    // Shows the sets in the list with `selected` chosen, then writes them to the key file; a
    // file that cannot be written is reported.
    void StoreSets(int selected);

    std::unique_ptr<ProfileFile> keyFile;
    THotKeyEditors editors;
    std::vector<TKeyBind> sets;
};
