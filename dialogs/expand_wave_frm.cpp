#include "expand_wave_frm.h"

#include "actions/key_polling.h"
#include "actions/line_break_tags.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "audio/double_buffering_player.h"
#include "audio/expand_wave.h"
#include "audio/song_export.h"
#include "audio/wave_player.h"
#include "dialog_support.h"
#include "platform/background_job.h"
#include "platform/file_stream.h"
#include "platform/key_state.h"
#include "platform/tick_count.h"
#include "platform/virtual_keys.h"
#include "progress_frm.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The extensions of the songs the player reads that the open dialog offers; "All Files" shows
// the rest, which are tried as well.
const QString SongPatterns = QStringLiteral(
    "*.wav *.wave *.mp3 *.flac *.ogg *.oga *.opus *.m4a *.mp4 *.aac *.wma *.aif *.aiff *.ape "
    "*.wv *.mka *.mkv *.webm *.cue");

std::string Utf8Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Rounded half to even; a result length may pass 32 bits (ten times a long source).
std::int64_t Rounded(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// A position for the ratio bar, which then keeps it to its own range.
int BarPosition(double value) {
    return static_cast<int>(
        std::clamp(std::nearbyint(value), 0.0, double{std::numeric_limits<int>::max()}));
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* PlayButton(QWidget* parent, const char* name) {
    auto* button = Named(new QToolButton(parent), name);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TExpandWaveFrm::TExpandWaveFrm(std::string dataFolder)
    : gbInput(Named(new QGroupBox(QStringLiteral("Input File"), this), "gbInput")),
      edSourceFile(ReadOnlyEdit(gbInput, "edSourceFile")),
      Button1(Named(new QPushButton(QStringLiteral("..."), gbInput), "Button1")),
      lbSrcInfo1(Named(new QLabel(QStringLiteral("Size"), gbInput), "lbSrcInfo1")),
      edSourceFileInfo1(ReadOnlyEdit(gbInput, "edSourceFileInfo1")),
      lbSrcInfo2(Named(new QLabel(QStringLiteral("Format"), gbInput), "lbSrcInfo2")),
      edSourceFileInfo2(ReadOnlyEdit(gbInput, "edSourceFileInfo2")),
      btSourcePlay(PlayButton(gbInput, "btSourcePlay")),
      gbOutput(Named(new QGroupBox(QStringLiteral("Output File"), this), "gbOutput")),
      edDestinationFile(ReadOnlyEdit(gbOutput, "edDestinationFile")),
      Button2(Named(new QPushButton(QStringLiteral("..."), gbOutput), "Button2")),
      lbDstInfo(Named(new QLabel(QStringLiteral("Size"), gbOutput), "lbDstInfo")),
      edDestinationFileInfo1(ReadOnlyEdit(gbOutput, "edDestinationFileInfo1")),
      btDestinationPlay(PlayButton(gbOutput, "btDestinationPlay")),
      gbRatio(Named(new QGroupBox(QStringLiteral("Ratio"), this), "gbRatio")),
      rbRatioPercent(
          Named(new QRadioButton(QStringLiteral("by Percent"), gbRatio), "rbRatioPercent")),
      rbRatioSampleCount(Named(new QRadioButton(QStringLiteral("by sample count"), gbRatio),
                               "rbRatioSampleCount")),
      sbRatio(Named(new QScrollBar(Qt::Horizontal, gbRatio), "sbRatio")),
      edRatio(Named(new QLineEdit(gbRatio), "edRatio")),
      btScrollUp(Named(new QPushButton(QStringLiteral(">>"), gbRatio), "btScrollUp")),
      btScrollDown(Named(new QPushButton(QStringLiteral("<<"), gbRatio), "btScrollDown")),
      gbResolution(Named(new QGroupBox(this), "gbResolution")),
      cbDefault(
          Named(new QCheckBox(QStringLiteral("Default Resolution"), gbResolution), "cbDefault")),
      lbResolution(Named(new QLabel(QStringLiteral("Resolution (Sample Count)"), gbResolution),
                         "lbResolution")),
      edResolution(nullptr), udResolution(Named(new QSpinBox(gbResolution), "udResolution")),
      btOk(Named(new QPushButton(QStringLiteral("Create"), this), "btOk")),
      btCancel(Named(new QPushButton(QStringLiteral("Cancel"), this), "btCancel")),
      btPreview(Named(new QPushButton(QStringLiteral("Preview"), this), "btPreview")),
      btStop(Named(new QPushButton(QStringLiteral("Stop"), this), "btStop")),
      dataFolder(std::move(dataFolder)) {
    setObjectName(QStringLiteral("ExpandWaveFrm"));
    // A single border without border icons: the dialog ends through its buttons or Escape.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Wave File Expansion"));

    gbInput->setGeometry(8, 8, 444, 104);
    edSourceFile->setGeometry(12, 22, 388, 24);
    Button1->setGeometry(404, 22, 28, 24);
    lbSrcInfo1->setGeometry(12, 50, 48, 24);
    edSourceFileInfo1->setGeometry(64, 50, 220, 24);
    lbSrcInfo2->setGeometry(12, 76, 48, 24);
    edSourceFileInfo2->setGeometry(64, 76, 220, 24);
    btSourcePlay->setGeometry(404, 74, 28, 26);

    gbOutput->setGeometry(8, 118, 444, 80);
    edDestinationFile->setGeometry(12, 22, 388, 24);
    Button2->setGeometry(404, 22, 28, 24);
    lbDstInfo->setGeometry(12, 50, 48, 24);
    edDestinationFileInfo1->setGeometry(56, 50, 344, 24);
    btDestinationPlay->setGeometry(404, 49, 28, 26);

    gbRatio->setGeometry(8, 204, 444, 86);
    rbRatioPercent->setGeometry(12, 22, 140, 22);
    rbRatioSampleCount->setGeometry(160, 22, 180, 22);
    btScrollDown->setGeometry(12, 52, 36, 24);
    sbRatio->setGeometry(52, 54, 248, 20);
    btScrollUp->setGeometry(304, 52, 36, 24);
    edRatio->setGeometry(346, 52, 86, 24);

    gbResolution->setGeometry(8, 296, 444, 52);
    cbDefault->setGeometry(12, 16, 170, 24);
    lbResolution->setGeometry(186, 16, 170, 24);
    udResolution->setGeometry(352, 15, 80, 26);
    // The up-down and its edit are one control here; the edit keeps its name.
    edResolution = udResolution->findChild<QLineEdit*>();
    edResolution->setObjectName(QStringLiteral("edResolution"));

    btOk->setGeometry(276, 358, 84, 28);
    btCancel->setGeometry(368, 358, 84, 28);
    btPreview->setGeometry(8, 358, 84, 28);
    btStop->setGeometry(96, 358, 84, 28);
    btPreview->hide();
    btStop->hide();
    setFixedSize(460, 396);

    rbRatioPercent->setChecked(true);
    sbRatio->setRange(0, 1000);
    sbRatio->setPageStep(10);
    sbRatio->setValue(BarPosition(DefaultExpandPercent));
    edRatio->setText(QString::number(sbRatio->value()));
    cbDefault->setChecked(true);
    udResolution->setRange(MinimumBlockLength, 8000);
    udResolution->setValue(3000);
    udResolution->setGroupSeparatorShown(true);
    cbDefaultClick();
    btOk->setDefault(true);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(edDestinationFile, &QLineEdit::textChanged, this, [this] {
        UpdateDestInfo();
        UpdateSourceInfo();
    });
    connect(rbRatioPercent, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            rbRatioClick(true);
        }
    });
    connect(rbRatioSampleCount, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            rbRatioClick(false);
        }
    });
    connect(sbRatio, &QScrollBar::valueChanged, this, [this] { sbRatioChange(); });
    connect(edRatio, &QLineEdit::editingFinished, this, [this] { edRatioExit(); });
    connect(btScrollUp, &QPushButton::clicked, this,
            [this] { sbRatio->setValue(sbRatio->value() + 100); });
    connect(btScrollDown, &QPushButton::clicked, this,
            [this] { sbRatio->setValue(sbRatio->value() - 100); });
    connect(cbDefault, &QCheckBox::toggled, this, [this] {
        cbDefaultClick();
        UpdateDestInfo();
    });
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btSourcePlay, &QToolButton::clicked, this, [this] { btSourcePlayClick(); });
    connect(btDestinationPlay, &QToolButton::clicked, this, [this] { btPreviewClick(); });
    connect(btPreview, &QPushButton::clicked, this, [this] { btPreviewClick(); });
    connect(btStop, &QPushButton::clicked, this, [this] { btStopClick(); });

    escapeWait.setInterval(10);
    connect(&escapeWait, &QTimer::timeout, this, [this] { WaitForEscapeRelease(); });
    UpdateSourceInfo();
}

