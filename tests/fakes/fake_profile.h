// Initialisation files kept as real file bytes on a FakeFiles drive, read and
// written the way the system's private-profile functions were measured to do
// (the rules are at the top of fake_profile.cpp). Each file is parsed once and
// written out on flush, as Windows 9x caches it.
#pragma once
#include <map>
#include <string_view>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/profile.h"

class FakeProfile : public Profile {
  public:
    explicit FakeProfile(FakeFiles& files) : files_(files) {}
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t capacity) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
    bool flush(const std::string& file) override;

  private:
    struct Key {
        std::string name, value;
        bool hasValue;  // false for a line without "="
    };
    struct Section {
        std::string name;  // the first section holds the lines before any header: ""
        std::vector<Key> keys;
    };
    struct Cached {
        std::uint64_t seen = ~0ull;  // the drive's changes when parsed
        std::vector<Section> sections;
        bool dirty = false;
        bool settled = true;  // written out, it would read back the same
        bool reread = false;  // written since, and !settled: parse it as written
    };
    Cached& entry(const std::string& file);
    Cached& cached(const std::string& file);
    static void parse(Cached& c, std::string_view text);
    static std::string text(const Cached& c);
    static Section* find(Cached& c, std::string_view name);
    static Key* findKey(Section& s, std::string_view name);

    FakeFiles& files_;
    std::map<std::string, Cached> cache_;
    std::string lastFile_;  // asked for again and again: found without folding
    Cached* last_ = nullptr;
};
