#pragma once
#include <string>

// Velkor.ini beside the program: a root folder such as "C:\" already ends in "\".
inline std::string iniPathFor(const std::string& programFolder) {
    if (!programFolder.empty() && programFolder.back() == '\\') return programFolder + "Velkor.ini";
    return programFolder + "\\Velkor.ini";
}
