#include "cassettes/free_spot.h"

#include <algorithm>
#include <random>

namespace {

constexpr int CellSize = 5;
constexpr int GridCells = 481;

// Cells marked occupied (1) or free (0), with a summed-area table to test whole blocks at once.
class Grid {
public:
    Grid() : occupied(GridCells * GridCells, 1) {}

    // Marks the pixel rectangle from (left, top) to (right, bottom), ends excluded.
    void Mark(int left, int top, int right, int bottom, bool value) {
        const int x0 = Clip(left / CellSize);
        const int y0 = Clip(top / CellSize);
        const int x1 = Clip(right / CellSize);
        const int y1 = Clip(bottom / CellSize);
        if (x1 <= x0) {
            return;
        }
        for (int y = y0; y < y1; ++y) {
            std::fill(occupied.begin() + y * GridCells + x0, occupied.begin() + y * GridCells + x1,
                      value ? 1 : 0);
        }
    }

    void Sum() {
        sums.assign((GridCells + 1) * (GridCells + 1), 0);
        for (int y = 0; y < GridCells; ++y) {
            for (int x = 0; x < GridCells; ++x) {
                At(x + 1, y + 1) =
                    occupied[y * GridCells + x] + At(x, y + 1) + At(x + 1, y) - At(x, y);
            }
        }
    }

    // Whether the block of width by height cells at (x, y) lies on the grid and is all free.
    bool Free(int x, int y, int width, int height) const {
        if (x + width > GridCells || y + height > GridCells) {
            return false;
        }
        return At(x + width, y + height) - At(x, y + height) - At(x + width, y) + At(x, y) == 0;
    }

private:
    static int Clip(int cell) { return std::clamp(cell, 0, GridCells); }
    int& At(int x, int y) { return sums[y * (GridCells + 1) + x]; }
    int At(int x, int y) const { return sums[y * (GridCells + 1) + x]; }

    std::vector<int> occupied;
    std::vector<int> sums;
};

} // namespace

int RandomBelow(int bound) {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

QPoint FindFreeSpot(const TFreeSpotQuery& query, const TRandomBelow& random) {
    const QRect& main = query.Main;
    const int columns =
        std::clamp((query.Screen.width() - main.height() / 3) / CellSize, 0, GridCells);
    const int rows =
        std::clamp((query.Screen.height() - main.width() / 3) / CellSize, 0, GridCells);

    Grid grid;
    grid.Mark(main.left() - main.width(), main.top() - main.height(),
              main.left() + 2 * main.width(), main.top() + 2 * main.height(), false);
    for (const QRect& window : query.Windows) {
        const int left = std::max(window.left(), 0);
        const int top = std::max(window.top(), 0);
        grid.Mark(left, top, left + static_cast<int>(0.7 * window.width()),
                  top + static_cast<int>(0.5 * window.height()), true);
    }
    grid.Mark(main.left(), main.top(), main.left() + main.width(), main.top() + main.height(),
              true);
    grid.Sum();

    // A block of no cells would fit anywhere, even on the main window: at least the cell the
    // window's corner stands on must be free.
    const int width = std::max(static_cast<int>(0.7 * query.Wanted.width() / CellSize), 1);
    const int height = std::max(static_cast<int>(0.5 * query.Wanted.height() / CellSize), 1);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            if (grid.Free(x, y, width, height)) {
                return {x * CellSize, y * CellSize};
            }
        }
    }
    return {columns > 0 ? random(columns) * CellSize : 0, rows > 0 ? random(rows) * CellSize : 0};
}
