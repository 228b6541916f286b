#include "fakes/fake_profile.h"

#include <algorithm>
#include <string_view>

// The file model is the one Wine's private-profile functions were seen to use:
// a file is written out anew, one entry a line ended by CR LF. Blanks, tabs,
// VT, FF and ^Z around names and values, and empty lines, are dropped; lines before the first
// section and lines without "=" are kept. ";x=1" is the key ";x", no comment. Only the first of two
// sections with the same name is read or written. Unlike Wine, names match without regard to case
// beyond ASCII too, as on Windows.

namespace {
bool matches(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

// Wine drops these around names and values, as measured.
std::string_view trimmed(std::string_view s) {
    const char* blanks = " \t\v\f\x1A";
    std::size_t b = s.find_first_not_of(blanks), e = s.find_last_not_of(blanks);
    return b == std::string_view::npos ? std::string_view() : s.substr(b, e - b + 1);
}

}  // namespace

FakeProfile::Cached& FakeProfile::cached(const std::string& file) {
    if (!last_ || file != lastFile_) last_ = &cache_[foldCase(file)], lastFile_ = file;
    Cached& c = *last_;
    if (c.dirty || files_.changes() == c.seen) return c;
    c = {files_.changes(), {Section{"", false, {}}}, false};
    std::string bytes = files_.get(file).value_or("");
    std::string_view text = bytes;
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(text.find_first_not_of("\r\n", end), text.size()));
        std::size_t eq = line.find('=');
        if (line.empty()) continue;
        if (line[0] == '[') {
            std::string_view name = trimmed(line.substr(1, line.find(']') - 1));
            c.sections.push_back({std::string(name), true, {}});
        } else {
            std::string_view name = trimmed(line.substr(0, eq));
            std::string_view value = eq == line.npos ? "" : trimmed(line.substr(eq + 1));
            c.sections.back().keys.push_back(
                {std::string(name), std::string(value), eq != line.npos});
        }
    }
    return c;
}

FakeProfile::Section* FakeProfile::find(Cached& c, std::string_view name) {
    for (Section& s : c.sections)
        if (s.headed && matches(s.name, name)) return &s;
    return nullptr;
}

// Keys are mostly asked for in the order of the file: the search starts after
// the last one found.
FakeProfile::Key* FakeProfile::findKey(Section& s, std::string_view name) {
    for (std::size_t i = 0, n = s.keys.size(); i < n; ++i) {
        Key& k = s.keys[(s.lastFound + 1 + i) % n];
        if (matches(k.name, name)) return s.lastFound = &k - s.keys.data(), &k;
    }
    return nullptr;
}

std::string FakeProfile::read(const std::string& file, const std::string& section,
                              const std::string& key, std::size_t capacity) {
    std::string_view value;
    if (Section* s = find(cached(file), section))
        if (Key* k = findKey(*s, key)) value = k->value;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return capacity == 0 ? std::string() : std::string(value.substr(0, capacity - 1));
}

bool FakeProfile::write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    Cached& c = cached(file);
    std::string_view name = trimmed(section), keyName = trimmed(key);
    Section* s = find(c, name);
    if (!s) s = &c.sections.emplace_back(Section{std::string(name), true, {}});
    if (Key* old = findKey(*s, keyName))
        old->value = trimmed(value), old->hasValue = true;  // keeps the name as first spelt
    else
        s->keys.push_back({std::string(keyName), std::string(trimmed(value)), true});
    return c.dirty = true;
}

bool FakeProfile::flush(const std::string& file) {
    Cached& c = cached(file);
    if (c.dirty) {
        std::string text;
        bool asWritten = true;  // no line break inside a value, which would split it in the file
        for (const Section& s : c.sections) {
            if (s.headed) text.append("[").append(s.name).append("]\r\n");
            for (const Key& k : s.keys) {
                text.append(k.name).append(k.hasValue ? "=" : "").append(k.value).append("\r\n");
                asWritten = asWritten && k.value.find_first_of("\r\n") == std::string::npos;
            }
        }
        c.dirty = false;
        bool written = files_.write(file, text);
        // Parsed again where the file does not read back as the cache holds it.
        c.seen = asWritten && files_.get(file) == text ? files_.changes() : ~0ull;
        if (!written) return false;
    }
    return files_.exists(file);
}
