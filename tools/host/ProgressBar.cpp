#include "tools/host/ProgressBar.h"

#include <algorithm>
#include <string>

namespace {
constexpr int kWidth = 40;
}

void ProgressBar::update(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (!visible || percent == shownPercent) return;
    shownPercent = percent;
    const int filled = percent * kWidth / 100;
    std::fprintf(out, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, ' ').c_str(), percent);
    std::fflush(out);
}

void ProgressBar::finish() {
    if (!visible) return;
    update(1.0);
    std::fputc('\n', out);
}
