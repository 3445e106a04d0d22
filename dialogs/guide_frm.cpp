#include "guide_frm.h"

#include "actions/messages.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TGuideFrm::TGuideFrm(QWidget* parent) : QWidget(parent, Qt::Window), Browser(new QTextBrowser) {
    setObjectName(QStringLiteral("GuideFrm"));
    setWindowTitle(SGuideFrmCaption);
    Browser->setObjectName(QStringLiteral("Browser"));
    // Addresses outside the guide go to the desktop, which may yet show them.
    Browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(640, 480);
}

void TGuideFrm::ShowPage(const QUrl& page) {
    // The query names the language for a browser's script; the file is the same.
    QUrl file = page;
    file.setQuery(QString());
    Browser->setSource(file);
    showNormal();
    raise();
    activateWindow();
}

void TGuideFrm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
