// The end for failures the program cannot go on from: it says so in a
// message box and stops. Saves replace files whole, so stopping here leaves
// no file half-written.
#pragma once

inline constexpr char kOutOfMemory[] = "Der Arbeitsspeicher reicht nicht aus. Velkor wird beendet.";

[[noreturn]] void endWithMessage(const char* text) noexcept;
