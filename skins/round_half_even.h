#pragma once

#include <cmath>

// Skins store coordinates computed the way the original controls did: halves go to the even
// neighbour, so 2.5 becomes 2 and 3.5 becomes 4.
inline int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}
