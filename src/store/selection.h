// Selection strings: the ticked options as two-digit numbers joined by ",",
// for example "00,03,10". The whole content of a configuration file.
#pragma once
#include <string>
#include <string_view>

#include "store/options.h"

std::string selectionOf(const Options& options);

// Whether a configuration file's first line is a selection string: empty, or
// the numbers of options 00 to 10 joined by ",". A higher number names no
// option, so such a line is no list of Velkor's options and is refused whole,
// not applied in part.
bool isSelection(std::string_view line);

// Unticks every option, then ticks those the string names. A place that holds
// anything but two digits, or names no option, ticks nothing.
void applySelection(Options& options, std::string_view selection);
