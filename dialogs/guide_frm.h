#pragma once

#include <QWidget>

class QKeyEvent;
class QTextBrowser;
class QUrl;

// The program's own window for the user guide, for a desktop that has no program to show web
// pages with. Its links within the guide are followed; it is closed by the user.
class TGuideFrm : public QWidget {
public:
    // Titled with SGuideFrmCaption; not shown yet.
    explicit TGuideFrm(QWidget* parent = nullptr);

    // Shows a page of this machine (an HTML file) and brings the window to the front.
    void ShowPage(const QUrl& page);

    QTextBrowser* Browser;

protected:
    // ESCAPE closes it, as it closes the program's other windows.
    void keyPressEvent(QKeyEvent* event) override;
};
