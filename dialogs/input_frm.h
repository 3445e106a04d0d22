#pragma once

#include <QDialog>

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

// Asks for a text, offering the old one selected: true when confirmed, text then being what
// was typed; on Cancel the text stays as it was. The keys held as the box closes (Return or Escape)
// fire nothing until let go, so that the key that closed the box does not also fire the action
// bound to it.
bool InputBox(const QString& caption, const QString& prompt, QString& text, bool stayOnTop);
