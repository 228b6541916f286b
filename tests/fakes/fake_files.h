// In-memory drive for tests. Paths match without regard to case, as on Windows.
// Any mutating call can be made to fail, to test what the caller does then.
#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

std::string foldCase(const std::string& s);  // cp1252 upper case

class FakeFiles : public Files {
  public:
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool write(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    bool canCreateIn(const std::string& folder) override;
    bool canMove(const std::string& path) override;

    // Test set-up and inspection.
    void put(const std::string& path, const std::string& bytes) {
        files_[foldCase(path)] = {path, bytes};
    }
    std::optional<std::string> get(const std::string& path) const;
    std::vector<std::string> paths() const;  // as first created
    void setReadOnly(const std::string& path) { readOnly_.insert(foldCase(path)); }
    void setReadOnlyFolder(const std::string& folder) { readOnlyFolders_.insert(foldCase(folder)); }

    // The n-th mutating call from now on (1 = the next) fails; 0 = none does.
    void failAt(int n) {
        failAt_ = n;
        calls_ = 0;
    }
    int mutatingCalls() const { return calls_; }
    // A write that fails leaves this many bytes of its content behind.
    std::size_t partialWrite = 3;
    // Windows 9x has no one-step replace: the target is deleted, then the
    // file moved, and either step can fail.
    bool oneStepReplace = true;
    // A full disk that the system does not report: a file keeps only this many
    // bytes of what is written to it, and the write still succeeds.
    std::size_t diskRoom = std::string::npos;
    std::vector<std::string> log;  // "remove C:\X", "rename A -> B", ...

  private:
    struct Entry {
        std::string name;
        std::string bytes;
    };
    bool failNow(const std::string& what);
    bool writable(const std::string& path) const;
    bool folderWritable(const std::string& path) const;
    bool move(const std::string& from, const std::string& to);

    std::map<std::string, Entry> files_;
    std::set<std::string> readOnly_, readOnlyFolders_;
    int failAt_ = 0, calls_ = 0;
};