TExpandWaveFrm::~TExpandWaveFrm() {
    job.reset();
    progress.reset();
    PreviewPlayer.reset();
    if (resultHandler) {
        FileStream::DeleteQuietly(PreviewFile());
        FileStream::DeleteQuietly(DecodedFile());
    }
}

void TExpandWaveFrm::Execute(std::function<void(bool created)> done) {
    if (resultHandler) {
        return;
    }
    resultHandler = std::move(done);
    created = false;
    PreviewPlayer = std::make_unique<TWavePlayer>();
    PreviewPlayer->SetFileName(PreviewFile());
    if (!rbRatioPercent->isChecked() && !rbRatioSampleCount->isChecked()) {
        rbRatioPercent->setChecked(true);
    }
    // The play buttons' icon is looked up in the icon themes when the dialog first opens, not
    // while the program starts.
    if (btSourcePlay->icon().isNull()) {
        for (QToolButton* play : {btSourcePlay, btDestinationPlay}) {
            play->setIcon(play->style()->standardIcon(QStyle::SP_MediaPlay));
        }
    }
    setWindowModality(Qt::ApplicationModal);
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
    // The source is read again: it may have changed since the dialog was last open.
    edSourceFileChange();
}

void TExpandWaveFrm::done(int result) {
    if (!resultHandler || escapeWait.isActive()) {
        QDialog::done(result);
        return;
    }
    created = result == QDialog::Accepted;
    QDialog::done(result);
    // The key that ended the dialog must not go on to fire its binding.
    SwallowHeldKeys();
    waitStart = TickCount();
    escapeWait.start();
}

