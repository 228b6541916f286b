// Registering the program as the one that opens ".vkf" files. Keys are only
// created and values only written: nothing is read, and nothing removed.
#pragma once
#include <cstdint>
#include <string>

#include "platform/registry.h"

struct RegSchluessel {
    Registry::Key Wurzel = Registry::kClassesRoot;
    std::string Pfad;
};

struct RegWert {
    std::uint32_t Typ = Registry::kStringValue;
    std::string Text;
};

// Creates (or opens) the key and closes it again.
bool SchluesselAnlegen(Registry& registry, const RegSchluessel& key);

// Writes the value `name` of an existing key.
bool WertSchreiben(Registry& registry, const RegSchluessel& key, const std::string& name,
                   const RegWert& value);

// The extension, its class with description and icon, the verb as the
// default one, and its command. Stops at the first refused step; true only if
// the command was written. What was written before a refusal stays.
bool DateitypRegistrieren(Registry& registry, const std::string& endung, const std::string& klasse,
                          const std::string& beschreibung, const std::string& symbol,
                          const std::string& verb, const std::string& befehl);

// The registration of Velkor.exe in `programFolder`, as the settings dialog
// asks for it.
bool registerVkfFiles(Registry& registry, const std::string& programFolder);
