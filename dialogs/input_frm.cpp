#include "input_frm.h"

#include "actions/dialog_state.h"
#include "dialog_support.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int PanelHeight = 41;

} // namespace

TInputFrm::TInputFrm(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), Edit1(new QLineEdit(this)),
      Panel1(new QWidget(this)), Button1(new QPushButton(QStringLiteral("Ok"), Panel1)),
      Button2(new QPushButton(QStringLiteral("Cancel"), Panel1)) {
    setObjectName(QStringLiteral("InputFrm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->move(8, 8);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->move(8, 28);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    resize(320, 28 + Edit1->sizeHint().height() + 8 + PanelHeight);
}

void TInputFrm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Edit1->resize(width() - 2 * Edit1->x(), Edit1->height());
    Label1->resize(width() - 2 * Label1->x(), Label1->sizeHint().height());
    Panel1->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
}

void InputBox(const QString& caption, const QString& prompt, const QString& text, bool stayOnTop,
              std::function<void(const std::optional<QString>& typed)> answered) {
    auto* box = new TInputFrm;
    box->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    box->setWindowTitle(caption);
    box->Label1->setText(prompt);
    box->Edit1->setText(text);
    // Typing replaces the old text; the arrow keys keep it.
    box->Edit1->selectAll();
    CentreOnScreen(box);
    OpenDialogOfOurs(box, [box, answered = std::move(answered)](int result) {
        answered(result == QDialog::Accepted ? std::optional(box->Edit1->text()) : std::nullopt);
    });
}