void TExpandWaveFrm::WaitForEscapeRelease() {
    if (CurrentKeyState().IsDown(VkEscape) && TickCount() - waitStart < SwallowDeadlineMs) {
        return;
    }
    escapeWait.stop();
    Finish();
}

void TExpandWaveFrm::Finish() {
    job.reset();
    progress.reset();
    try {
        PreviewPlayer->Close();
    } catch (const std::exception&) {
        // The player goes whatever it reported.
    }
    PreviewPlayer.reset();
    FileStream::DeleteQuietly(PreviewFile());
    FileStream::DeleteQuietly(DecodedFile());
    decodedReady = false;
    const std::function<void(bool)> handler = std::move(resultHandler);
    resultHandler = nullptr;
    handler(created);
}

int TExpandWaveFrm::RatioValue() const {
    return sbRatio->value();
}

std::int32_t TExpandWaveFrm::BlockLength() const {
    return cbDefault->isChecked() ? 0 : udResolution->value();
}

std::string TExpandWaveFrm::SourceFile() const {
    return Utf8Path(edSourceFile->text());
}

std::string TExpandWaveFrm::DestinationFile() const {
    return Utf8Path(edDestinationFile->text());
}

bool TExpandWaveFrm::ByPercent() const {
    return rbRatioPercent->isChecked();
}

