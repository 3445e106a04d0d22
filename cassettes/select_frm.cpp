#include "cassettes/select_frm.h"

#include "actions/key_polling.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "cassettes/cassette_host.h"
#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "dialogs/dialog_support.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

constexpr int PopupOffsetX = 20;

// The list of the select window: drags move entries only as the window allows, and Space pops
// up the window's menu.
class TSelectListBox : public QListWidget {
public:
    TSelectListBox(TSelectFrm* form, QWidget* parent) : QListWidget(parent), form(form) {
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(false);
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::MoveAction);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setContextMenuPolicy(Qt::CustomContextMenu);
    }

    // The window's handlers move the entry; the view's own drag would remove it afterwards.
    // The drag carries no entry data: the drop takes the entry from where the drag began.
    void startDrag(Qt::DropActions) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setData(QStringLiteral("application/x-quavrel-select-entry"), {});
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
    }

    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->source() == this) {
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
    }

    void dragMoveEvent(QDragMoveEvent* event) override {
        const int target = indexAt(event->position().toPoint()).row();
        if (event->source() == this && form->ListBox1DragOver(target)) {
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
    }

    void dropEvent(QDropEvent* event) override {
        if (event->source() != this) {
            event->ignore();
            return;
        }
        const int row = indexAt(event->position().toPoint()).row();
        form->ListBox1DragDrop(row < 0 ? count() : row);
        event->acceptProposedAction();
    }

    void mousePressEvent(QMouseEvent* event) override {
        QListWidget::mousePressEvent(event);
        form->ListBox1Click();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
            emit customContextMenuRequested(SelectedEntryCorner());
            return;
        }
        QListWidget::keyPressEvent(event);
        form->ListBox1Click();
    }

private:
    // 20 pixels right of the selected entry's left edge, at its bottom edge.
    QPoint SelectedEntryCorner() const {
        const QRect entry = visualItemRect(currentItem());
        return QPoint(entry.left() + PopupOffsetX, entry.bottom());
    }

    TSelectFrm* form;
};

QAction* MenuItem(QMenu* menu, const char* name, const char* caption) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QMenu* Menu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

// Where the window's material starts on the song: a cassette's recording start, a card's
// repeat head; -1 when not set.
std::int32_t SourcePosition(const TQvrBaseFrm* window) {
    if (const auto* cassette = dynamic_cast<const TWaveFrm*>(window)) {
        return cassette->RepeatStartTimeOnFile;
    }
    if (const auto* card = dynamic_cast<const TRepeatFrm*>(window)) {
        return card->StartTime();
    }
    return -1;
}

} // namespace

