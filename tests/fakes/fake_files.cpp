#include "fakes/fake_files.h"

std::string foldCase(const std::string& s) {
    std::string r = s;
    for (char& c : r) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 'a' && u <= 'z')
            c = char(u - 32);
        else if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
            c = char(u - 32);
    }
    return r;
}

namespace {
std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}
}  // namespace

bool FakeFiles::failNow(const std::string& what) {
    log.push_back(what);
    ++calls_;
    if (failAt_ != 0 && calls_ == failAt_) {
        log.back() += " FAILED";
        return true;
    }
    return false;
}

bool FakeFiles::folderWritable(const std::string& path) const {
    return !readOnlyFolders_.count(foldCase(folderOf(path)));
}

bool FakeFiles::writable(const std::string& path) const {
    return !readOnly_.count(foldCase(path)) && folderWritable(path);
}

bool FakeFiles::exists(const std::string& path) {
    return files_.count(foldCase(path)) != 0;
}

bool FakeFiles::remove(const std::string& path) {
    if (failNow("remove " + path)) return false;
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return true;
    if (!writable(path)) return false;
    files_.erase(it);
    return true;
}

// A read-only file may still be renamed, as on Windows; it stays read-only.
bool FakeFiles::move(const std::string& from, const std::string& to) {
    auto it = files_.find(foldCase(from));
    if (it == files_.end() || !folderWritable(from) || !folderWritable(to)) return false;
    Entry e{to, it->second.bytes};
    files_.erase(it);
    files_[foldCase(to)] = e;
    if (readOnly_.erase(foldCase(from))) readOnly_.insert(foldCase(to));
    return true;
}

bool FakeFiles::rename(const std::string& from, const std::string& to) {
    if (failNow("rename " + from + " -> " + to)) return false;
    return !exists(to) && move(from, to);
}

bool FakeFiles::replace(const std::string& from, const std::string& to) {
    if (failNow("replace " + from + " -> " + to)) return false;
    if (readOnly_.count(foldCase(to)) || !exists(from)) return false;
    if (!oneStepReplace) {
        files_.erase(foldCase(to));
        if (failNow("move " + from + " -> " + to)) return false;
    }
    return move(from, to);
}

bool FakeFiles::write(const std::string& path, const std::string& bytes) {
    if (!writable(path)) return failNow("write " + path), false;
    if (failNow("write " + path)) {
        files_[foldCase(path)] = {path, bytes.substr(0, partialWrite)};
        return false;
    }
    auto it = files_.find(foldCase(path));
    if (it != files_.end())
        it->second.bytes = bytes.substr(0, diskRoom);
    else
        files_[foldCase(path)] = {path, bytes.substr(0, diskRoom)};
    return true;
}

std::optional<std::string> FakeFiles::read(const std::string& path, std::size_t limit) {
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.bytes.substr(0, limit);
}

bool FakeFiles::canCreateIn(const std::string& folder) {
    return !readOnlyFolders_.count(foldCase(folder));
}

bool FakeFiles::canMove(const std::string& path) {
    return exists(path) && writable(path);
}

std::optional<std::string> FakeFiles::get(const std::string& path) const {
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.bytes;
}

std::vector<std::string> FakeFiles::paths() const {
    std::vector<std::string> r;
    for (const auto& [key, e] : files_) r.push_back(e.name);
    return r;
}
