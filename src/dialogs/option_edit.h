// The three texts the option editor works on.
#pragma once
#include <string>

struct OptionEdit {
    std::string Name;
    std::string ConfigLines;
    std::string AutoexecLines;
};