TSelectFrm::TSelectFrm(TCassetteHost& host, std::function<void()> periodicRefresh)
    : Label1(Label(this, "Label1",
                   "Tips : Double-Click to select, ESC key to exit, Space Key to Show Menu")),
      ListBox1(new TSelectListBox(this, this)), sbTile(new QToolButton(this)),
      Label2(Label(this, "Label2", "Tips : You can rearrange its order by dragging list items.")),
      btOK(Button(this, "btOK", "Ok")), btCancel(Button(this, "btCancel", "Cancel")),
      MainMenu1(new QMenuBar(this)), miSort(Menu(this, "miSort", "&Sort")),
      miSortByPosition(MenuItem(miSort, "miSortByPosition", "Sort by Recorded &Position")),
      miSortAlphabetically(MenuItem(miSort, "miSortAlphabetically", "Sort &Alphabetically")),
      miTileMenu(Menu(this, "miTileMenu", "&Tile")),
      miTile(MenuItem(miTileMenu, "miTile", "&Tile Cassettes In Order")),
      PopupMenu1(Menu(this, "PopupMenu1", "")), miSet(MenuItem(PopupMenu1, "miSet", "&Set")),
      miRename(MenuItem(PopupMenu1, "miRename", "&Rename")),
      miDelete(MenuItem(PopupMenu1, "miDelete", "&Delete")), host(host),
      periodicRefresh(std::move(periodicRefresh)) {
    setObjectName(QStringLiteral("SelectFrm"));
    setWindowTitle(QStringLiteral("Cassette Manager"));
    // While it is open no bound key fires and the tick releases no window.
    setWindowModality(Qt::ApplicationModal);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    sbTile->setObjectName(QStringLiteral("sbTile"));
    sbTile->setText(QStringLiteral("&Tile Cassettes In Order"));
    sbTile->setAutoRaise(true);
    btOK->setDefault(true);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->addMenu(miSort);
    MainMenu1->addMenu(miTileMenu);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2, 1);
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    layout->addWidget(sbTile, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    resize(360, 320);

    connect(ListBox1, &QListWidget::currentRowChanged, this,
            [this](int row) { btOK->setEnabled(row >= 0); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TSelectFrm::SetClick);
    connect(ListBox1, &QWidget::customContextMenuRequested, this, &TSelectFrm::PopupAt);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, &TSelectFrm::Closed);
    connect(sbTile, &QToolButton::clicked, this, &TSelectFrm::Tile);
    connect(miTile, &QAction::triggered, this, &TSelectFrm::Tile);
    connect(miSortByPosition, &QAction::triggered, this, &TSelectFrm::SortByRecordedPosition);
    connect(miSortAlphabetically, &QAction::triggered, this, &TSelectFrm::SortAlphabetically);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TSelectFrm::PopupMenuPopup);
    connect(miSet, &QAction::triggered, this, &TSelectFrm::SetClick);
    connect(miRename, &QAction::triggered, this, &TSelectFrm::RenameClick);
    connect(miDelete, &QAction::triggered, this, &TSelectFrm::DeleteClick);
}

void TSelectFrm::FillList(const std::vector<TQvrBaseFrm*>& windows) {
    ListBox1->clear();
    int untitledCassettes = 0;
    int untitledCards = 0;
    int selected = -1;
    for (TQvrBaseFrm* window : windows) {
        QString caption = window->GetTitle();
        if (caption.isEmpty()) {
            caption = window->Kind() == TQvrKind::Cassette
                          ? FormatMessage(SSelectFrmCassette, {++untitledCassettes})
                          : FormatMessage(SSelectFrmRepeat, {++untitledCards});
        }
        auto* entry = new QListWidgetItem(caption, ListBox1);
        entry->setData(Qt::UserRole, QVariant::fromValue(QPointer<TQvrBaseFrm>(window)));
        if (window == host.DockedWindow()) {
            selected = ListBox1->count() - 1;
        }
    }
    new QListWidgetItem(SSelectFrmNone, ListBox1);
    ListBox1->setCurrentRow(selected >= 0 ? selected : ListBox1->count() - 1);
}

void TSelectFrm::RefreshList() {
    std::vector<TQvrBaseFrm*> windows = QvrWindows();
    std::erase_if(windows, [this](const TQvrBaseFrm* window) { return host.Closing(window); });
    FillList(windows);
}

void TSelectFrm::Choose(std::function<void(TQvrBaseFrm* window)> chosen) {
    this->chosen = std::move(chosen);
    RefreshList();
    SetStayOnTop(host.StayOnTop());
    show();
}

void TSelectFrm::Closed(int result) {
    SwallowHeldKeys();
    const auto chosen = std::exchange(this->chosen, nullptr);
    const int row = ListBox1->currentRow();
    if (result != QDialog::Accepted || !chosen || row < 0) {
        return;
    }
    if (row + 1 == ListBox1->count()) {
        chosen(nullptr);
    } else if (TQvrBaseFrm* window = WindowAt(row)) {
        chosen(window);
    }
}

TQvrBaseFrm* TSelectFrm::SelectedWindow() const {
    return WindowAt(ListBox1->currentRow());
}

void TSelectFrm::ApplyOrder() {
    const std::vector<TQvrBaseFrm*> windows = ListedWindows();
    SetQvrWindowOrder(windows);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i]->CreateIndex = static_cast<int>(i) + 1;
    }
    // New windows number on after these.
    RaiseCreateIndexCounter(static_cast<int>(windows.size()));
}

