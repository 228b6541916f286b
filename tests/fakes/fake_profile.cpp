#include "fakes/fake_profile.h"

#include <algorithm>

// The rules, as measured with Wine's functions:
// - Lines end at CR or at LF. Blanks (space, tab, VT, FF, ^Z, and CR and LF in
//   what is given to write) around a line, a name or a value are dropped; so
//   are empty lines.
// - "[" up to the last "]" is a header: "[A][B]" is the section "A][B", text
//   after it is lost. "[A" without "]" is a line without "=".
// - Any other line is a key: the name before the first "=", the value after
//   it. A line without "=" is a key without a value, read as "". ";x=1" is the
//   key ";x": there are no comments.
// - A name or value ends at a NUL, after its blanks are dropped ("a \0b" is "a ").
// - A line "=..." that follows a key without a name in its section is lost.
// - The lines before the first header are the section "". Of two sections, or
//   two keys in a section, with the same name only the first is read or written.
// - The names given to read and write lose their blanks too.
// - A read drops one pair of quotes (" or ') around the whole value, then keeps
//   capacity - 1 characters; a quoted value that just fits loses its last one.
// - A write changes the first key of that name in place, keeping its spelling,
//   or adds it at the end of the section, or the section at the end of the
//   file. The blanks before a new name or value are dropped, those after it are
//   kept. A write that changes nothing writes nothing. Otherwise the file is
//   written anew: a line for each header (none for a section named "") and
//   each key, ended by CR LF; and it is parsed again before the next access.
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

std::string_view leftTrimmed(std::string_view s) {
    return s.substr(std::min(s.find_first_not_of(kBlanks), s.size()));
}

std::string_view trimmed(std::string_view s) {
    s = leftTrimmed(s);
    return s.substr(0, s.find_last_not_of(kBlanks) + 1);
}

std::string_view cString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

// Written out and parsed again, the name or value is the same.
bool settles(std::string_view s) {
    return s.find_first_of("\r\n") == s.npos && (s.empty() || kBlanks.find(s.back()) == s.npos);
}

}  // namespace

void FakeProfile::parse(Cached& c, std::string_view text) {
    c.sections.assign(1, Section{});
    c.settled = text.find('\0') == text.npos;
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty()) continue;
        std::size_t close = line[0] == '[' ? line.rfind(']') : line.npos;
        if (close != line.npos) {
            std::string_view name = cString(trimmed(line.substr(1, close - 1)));
            c.settled = c.settled && !name.empty();  // written without a header
            c.sections.push_back({std::string(name), {}});
            continue;
        }
        std::size_t eq = line.find('=');
        std::string_view name = trimmed(line.substr(0, eq));
        std::string_view value = eq == line.npos ? "" : cString(trimmed(line.substr(eq + 1)));
        std::vector<Key>& keys = c.sections.back().keys;
        if (name.empty() && !keys.empty() && keys.back().name.empty()) continue;
        name = cString(name);
        keys.push_back({std::string(name), std::string(value), eq != line.npos});
    }
    c.reread = false;
}

std::string FakeProfile::text(const Cached& c) {
    std::string text;
    for (const Section& s : c.sections) {
        if (!s.name.empty()) text.append("[").append(s.name).append("]\r\n");
        for (const Key& k : s.keys)
            text.append(k.name).append(k.hasValue ? "=" : "").append(k.value).append("\r\n");
    }
    return text;
}

FakeProfile::Cached& FakeProfile::entry(const std::string& file) {
    if (!last_ || file != lastFile_) last_ = &cache_[foldCase(file)], lastFile_ = file;
    return *last_;
}

FakeProfile::Cached& FakeProfile::cached(const std::string& file) {
    Cached& c = entry(file);
    if (!c.dirty && files_.changes() != c.seen) {
        parse(c, files_.get(file).value_or(""));
        c.seen = files_.changes();
    } else if (c.reread) {
        parse(c, text(c));
    }
    return c;
}

FakeProfile::Section* FakeProfile::find(Cached& c, std::string_view name) {
    for (Section& s : c.sections)
        if (matches(s.name, name)) return &s;
    return nullptr;
}

FakeProfile::Key* FakeProfile::findKey(Section& s, std::string_view name) {
    for (Key& k : s.keys)
        if (matches(k.name, name)) return &k;
    return nullptr;
}

std::string FakeProfile::read(const std::string& file, const std::string& section,
                              const std::string& key, std::size_t capacity) {
    std::string_view value;
    if (Section* s = find(cached(file), trimmed(cString(section))))
        if (Key* k = findKey(*s, trimmed(cString(key)))) value = k->value;
    if (capacity == 0) return {};
    std::size_t room = capacity - 1;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
        if (room == value.size() && room > 0) --room;
    }
    return std::string(value.substr(0, room));
}

bool FakeProfile::write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    Cached& c = cached(file);
    std::string_view name = leftTrimmed(cString(section)), keyName = leftTrimmed(cString(key));
    std::string_view text = leftTrimmed(cString(value));
    Section* s = find(c, trimmed(name));
    if (!s) s = &c.sections.emplace_back(Section{std::string(name), {}});
    Key* old = findKey(*s, trimmed(keyName));
    if (old && old->hasValue && old->value == text) return true;
    if (old)
        old->value = text, old->hasValue = true;
    else
        s->keys.push_back({std::string(keyName), std::string(text), true});
    // Not so a line that reads back as a header ("[x=]") or with another name
    // ("a=b=c"), or a blank that is dropped when read.
    bool header = keyName.starts_with('[') &&
                  (keyName.find(']') != keyName.npos || text.find(']') != text.npos);
    bool keySettles = keyName.find('=') == keyName.npos && !header;
    c.reread = !(c.settled && settles(name) && settles(keyName) && keySettles && settles(text));
    return c.dirty = true;
}

bool FakeProfile::flush(const std::string& file) {
    Cached& c = entry(file);
    if (c.dirty) {
        std::string bytes = text(c);
        c.dirty = false;
        bool written = files_.write(file, bytes);
        // Parsed again where the file does not hold what was written.
        c.seen = files_.get(file) == bytes ? files_.changes() : ~0ull;
        if (!written) return false;
    }
    return files_.exists(file);
}
