#include "store/profile_text.h"

#include <algorithm>

#include "platform/text_rules.h"

// The rules, as measured with the system's functions:
// - Lines end at CR or at LF. Blanks (space, tab, VT, FF, ^Z) around a line, a
//   name or a value are dropped; so are empty lines.
// - "[" up to the last "]" is a header: "[A][B]" is the section "A][B", text
//   after it is lost. "[A" without "]" is a line without "=".
// - Any other line is a key: the name before the first "=", the value after
//   it. A line without "=" is a key without a value. ";x=1" is the key ";x":
//   there are no comments.
// - A name or value ends at a NUL, after its blanks are dropped ("a \0b" is "a ").
// - The lines before the first header are the section "".
// A file that starts with a byte-order mark is read as Windows 9x reads it:
// as bytes.

namespace {

bool blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view cString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldCase(x) == foldCase(y); });
}

}  // namespace

std::string_view profileValue(std::string_view text, std::string_view section,
                              std::string_view key) {
    section = trimmed(cString(section));
    key = trimmed(cString(key));
    bool inSection = section.empty();
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        std::string_view line = trimmed({text.data(), end});
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty()) continue;
        std::size_t close = line[0] == '[' ? line.rfind(']') : line.npos;
        if (close != line.npos) {
            if (inSection) return {};  // the first section of that name ends
            inSection = sameName(cString(trimmed({line.data() + 1, close - 1})), section);
            continue;
        }
        std::size_t eq = std::min(line.find('='), line.size());
        if (!inSection || !sameName(cString(trimmed({line.data(), eq})), key)) continue;
        line.remove_prefix(std::min(eq + 1, line.size()));
        std::string_view value = cString(trimmed(line));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = {value.data() + 1, value.size() - 2};
        return value;
    }
    return {};
}
