#include "store/replacing.h"

std::string pendingPath(const std::string& path) {
    std::size_t dot = path.rfind('.');
    std::size_t slash = path.rfind('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + ".neu";
    return path.substr(0, dot) + ".neu";
}

bool putInPlace(Files& files, const std::string& pending, const std::string& path) {
    if (files.replace(pending, path)) return true;
    if (files.exists(path)) files.remove(pending);
    return false;
}

bool writeReplacing(Files& files, const std::string& path, const std::string& bytes) {
    std::string pending = pendingPath(path);
    if (!files.remove(pending)) return false;
    // A full disk can leave a short file that the system reports as written.
    if (!files.write(pending, bytes) || files.read(pending, bytes.size() + 1) != bytes) {
        files.remove(pending);
        return false;
    }
    return putInPlace(files, pending, path);
}
