#include "registry/file_type.h"

#include "platform/text_rules.h"

namespace {
// KEY_QUERY_VALUE, KEY_SET_VALUE, KEY_CREATE_SUB_KEY (create only), KEY_NOTIFY, READ_CONTROL
constexpr std::uint32_t kCreateAccess = 0x20017, kOpenAccess = 0x20013;
}  // namespace

bool SchluesselAnlegen(Registry& registry, const RegSchluessel& key) {
    Registry::Key opened = 0;
    if (registry.createKey(key.Wurzel, key.Pfad, kCreateAccess, opened) != 0) return false;
    return registry.closeKey(opened) == 0;
}

bool WertSchreiben(Registry& registry, const RegSchluessel& key, const std::string& name,
                   const RegWert& value) {
    Registry::Key opened = 0;
    if (registry.openKey(key.Wurzel, key.Pfad, kOpenAccess, opened) != 0) return false;
    bool written = registry.setValue(opened, name, value.Typ, value.Text) == 0;
    return registry.closeKey(opened) == 0 && written;
}

bool DateitypRegistrieren(Registry& registry, const std::string& endung, const std::string& klasse,
                          const std::string& beschreibung, const std::string& symbol,
                          const std::string& verb, const std::string& befehl) {
    // Each key in order, with its default value where it has one.
    const struct {
        std::string pfad;
        const std::string* wert;
    } steps[] = {
        {endung, &klasse},
        {klasse, beschreibung.empty() ? nullptr : &beschreibung},
        {klasse + "\\DefaultIcon", symbol.empty() ? nullptr : &symbol},
        // Shells that open only a default verb need it named.
        {klasse + "\\Shell", &verb},
        {klasse + "\\Shell\\" + verb, nullptr},
        {klasse + "\\Shell\\" + verb + "\\command", &befehl},
    };
    for (const auto& step : steps) {
        RegSchluessel key{Registry::kClassesRoot, step.pfad};
        if (!SchluesselAnlegen(registry, key)) return false;
        if (step.wert && !WertSchreiben(registry, key, "", {Registry::kStringValue, *step.wert}))
            return false;
    }
    return true;
}

bool registerVkfFiles(Registry& registry, const std::string& programFolder) {
    std::string exe = "\"" + inFolder(programFolder, "Velkor.exe") + "\"";
    return DateitypRegistrieren(registry, ".vkf", "vkffile", "MS-DOS-Velkor-Datei", exe + ",0",
                                "Öffnen", exe + " %1");
}
