#pragma once

#include <QDialog>

// Base of the program's dialogs. Each is a window of the desktop's own, owned by no window of
// the program, so it has a task-bar button of its own and stays reachable while the skinned
// main window, which has none, is hidden behind other programs.
class TQuavrelDialogForm : public QDialog {
    Q_OBJECT
public:
    // Has no parent: a window with one is made its transient and loses the task-bar button.
    // Whoever makes the dialog owns it.
    TQuavrelDialogForm();

    // Follows the main window's stay-on-top setting; a shown dialog is shown again with it.
    void SetStayOnTop(bool value);
    bool StayOnTop() const;
};
