#pragma once

#include <QFileDialog>

// The choice of the data folder: opens in the proposed folder's parent with the proposed name
// filled in, so that Enter takes the proposal. A folder typed that does not exist yet is taken
// as it is (whoever asked makes it); an existing one is taken as the file dialog takes it.
class TDataFolderPicker : public QFileDialog {
    Q_OBJECT
public:
    explicit TDataFolderPicker(const QString& proposed, QWidget* parent = nullptr);

    // The folder taken; meaningful once the picker was accepted.
    QString Folder() const { return folder; }

    void accept() override;

private:
    QString folder;
};
