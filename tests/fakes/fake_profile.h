// Initialisation files kept as real file bytes on a FakeFiles drive, read and
// written the way the system's private-profile functions do.
#pragma once
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
    FakeFiles& files_;
};
