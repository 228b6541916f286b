// Plain text rules of the Windows side, kept apart from it so they are tested
// natively.
#pragma once
#include <string>

#include "platform/message_box.h"

// What follows the program name in a command line: the name ends at the first
// blank or tab outside quotes; the blanks after it are dropped, the rest is kept.
std::string argumentsOf(const std::string& commandLine);

// The folder of a full file path; a drive root keeps its "\" ("C:\").
std::string folderOfFile(const std::string& path);

// `name` in `folder`, with one "\" between them also when the folder is a
// drive root that ends in "\" already.
std::string inFolder(const std::string& folder, const std::string& name);

// `c` in upper case, as Windows compares names in the ANSI code page.
char foldCase(char c);

// `text` with each `mark` doubled, as a caption shows "&" and a batch file
// "%" as themselves.
std::string doubled(const std::string& text, char mark);

// A MessageBoxA result as the caller's answer. A box that could not be shown,
// or was closed without a choice, never counts as Yes.
Answer answerOf(int result, unsigned style);
