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

bool Win32Profile::write(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

bool Win32Profile::flush(const std::string& file) {
    // This call returns FALSE whether the flush worked or not. Only Windows 9x
    // caches at all (NT writes each value through, and reports a failed write),
    // so a flushed file that we wrote to must now be there.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}
