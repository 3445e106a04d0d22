#include "play_list_view.h"

#include "actions/key_polling.h"
#include "dropped_files.h"
#include "folder_scan.h"
#include "playlist_images.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace {

const QString ItemsMimeType = QStringLiteral("application/x-quavrel-play-list-items");
// While a drag stands this close to the top or bottom edge, the list scrolls a row each tick.
constexpr int ScrollMargin = 50;
constexpr int ScrollIntervalMs = 200;
// Wide enough for the names of most songs; the path takes the rest.
constexpr int NameColumnWidth = 200;

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(key);
    return item;
}

} // namespace

TPlayListView::TPlayListView(QWidget* parent)
    : QTreeWidget(parent), popup(new QMenu(this)), scrollTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("PlayListView"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Path")});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setAutoScroll(false);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    header()->setStretchLastSection(true);
    setColumnWidth(0, NameColumnWidth);
    for (int image = 0; image < PlaylistImageCount; ++image) {
        images[static_cast<std::size_t>(image)] = PlaylistImage(image);
    }

    popup->setObjectName(QStringLiteral("ListItemPopup"));
    miPlayThisFile = MenuItem(popup, "miPlayThisFile", "&Play This File", Qt::Key_Return);
    miDelete = MenuItem(popup, "miDelete", "D&elete", Qt::Key_Delete);
    QAction* miSelectAll = MenuItem(popup, "miSelectAll", "Select &All", QKeySequence::SelectAll);
    QAction* miUp = MenuItem(popup, "miUp", "&Up", Qt::CTRL | Qt::Key_Up);
    QAction* miDown = MenuItem(popup, "miDown", "&Down", Qt::CTRL | Qt::Key_Down);
    connect(miPlayThisFile, &QAction::triggered, this, [this] { PlaySelected(); });
    connect(miDelete, &QAction::triggered, this, [this] { DeleteSelected(); });
    connect(miSelectAll, &QAction::triggered, this, [this] { SelectAllItems(); });
    connect(miUp, &QAction::triggered, this, [this] { MoveSelectedUp(); });
    connect(miDown, &QAction::triggered, this, [this] { MoveSelectedDown(); });
    connect(popup, &QMenu::aboutToShow, this, [this] {
        const std::size_t selected = SelectedInOrder().size();
        miPlayThisFile->setEnabled(selected == 1);
        miDelete->setEnabled(selected >= 1);
    });
    connect(popup, &QMenu::aboutToHide, this, [] { SwallowHeldKeys(); });

    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (OnPlayItem) {
            OnPlayItem(item);
        }
    });
    scrollTimer->setInterval(ScrollIntervalMs);
    connect(scrollTimer, &QTimer::timeout, this, [this] { ScrollWhileDragging(); });
}

QString TPlayListView::Name(const QTreeWidgetItem* item) {
    return item->text(0);
}

std::string TPlayListView::Path(const QTreeWidgetItem* item) {
    // The column shows the path as text; the bytes of the name are kept beside it.
    return item->data(1, Qt::UserRole).toByteArray().toStdString();
}

QTreeWidgetItem* TPlayListView::InsertItem(int index, const QString& name, const std::string& path,
                                           int image) {
    auto* item = new QTreeWidgetItem({name, QString::fromStdString(path)});
    item->setData(1, Qt::UserRole, QByteArray::fromStdString(path));
    if (image >= 0 && image < PlaylistImageCount) {
        item->setIcon(0, images[static_cast<std::size_t>(image)]);
    }
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    insertTopLevelItem(std::clamp(index, 0, Count()), item);
    return item;
}

QTreeWidgetItem* TPlayListView::AppendItem(const QString& name, const std::string& path,
                                           int image) {
    return InsertItem(Count(), name, path, image);
}

std::vector<QTreeWidgetItem*> TPlayListView::SelectedInOrder() const {
    std::vector<QTreeWidgetItem*> selected;
    for (int i = 0; i < Count(); ++i) {
        if (Item(i)->isSelected()) {
            selected.push_back(Item(i));
        }
    }
    return selected;
}

int TPlayListView::DropIndexAt(QPoint viewportPoint) const {
    QTreeWidgetItem* item = itemAt(viewportPoint);
    return item != nullptr ? indexOfTopLevelItem(item) : Count();
}

