#include "fakes/fake_profile.h"

#include <algorithm>

// The rules, as measured with Wine's functions:
// - Lines end at CR or at LF. Blanks (space, tab, VT, FF, ^Z) around a line, a
//   name or a value are dropped; so are empty lines.
// - "[" up to the last "]" is a header: "[A][B]" is the section "A][B", text
//   after it is lost. "[A" without "]" is a line without "=".
// - Any other line is a key: the name before the first "=", the value after
//   it. A line without "=" is a key without a value, read as "". ";x=1" is the
//   key ";x": there are no comments.
// - A name or value ends at a NUL, after its blanks are dropped ("a \0b" is "a ").
// - The lines before the first header are the section "". Of two sections, or
//   two keys in a section, with the same name only the first is read.
// - The names given to read lose their blanks, and CR and LF, too.
// - A read drops one pair of quotes (" or ') around the whole value, then keeps
//   capacity - 1 characters; a quoted value that just fits loses its last one.
// - Names match without regard to case; as on Windows, unlike Wine, beyond
//   ASCII too.
// A file that starts with a byte-order mark is read as UTF-8 or UTF-16: not here.

namespace {
constexpr std::string_view kBlanks = " \t\n\v\f\r\x1a";

bool matches(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

std::string_view trimmed(std::string_view s) {
    s = s.substr(std::min(s.find_first_not_of(kBlanks), s.size()));
    return s.substr(0, s.find_last_not_of(kBlanks) + 1);
}

std::string_view cString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

template <class T>
T* named(std::vector<T>& all, std::string_view name) {
    for (T& t : all)
        if (matches(t.name, name)) return &t;
    return nullptr;
}

}  // namespace

void FakeProfile::parse(std::string_view text) {
    sections_.assign(1, Section{});
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty()) continue;
        std::size_t close = line[0] == '[' ? line.rfind(']') : line.npos;
        if (close != line.npos) {
            sections_.push_back({std::string(cString(trimmed(line.substr(1, close - 1)))), {}});
            continue;
        }
        std::size_t eq = line.find('=');
        std::string_view name = trimmed(line.substr(0, eq));
        std::string_view value = eq == line.npos ? "" : cString(trimmed(line.substr(eq + 1)));
        sections_.back().keys.push_back({std::string(cString(name)), std::string(value)});
    }
}

std::string FakeProfile::read(const std::string& file, const std::string& section,
                              const std::string& key, std::size_t capacity) {
    if (file != parsedFile_ || files_.changes() != parsedAt_) {
        parse(files_.get(file).value_or(""));
        parsedFile_ = file, parsedAt_ = files_.changes();
    }
    std::string_view value;
    if (Section* s = named(sections_, trimmed(cString(section))))
        if (Key* k = named(s->keys, trimmed(cString(key)))) value = k->value;
    if (capacity == 0) return {};
    std::size_t room = capacity - 1;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
        if (room == value.size() && room > 0) --room;
    }
    return std::string(value.substr(0, room));
}
