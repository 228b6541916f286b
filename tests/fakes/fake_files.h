// In-memory drive for tests. Paths match without regard to case, as on Windows,
// and read-only files are kept as platform/files.h says; no file is hidden.
// Every operation that reads or changes a file is counted, and any of them
// can be made to fail, to come back short or to meet a power cut.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/text_rules.h"

// A path in upper case, as names match on the drive.
std::string foldCase(std::string_view s);

// Thrown by the operation before which the power goes.
struct PowerCut {};

class FakeFiles : public Files {
  public:
    bool exists(const std::string& path) override { return files_.count(foldCase(path)) != 0; }
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replacesInOneStep() override { return oneStepReplace; }
    bool replace(const std::string& from, const std::string& to) override;
    bool write(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    bool canCreateIn(const std::string& folder) override { return folderWritable(folder + "x"); }
    bool canMove(const std::string& path) override;
    std::string errorText() override { return error_; }

    // Test set-up and inspection.
    void put(const std::string& path, const std::string& bytes);
    std::optional<std::string> get(const std::string& path) const;
    bool holds(const std::string& bytes) const;  // some file has exactly these bytes
    void setReadOnly(const std::string& path) { readOnly_.insert(foldCase(path)); }
    void setReadOnlyFolder(const std::string& folder) { readOnlyFolders_.insert(foldCase(folder)); }
    // Tells every change to any drive apart, so a reader can tell its copy is current.
    std::uint64_t changes() const { return changes_; }

    // Windows 9x has no one-step replace.
    bool oneStepReplace = true;
    // What befalls the operation of a number (1 = the first). A short write
    // keeps half the bytes and still succeeds; a failed one leaves a third.
    enum class Fault { Fails, Short, PowerCut };
    std::map<int, Fault> faults;
    int operations = 0;                 // counted so far
    std::set<int> writes;               // the numbers of those that were writes
    std::function<void()> afterChange;  // called after every change made by an operation

  private:
    std::optional<Fault> next(bool writing = false);
    bool failed(const char* why) { return error_ = why, false; }
    bool changed() {
        if (afterChange) afterChange();
        return true;
    }
    bool writable(const std::string& path) const;
    bool folderWritable(const std::string& path) const;
    bool move(const std::string& from, const std::string& to);

    std::map<std::string, std::pair<std::string, std::string>> files_;  // folded -> name, bytes
    std::set<std::string> readOnly_, readOnlyFolders_;
    std::string error_;
    std::uint64_t changes_ = 0;
    inline static std::uint64_t lastChange_ = 0;
};
