// Configurations: the ticks saved as ".vkf" files, applied from files or from
// the nine listed in both configuration menus.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "store/state.h"

// With `spcset` "setzen", ticks exactly the entries `konfig` names and shows
// it; returns "". With any other mode, returns the selection of the ticks.
std::string Konfiguration(State& s, MainView& view, const std::string& konfig,
                          std::string_view spcset);

// A configuration file's name as the menus show it: without its folder and
// its extension.
std::string Dateiname(const std::string& pfad);

// Shows the listed files in both configuration menus, packed and numbered, and
// notes in MenuSlot which slot each entry stands for.
void FillConfigMenus(State& s, MainView& view);

// The selection of the configuration entry at menu position `index` of either
// menu; nothing for no entry. A file that could not be read is told, and
// gives nothing.
std::optional<std::string> listedSelection(const State& s, Platform& p, int index);

// "&Laden" and "&Speichern unter".
void loadConfiguration(State& s, Platform& p);
void saveConfigurationAs(State& s, Platform& p);

// The configuration file a command line names, at start-up or handed over by
// a second start, ticks its rows; the path may be quoted. A file that cannot
// be read is told, and the ticks stay. An empty command line does nothing.
void applyCommandLine(State& s, Platform& p, std::string path);

// "&Anordnen": which files are listed, in which slot.
void arrangeConfigurations(State& s, Platform& p);
