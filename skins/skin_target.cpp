#include "skin_target.h"

#include "actions/dialog_state.h"
#include "actions/program_caption.h"
#include "bitmap_region.h"
#include "platform/window_shape.h"
#include "skin_background.h"

#include <QMessageBox>

SkinTarget::SkinTarget(QWidget* mainWindow, const TEventModule& commands, QString skinsFolder)
    : mainWindow(mainWindow), background(new TSkinBackground(mainWindow, Parameters)),
      unparented(std::make_unique<QWidget>()), skinsFolder(std::move(skinsFolder)),
      actions(commands) {}

SkinTarget::~SkinTarget() = default;

void SkinTarget::ApplyMainWindowShape() {
    const QImage& picture = background->Picture();
    if (!Parameters.Active || picture.isNull()) {
        SetWindowShape(mainWindow, std::nullopt);
        return;
    }
    SetWindowShape(mainWindow, BitmapToRegion(picture, picture.pixel(0, 0)));
}

void SkinTarget::ShowSkinError(const QString& text) {
    // The loader goes on with the default skin while the box is open; as the main window's
    // own box it stays above the main window shown again after it.
    OpenDialogOfOurs(new QMessageBox(QMessageBox::Warning, QString::fromUtf8(ProgramCaption), text,
                                     QMessageBox::Ok, mainWindow));
}
