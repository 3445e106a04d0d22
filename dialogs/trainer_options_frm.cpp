#include "trainer_options_frm.h"

#include "actions/dialog_state.h"
#include "actions/messages.h"
#include "dialog_support.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* SpinBox(const char* name, int lowest, int highest, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, highest);
    return box;
}

} // namespace

TTrainerOptionsFrm::TTrainerOptionsFrm(const TTrainerSpeeds& lowest, const TTrainerSpeeds& highest)
    : seStart(SpinBox("seStart", lowest.Start, highest.Start, this)),
      seStep(SpinBox("seStep", lowest.Step, highest.Step, this)),
      seTarget(SpinBox("seTarget", lowest.Target, highest.Target, this)),
      btOK(new QPushButton(QStringLiteral("&OK"), this)),
      btCancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("TrainerOptionsFrm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(STrainerOptionsCaption);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(STrainerStartSpeed, seStart);
    form->addRow(STrainerStep, seStep);
    form->addRow(STrainerTargetSpeed, seTarget);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TTrainerOptionsFrm::SetSpeeds(const TTrainerSpeeds& speeds) {
    seStart->setValue(speeds.Start);
    seStep->setValue(speeds.Step);
    seTarget->setValue(speeds.Target);
}

TTrainerSpeeds TTrainerOptionsFrm::Speeds() const {
    return {seStart->value(), seStep->value(), seTarget->value()};
}

void AskTrainerSpeeds(const TTrainerSpeeds& now, const TTrainerSpeeds& lowest,
                      const TTrainerSpeeds& highest, bool stayOnTop,
                      std::function<void(const TTrainerSpeeds& speeds)> chosen) {
    auto* dialog = new TTrainerOptionsFrm(lowest, highest);
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    dialog->SetSpeeds(now);
    CentreOnScreen(dialog);
    OpenDialogOfOurs(dialog, [dialog, chosen = std::move(chosen)](int result) {
        if (result == QDialog::Accepted) {
            chosen(dialog->Speeds());
        }
    });
}