bool TSelectFrm::ListBox1DragOver(int target) {
    if (target >= 0) {
        ListBox1->setCurrentRow(target);
    }
    const int last = ListBox1->count() - 1;
    return dragSourceIndex >= 0 && dragSourceIndex < last && target >= 0 && target < last;
}

void TSelectFrm::ListBox1DragDrop(int target) {
    const int last = ListBox1->count() - 1;
    // The eject entry stays last, whatever a drag asks.
    if (dragSourceIndex < 0 || dragSourceIndex >= last || target < 0 || target >= last) {
        return;
    }
    QListWidgetItem* entry = ListBox1->takeItem(dragSourceIndex);
    ListBox1->insertItem(target, entry);
    ListBox1->setCurrentRow(target);
    ApplyOrder();
}

void TSelectFrm::SortByRecordedPosition() {
    SortBy([](const TQvrBaseFrm* a, const TQvrBaseFrm* b) {
        return SourcePosition(a) < SourcePosition(b);
    });
}

void TSelectFrm::SortAlphabetically() {
    // By character codes, case significant: untitled windows (empty titles) come first.
    SortBy(
        [](const TQvrBaseFrm* a, const TQvrBaseFrm* b) { return a->GetTitle() < b->GetTitle(); });
}

void TSelectFrm::Tile() {
    DisposeInOrder(host);
}

void TSelectFrm::SetClick() {
    if (ListBox1->currentRow() >= 0) {
        accept();
    }
}

void TSelectFrm::RenameClick() {
    TQvrBaseFrm* window = SelectedWindow();
    if (window == nullptr) {
        return;
    }
    const int selected = ListBox1->currentRow();
    const QPointer<TSelectFrm> self(this);
    window->AskTitle([self, selected] {
        if (self.isNull()) {
            return;
        }
        self->activateWindow();
        self->RefreshList();
        self->ListBox1->setCurrentRow(selected);
    });
}

void TSelectFrm::DeleteClick() {
    TQvrBaseFrm* window = SelectedWindow();
    if (window == nullptr) {
        return;
    }
    host.QueueClose(window);
    if (periodicRefresh) {
        periodicRefresh();
    }
    RefreshList();
}

void TSelectFrm::PopupMenuPopup() {
    const bool window = SelectedWindow() != nullptr;
    miRename->setEnabled(window);
    miDelete->setEnabled(window);
}

void TSelectFrm::ListBox1Click() {
    const int selected = ListBox1->currentRow();
    btOK->setEnabled(selected >= 0);
    dragSourceIndex = selected;
}

void TSelectFrm::PopupAt(QPoint listPoint) {
    const int row = ListBox1->indexAt(listPoint).row();
    if (row >= 0) {
        ListBox1->setCurrentRow(row);
    }
    PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(listPoint));
}

void TSelectFrm::SortBy(const std::function<bool(const TQvrBaseFrm*, const TQvrBaseFrm*)>& less) {
    std::vector<TQvrBaseFrm*> windows = ListedWindows();
    // Stable: windows that compare equal keep the order the user gave them.
    std::stable_sort(windows.begin(), windows.end(), less);
    FillList(windows);
    ApplyOrder();
}

TQvrBaseFrm* TSelectFrm::WindowAt(int index) const {
    const QListWidgetItem* entry = ListBox1->item(index);
    if (entry == nullptr) {
        return nullptr;
    }
    // The main timer may release a window while the list is open, and a new window may take
    // its address: the entry's guard clears with its window, which leaves the window list
    // first.
    TQvrBaseFrm* window = entry->data(Qt::UserRole).value<QPointer<TQvrBaseFrm>>().data();
    const std::vector<TQvrBaseFrm*>& live = QvrWindows();
    return std::find(live.begin(), live.end(), window) != live.end() ? window : nullptr;
}

std::vector<TQvrBaseFrm*> TSelectFrm::ListedWindows() const {
    std::vector<TQvrBaseFrm*> windows;
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (TQvrBaseFrm* window = WindowAt(i)) {
            windows.push_back(window);
        }
    }
    return windows;
}
