// Initialisation files through the system's private-profile functions.
#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"

std::string Win32Profile::read(const std::string& file, const std::string& section,
                               const std::string& key, std::size_t capacity) {
    if (capacity == 0) return {};
    capacity = std::min<std::size_t>(capacity, 65536);  // no value of ours comes near
    std::vector<char> buffer(capacity);
    DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(capacity), file.c_str());
    return std::string(buffer.data(), std::min<std::size_t>(count, capacity - 1));
}
