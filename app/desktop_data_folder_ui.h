#pragma once

#include "storage/data_folder.h"

// The picture message window, the folder dialog, pavucontrol and the desktop's "open".
class TDesktopDataFolderUi final : public TDataFolderUi {
public:
    void ShowImageMessage(const QString& caption, const QString& text,
                          const QString& pictureFile) override;
    QString ChooseFolder(const QString& proposed) override;
    void StartRecordingMixer() override;
    void OpenDocument(const QString& path) override;
};
