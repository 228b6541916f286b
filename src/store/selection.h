// Selection strings: the ticked entries as two-digit numbers joined by ",",
// for example "00,03,10". The whole content of a configuration file.
#pragma once
#include <string>
#include <string_view>

#include "store/option_table.h"

std::string selectionOf(const OptionTable& table);

// Whether a configuration file's first line is a selection string: empty, or
// the numbers of rows 00 to 10 joined by ",". A higher number names no row,
// so such a line is no list of Velkor's rows and is refused whole, not
// applied in part.
bool isSelection(std::string_view line);

// Unticks every entry, then ticks those the string names. A place that holds
// anything but two digits, or names no entry, ticks nothing.
void applySelection(OptionTable& table, std::string_view selection);
