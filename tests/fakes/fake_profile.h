// Initialisation files kept as real file bytes on a FakeFiles drive, read the
// way the system's private-profile functions were measured to read them (the
// rules are at the top of fake_profile.cpp).
#pragma once
#include <string_view>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/profile.h"

class FakeProfile : public Profile {
  public:
    explicit FakeProfile(FakeFiles& files) : files_(files) {}
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t capacity) override;

  private:
    struct Key {
        std::string name, value;
    };
    struct Section {
        std::string name;  // the first section holds the lines before any header: ""
        std::vector<Key> keys;
    };
    void parse(std::string_view text);

    FakeFiles& files_;
    // The file last read, parsed again when another is read or the drive changes.
    std::string parsedFile_;
    std::uint64_t parsedAt_ = ~0ull;
    std::vector<Section> sections_;
};
