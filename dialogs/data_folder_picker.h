#pragma once

#include <QFileDialog>

class QPushButton;

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

protected:
    // Keeps the choice button enabled for a folder typed that does not exist yet, which the
    // file dialog would disable.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A single folder typed that does not exist yet.
    bool NewFolderTyped() const;

    QString folder;
    QPushButton* choose = nullptr;
};
