#pragma once

#include <QDialog>
#include <functional>

class QPushButton;
class QSpinBox;

// The speed trainer's choices, in per cent: the speed of a loop's first pass, what each pass
// changes it by and the speed it stops at.
struct TTrainerSpeeds {
    int Start = 0;
    int Step = 0;
    int Target = 0;
};

// "Speed Trainer": one spin box for each of the three choices, OK and Cancel.
class TTrainerOptionsFrm : public QDialog {
    Q_OBJECT
public:
    // Each spin box takes the values from lowest's to highest's.
    TTrainerOptionsFrm(const TTrainerSpeeds& lowest, const TTrainerSpeeds& highest);

    void SetSpeeds(const TTrainerSpeeds& speeds);
    TTrainerSpeeds Speeds() const;

    QSpinBox* seStart;
    QSpinBox* seStep;
    QSpinBox* seTarget;
    QPushButton* btOK;
    QPushButton* btCancel;
};

// Asks for the trainer's choices without waiting, offering now. chosen hears them when OK
// closed the dialog, once the keys held then were swallowed; Cancel answers nothing.
void AskTrainerSpeeds(const TTrainerSpeeds& now, const TTrainerSpeeds& lowest,
                      const TTrainerSpeeds& highest, bool stayOnTop,
                      std::function<void(const TTrainerSpeeds& speeds)> chosen);
