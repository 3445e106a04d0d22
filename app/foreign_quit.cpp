#include "app/foreign_quit.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

class QuitFilter : public QObject {
public:
    QuitFilter(QObject* owner, std::function<bool()> own, std::function<void()> end)
        : QObject(owner), own(std::move(own)), end(std::move(end)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != qApp || event->type() != QEvent::Quit || own()) {
            return false;
        }
        end();
        return true;
    }

private:
    std::function<bool()> own;
    std::function<void()> end;
};

} // namespace

void RedirectForeignQuits(QObject* owner, std::function<bool()> own, std::function<void()> end) {
    qApp->installEventFilter(new QuitFilter(owner, std::move(own), std::move(end)));
}
