#include "dialog_state.h"

#include "fatal_error.h"

#include <QApplication>

bool DialogOfOursOpen() {
    return FatalErrorBoxOpen() || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}
