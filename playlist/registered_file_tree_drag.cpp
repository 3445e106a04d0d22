// Dragging within the tree, drops from the play list and the file manager, and scrolling
// while a node is dragged.
#include "registered_file_tree.h"

#include "dropped_files.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace {

const QString NodeDragType = QStringLiteral("application/x-quavrel-tree-node");
constexpr int ScrollMargin = 50;

} // namespace

void TRegisteredFileTree::DropNode(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    if (!dragged || dragged == Root() || IsWithin(target, dragged)) {
        return;
    }
    if (!target || target == Root()) {
        const int end = Root()->childCount() - (dragged->parent() == Root() ? 1 : 0);
        MoveNode(dragged, Root(), end);
        return;
    }
    const bool targetExpanded = target->isExpanded();
    QTreeWidgetItem* parent = target->parent();
    // Taking the dragged node out shifts the target up when both share a parent and the
    // dragged node stood above: the target's index now then lies just after it.
    MoveNode(dragged, parent, parent->indexOfChild(target));
    target->setExpanded(targetExpanded);
}

QTreeWidgetItem* TRegisteredFileTree::DraggedNode() const {
    return draggedNode;
}

bool TRegisteredFileTree::AcceptsDrag(const QMimeData& data, const QObject* source) const {
    if (source && source == this) {
        return draggedNode != nullptr;
    }
    if (source && source == PlayListView) {
        return true;
    }
    return !DroppedLocalFiles(data).empty();
}

void TRegisteredFileTree::DropAt(const QMimeData& data, const QObject* source,
                                 QPoint viewportPoint) {
    QTreeWidgetItem* at = NodeAt(viewportPoint);
    if (source && source == this) {
        DropNode(draggedNode, at);
    } else if (source && source == PlayListView) {
        if (OnPlayListItemsDropped) {
            OnPlayListItemsDropped(at ? at : Root());
        }
    } else if (std::vector<std::string> files = DroppedLocalFiles(data);
               !files.empty() && OnShellFilesDropped) {
        OnShellFilesDropped(std::move(files), at);
    }
}

QTreeWidgetItem* TRegisteredFileTree::DropTarget() const {
    return dropTarget;
}

void TRegisteredFileTree::MarkDropTarget(QTreeWidgetItem* node) {
    if (node == dropTarget) {
        return;
    }
    if (dropTarget) {
        dropTarget->setBackground(0, QBrush());
    }
    dropTarget = node;
    if (dropTarget) {
        QColor mark = palette().color(QPalette::Highlight);
        mark.setAlpha(96);
        dropTarget->setBackground(0, mark);
    }
}

void TRegisteredFileTree::startDrag(Qt::DropActions) {
    draggedNode = SelectedNode();
    if (!draggedNode || draggedNode == Root()) {
        draggedNode = nullptr;
        return;
    }
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    // The drag carries no node: the receiving view asks DraggedNode.
    data->setData(NodeDragType, {});
    drag->setMimeData(data);
    scrollTimer.start();
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    scrollTimer.stop();
    draggedNode = nullptr;
    MarkDropTarget(nullptr);
}

void TRegisteredFileTree::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TRegisteredFileTree::dragMoveEvent(QDragMoveEvent* event) {
    if (!AcceptsDrag(*event->mimeData(), event->source())) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* node = NodeAt(event->position().toPoint());
    MarkDropTarget(node ? node : Root());
    event->acceptProposedAction();
}

void TRegisteredFileTree::dragLeaveEvent(QDragLeaveEvent*) {
    MarkDropTarget(nullptr);
}

void TRegisteredFileTree::dropEvent(QDropEvent* event) {
    MarkDropTarget(nullptr);
    if (!AcceptsDrag(*event->mimeData(), event->source())) {
        event->ignore();
        return;
    }
    DropAt(*event->mimeData(), event->source(), event->position().toPoint());
    event->acceptProposedAction();
}

void TRegisteredFileTree::ScrollWhileDragging(QPoint viewportPoint) {
    QTreeWidgetItem* first = itemAt(QPoint(1, 1));
    if (!first || first == Root()) {
        return;
    }
    QTreeWidgetItem* parent = first->parent();
    const int index = parent->indexOfChild(first);
    int next = index;
    if (viewportPoint.y() < ScrollMargin) {
        next = std::max(index - 1, 0);
    } else if (viewportPoint.y() > viewport()->height() - ScrollMargin) {
        next = std::min(index + 1, parent->childCount() - 1);
    }
    if (next != index) {
        scrollToItem(parent->child(next), QAbstractItemView::PositionAtTop);
    }
}
