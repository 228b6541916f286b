// Registering the program as the one that opens ".vkf" files. Keys are only
// created and values only written: nothing is read, and nothing removed.
#pragma once
#include <cstdint>
#include <string>

#include "platform/registry.h"

struct RegistryKey {
    Registry::Key root = Registry::kClassesRoot;
    std::string path;
};

struct RegistryValue {
    std::uint32_t type = Registry::kStringValue;
    std::string text;
};

// Creates (or opens) the key and closes it again.
bool createKey(Registry& registry, const RegistryKey& key);

// Writes the value `name` of an existing key.
bool writeValue(Registry& registry, const RegistryKey& key, const std::string& name,
                const RegistryValue& value);

// The extension, its class with description and icon, the verb as the
// default one, and its command. Stops at the first refused step; true only if
// the command was written. What was written before a refusal stays.
bool registerFileType(Registry& registry, const std::string& extension,
                      const std::string& className, const std::string& description,
                      const std::string& icon, const std::string& verb, const std::string& command);

// The registration of Velkor.exe in `programFolder`, as the settings dialog
// asks for it.
bool registerVkfFiles(Registry& registry, const std::string& programFolder);