StretchRequest TExpandWaveFrm::Request() const {
    StretchRequest request;
    if (ByPercent()) {
        request.Ratio = RatioValue() / 100.0;
    } else {
        request.Ratio = 0.0;
        request.TargetFrames = RatioValue();
    }
    request.BlockLength = BlockLength();
    return request;
}

std::string TExpandWaveFrm::PreviewFile() const {
    return dataFolder + "/preview.wav";
}

std::string TExpandWaveFrm::DecodedFile() const {
    return dataFolder + "/preview_source.wav";
}

void TExpandWaveFrm::ChooseSourceFile(const QString& path) {
    edSourceFile->setText(path);
    edSourceFileChange();
    SetRatioMode(true);
}

void TExpandWaveFrm::ChooseDestinationFile(const QString& path) {
    edDestinationFile->setText(path);
}

void TExpandWaveFrm::Button1Click() {
    const QString filters = SExpandWaveSongFilter + QStringLiteral(" (") + SongPatterns +
                            QStringLiteral(");;") + SExpandWaveWaveFilter +
                            QStringLiteral(" (*.wav);;") + SExpandWaveAllFilter +
                            QStringLiteral(" (*)");
    auto* dialog =
        new QFileDialog(this, QString(), QFileInfo(edSourceFile->text()).path(), filters);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& file) { ChooseSourceFile(file); });
    dialog->open();
}

void TExpandWaveFrm::Button2Click() {
    auto* dialog = new QFileDialog(this, QString(), edDestinationFile->text(),
                                   SExpandWaveWaveFilter + QStringLiteral(" (*.wav)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("wav"));
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& file) { ChooseDestinationFile(file); });
    dialog->open();
}

void TExpandWaveFrm::edSourceFileChange() {
    sourceReadable = false;
    sourceDecoded = false;
    decodedReady = false;
    SourceFrames = 0;
    SourceSeconds = 0.0;
    channels = bits = rate = 0;
    if (PreviewPlayer) {
        PreviewPlayer->Close();
        FileStream::DeleteQuietly(DecodedFile());
    }
    const std::string path = SourceFile();
    if (!path.empty()) {
        try {
            const ExpandSource source = InspectExpandSource(path);
            channels = source.Format.channels;
            bits = source.Format.bitsPerSample;
            rate = static_cast<std::int32_t>(source.Format.samplesPerSec);
            SourceFrames = static_cast<std::int32_t>(source.Frames);
            SourceSeconds = rate != 0 ? static_cast<double>(SourceFrames) / rate : 0.0;
            sourceDecoded = source.Decoded;
            sourceReadable = true;
        } catch (const EExpandSourceError&) {
            ShowErrorLater(SWaveExpansionError);
        } catch (const std::exception& error) {
            ShowErrorLater(QString::fromUtf8(error.what()));
        }
    }
    // The bar keeps to the maximum of its mode for this source.
    sbRatio->setMaximum(percentMode ? 1000 : SampleCountMaximum());
    UpdateDestInfo();
    UpdateSourceInfo();
}

int TExpandWaveFrm::SampleCountMaximum() const {
    // Ten times the source, as far as a WAVE file of 2 GiB holds it.
    const std::int64_t align = std::max(1, channels * bits / 8);
    const std::int64_t fits = (std::numeric_limits<std::int32_t>::max() - 64) / align;
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{SourceFrames} * 10, fits));
}

void TExpandWaveFrm::SetRatioMode(bool sourceChosen) {
    if (!sourceChosen) {
        return;
    }
    if (percentMode) {
        sbRatio->setMaximum(1000);
        sbRatio->setValue(BarPosition(DefaultExpandPercent));
    } else if (SourceFrames > 0) {
        sbRatio->setMaximum(SampleCountMaximum());
        sbRatio->setValue(BarPosition(SourceFrames / 100.0 * DefaultExpandPercent));
    } else {
        sbRatio->setMaximum(1000);
        sbRatio->setValue(0);
    }
    UpdateDestInfo();
}

