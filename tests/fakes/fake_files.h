// In-memory drive for tests. Paths match without regard to case, as on Windows.
// Any mutating call can be made to fail, to test what the caller does then.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

// cp1252 upper case
char foldCase(char c);
std::string foldCase(std::string_view s);

class FakeFiles : public Files {
  public:
    bool exists(const std::string& path) override { return files_.count(foldCase(path)) != 0; }
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool write(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    bool canCreateIn(const std::string& folder) override { return folderWritable(folder + "x"); }
    bool canMove(const std::string& path) override { return exists(path) && writable(path); }

    // Test set-up and inspection.
    void put(const std::string& path, const std::string& bytes);
    std::optional<std::string> get(const std::string& path) const;
    void setReadOnly(const std::string& path) { readOnly_.insert(foldCase(path)); }
    void setReadOnlyFolder(const std::string& folder) { readOnlyFolders_.insert(foldCase(folder)); }
    // Tells every change to any drive apart, so a reader can tell its copy is current.
    std::uint64_t changes() const { return changes_; }

    // The n-th mutating call from now on (1 = the next) fails; 0 = none does.
    // A write that fails leaves the first three bytes behind.
    void failAt(int n) { failAt_ = n; }
    // Windows 9x has no one-step replace: the target is deleted, then the
    // file moved, and either step can fail.
    bool oneStepReplace = true;
    // A full disk that the system does not report: a file keeps only this many
    // bytes of what is written to it, and the write still succeeds.
    std::size_t diskRoom = std::string::npos;

  private:
    bool failNow() { return failAt_ != 0 && --failAt_ == 0; }
    bool writable(const std::string& path) const;
    bool folderWritable(const std::string& path) const;
    bool move(const std::string& from, const std::string& to);

    std::map<std::string, std::pair<std::string, std::string>> files_;  // folded -> name, bytes
    std::set<std::string> readOnly_, readOnlyFolders_;
    int failAt_ = 0;
    std::uint64_t changes_ = 0;
    inline static std::uint64_t lastChange_ = 0;
};
