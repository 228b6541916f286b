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

// The next line of `text` without its blanks; `text` goes on after it.
std::string_view nextLine(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = trimmed({text.data(), end});
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

}  // namespace

std::string_view profileSection(std::string_view text, std::string_view section) {
    const char* start = section.empty() ? text.data() : nullptr;
    while (!text.empty()) {
        std::string_view line = nextLine(text);
        std::size_t close = line.empty() || line[0] != '[' ? line.npos : line.rfind(']');
        if (close == line.npos) continue;
        if (start) return {start, std::size_t(line.data() - start)};
        if (sameName(cString(trimmed({line.data() + 1, close - 1})), section)) start = text.data();
    }
    return start ? std::string_view{start, std::size_t(text.data() - start)} : std::string_view{};
}

std::string_view profileValue(std::string_view lines, std::string_view key) {
    while (!lines.empty()) {
        std::string_view line = nextLine(lines);
        std::size_t eq = std::min(line.find('='), line.size());
        if (line.empty() || !sameName(cString(trimmed({line.data(), eq})), key)) continue;
        line.remove_prefix(std::min(eq + 1, line.size()));
        std::string_view value = cString(trimmed(line));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = {value.data() + 1, value.size() - 2};
        return value;
    }
    return {};
}
