// The test program started again as a child, to see what the real System
// reports for a process started in a known way.
#pragma once
#include <optional>
#include <string>

// Starts `program` with exactly `commandLine` and has it do `job`; what it
// reported, or nothing if it did not finish.
std::optional<std::string> runChild(const std::string& program, const std::string& commandLine,
                                    const std::string& job);

// Jobs: "echo" reports commandLine() and programFolder() on two lines; "reboot"
// calls requestReboot() and reports "privilege before, privilege after, result".
// True (with the exit code) if this process was started as such a child.
bool runAsChild(int& exitCode);

// This test program's own full path.
std::string ownPath();
