#include "cassettes/qvr_base_frm.h"

#include "actions/key_polling.h"
#include "actions/messages.h"
#include "cassettes/free_spot.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/setting_font.h"
#include "dialogs/input_frm.h"
#include "platform/application_error.h"
#include "skins/round_half_even.h"
#include "skins/skin_parameters.h"
#include "skins/skin_values.h"
#include "skins/text_item.h"
#include "storage/settings.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// An error of a command run from an event cannot go back through the event loop.
void Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}

} // namespace

TQvrBaseFrm::TQvrBaseFrm(TCassetteHost& host)
    : TBaseFrm(host.MainWindow(), [this](QPoint proposed) { return DragTo(proposed); }),
      CreateIndex(TakeCreateIndex()), PopupMenu(new QMenu(this)), Host(host) {
    AddQvrWindow(this);
    miSet = PopupMenu->addAction(SMenuItemSet);
    miSet->setData(TagSet);
    miEject = PopupMenu->addAction(SMenuItemEject);
    miEject->setData(TagEject);
    PopupMenu->addAction(SMenuItemClose)->setData(TagClose);
    PopupMenu->addAction(SMenuItemSetTitle)->setData(TagSetTitle);
    QObject::connect(PopupMenu, &QMenu::aboutToShow, this, [this] { MenuPopup(); });
    QObject::connect(PopupMenu, &QMenu::triggered, this,
                     [this](QAction* item) { RunLater(item->data().toInt()); });
    // The key that chose an item (or closed the menu) must not go on to fire its binding once
    // the key polling runs again.
    QObject::connect(PopupMenu, &QMenu::aboutToHide, this, [] { SwallowHeldKeys(); });
    Drag().OnFinished = [this] {
        dragging = false;
        Host.BringMainToFront();
    };
}

TQvrBaseFrm::~TQvrBaseFrm() {
    RemoveQvrWindow(this);
}

QString TQvrBaseFrm::GetTitle() const {
    return title;
}

void TQvrBaseFrm::SetTitle(const QString& value) {
    title = value;
    update();
}

bool TQvrBaseFrm::IsDocked() const {
    return Host.DockedWindow() == this;
}

QPoint TQvrBaseFrm::DockingPoint() const {
    return Host.MainWindow()->frameGeometry().topLeft() + dockingOffset;
}

void TQvrBaseFrm::ApplySkin() {
    const TSkinWindowLook& skin = Host.WindowSkin(Kind());
    dockingOffset = skin.DockingPoint;
    SetColor(ColorOfColorRef(skin.BackgroundColor));
    resize(skin.Width, skin.Height);
    SetPicture(skin.Background);
}

void TQvrBaseFrm::GoToDockingPoint(bool glide) {
    constexpr int Near = 10;
    const QPoint target = DockingPoint();
    const QPoint distance = target - pos();
    if (glide && (std::abs(distance.x()) > Near || std::abs(distance.y()) > Near)) {
        GlideTo(target, DockGlideSteps);
    } else {
        glideRemaining = 0;
        move(target);
    }
}

void TQvrBaseFrm::GlideTo(QPoint target, int steps) {
    const double sum = steps * (steps + 1) / 2.0;
    glideDeltaX = (target.x() - x()) / sum;
    glideDeltaY = (target.y() - y()) / sum;
    glideX = x();
    glideY = y();
    glideRemaining = steps;
    glideTarget = target;
    if (glideTimer == nullptr) {
        glideTimer = new QTimer(this);
        glideTimer->setInterval(GlideIntervalMs);
        QObject::connect(glideTimer, &QTimer::timeout, this, [this] { GlideTick(); });
    }
    glideTimer->start();
}

void TQvrBaseFrm::GlideTick() {
    if (glideRemaining <= 0) {
        if (glideTimer != nullptr) {
            glideTimer->stop();
        }
        return;
    }
    // Step n of the remaining n covers n parts of the distance: the window slows down.
    glideX += glideRemaining * glideDeltaX;
    glideY += glideRemaining * glideDeltaY;
    --glideRemaining;
    move(RoundHalfEven(glideX), RoundHalfEven(glideY));
}

QPoint TQvrBaseFrm::FreeSpot(const TQvrBaseFrm* alsoIgnore) const {
    TFreeSpotQuery query;
    const QWidget* main = Host.MainWindow();
    query.Screen = main->screen()->availableGeometry();
    query.Main = main->frameGeometry();
    for (const TQvrBaseFrm* window : QvrWindows()) {
        if (window == this || window == alsoIgnore || window->Arranging) {
            continue;
        }
        const QPoint at = window->Gliding() ? window->GlideTarget() : window->pos();
        query.Windows.emplace_back(at, window->size());
    }
    // The docking places stay clear for the windows that dock there next.
    const std::vector<QRect> docks = DockingPlaces(Host, query.Main.topLeft());
    query.Windows.insert(query.Windows.end(), docks.begin(), docks.end());
    query.Wanted = size();
    return FindFreeSpot(query);
}