void TExpandWaveFrm::rbRatioClick(bool percent) {
    if (percent == percentMode) {
        return;
    }
    percentMode = percent;
    const double old = sbRatio->value();
    if (percent) {
        sbRatio->setMaximum(1000);
        sbRatio->setValue(SourceFrames > 0 ? BarPosition(old / SourceFrames * 100.0) : 0);
    } else {
        sbRatio->setMaximum(SampleCountMaximum());
        sbRatio->setValue(SourceFrames > 0 ? BarPosition(SourceFrames * old / 100.0) : 0);
    }
    sbRatioChange();
}

void TExpandWaveFrm::sbRatioChange() {
    edRatio->setText(QString::number(sbRatio->value()));
    UpdateDestInfo();
}

void TExpandWaveFrm::edRatioExit() {
    bool integer = false;
    const int value = edRatio->text().trimmed().toInt(&integer);
    if (integer) {
        sbRatio->setValue(value);
    }
    // The bar clamps the value to its range; the edit shows what it took.
    edRatio->setText(QString::number(sbRatio->value()));
}

void TExpandWaveFrm::cbDefaultClick() {
    const bool own = !cbDefault->isChecked();
    lbResolution->setEnabled(own);
    edResolution->setEnabled(own);
    udResolution->setEnabled(own);
}

std::int64_t TExpandWaveFrm::EngineFrames() const {
    if (!ByPercent()) {
        return RatioValue();
    }
    return static_cast<std::int64_t>(static_cast<double>(SourceFrames) * (RatioValue() / 100.0));
}

void TExpandWaveFrm::UpdateDestInfo() {
    if (!sourceReadable) {
        DestFrames = 0;
        DestSeconds = 0.0;
        edDestinationFileInfo1->clear();
        return;
    }
    const int position = sbRatio->value();
    if (channels * bits / 8 == 0 || rate == 0) {
        DestFrames = 0;
        DestSeconds = 0.0;
    } else if (ByPercent()) {
        DestSeconds = position / 100.0 * SourceSeconds;
        DestFrames = Rounded(SourceFrames * (position / 100.0));
    } else {
        DestFrames = position;
        DestSeconds = static_cast<double>(position) / rate;
    }
    QString text = FormatMessage(SExpandWaveWaveFileInfo1, {DestFrames, DestSeconds});
    const std::int32_t block = ExpandBlockLength(BlockLength(), SourceFrames, EngineFrames(),
                                                 static_cast<std::uint32_t>(rate));
    // The default resolution cannot serve this ratio: the least block takes its place.
    if (BlockLength() == 0 && block != 0) {
        text += FormatMessage(SExpandWaveSmallestBlock, {block});
    }
    edDestinationFileInfo1->setText(text);
    edDestinationFileInfo1->setCursorPosition(0);
}

void TExpandWaveFrm::UpdateSourceInfo() {
    const bool readable = sourceReadable && FileStream::Exists(SourceFile());
    if (readable) {
        edSourceFileInfo1->setText(
            FormatMessage(SExpandWaveWaveFileInfo1, {SourceFrames, SourceSeconds}));
        edSourceFileInfo2->setText(FormatMessage(SExpandWaveWaveFileInfo2, {channels, bits, rate}));
    } else {
        edSourceFileInfo1->clear();
        edSourceFileInfo2->clear();
    }
    btOk->setEnabled(readable && !edDestinationFile->text().isEmpty());
    btSourcePlay->setEnabled(readable);
    btDestinationPlay->setEnabled(readable);
    btPreview->setEnabled(readable);
}

bool TExpandWaveFrm::NeedsDecoding() const {
    return sourceDecoded && !decodedReady;
}

