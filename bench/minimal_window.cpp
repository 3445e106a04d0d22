// The least a Qt program can show: one empty window, for quavrel-bench-startup to compare the
// program with. It paints two colours, so that the watcher outside can tell it has painted.

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class MinimalWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(40, 60, 110));
        painter.fillRect(rect().adjusted(20, 20, -20, -20), QColor(220, 200, 120));
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MinimalWindow window;
    window.setWindowTitle(QStringLiteral("Quavrel bench minimal window"));
    window.resize(400, 300);
    window.show();
    return QApplication::exec();
}
