#pragma once

#include "cassettes/base_frm.h"

#include <QStringList>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TCassetteHost;
class TLinkLabel;

// The window shown while a memory card's section records into a cassette on its own: it says
// so, once a second in turn with a request for patience, and offers to stop. Holding Escape at
// one of its ticks, or "CANCEL", runs the stop it was given; the stop closes it. It lives for
// the whole program and is only shown and hidden.
class TAutorecFrm : public TBaseFrm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 345;
    static constexpr int ClientHeight = 148;

    // stop: the controller's Stop of the automatic recording, which closes this window.
    TAutorecFrm(TCassetteHost& host, std::function<void()> stop);

    // Shows the window modally, centred on the screen in the look of the skin's memory cards:
    // the program's other windows take no input and no bound key fires until Close. Returns at
    // once.
    void ShowModal();
    void Close();

    // One tick of Timer1: the next message shows; then Stop runs when Escape is held now.
    void Timer1Timer();
    void llCancelClick();

    QLabel* lbMessage;
    TLinkLabel* llCancel;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QAction* miCancel;

protected:
    // FormShow and FormHide.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Closed by the window manager: as CANCEL, since the recording must not run on unseen.
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TCassetteHost& host;
    std::function<void()> stop;
    QStringList messages;
    int messageIndex = 0;
};
