#pragma once

#include "actions/event_module.h"
#include "skins/skin_target.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

// A main window whose loader calls are recorded instead of shown.
class RecordingTarget : public SkinTarget {
public:
    using SkinTarget::SkinTarget;

    QStringList errors;
    int sectionLooksApplied = 0;

    void ShowSkinError(const QString& text) override { errors << text; }
    void ApplySectionLooks() override { ++sectionLooksApplied; }
};

// A skins folder of the test's own, a plain main window and the program's commands.
class SkinFixture : public testing::Test {
protected:
    QString SkinsFolder() const { return QString::fromStdString(dir.Path()) + "/"; }
    QString SkinFolder(const QString& skin) const { return SkinsFolder() + skin + "/"; }

    void WriteFile(const QString& skin, const QString& file, const QByteArray& bytes) const {
        QDir().mkpath(SkinFolder(skin));
        QFile out(SkinFolder(skin) + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    void WriteSkin(const QString& skin, const QStringList& lines) const {
        WriteFile(skin, "skin.xml", lines.join('\n').toUtf8());
    }
    void WriteBitmap(const QString& skin, const QString& file, const QImage& picture) const {
        QDir().mkpath(SkinFolder(skin));
        ASSERT_TRUE(
            picture.convertToFormat(QImage::Format_RGB888).save(SkinFolder(skin) + file, "BMP"));
    }

    // Runs the deletions that the loader left to the event loop.
    static void DeleteDestroyedControls() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempDir dir;
    QWidget window;
    TEventModule commands;
    RecordingTarget target{&window, commands, SkinsFolder()};
};

// The message box text of a fault at a line.
inline QString SkinErrorText(int line, const QString& message) {
    return QString::fromUtf8("%1行目でエラー発生しました。 \n%2").arg(line).arg(message);
}
