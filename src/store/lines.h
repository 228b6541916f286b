// Lines texts: lines joined by CR LF, as an option's start-file lines are held.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Only CR ends a line (the LF after it is dropped, a lone LF stays in the
// line), and a CR at the very end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// The lines a save writes: empty lines mean nothing to DOS and would end the
// list when it is read back, so they are left out.
std::vector<std::string> storedLines(std::string_view text);

// Appends `line` to `text`, with CR LF between them unless `text` is empty.
void appendLine(std::string& text, std::string_view line);
