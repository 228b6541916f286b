// Configuration files (".vkf"): one selection string on the first line.
#pragma once
#include <optional>
#include <string>

#include "platform/files.h"

// The first line of the file, without its line break. Nothing if the file is
// missing, cannot be read, holds no byte at all or its first line is no
// selection string (see isSelection): a foreign file leaves the ticks alone.
// An empty first line is a selection of no option. A copy that a stopped save
// left aside counts as the file.
std::optional<std::string> readConfigFile(Files& files, const std::string& path);

// The selection as the file's one line, ended by CR LF. Returns "", or what
// went wrong as lines of a message (see replacing.h).
std::string writeConfigFile(Files& files, const std::string& path, const std::string& selection);
