#include "store/lines.h"

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t cr = rest.find('\r');
        lines.emplace_back(rest.substr(0, cr));
        if (cr == std::string_view::npos || cr + 1 == rest.size()) break;
        rest.remove_prefix(std::min(cr + 2, rest.size()));
    }
    return lines;
}

std::vector<std::string> storedLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string& line : splitLines(text))
        if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

void appendLine(std::string& text, std::string_view line) {
    if (!text.empty()) text += "\r\n";
    text += line;
}
