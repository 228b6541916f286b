// Initialisation files read from their bytes, as the system's private-profile
// functions read them: one read of the file instead of a call per key. Names
// are asked for as Velkor writes them: without blanks at their ends or NULs.
#pragma once
#include <string_view>

// The lines of the section named `section` in the file `text`, "" if there is
// none. Names match without regard to case; of two sections with the same
// name only the first counts. A view into `text`.
std::string_view profileSection(std::string_view text, std::string_view section);

// The value of `key` among the lines of a section, "" if it is missing. Of two
// keys with the same name only the first counts. Blanks around the value and
// one pair of enclosing quotes are dropped. A view into `lines`.
std::string_view profileValue(std::string_view lines, std::string_view key);
