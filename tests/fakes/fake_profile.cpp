#include "fakes/fake_profile.h"

#include <string_view>
#include <vector>

namespace {

struct Key {
    std::string name, value;
};
struct Section {
    std::string name;
    std::vector<Key> keys;
};

std::string trim(std::string_view s) {
    std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b, e - b + 1));
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
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            sections.push_back({trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            continue;
        }
        if (sections.empty()) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) sections.back().keys.push_back({line, ""});
        else sections.back().keys.push_back({trim(line.substr(0, eq)), trim(line.substr(eq + 1))});
    }
    return sections;
}

std::string render(const std::vector<Section>& sections) {
    std::string text;
    for (const Section& s : sections) {
        text += "[" + s.name + "]\r\n";
        for (const Key& k : s.keys) text += k.name + "=" + k.value + "\r\n";
    }
    return text;
}

bool same(const std::string& a, const std::string& b) { return foldCase(a) == foldCase(b); }

}  // namespace

std::string FakeProfile::read(const std::string& file, const std::string& section, const std::string& key,
                              std::size_t capacity) {
    std::string value;
    if (auto bytes = files_.read(file, std::string::npos)) {
        for (const Section& s : parse(*bytes)) {
            if (!same(s.name, section)) continue;
            for (const Key& k : s.keys)
                if (same(k.name, key)) {
                    value = k.value;
                    goto found;
                }
        }
    }
found:
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    if (capacity == 0) return {};
    return value.substr(0, capacity - 1);
}

bool FakeProfile::write(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<Section> sections = parse(files_.read(file, std::string::npos).value_or(""));
    Section* target = nullptr;
    for (Section& s : sections)
        if (same(s.name, section)) target = &s;
    if (!target) {
        sections.push_back({section, {}});
        target = &sections.back();
    }
    for (Key& k : target->keys)
        if (same(k.name, key)) {
            k.value = value;
            return files_.write(file, render(sections));
        }
    target->keys.push_back({key, value});
    return files_.write(file, render(sections));
}

bool FakeProfile::flush(const std::string&) { return true; }