std::string TExpandWaveFrm::PlayableSource() const {
    return sourceDecoded ? DecodedFile() : SourceFile();
}

void TExpandWaveFrm::btSourcePlayClick() {
    if (!PreviewPlayer || job) {
        return;
    }
    PreviewPlayer->Close();
    if (!NeedsDecoding()) {
        PlayFile(PlayableSource());
        return;
    }
    const std::string source = SourceFile();
    const std::string decoded = DecodedFile();
    RunJob([source,
            decoded](const ProgressCallback& report) { DecodeSongToWave(source, decoded, report); },
           [this] {
               decodedReady = true;
               PlayFile(DecodedFile());
           },
           [this] { FileStream::DeleteQuietly(DecodedFile()); });
}

void TExpandWaveFrm::btPreviewClick() {
    if (!PreviewPlayer || job || !sourceReadable) {
        return;
    }
    PreviewPlayer->Close();
    const bool decode = NeedsDecoding();
    const std::string source = SourceFile();
    const std::string wave = PlayableSource();
    const std::string preview = PreviewFile();
    const StretchRequest request = Request();
    RunJob(
        [=](const ProgressCallback& report) {
            if (decode) {
                DecodeSongToWave(source, wave, report);
            }
            const std::unique_ptr<StretchEngine> engine =
                MakeStretchEngine(StretchEngineKind::Described);
            StretchExpandWave(*engine, wave, preview, request, report);
        },
        [this, decode] {
            decodedReady = decodedReady || decode;
            PlayFile(PreviewFile());
        },
        [this] { FileStream::DeleteQuietly(PreviewFile()); });
}

void TExpandWaveFrm::btStopClick() {
    if (PreviewPlayer) {
        PreviewPlayer->Stop();
    }
}

void TExpandWaveFrm::PlayFile(const std::string& path) {
    try {
        PreviewPlayer->Close();
        PreviewPlayer->SetFileName(path);
        PreviewPlayer->Open();
        PreviewPlayer->Play();
    } catch (const EDoubleBufferingPlayerError&) {
        ShowErrorLater(SWaveExpansionError);
    } catch (const std::exception& error) {
        ShowErrorLater(QString::fromUtf8(error.what()));
    }
}

void TExpandWaveFrm::RunJob(std::function<void(const ProgressCallback&)> work,
                            std::function<void()> finished, std::function<void()> failed) {
    jobFinished = std::move(finished);
    jobFailed = std::move(failed);
    DecodeStageText() = SWaveExpansionDecoding.toStdString();
    progress = std::make_unique<TProgressFrm>(StayOnTop(), [this] {
        if (job) {
            job->Cancel();
        }
    });
    // Over the dialog, which waits for it as the program's windows wait for the dialog.
    progress->setWindowModality(Qt::ApplicationModal);
    job = std::make_unique<BackgroundJob>(
        [work = std::move(work)](const ProgressCallback& report,
                                 const BackgroundJob::CancelCheck& check) {
            work(report);
            check();
        },
        progress->Callback(), [this](const JobOutcome& outcome) { JobEnded(outcome); });
    progress->show();
}

void TExpandWaveFrm::JobEnded(const JobOutcome& outcome) {
    job.reset();
    progress.reset();
    const std::function<void()> finished = std::move(jobFinished);
    const std::function<void()> failed = std::move(jobFailed);
    if (outcome.Done()) {
        finished();
        return;
    }
    failed();
    if (outcome.Error) {
        try {
            std::rethrow_exception(outcome.Error);
        } catch (const EExpandSourceError&) {
            ShowErrorLater(SWaveExpansionError);
        } catch (const std::exception& error) {
            ShowErrorLater(QString::fromUtf8(error.what()));
        }
    }
}

void TExpandWaveFrm::ShowErrorLater(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromUtf8(ProgramCaption),
                                WithLineFeeds(text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
