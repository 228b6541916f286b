// Reading initialisation files, as GetPrivateProfileStringA does.
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
};
