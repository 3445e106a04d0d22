#pragma once

#include "storage/data_folder.h"

#include <QPointer>
#include <functional>
#include <memory>

class QDialog;
class TGuideFrm;

// The picture message window, the folder picker, the question when no folder was chosen,
// pavucontrol and the desktop's "open" (or guide, where the desktop has no program for a
// page). Each window opens without waiting; its handler runs
// from the event loop once it is closed.
class TDesktopDataFolderUi final : public TDataFolderUi {
public:
    explicit TDesktopDataFolderUi(TGuideFrm& guide) : guide(guide) {}
    // Closes the window still open, without running its handler.
    ~TDesktopDataFolderUi() override;
    TDesktopDataFolderUi(const TDesktopDataFolderUi&) = delete;
    TDesktopDataFolderUi& operator=(const TDesktopDataFolderUi&) = delete;

    void ShowImageMessage(const QString& caption, const QString& text, const QString& pictureFile,
                          std::function<void()> closed) override;
    void ChooseFolder(const QString& proposed,
                      std::function<void(const QString& folder)> chosen) override;
    void AskWithoutFolder(const QString& proposed, const QString& problem,
                          std::function<void(TNoFolderAnswer answer)> answered) override;
    void StartRecordingMixer() override;
    void OpenDocument(const QString& path) override;

    // Closes the window open now, if any, without running its handler: what would have
    // followed its answer does not happen.
    void Withdraw();

    // The window open now, if any.
    QDialog* OpenWindow() const { return current; }

private:
    // Opens window; finished runs with it and its result once it is closed, then it goes.
    void Open(std::unique_ptr<QDialog> window, std::function<void(QDialog&, int)> finished);

    TGuideFrm& guide;
    QPointer<QDialog> current;
};