void TPlayListView::MoveSelectedTo(int index) {
    const std::vector<QTreeWidgetItem*> selected = SelectedInOrder();
    if (DriveMode || selected.empty()) {
        return;
    }
    if (indexOfTopLevelItem(selected.front()) < index) {
        ++index;
    }
    index = std::clamp(index, 0, Count());
    std::vector<QTreeWidgetItem*> copies;
    for (auto original = selected.rbegin(); original != selected.rend(); ++original) {
        QTreeWidgetItem* copy = (*original)->clone();
        insertTopLevelItem(index, copy);
        copies.push_back(copy);
    }
    for (QTreeWidgetItem* original : selected) {
        delete original;
    }
    clearSelection();
    for (QTreeWidgetItem* copy : copies) {
        copy->setSelected(true);
    }
    setCurrentItem(copies.back(), 0, QItemSelectionModel::NoUpdate);
}

void TPlayListView::MoveSelectedUp() {
    const std::vector<QTreeWidgetItem*> selected = SelectedInOrder();
    if (!selected.empty()) {
        MoveSelectedTo(std::max(indexOfTopLevelItem(selected.front()) - 1, 0));
    }
}

void TPlayListView::MoveSelectedDown() {
    const std::vector<QTreeWidgetItem*> selected = SelectedInOrder();
    if (!selected.empty()) {
        MoveSelectedTo(std::min(indexOfTopLevelItem(selected.back()) + 1, Count()));
    }
}

void TPlayListView::DeleteSelected() {
    if (DriveMode || Editing()) {
        return;
    }
    const std::vector<QTreeWidgetItem*> selected = SelectedInOrder();
    for (auto item = selected.rbegin(); item != selected.rend(); ++item) {
        delete *item;
    }
}

void TPlayListView::SelectAllItems() {
    selectAll();
}

void TPlayListView::PlaySelected() {
    const std::vector<QTreeWidgetItem*> selected = SelectedInOrder();
    if (selected.size() == 1 && OnPlayItem) {
        OnPlayItem(selected.front());
    }
}

void TPlayListView::startDrag(Qt::DropActions) {
    if (SelectedInOrder().empty()) {
        return;
    }
    // The drag carries no items: the receiver asks this view for its selected items.
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(ItemsMimeType, {});
    drag->setMimeData(data);
    dragging = true;
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    dragging = false;
    StopScrolling();
}

bool TPlayListView::Accepts(const QDropEvent& event) const {
    if (event.source() == this) {
        return true;
    }
    if (event.source() != nullptr) {
        return OnAcceptsDragFrom && OnAcceptsDragFrom(event.source());
    }
    return event.mimeData()->hasUrls();
}

void TPlayListView::dragEnterEvent(QDragEnterEvent* event) {
    if (Accepts(*event)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TPlayListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!Accepts(*event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    dragPoint = event->position().toPoint();
    if (!scrollTimer->isActive()) {
        scrollTimer->start();
    }
}

void TPlayListView::dragLeaveEvent(QDragLeaveEvent* event) {
    StopScrolling();
    QTreeWidget::dragLeaveEvent(event);
}

void TPlayListView::dropEvent(QDropEvent* event) {
    StopScrolling();
    if (!Accepts(*event)) {
        event->ignore();
        return;
    }
    const int index = DropIndexAt(event->position().toPoint());
    event->acceptProposedAction();
    if (event->source() == this) {
        MoveSelectedTo(index);
    } else if (event->source() != nullptr) {
        if (OnDroppedFrom) {
            OnDroppedFrom(event->source(), index);
        }
    } else if (OnShellFilesDropped) {
        OnShellFilesDropped(DroppedLocalFiles(*event->mimeData()), index);
    }
}

void TPlayListView::ScrollWhileDragging() {
    QScrollBar* bar = verticalScrollBar();
    if (dragPoint.y() < ScrollMargin) {
        bar->setValue(bar->value() - bar->singleStep());
    } else if (dragPoint.y() > viewport()->height() - ScrollMargin) {
        bar->setValue(bar->value() + bar->singleStep());
    }
}

void TPlayListView::StopScrolling() {
    scrollTimer->stop();
}

void TPlayListView::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (Editing()) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        PlaySelected();
    } else if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        DeleteSelected();
    } else if (key == Qt::Key_Up && modifiers == Qt::ControlModifier) {
        MoveSelectedUp();
    } else if (key == Qt::Key_Down && modifiers == Qt::ControlModifier) {
        MoveSelectedDown();
    } else if (key == Qt::Key_A && modifiers == Qt::ControlModifier) {
        SelectAllItems();
    } else {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TPlayListView::contextMenuEvent(QContextMenuEvent* event) {
    popup->popup(event->globalPos());
    event->accept();
}
