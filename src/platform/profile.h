// Private-profile (initialisation file) access, as GetPrivateProfileStringA and
// WritePrivateProfileStringA provide it.
#pragma once
#include <cstddef>
#include <string>

class Profile {
  public:
    virtual ~Profile() = default;

    // The value of `key` in `section` of `file`, "" if either is missing. Section
    // and key match without regard to case. Blanks around the value and one pair
    // of enclosing quotes are dropped, as the system does. At most capacity - 1
    // characters come back (capacity counts the terminating zero).
    virtual std::string read(const std::string& file, const std::string& section,
                             const std::string& key, std::size_t capacity) = 0;

    // Sets `key` in `section` of `file` to `value`, creating file, section and key
    // as needed; keys and sections keep the order of their first write. `value`
    // holds no line break. False if the file cannot be written.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;

    // Makes sure everything written to `file` so far is on disk.
    virtual bool flush(const std::string& file) = 0;
};
