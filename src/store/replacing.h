// Replacing a file so that an interruption never leaves only half of it: the
// new content goes into a file beside it, is read back, and only then takes
// the old one's place. The files beside it have names of Velkor's own, which
// no user gives a file: "X.$neu" for the new content and "X.$alt" for the old
// file, which Windows 9x, having no one-step replace, moves aside first.
#pragma once
#include <string>

#include "platform/files.h"

std::string pendingPath(const std::string& path);
std::string asidePath(const std::string& path);

// Why the file operation just done failed, for a message: what Windows says,
// or `ours` where it says nothing.
std::string causeOf(Files& files, const std::string& ours = "Windows nennt keinen Grund.");

// The cause when a file read back is not what was written.
extern const char kIncomplete[];

// Writes `bytes` as the new content of `path` that way. Returns "" once done;
// otherwise, as lines of a message, why not and, where the old file could not
// go back under its name, where it lies. The pending file is gone either way.
std::string writeReplacing(Files& files, const std::string& path, const std::string& bytes);

// The file to read `path` from. Where a replace stopped with the old file
// aside, that complete copy goes back under its name, or is read where it is.
std::string completedPath(Files& files, const std::string& path);

// Puts `from` in the place of `to`, whose content is given up: in one step
// where the system can, else by deleting `to` first.
bool moveOver(Files& files, const std::string& from, const std::string& to);
