// Lines texts: lines joined by CR LF, as a component's start-file lines are held.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Splits for saving: only CR ends a line (the LF after it is dropped, a lone LF
// stays in the line), a CR at the very end adds no empty line, and at most
// `limit` lines come back.
std::vector<std::string> splitLines(std::string_view text, std::size_t limit);

// Appends `line` to `text`, with CR LF between them unless `text` is empty.
void appendLine(std::string& text, std::string_view line);
