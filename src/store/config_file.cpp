#include "store/config_file.h"

#include "store/replacing.h"
#include "store/selection.h"

namespace {
// A selection string is at most 32 characters; the rest of a file is never used.
constexpr std::size_t kReadLimit = 4096;
}  // namespace

std::optional<std::string> readConfigFile(Files& files, const std::string& path) {
    std::optional<std::string> bytes = files.read(completedPath(files, path), kReadLimit);
    if (!bytes || bytes->empty()) return std::nullopt;
    std::string line = bytes->substr(0, bytes->find_first_of("\r\n"));
    // Blanks and a DOS editor's ^Z at the end are not part of it.
    line.erase(line.find_last_not_of(" \t\x1A") + 1);  // npos + 1 == 0
    if (!isSelection(line)) return std::nullopt;
    return line;
}

std::string writeConfigFile(Files& files, const std::string& path, const std::string& selection) {
    return writeReplacing(files, path, selection + "\r\n");
}
