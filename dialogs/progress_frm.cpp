#include "progress_frm.h"

#include "actions/messages.h"
#include "dialog_support.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>

int ProgressPosition(double fraction) {
    // A fraction outside 0..1 (or not a number) must not put the bar outside its range.
    const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    return static_cast<int>(std::nearbyint(clamped * 100.0));
}

TProgressFrm::TProgressFrm(bool stayOnTop, std::function<void()> onCancel)
    : Label1(new QLabel(this)), ProgressBar1(new QProgressBar(this)),
      btCancel(new QPushButton(SWaveExpansionCancel, this)), onCancel(std::move(onCancel)) {
    setObjectName(QStringLiteral("ProgressFrm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    setWindowTitle(SWaveExpansionCaption);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setGeometry(16, 12, 328, 20);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setGeometry(16, 40, 328, 20);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setGeometry(264, 72, 80, 26);
    connect(btCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    setFixedSize(360, 110);
    CentreOnScreen(this);
}

void TProgressFrm::Report(const std::string& stage, double fraction) {
    ProgressBar1->setValue(ProgressPosition(fraction));
    Label1->setText(QString::fromStdString(stage));
}

ProgressCallback TProgressFrm::Callback() {
    return [this](const std::string& stage, double fraction) { Report(stage, fraction); };
}

void TProgressFrm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        CancelClick();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TProgressFrm::CancelClick() {
    if (!btCancel->isEnabled()) {
        return;
    }
    btCancel->setEnabled(false);
    if (onCancel) {
        onCancel();
    }
}
