// Replacing a file so that an interruption never leaves only half of it: the
// new content goes into a file beside it, which then takes the old one's place.
#pragma once
#include <string>

#include "platform/files.h"

// The name the new content is written to first: the same name with the
// extension ".neu" ("C:\Velkor\Velkor.neu" for "C:\Velkor\Velkor.ini").
std::string pendingPath(const std::string& path);

// Puts the written and checked `pending` in the place of `path`. When that
// fails, `pending` goes unless the system removed the old file before it
// failed: then `pending` is the only copy and is kept.
bool putInPlace(Files& files, const std::string& pending, const std::string& path);

// Writes `bytes` as the new content of `path` that way. False if the file
// could not be written; the old one is then as it was.
bool writeReplacing(Files& files, const std::string& path, const std::string& bytes);
