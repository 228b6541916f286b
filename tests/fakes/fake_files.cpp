#include "fakes/fake_files.h"

#include <algorithm>

namespace {
// What Windows would say; a failure made on purpose names itself.
const char kMade[] = "Fehler auf Bestellung.", kDenied[] = "Zugriff verweigert.",
           kMissing[] = "Die Datei wurde nicht gefunden.",
           kTaken[] = "Die Datei existiert bereits.";
}  // namespace

std::string foldCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = foldCase(c);
    return r;
}

std::optional<FakeFiles::Fault> FakeFiles::next(bool writing) {
    if (writing) writes.insert(operations + 1);
    auto it = faults.find(++operations);
    if (it == faults.end()) return std::nullopt;
    if (it->second == Fault::PowerCut) throw PowerCut{};
    return it->second;
}

bool FakeFiles::folderWritable(const std::string& path) const {
    return !readOnlyFolders_.count(foldCase(path.substr(0, path.rfind('\\') + 1)));
}

bool FakeFiles::writable(const std::string& path) const {
    return !readOnly_.count(foldCase(path)) && folderWritable(path);
}

bool FakeFiles::canMove(const std::string& path) {
    return (exists(path) && writable(path)) || failed(kDenied);
}

void FakeFiles::put(const std::string& path, const std::string& bytes) {
    files_[foldCase(path)] = {path, bytes};
    changes_ = ++lastChange_;
}

bool FakeFiles::holds(const std::string& bytes) const {
    return std::any_of(files_.begin(), files_.end(),
                       [&](const auto& file) { return file.second.second == bytes; });
}

bool FakeFiles::remove(const std::string& path) {
    if (next() == Fault::Fails) return failed(kMade);
    if (!exists(path)) return true;
    if (!writable(path)) return failed(kDenied);
    files_.erase(foldCase(path));
    changes_ = ++lastChange_;
    return changed();
}

// A read-only file may still be renamed, as on Windows; it stays read-only.
bool FakeFiles::move(const std::string& from, const std::string& to) {
    auto it = files_.find(foldCase(from));
    if (it == files_.end()) return failed(kMissing);
    if (!folderWritable(from) || !folderWritable(to)) return failed(kDenied);
    std::string bytes = it->second.second;
    files_.erase(it);
    put(to, bytes);
    if (readOnly_.erase(foldCase(from))) readOnly_.insert(foldCase(to));
    return changed();
}

bool FakeFiles::rename(const std::string& from, const std::string& to) {
    if (next() == Fault::Fails) return failed(kMade);
    return exists(to) ? failed(kTaken) : move(from, to);
}

bool FakeFiles::replace(const std::string& from, const std::string& to) {
    if (next() == Fault::Fails || !oneStepReplace) return failed(kMade);
    return readOnly_.count(foldCase(to)) ? failed(kDenied) : move(from, to);
}

bool FakeFiles::write(const std::string& path, const std::string& bytes) {
    std::optional<Fault> fault = next(true);
    if (!writable(path)) return failed(kDenied);
    std::size_t kept = fault == Fault::Fails   ? bytes.size() / 3
                       : fault == Fault::Short ? bytes.size() / 2
                                               : bytes.size();
    put(path, bytes.substr(0, kept));
    changed();
    return fault != Fault::Fails || failed(kMade);
}

std::optional<std::string> FakeFiles::read(const std::string& path, std::size_t limit) {
    if (next() == Fault::Fails) return failed(kMade), std::nullopt;
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return failed(kMissing), std::nullopt;
    return it->second.second.substr(0, limit);
}

std::optional<std::string> FakeFiles::get(const std::string& path) const {
    auto it = files_.find(foldCase(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.second;
}
