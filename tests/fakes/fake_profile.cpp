#include "fakes/fake_profile.h"

#include <string_view>
#include <vector>

// The file model is the one Wine's private-profile functions were seen to use:
// every write reads the whole file and writes it out anew, one entry a line
// ended by CR LF. Blanks around names and values and empty lines are dropped;
// lines before the first section and lines without "=" are kept. A line that
// starts with ";" is no comment to them: ";x=1" is the key ";x".
// Only the first of two sections with the same name is ever read or written.
// Two things Wine does that the fake does not copy: it sometimes keeps a new
// value's trailing blanks in the file until the next write (reading drops them
// either way), and it matches names without regard to case for ASCII letters
// only ("Ö" is not "ö" there; the fake, like Windows, folds them).

namespace {

struct Key {
    std::string name, value;
    bool hasValue = true;  // false for a line without "="
};
struct Section {
    std::string name;
    bool headed = true;  // false for the lines before the first section
    std::vector<Key> keys;
};

constexpr const char* kBlanks = " \t";

std::string trim(std::string_view s) {
    std::size_t b = s.find_first_not_of(kBlanks), e = s.find_last_not_of(kBlanks);
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b, e - b + 1));
}

std::string trimFront(const std::string& s) {
    std::size_t b = s.find_first_not_of(kBlanks);
    return b == std::string::npos ? std::string() : s.substr(b);
}

std::vector<Section> parse(const std::string& text) {
    std::vector<Section> sections;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trim(std::string_view(text).substr(pos, end - pos));
        pos = end;
        while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
        if (line.empty()) continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            sections.push_back(
                {trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)),
                 true,
                 {}});
            continue;
        }
        if (sections.empty()) sections.push_back({"", false, {}});
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            sections.back().keys.push_back({line, "", false});
        else
            sections.back().keys.push_back(
                {trim(line.substr(0, eq)), trim(line.substr(eq + 1)), true});
    }
    return sections;
}

std::string render(const std::vector<Section>& sections) {
    std::string text;
    for (const Section& s : sections) {
        if (s.headed) text += "[" + s.name + "]\r\n";
        for (const Key& k : s.keys)
            text += k.hasValue ? k.name + "=" + k.value + "\r\n" : k.name + "\r\n";
    }
    return text;
}

bool same(const std::string& a, const std::string& b) {
    return foldCase(a) == foldCase(b);
}

Section* findSection(std::vector<Section>& sections, const std::string& name) {
    for (Section& s : sections)
        if (s.headed && same(s.name, name)) return &s;
    return nullptr;
}

Key* findKey(Section& section, const std::string& name) {
    for (Key& k : section.keys)
        if (same(k.name, name)) return &k;
    return nullptr;
}

}  // namespace

std::string FakeProfile::read(const std::string& file, const std::string& section,
                              const std::string& key, std::size_t capacity) {
    std::string value;
    std::vector<Section> sections = parse(files_.read(file, std::string::npos).value_or(""));
    if (Section* s = findSection(sections, section))
        if (Key* k = findKey(*s, key)) value = k->value.substr(0, k->value.find('\0'));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    if (capacity == 0) return {};
    return value.substr(0, capacity - 1);
}

bool FakeProfile::write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    // Leading blanks are dropped as written, trailing ones only when the file is read again.
    std::string name = trimFront(section), keyName = trimFront(key);
    std::string line = trimFront(value.substr(0, value.find('\0')));
    std::vector<Section> sections = parse(files_.read(file, std::string::npos).value_or(""));
    Section* target = findSection(sections, name);
    if (!target) {
        sections.push_back({name, true, {}});
        target = &sections.back();
    }
    if (Key* k = findKey(*target, keyName)) {
        k->value = line;
        k->hasValue = true;
    } else {
        target->keys.push_back({keyName, line, true});
    }
    return files_.write(file, render(sections));
}

bool FakeProfile::flush(const std::string& file) {
    return files_.exists(file);
}
