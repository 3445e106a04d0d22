#pragma once

#include "audio/stretch_engine.h"
#include "platform/progress_callback.h"
#include "quavrel_dialog_form.h"

#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class BackgroundJob;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QToolButton;
class TProgressFrm;
class TWavePlayer;
struct JobOutcome;

// "Wave File Expansion": the user picks a source (a PCM WAVE file or any song the player
// reads) and a destination, sets the new length in percent of the source or as a number of
// samples, may listen to the source and to a preview of the result, and closes the dialog with
// "Create" to have the result made. The dialog lives as long as the program; its choices stay
// between uses.
class TExpandWaveFrm : public TQuavrelDialogForm {
    Q_OBJECT
public:
    // The percent preset whenever a source is chosen.
    static constexpr double DefaultExpandPercent = 150.0;

    // dataFolder: where "preview.wav" (and a song's decoded copy for listening) is made while
    // the dialog is open.
    explicit TExpandWaveFrm(std::string dataFolder);
    ~TExpandWaveFrm() override;

    // Shows the dialog modal over the program's windows and returns at once. When the dialog
    // ends ("Create", "Cancel", Escape, closed) and Escape is no longer held, the preview
    // player is closed, the preview and decoded files are deleted and then done is called
    // with true for "Create".
    void Execute(std::function<void(bool created)> done);
    bool Executing() const { return static_cast<bool>(resultHandler); }

    // What "Create" asks for.
    int RatioValue() const;
    // 0 with "Default Resolution", else the resolution's value.
    std::int32_t BlockLength() const;
    std::string SourceFile() const;
    std::string DestinationFile() const;
    bool ByPercent() const;
    // The ratio value as the stretch takes it: ratio value / 100, or the value as the exact
    // number of frames; the block length as BlockLength().
    StretchRequest Request() const;

    // A source or destination as chosen in the file dialogs.
    void ChooseSourceFile(const QString& path);
    void ChooseDestinationFile(const QString& path);

    QGroupBox* gbInput;
    QLineEdit* edSourceFile;
    QPushButton* Button1;
    QLabel* lbSrcInfo1;
    QLineEdit* edSourceFileInfo1;
    QLabel* lbSrcInfo2;
    QLineEdit* edSourceFileInfo2;
    QToolButton* btSourcePlay;
    QGroupBox* gbOutput;
    QLineEdit* edDestinationFile;
    QPushButton* Button2;
    QLabel* lbDstInfo;
    QLineEdit* edDestinationFileInfo1;
    QToolButton* btDestinationPlay;
    QGroupBox* gbRatio;
    QRadioButton* rbRatioPercent;
    QRadioButton* rbRatioSampleCount;
    QScrollBar* sbRatio;
    QLineEdit* edRatio;
    QPushButton* btScrollUp;
    QPushButton* btScrollDown;
    QGroupBox* gbResolution;
    QCheckBox* cbDefault;
    QLabel* lbResolution;
    QLineEdit* edResolution;
    QSpinBox* udResolution;
    QPushButton* btOk;
    QPushButton* btCancel;
    QPushButton* btPreview;
    QPushButton* btStop;

    // "preview.wav" in the data folder.
    std::string PreviewFile() const;

public slots:
    void done(int result) override;

private:
    void Button1Click();
    void Button2Click();
    void edSourceFileChange();
    void rbRatioClick(bool percent);
    void SetRatioMode(bool sourceChosen);
    // The bar's maximum in sample-count mode.
    int SampleCountMaximum() const;
    void sbRatioChange();
    void edRatioExit();
    void cbDefaultClick();
    void UpdateDestInfo();
    void UpdateSourceInfo();
    void btSourcePlayClick();
    void btPreviewClick();
    void btStopClick();

    // Runs work on the worker thread with the progress window over the dialog; finished runs
    // when it is done, an error ends in a message box.
    void RunJob(std::function<void(const ProgressCallback&)> work, std::function<void()> finished,
                std::function<void()> failed);
    void JobEnded(const JobOutcome& outcome);
    // The WAVE the player and the preview read: the source, or its decoded copy.
    std::string PlayableSource() const;
    // The source is a song whose decoded copy is not made yet.
    bool NeedsDecoding() const;
    std::string DecodedFile() const;
    // The frames the stretch will make for the ratio value, counted as the engine counts.
    std::int64_t EngineFrames() const;
    void PlayFile(const std::string& path);
    void ShowErrorLater(const QString& text);
    void WaitForEscapeRelease();
    void Finish();

    std::string dataFolder;
    std::unique_ptr<TWavePlayer> PreviewPlayer;
    // The source as read when it was chosen.
    bool sourceReadable = false;
    bool sourceDecoded = false;
    bool decodedReady = false;
    std::int32_t SourceFrames = 0;
    double SourceSeconds = 0.0;
    std::int64_t DestFrames = 0;
    double DestSeconds = 0.0;
    std::int32_t channels = 0;
    std::int32_t bits = 0;
    std::int32_t rate = 0;
    bool percentMode = true;

    std::unique_ptr<TProgressFrm> progress;
    std::unique_ptr<BackgroundJob> job;
    std::function<void()> jobFinished;
    std::function<void()> jobFailed;
    std::function<void(bool created)> resultHandler;
    bool created = false;
    QTimer escapeWait;
    std::uint32_t waitStart = 0;
};
