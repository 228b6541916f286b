#include "store/selection.h"

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::string selectionOf(const Options& options) {
    std::string s;
    for (int i = 0; i < kOptionCount; ++i) {
        if (options[i].ticked != 1) continue;
        if (!s.empty()) s += ',';
        s += char('0' + i / 10);
        s += char('0' + i % 10);
    }
    return s;
}

bool isSelection(std::string_view line) {
    if (!line.empty() && line.size() % 3 != 2) return false;  // "00", "00,01", ...
    for (std::size_t p = 0; p < line.size(); p += 3) {
        if (!isDigit(line[p]) || !isDigit(line[p + 1])) return false;
        if ((line[p] - '0') * 10 + (line[p + 1] - '0') >= kOptionCount) return false;
        if (p + 2 < line.size() && line[p + 2] != ',') return false;
    }
    return true;
}

void applySelection(Options& options, std::string_view selection) {
    for (Option& o : options) o.ticked = 0;
    for (std::size_t p = 0; p + 1 < selection.size(); p += 3) {
        char hi = selection[p], lo = selection[p + 1];
        if (!isDigit(hi) || !isDigit(lo)) continue;
        int n = (hi - '0') * 10 + (lo - '0');
        if (n < kOptionCount) options[n].ticked = 1;
    }
}
