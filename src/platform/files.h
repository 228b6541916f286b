// The file operations the program needs. Paths are full Windows paths in the
// ANSI code page; names match without regard to case.
//
// Every implementation keeps two rules the program relies on: a read-only
// file is never written, replaced or removed (it may be renamed, and stays
// read-only), and a hidden or system file that is written keeps those
// attributes. A file renamed, or put in place by replace(), keeps its own.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

class Files {
  public:
    virtual ~Files() = default;

    virtual bool exists(const std::string& path) = 0;

    // Deletes the file. True also when there was nothing to delete.
    virtual bool remove(const std::string& path) = 0;

    // Renames `from` to `to`; fails if `to` exists or `from` does not.
    virtual bool rename(const std::string& from, const std::string& to) = 0;

    // Whether replace() can work here at all: Windows 95, 98 and Me cannot
    // replace a file in one step.
    virtual bool replacesInOneStep() = 0;

    // Puts `from` in the place of `to` in one step, so that `to` is always
    // either the old or the new file; `to` need not exist. False if that did
    // not work, and then nothing has changed.
    virtual bool replace(const std::string& from, const std::string& to) = 0;

    // Creates or truncates the file and writes `bytes`. False if any part fails;
    // a failed write may leave a partial file behind.
    virtual bool write(const std::string& path, const std::string& bytes) = 0;

    // The first `limit` bytes of the file, or nothing if it cannot be opened or read.
    virtual std::optional<std::string> read(const std::string& path, std::size_t limit) = 0;

    // True if a new file can be created in `folder` (which ends in "\").
    virtual bool canCreateIn(const std::string& folder) = 0;

    // True if the existing file can be renamed now: it is not read-only and no
    // other program holds it open.
    virtual bool canMove(const std::string& path) = 0;

    // What Windows says, in its own words and language, about the last call
    // above that failed or answered no; "" if it says nothing. Asked at once.
    virtual std::string errorText() = 0;
};
