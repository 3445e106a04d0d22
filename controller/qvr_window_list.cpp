#include "qvr_window_list.h"

#include "actions/message_format.h"
#include "actions/messages.h"
#include "qvr_base_frm.h"

#include <algorithm>

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

int TakeCreateIndex() {
    return List().createIndex++;
}

void RaiseCreateIndexCounter(int highestRead) {
    List().createIndex = std::max(List().createIndex, highestRead + 1);
}

QString NextCassetteTitle() {
    return FormatMessage(SSelectFrmCassette, {List().cassetteTitles++});
}

QString NextCardTitle() {
    return FormatMessage(SSelectFrmRepeat, {List().cardTitles++});
}

void ReleaseAllQvrWindows() {
    // Each window leaves the list as it is destroyed.
    while (!List().windows.empty()) {
        delete List().windows.front();
    }
    List().createIndex = 1;
    List().cassetteTitles = 1;
    List().cardTitles = 1;
}