void TQvrBaseFrm::GlideToFreeSpot(const TQvrBaseFrm* alsoIgnore) {
    GlideTo(FreeSpot(alsoIgnore), DockGlideSteps);
}

void TQvrBaseFrm::Eject() {
    if (!IsDocked()) {
        return;
    }
    Host.DockWindow(nullptr, false);
    GlideToFreeSpot();
}

void TQvrBaseFrm::AskTitle(std::function<void()> asked) {
    const QPointer<TQvrBaseFrm> self(this);
    TCassetteHost* host = &Host;
    InputBox(SSetWindowTitleCaption, SSetWindowTitlePrompt, GetTitle(), Host.StayOnTop(),
             [self, host, asked = std::move(asked)](const std::optional<QString>& title) {
                 // The window may have been released while the box was open.
                 if (self) {
                     if (title) {
                         self->SetTitle(*title);
                     }
                     host->MainWindow()->activateWindow();
                 }
                 if (asked) {
                     asked();
                 }
             });
}

void TQvrBaseFrm::MenuPopup() {
    miSet->setEnabled(!IsDocked());
    miEject->setEnabled(IsDocked());
}

void TQvrBaseFrm::MenuItemClick(int tag) {
    switch (tag) {
    case TagSet:
        Host.DockWindow(this, true);
        break;
    case TagEject:
        Eject();
        break;
    case TagClose:
        Host.QueueClose(this);
        break;
    case TagSetTitle:
        AskTitle();
        break;
    default:
        break;
    }
}

void TQvrBaseFrm::RunLater(int tag) {
    QMetaObject::invokeMethod(
        this, [this, tag] { Guarded([&] { MenuItemClick(tag); }); }, Qt::QueuedConnection);
}

void TQvrBaseFrm::DoubleClicked() {
    switch (Host.GetSettings().WaveFrmDoubleClicked) {
    case 1:
        RunLater(IsDocked() ? TagEject : TagSet);
        break;
    case 2:
        RunLater(TagSetTitle);
        break;
    case 3:
        RunLater(TagClose);
        break;
    default:
        break;
    }
}

QPoint TQvrBaseFrm::DragTo(QPoint proposed) {
    const QPoint dock = DockingPoint();
    const QPoint distance = proposed - dock;
    if (std::hypot(distance.x(), distance.y()) < Host.DockSnapDistance()) {
        if (!IsDocked()) {
            Guarded([this] { Host.DockWindow(this, false); });
        }
        return dock;
    }
    if (IsDocked()) {
        Guarded([this] { Host.DockWindow(nullptr, false); });
    }
    return proposed;
}

void TQvrBaseFrm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        PopupMenu->popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        // The user takes the window over from a glide under way.
        glideRemaining = 0;
        dragging = true;
    }
    TBaseFrm::mousePressEvent(event);
}

void TQvrBaseFrm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        DoubleClicked();
    }
}

void TQvrBaseFrm::paintEvent(QPaintEvent* event) {
    TBaseFrm::paintEvent(event);
    const Settings& settings = Host.GetSettings();
    QPainter painter(this);
    DrawTextItem(
        painter,
        FontOf(Kind() == TQvrKind::Cassette ? settings.WavefrmFont : settings.RepeatfrmFont),
        Host.WindowSkin(Kind()).Title, GetTitle());
}

void DisposeInOrder(TCassetteHost& host) {
    constexpr int MaxCycles = 50;
    std::vector<TQvrBaseFrm*> undocked;
    for (TQvrBaseFrm* window : QvrWindows()) {
        if (window != host.DockedWindow()) {
            window->Arranging = true;
            undocked.push_back(window);
        }
    }
    for (TQvrBaseFrm* window : undocked) {
        const QPoint spot = window->FreeSpot();
        window->Arranging = false;
        window->GlideTo(spot, TQvrBaseFrm::ArrangeGlideSteps);
    }
    const auto arrived = [&] {
        return std::none_of(undocked.begin(), undocked.end(),
                            [](const TQvrBaseFrm* window) { return window->Gliding(); });
    };
    for (int cycle = 0; cycle < MaxCycles && !arrived(); ++cycle) {
        for (TQvrBaseFrm* window : undocked) {
            window->GlideTick();
            window->repaint();
        }
    }
    for (TQvrBaseFrm* window : QvrWindows()) {
        window->Arranging = false;
    }
}

std::vector<QRect> DockingPlaces(const TCassetteHost& host, QPoint mainAt) {
    std::vector<QRect> places;
    for (const TQvrKind kind : {TQvrKind::Cassette, TQvrKind::Card}) {
        const TSkinWindowLook& skin = host.WindowSkin(kind);
        places.emplace_back(mainAt + skin.DockingPoint, QSize(skin.Width, skin.Height));
    }
    return places;
}
