#include "cassettes/qvr_window_list.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "cassettes/qvr_base_frm.h"

#include <algorithm>
#include <limits>

namespace {

struct WindowList {
    std::vector<TQvrBaseFrm*> windows;
    int createIndex = 1;
    int cassetteTitles = 1;
    int cardTitles = 1;
};

WindowList& List() {
    static WindowList list;
    return list;
}

} // namespace

const std::vector<TQvrBaseFrm*>& QvrWindows() {
    return List().windows;
}

void AddQvrWindow(TQvrBaseFrm* window) {
    List().windows.push_back(window);
}

void RemoveQvrWindow(TQvrBaseFrm* window) {
    std::erase(List().windows, window);
}

void SortQvrWindowsByCreateIndex() {
    std::stable_sort(
        List().windows.begin(), List().windows.end(),
        [](const TQvrBaseFrm* a, const TQvrBaseFrm* b) { return a->CreateIndex < b->CreateIndex; });
}

void SetQvrWindowOrder(const std::vector<TQvrBaseFrm*>& order) {
    std::vector<TQvrBaseFrm*>& windows = List().windows;
    std::vector<TQvrBaseFrm*> ordered;
    for (TQvrBaseFrm* window : order) {
        if (std::find(windows.begin(), windows.end(), window) != windows.end() &&
            std::find(ordered.begin(), ordered.end(), window) == ordered.end()) {
            ordered.push_back(window);
        }
    }
    for (TQvrBaseFrm* window : windows) {
        if (std::find(ordered.begin(), ordered.end(), window) == ordered.end()) {
            ordered.push_back(window);
        }
    }
    windows = std::move(ordered);
}

// Indexes come from files too; at the largest one the counter stays (windows sharing an index
// keep the order they have) rather than wrap to negative numbers.
int TakeCreateIndex() {
    int& next = List().createIndex;
    return next < std::numeric_limits<int>::max() ? next++ : next;
}

void RaiseCreateIndexCounter(int highestRead) {
    if (highestRead < std::numeric_limits<int>::max()) {
        List().createIndex = std::max(List().createIndex, highestRead + 1);
    } else {
        List().createIndex = highestRead;
    }
}

QString NextCassetteTitle() {
    return FormatMessage(SSelectFrmCassette, {List().cassetteTitles++});
}

QString NextCardTitle() {
    return FormatMessage(SSelectFrmRepeat, {List().cardTitles++});
}

void ReleaseQvrWindow(TQvrBaseFrm* window) {
    RemoveQvrWindow(window);
    window->hide();
    window->deleteLater();
}

void ReleaseAllQvrWindows() {
    for (TQvrBaseFrm* window : std::vector<TQvrBaseFrm*>(List().windows)) {
        ReleaseQvrWindow(window);
    }
    List().createIndex = 1;
    List().cassetteTitles = 1;
    List().cardTitles = 1;
}
