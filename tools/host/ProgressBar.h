#pragma once
// A one-line progress bar redrawn in place; silent when not shown on a terminal.

#include <cstdio>

class ProgressBar {
public:
    ProgressBar(std::FILE* stream, bool shown) : out(stream), visible(shown) {}
    // Fraction from 0 to 1; redraws only when the shown percentage changes.
    void update(double fraction);
    void finish();

private:
    std::FILE* out;
    bool visible;
    int shownPercent = -1;
};
