// Configurations: the ticks saved as ".vkf" files, applied from files or from
// the nine listed in both configuration menus.
#pragma once
#include <optional>
#include <string>

#include "platform/platform.h"
#include "store/state.h"

// Ticks exactly the options `selection` names, and shows them.
void tickSelection(State& s, MainView& view, const std::string& selection);

// A configuration file's name as the menus show it: without its folder and
// its extension.
std::string configName(const std::string& path);

// Shows the listed files in both configuration menus, packed and numbered, and
// notes in menuSlots which slot each menu entry stands for.
void fillConfigMenus(State& s, MainView& view);

// The selection of the configuration at menu position `index` of either
// menu; nothing for no entry. A file that could not be read is told, and
// gives nothing.
std::optional<std::string> listedSelection(const State& s, Platform& p, int index);

// "&Laden" and "&Speichern unter".
void loadConfiguration(State& s, Platform& p);
void saveConfigurationAs(State& s, Platform& p);

// The configuration file a command line names, at start-up or handed over by
// a second start, ticks its options; the path may be quoted. A file that
// cannot be read is told, and the ticks stay. An empty command line does nothing.
void applyCommandLine(State& s, Platform& p, std::string path);

// A message about configuration files, in a box titled "Konfiguration".
void tellAboutConfigs(Platform& p, const std::string& text);
