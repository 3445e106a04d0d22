#pragma once

#include <cmath>
#include <limits>

// Skins store coordinates computed the way the original controls did: halves go to the even
// neighbour, so 2.5 becomes 2 and 3.5 becomes 4.
inline int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// Wide enough for the product of two differences of 32-bit values, so that a ratio of such
// products is formed exactly before it is rounded.
__extension__ using WideInt = __int128;

// numerator / denominator rounded once, halves to the even neighbour; denominator is not 0.
inline WideInt RoundedQuotient(WideInt numerator, WideInt denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    WideInt quotient = numerator / denominator;
    WideInt remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}

// The nearest 32-bit value.
inline int SaturatedInt(WideInt value) {
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    return value < lowest ? lowest : value > highest ? highest : static_cast<int>(value);
}
