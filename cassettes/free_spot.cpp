#include "cassettes/free_spot.h"

#include <algorithm>
#include <random>

namespace {

constexpr int CellSize = 5;

int CellsCovering(int pixels) {
    return (pixels + CellSize - 1) / CellSize;
}

// The screen's cells, marked occupied (1) or free (0), with a summed-area table to test whole
// blocks at once.
class Grid {
public:
    explicit Grid(const QRect& screen)
        : screen(screen), columns(CellsCovering(screen.width())),
          rows(CellsCovering(screen.height())), occupied(columns * rows, 0) {}

    // Every cell that the pixel rectangle touches becomes occupied.
    void Occupy(const QRect& area) {
        const QRect on = area.intersected(screen).translated(-screen.topLeft());
        if (on.isEmpty()) {
            return;
        }
        const int x0 = on.left() / CellSize;
        const int x1 = CellsCovering(on.left() + on.width());
        for (int y = on.top() / CellSize; y < CellsCovering(on.top() + on.height()); ++y) {
            std::fill(occupied.begin() + y * columns + x0, occupied.begin() + y * columns + x1, 1);
        }
    }

    void Sum() {
        sums.assign((columns + 1) * (rows + 1), 0);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                At(x + 1, y + 1) =
                    occupied[y * columns + x] + At(x, y + 1) + At(x + 1, y) - At(x, y);
            }
        }
    }

    // Whether a window of that size standing on cell (x, y) covers only free cells.
    bool Free(int x, int y, QSize size) const {
        const int x1 = std::min(x + CellsCovering(size.width()), columns);
        const int y1 = std::min(y + CellsCovering(size.height()), rows);
        return At(x1, y1) - At(x, y1) - At(x1, y) + At(x, y) == 0;
    }

private:
    int& At(int x, int y) { return sums[y * (columns + 1) + x]; }
    int At(int x, int y) const { return sums[y * (columns + 1) + x]; }

    QRect screen;
    int columns;
    int rows;
    std::vector<int> occupied;
    std::vector<int> sums;
};

} // namespace

int RandomBelow(int bound) {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

QPoint FindFreeSpot(const TFreeSpotQuery& query, const TRandomBelow& random) {
    const QRect& screen = query.Screen;
    const QSize wanted = query.Wanted.expandedTo(QSize(1, 1));
    // Cells on which the whole window stays on the screen.
    const int columns = (screen.width() - wanted.width()) / CellSize + 1;
    const int rows = (screen.height() - wanted.height()) / CellSize + 1;
    if (columns <= 0 || rows <= 0) {
        return screen.topLeft();
    }

    Grid grid(screen);
    grid.Occupy(query.Main);
    for (const QRect& window : query.Windows) {
        grid.Occupy(window);
    }
    grid.Sum();

    const QRect& main = query.Main;
    const QRect nearMain =
        main.adjusted(-main.width(), -main.height(), main.width(), main.height());
    for (const bool nearOnly : {true, false}) {
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                const QPoint at = screen.topLeft() + QPoint(x, y) * CellSize;
                if (nearOnly && !nearMain.contains(QRect(at, wanted))) {
                    continue;
                }
                if (grid.Free(x, y, wanted)) {
                    return at;
                }
            }
        }
    }
    const int x = random(columns);
    const int y = random(rows);
    return screen.topLeft() + QPoint(x, y) * CellSize;
}
