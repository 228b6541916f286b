// The test program started again as a child, to see what the real System
// does in a process of its own.
#pragma once
#include <optional>
#include <string>

// Starts this program again as a child that asks for a reboot; its report
// "privilege before, privilege after, result" as three digits, or nothing if
// it did not finish.
std::optional<std::string> rebootInAChild();

// True (with the exit code) if this process was started as such a child.
bool runAsChild(int& exitCode);
