#include "actions/message_format.h"
#include "actions/messages.h"
#include "audio/wave_processing.h"
#include "dialogs/expand_wave_frm.h"
#include "platform/file_stream.h"
#include "platform/virtual_keys.h"
#include "tests/actions/fake_input.h"
#include "tests/media/media_fixture.h"
#include "tests/support/gui_wait.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int WaitMs = 30000;

class ExpandWaveFrmTest : public testing::Test {
protected:
    ~ExpandWaveFrmTest() override {
        for (QMessageBox* box : frm.findChildren<QMessageBox*>()) {
            delete box;
        }
    }

    // A stereo 16-bit source of frames frames at 44100 Hz.
    QString Wave(const std::string& name, int frames) {
        const std::string path = dir.File(name);
        WriteWave(path, MakePcmWaveFormat(2, 44100, 16), Pattern(std::size_t(frames) * 4));
        return QString::fromStdString(path);
    }

    void Execute() {
        frm.Execute([this](bool created) { result = created; });
    }

    // The work under the progress window has ended.
    bool Idle() const { return QApplication::activeModalWidget() == &frm; }

    int Boxes() const { return static_cast<int>(frm.findChildren<QMessageBox*>().size()); }

    FakeInput input;
    TempDir dir;
    TExpandWaveFrm frm{dir.Path()};
    std::optional<bool> result;
};

TEST_F(ExpandWaveFrmTest, PercentAndSampleCountConvertIntoEachOther) {
    frm.ChooseSourceFile(Wave("source.wav", 44100));
    EXPECT_EQ(frm.edSourceFileInfo1->text(), "44100(sample)  1.000(sec)");
    EXPECT_EQ(frm.edSourceFileInfo2->text(), "2ch 16/44100(bit/sample)");
    EXPECT_EQ(frm.sbRatio->maximum(), 1000);
    EXPECT_EQ(frm.sbRatio->value(), 150);
    EXPECT_EQ(frm.edDestinationFileInfo1->text(), "66150(sample)  1.500(sec)");

    frm.rbRatioSampleCount->setChecked(true);
    EXPECT_EQ(frm.sbRatio->maximum(), 441000);
    EXPECT_EQ(frm.sbRatio->value(), 66150);
    EXPECT_EQ(frm.edRatio->text(), "66150");
    EXPECT_EQ(frm.edDestinationFileInfo1->text(), "66150(sample)  1.500(sec)");
    EXPECT_EQ(frm.Request().TargetFrames, 66150);
    EXPECT_EQ(frm.Request().Ratio, 0.0);

    frm.rbRatioPercent->setChecked(true);
    EXPECT_EQ(frm.sbRatio->maximum(), 1000);
    EXPECT_EQ(frm.sbRatio->value(), 150);
    EXPECT_EQ(frm.Request().TargetFrames, 0);
    EXPECT_EQ(frm.Request().Ratio, 1.5);
}

// A source near the size a WAVE file can hold: its result lengths are counted past the
// range of 32 bits, and the bar keeps to its maximum.
TEST_F(ExpandWaveFrmTest, TheLengthsOfALongSourceAreCountedInFull) {
    const std::string path = dir.File("long.wav");
    WaveFixture()
        .Format(MakePcmWaveFormat(1, 44100, 8))
        .ChunkHeader("data", 0x7fffff00)
        .WriteTo(path);
    frm.ChooseSourceFile(QString::fromStdString(path));
    EXPECT_EQ(frm.edSourceFileInfo1->text().section('(', 0, 0).toStdString(), "2147483392");
    EXPECT_EQ(frm.edDestinationFileInfo1->text().section('(', 0, 0).toStdString(), "3221225088");
    frm.sbRatio->setValue(1000);
    EXPECT_EQ(frm.edDestinationFileInfo1->text().section('(', 0, 0).toStdString(), "21474833920");

    frm.sbRatio->setValue(150);
    frm.rbRatioSampleCount->setChecked(true);
    EXPECT_EQ(frm.sbRatio->value(), frm.sbRatio->maximum());
    EXPECT_GT(frm.sbRatio->maximum(), 2147480000);
    EXPECT_EQ(frm.Request().TargetFrames, frm.sbRatio->maximum());
}

TEST_F(ExpandWaveFrmTest, TheRatioMovesByButtonsAndByItsEditWithinTheBar) {
    frm.btScrollUp->click();
    EXPECT_EQ(frm.sbRatio->value(), 250);
    frm.sbRatio->setValue(950);
    frm.btScrollUp->click();
    EXPECT_EQ(frm.sbRatio->value(), 1000);
    frm.sbRatio->setValue(50);
    frm.btScrollDown->click();
    EXPECT_EQ(frm.sbRatio->value(), 0);
    const std::pair<QString, int> edits[] = {
        {"420", 420}, {"abc", 420}, {"4.5", 420}, {"5000", 1000}};
    for (const auto& [text, value] : edits) {
        frm.edRatio->setText(text);
        emit frm.edRatio->editingFinished();
        EXPECT_EQ(frm.sbRatio->value(), value) << text.toStdString();
        EXPECT_EQ(frm.edRatio->text(), QString::number(value)) << text.toStdString();
    }
}

TEST_F(ExpandWaveFrmTest, TheResolutionIsTheUsersOnlyWithoutTheDefault) {
    EXPECT_TRUE(frm.cbDefault->isChecked());
    EXPECT_EQ(frm.udResolution->minimum(), 10);
    EXPECT_EQ(frm.udResolution->maximum(), 8000);
    EXPECT_EQ(frm.udResolution->value(), 3000);
    for (const bool byDefault : {false, true}) {
        frm.cbDefault->setChecked(byDefault);
        EXPECT_EQ(frm.udResolution->isEnabled(), !byDefault);
        EXPECT_EQ(frm.edResolution->isEnabled(), !byDefault);
        EXPECT_EQ(frm.lbResolution->isEnabled(), !byDefault);
        EXPECT_EQ(frm.BlockLength(), byDefault ? 0 : 3000);
    }
}

