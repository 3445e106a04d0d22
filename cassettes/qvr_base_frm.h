#pragma once

#include "cassettes/base_frm.h"
#include "cassettes/cassette_host.h"

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QTimer;

// What cassettes and memory cards share: their place in the window list, docking by dragging,
// gliding to a point, finding a free spot, their popup menu and their title.
class TQvrBaseFrm : public TBaseFrm {
public:
    // Tags of the popup menu's items.
    static constexpr int TagSet = 0;
    static constexpr int TagEject = 1;
    static constexpr int TagClose = 2;
    static constexpr int TagSetTitle = 10;
    static constexpr int TagSave = 11;
    static constexpr int DockGlideSteps = 8;
    static constexpr int ArrangeGlideSteps = 3;
    static constexpr int GlideIntervalMs = 50;

    ~TQvrBaseFrm() override;

    virtual QString GetTitle() const;
    // Stores the title and repaints it.
    virtual void SetTitle(const QString& value);
    // One step of the glide under way; the glide timer calls it.
    virtual void GlideTick();
    // Carries out the command of the menu item with that tag.
    virtual void MenuItemClick(int tag);
    // Enables the items that fit the moment; runs as the menu opens.
    virtual void MenuPopup();
    // Takes size, picture, colour and docking point from the skin of the window's kind.
    virtual void ApplySkin();

    virtual TQvrKind Kind() const = 0;

    // Creation order; saved with the song's data, which may give it back.
    int CreateIndex;
    // The window is being moved by DisposeInOrder: the free-spot search passes over it.
    bool Arranging = false;

    QMenu* PopupMenu;
    QAction* miSet;
    QAction* miEject;

    bool IsDocked() const;
    bool Dragging() const { return dragging; }
    QPoint DockingOffset() const { return dockingOffset; }
    // Where the window stands when docked, in screen coordinates.
    QPoint DockingPoint() const;

    // Goes to the docking point: in a glide when asked for and the window is more than 10
    // pixels away from it in x or y, otherwise at once.
    void GoToDockingPoint(bool glide);
    // Moves to target in `steps` ticks of the glide timer, fast at first, then slower.
    void GlideTo(QPoint target, int steps);
    bool Gliding() const { return glideRemaining > 0; }
    QPoint GlideTarget() const { return glideTarget; }
    // A free place for this window, off the main window, the other windows and the docking
    // places; alsoIgnore (a window about to dock) is no obstacle.
    QPoint FreeSpot(const TQvrBaseFrm* alsoIgnore = nullptr) const;
    void GlideToFreeSpot(const TQvrBaseFrm* alsoIgnore = nullptr);
    // A docked window is undocked and glides to a free spot; others stay where they are.
    void Eject();
    // Asks for a new title in the input box, without waiting; asked (may be empty) runs once
    // the box has closed, whatever the answer, even when this window was released meanwhile.
    void AskTitle(std::function<void()> asked = {});

protected:
    explicit TQvrBaseFrm(TCassetteHost& host);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // Runs a command of the menu or of a double click after the event that asked for it, so
    // that no dialog runs inside the event and a window released meanwhile is left alone.
    void RunLater(int tag);

    TCassetteHost& Host;

private:
    QPoint DragTo(QPoint proposed);
    void DoubleClicked();

    QString title;
    QPoint dockingOffset;
    bool dragging = false;
    QTimer* glideTimer = nullptr;
    int glideRemaining = 0;
    double glideX = 0;
    double glideY = 0;
    double glideDeltaX = 0;
    double glideDeltaY = 0;
    QPoint glideTarget;
};

// Moves every undocked window to a free spot in window-list order, in three quick steps,
// before returning.
void DisposeInOrder(TCassetteHost& host);

// Where cassettes and cards dock on the main window at mainAt now, in screen coordinates.
std::vector<QRect> DockingPlaces(const TCassetteHost& host, QPoint mainAt);
