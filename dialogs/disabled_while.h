#pragma once

#include <QPointer>
#include <QWidget>

// Disables a window for as long as it lives, enabling it again however the work that disabled
// it ends (a window gone meanwhile is left alone).
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* window) : window(window) {
        if (window != nullptr) {
            window->setEnabled(false);
        }
    }
    ~DisabledWhile() {
        if (window) {
            window->setEnabled(true);
        }
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QPointer<QWidget> window;
};