TEST_F(ExpandWaveFrmTest, CreateNeedsAReadableSourceAndADestination) {
    const std::string notes = dir.File("notes.wav");
    WriteFile(notes, {'n', 'o'});
    struct Case {
        QString source;
        QString destination;
        bool create;
    };
    const QString wave = Wave("source.wav", 4410);
    const QString out = QString::fromStdString(dir.File("out.wav"));
    const Case cases[] = {
        {"", "", false},
        {"", out, false},
        {wave, "", false},
        {wave, out, true},
        {QString::fromStdString(notes), out, false},
        {QString::fromStdString(dir.File("missing.wav")), out, false},
    };
    for (const Case& c : cases) {
        frm.ChooseDestinationFile(c.destination);
        frm.ChooseSourceFile(c.source);
        const std::string name = c.source.toStdString() + " -> " + c.destination.toStdString();
        EXPECT_EQ(frm.btOk->isEnabled(), c.create) << name;
        const bool readable = c.source == wave;
        EXPECT_EQ(frm.btSourcePlay->isEnabled(), readable) << name;
        EXPECT_EQ(frm.btDestinationPlay->isEnabled(), readable) << name;
        EXPECT_EQ(frm.edSourceFileInfo1->text().isEmpty(), !readable) << name;
    }
    // One box for each source that nothing reads, named as such.
    const QList<QMessageBox*> boxes = frm.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.front()->text(), SWaveExpansionError);
    EXPECT_EQ(boxes.back()->text(), SWaveExpansionError);
}

TEST_F(ExpandWaveFrmTest, TheDestinationLineTellsOfTheLeastBlock) {
    frm.ChooseSourceFile(Wave("source.wav", 44100));
    const QString note = FormatMessage(SExpandWaveSmallestBlock, {MinimumBlockLength});
    frm.sbRatio->setValue(1000);
    EXPECT_EQ(frm.edDestinationFileInfo1->text(), "441000(sample)  10.000(sec)" + note);
    frm.sbRatio->setValue(990);
    EXPECT_TRUE(frm.edDestinationFileInfo1->text().endsWith(note));
    frm.sbRatio->setValue(989);
    EXPECT_FALSE(frm.edDestinationFileInfo1->text().endsWith(note));
    frm.sbRatio->setValue(1000);
    frm.cbDefault->setChecked(false);
    EXPECT_EQ(frm.edDestinationFileInfo1->text(), "441000(sample)  10.000(sec)");
}

// The dialog ends only once Escape is let go, and then leaves no preview behind, also when an
// error came while it was open.
TEST_F(ExpandWaveFrmTest, ThePreviewIsGoneWhenTheDialogEndsAfterAnError) {
    const QString source = Wave("source.wav", 4410);
    frm.ChooseSourceFile(source);
    Execute();
    EXPECT_EQ(QApplication::activeModalWidget(), &frm);
    frm.btDestinationPlay->click();
    ASSERT_TRUE(WaitOnGuiThread([&] { return Idle(); }, WaitMs));
    EXPECT_EQ(Boxes(), 0);
    ASSERT_TRUE(FileStream::Exists(frm.PreviewFile()));

    std::filesystem::remove(source.toStdString());
    frm.btSourcePlay->click();
    ASSERT_EQ(Boxes(), 1);
    EXPECT_TRUE(FileStream::Exists(frm.PreviewFile()));

    input.Hold({VkEscape});
    frm.reject();
    EXPECT_FALSE(frm.isVisible());
    EXPECT_FALSE(WaitOnGuiThread([&] { return result.has_value(); }, 100))
        << "the dialog ended while Escape was held";
    input.Hold({});
    ASSERT_TRUE(WaitOnGuiThread([&] { return result.has_value(); }, WaitMs));
    EXPECT_FALSE(*result);
    EXPECT_FALSE(FileStream::Exists(frm.PreviewFile()));
}

TEST_F(ExpandWaveFrmTest, ASongIsPreviewedThroughItsDecodedCopyAndCreateEndsIt) {
    ASSERT_NO_FATAL_FAILURE(EncodeMedia(dir, MakeClickSignal(44100, 2, 44100, 10000), "song.mp3"));
    frm.ChooseSourceFile(QString::fromStdString(dir.File("song.mp3")));
    frm.ChooseDestinationFile(QString::fromStdString(dir.File("out.wav")));
    EXPECT_EQ(frm.edSourceFileInfo1->text(), "44100(sample)  1.000(sec)");
    EXPECT_EQ(frm.edSourceFileInfo2->text(), "2ch 16/44100(bit/sample)");
    Execute();
    frm.btDestinationPlay->click();
    ASSERT_TRUE(WaitOnGuiThread([&] { return Idle(); }, WaitMs));
    EXPECT_EQ(Boxes(), 0);
    EXPECT_TRUE(FileStream::Exists(frm.PreviewFile()));
    EXPECT_EQ(std::filesystem::file_size(frm.PreviewFile()), 46u + 66150u * 4u);

    ASSERT_TRUE(frm.btOk->isEnabled());
    frm.btOk->click();
    ASSERT_TRUE(WaitOnGuiThread([&] { return result.has_value(); }, WaitMs));
    EXPECT_TRUE(*result);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "song.mp3" || name == "song.mp3.source.wav") << name << " is left";
    }
}

} // namespace
