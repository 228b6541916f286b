#include "fakes/fake_files.h"

char foldCase(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    bool lower = (u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7);
    return char(lower ? u - 32 : u);
}

std::string foldCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = foldCase(c);
    return r;
}

bool FakeFiles::folderWritable(const std::string& path) const {
    return !readOnlyFolders_.count(foldCase(path.substr(0, path.rfind('\\') + 1)));
}

bool FakeFiles::writable(const std::string& path) const {
    return !readOnly_.count(foldCase(path)) && folderWritable(path);
}

void FakeFiles::put(const std::string& path, const std::string& bytes) {
    files_[foldCase(path)] = {path, bytes};
    changes_ = ++lastChange_;
}

bool FakeFiles::remove(const std::string& path) {
    if (failNow()) return false;
    if (!exists(path)) return true;
    if (!writable(path)) return false;
    changes_ = ++lastChange_;
    return files_.erase(foldCase(path));
}

// A read-only file may still be renamed, as on Windows; it stays read-only.
bool FakeFiles::move(const std::string& from, const std::string& to) {
    auto it = files_.find(foldCase(from));
    if (it == files_.end() || !folderWritable(from) || !folderWritable(to)) return false;
    std::string bytes = it->second.second;
    files_.erase(it);
    put(to, bytes);
    if (readOnly_.erase(foldCase(from))) readOnly_.insert(foldCase(to));
    return true;
}

bool FakeFiles::rename(const std::string& from, const std::string& to) {
    if (failNow()) return false;
    return !exists(to) && move(from, to);
}

bool FakeFiles::replace(const std::string& from, const std::string& to) {
    if (failNow()) return false;
    if (readOnly_.count(foldCase(to)) || !exists(from)) return false;
    if (!oneStepReplace) {
        files_.erase(foldCase(to));
        if (failNow()) return false;
    }
    return move(from, to);
}

bool FakeFiles::write(const std::string& path, const std::string& bytes) {
    if (!writable(path)) return failNow(), false;
    if (failNow()) return put(path, bytes.substr(0, 3)), false;
    put(path, bytes.substr(0, diskRoom));
    return true;
}

std::optional<std::string> FakeFiles::read(const std::string& path, std::size_t limit) {
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.second.substr(0, limit);
}

std::optional<std::string> FakeFiles::get(const std::string& path) const {
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.second;
}
