#include "registry/file_type.h"

#include "platform/text_rules.h"

namespace {
// KEY_QUERY_VALUE, KEY_SET_VALUE, KEY_CREATE_SUB_KEY (create only), KEY_NOTIFY, READ_CONTROL
constexpr std::uint32_t kCreateAccess = 0x20017, kOpenAccess = 0x20013;
}  // namespace

bool createKey(Registry& registry, const RegistryKey& key) {
    Registry::Key opened = 0;
    if (registry.createKey(key.root, key.path, kCreateAccess, opened) != 0) return false;
    return registry.closeKey(opened) == 0;
}

bool writeValue(Registry& registry, const RegistryKey& key, const std::string& name,
                const RegistryValue& value) {
    Registry::Key opened = 0;
    if (registry.openKey(key.root, key.path, kOpenAccess, opened) != 0) return false;
    bool written = registry.setValue(opened, name, value.type, value.text) == 0;
    return registry.closeKey(opened) == 0 && written;
}

bool registerFileType(Registry& registry, const std::string& extension,
                      const std::string& className, const std::string& description,
                      const std::string& icon, const std::string& verb,
                      const std::string& command) {
    // Each key in order, with its default value where it has one.
    const struct {
        std::string path;
        const std::string* value;
    } steps[] = {
        {extension, &className},
        {className, &description},
        {className + "\\DefaultIcon", &icon},
        // Shells that open only a default verb need it named.
        {className + "\\Shell", &verb},
        {className + "\\Shell\\" + verb, nullptr},
        {className + "\\Shell\\" + verb + "\\command", &command},
    };
    for (const auto& step : steps) {
        RegistryKey key{Registry::kClassesRoot, step.path};
        if (!createKey(registry, key)) return false;
        if (step.value && !writeValue(registry, key, "", {Registry::kStringValue, *step.value}))
            return false;
    }
    return true;
}

bool registerVkfFiles(Registry& registry, const std::string& programFolder) {
    std::string exe = "\"" + inFolder(programFolder, "Velkor.exe") + "\"";
    return registerFileType(registry, ".vkf", "vkffile", "MS-DOS-Velkor-Datei", exe + ",0",
                            "Öffnen", exe + " %1");
}
