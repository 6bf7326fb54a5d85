// The range of the count of URLs to open, and the clamp the count field applies while typing.
#pragma once

class CountRange {
public:
    static constexpr unsigned kMin = 1;
    static constexpr unsigned kMax = 16;
    // True with the value to put into the field when the typed value lies outside the range.
    static bool Clamp(int value, int* clamped);
};
