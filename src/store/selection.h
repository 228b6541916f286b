// Selection strings: the ticked entries as two-digit numbers joined by ",",
// for example "00,03,10". The whole content of a configuration file.
#pragma once
#include <string>
#include <string_view>

#include "store/option_table.h"

std::string selectionOf(const OptionTable& table);

// Unticks every entry, then ticks those the string names. A place that holds
// anything but two digits, or names no entry, ticks nothing.
void applySelection(OptionTable& table, std::string_view selection);
