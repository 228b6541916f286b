// Initialisation files read from their bytes, as the system's private-profile
// functions read them: one read of the file instead of a call per key.
#pragma once
#include <string_view>

// The value of `key` in `section` of the file `text`, "" if either is
// missing. Names match without regard to case; of two sections, or two keys
// in a section, with the same name only the first counts. Blanks around the
// value and one pair of enclosing quotes are dropped. A view into `text`.
std::string_view profileValue(std::string_view text, std::string_view section,
                              std::string_view key);
