// Configuration files (".vkf"): one selection string on the first line.
#pragma once
#include <optional>
#include <string>

#include "platform/files.h"

// The first line of the file, without its line break. Nothing if the file is
// missing, cannot be read or holds no byte at all; an empty first line is a
// selection of no entry.
std::optional<std::string> readConfigFile(Files& files, const std::string& path);

// The selection as the file's one line, ended by CR LF; the old file stays as
// it was if this fails.
bool writeConfigFile(Files& files, const std::string& path, const std::string& selection);
