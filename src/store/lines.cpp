#include "store/lines.h"

std::vector<std::string> splitLines(std::string_view text, std::size_t limit) {
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (!rest.empty() && lines.size() < limit) {
        std::size_t cr = rest.find('\r');
        lines.emplace_back(rest.substr(0, cr));
        if (cr == std::string_view::npos || cr + 1 == rest.size()) break;
        rest.remove_prefix(std::min(cr + 2, rest.size()));
    }
    return lines;
}

void appendLine(std::string& text, std::string_view line) {
    if (!text.empty()) text += "\r\n";
    text += line;
}
