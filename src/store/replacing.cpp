#include "store/replacing.h"

const char kIncomplete[] = "Die Datei kam nicht vollständig auf dem Datenträger an.";

std::string pendingPath(const std::string& path) {
    return path + ".$neu";
}

std::string asidePath(const std::string& path) {
    return path + ".$alt";
}

std::string causeOf(Files& files, const std::string& ours) {
    std::string said = files.errorText();
    return said.empty() ? ours : said;
}

namespace {

// Drops the pending file of `path` after a failure; returns `cause`.
std::string abandon(Files& files, const std::string& path, const std::string& cause) {
    files.remove(pendingPath(path));
    return cause;
}

// Puts the written and checked pending file in the place of `path`.
std::string putInPlace(Files& files, const std::string& path) {
    const std::string pending = pendingPath(path), aside = asidePath(path);
    if (!files.exists(path)) {
        if (!files.rename(pending, path)) return abandon(files, path, causeOf(files));
    } else if (files.replacesInOneStep()) {
        if (!files.replace(pending, path)) return abandon(files, path, causeOf(files));
    } else {
        // A rename would move a read-only file too, which a save must leave alone.
        if (!files.canMove(path) || !files.remove(aside) || !files.rename(path, aside))
            return abandon(files, path, causeOf(files));
        if (!files.rename(pending, path)) {
            std::string cause = causeOf(files);
            if (!files.rename(aside, path))
                cause += "\rDie bisherige Datei liegt jetzt als\r" + aside + " vor.";
            return abandon(files, path, cause);
        }
    }
    files.remove(aside);  // the old file, or a copy an earlier start read from
    return "";
}

}  // namespace

std::string writeReplacing(Files& files, const std::string& path, const std::string& bytes) {
    std::string pending = pendingPath(path);
    if (!files.remove(pending)) return causeOf(files);
    if (!files.write(pending, bytes)) return abandon(files, path, causeOf(files));
    // A full disk can leave a short file that the system reports as written.
    std::optional<std::string> back = files.read(pending, bytes.size() + 1);
    if (back != bytes) return abandon(files, path, back ? kIncomplete : causeOf(files));
    return putInPlace(files, path);
}

std::string completedPath(Files& files, const std::string& path) {
    std::string aside = asidePath(path);
    if (files.exists(path) || !files.exists(aside)) return path;
    return files.rename(aside, path) ? path : aside;
}

bool moveOver(Files& files, const std::string& from, const std::string& to) {
    if (files.replacesInOneStep()) return files.replace(from, to);
    return files.remove(to) && files.rename(from, to);
}
