#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// A one-line input box: a prompt, an edit field, and "Ok" and "Cancel" along the bottom.
class TInputFrm : public QDialog {
    Q_OBJECT
public:
    explicit TInputFrm(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QWidget* Panel1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// Asks for a text without waiting, offering the old one selected. answered hears what was typed
// when the box was confirmed, nothing on Cancel, once the box has closed and the keys held then
// (Return or Escape) were swallowed, so that the key that closed the box does not also fire the
// action bound to it.
void InputBox(const QString& caption, const QString& prompt, const QString& text, bool stayOnTop,
              std::function<void(const std::optional<QString>& typed)> answered);
