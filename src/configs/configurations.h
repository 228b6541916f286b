// Configurations: the ticks saved as ".vkf" files, applied from files or from
// the nine listed in both configuration menus.
#pragma once
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

// A configuration entry of either menu: back from the tray unless a restart
// follows, apply the slot's selection, restart at once with SofortStart. A
// file that could not be read is told, and nothing else happens.
void MKontext_Click(State& s, Platform& p, int index);

// "&Laden" and "&Speichern unter".
void MLaden_Click(State& s, Platform& p);
void MSpeichernU_Click(State& s, Platform& p);

// Start-up: the configuration file named on the command line, if any.
void applyCommandLine(State& s, Platform& p);

// Velkor was started again for the same Velkor.ini, with `commandLine`: the
// window comes back, and a configuration file named is applied as one chosen
// from the menu. An open modal window only comes to the front.
void startedAgain(State& s, Platform& p, const std::string& commandLine);

// "&Anordnen": which files are listed, in which slot.
void Anordnen(State& s, Platform& p);
