#include "store/config_file.h"

#include "store/replacing.h"

namespace {
// A selection string is at most 32 characters; the rest of a file is never used.
constexpr std::size_t kReadLimit = 4096;
}  // namespace

std::optional<std::string> readConfigFile(Files& files, const std::string& path) {
    std::optional<std::string> bytes = files.read(completedPath(files, path), kReadLimit);
    if (!bytes || bytes->empty()) return std::nullopt;
    return bytes->substr(0, bytes->find_first_of("\r\n"));
}

std::string writeConfigFile(Files& files, const std::string& path, const std::string& selection) {
    return writeReplacing(files, path, selection + "\r\n");
}
