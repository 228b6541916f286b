#include "configs/configurations.h"

#include "platform/text_rules.h"
#include "store/config_file.h"
#include "store/selection.h"

namespace {

void cannotRead(Platform& p, const std::string& path) {
    tellAboutConfigs(p, "Die Konfiguration\r" + path +
                            "\rkonnte nicht gelesen werden. Die Datei fehlt, ist leer,\r"
                            "nicht lesbar oder keine Konfigurations-Datei.");
}

}  // namespace

void tellAboutConfigs(Platform& p, const std::string& text) {
    p.boxes.show(text, "Konfiguration", mb::Ok | mb::IconExclamation);
}

void tickSelection(State& s, MainView& view, const std::string& selection) {
    applySelection(s.options, selection);
    for (int i = 0; i < kOptionCount; ++i) view.showTicked(i, s.options[i].ticked == 1);
}

std::string configName(const std::string& path) {
    std::string name = path.substr(path.rfind('\\') + 1);  // npos + 1 == 0
    // Only an extension is left out, and only with a name before it.
    if (name.size() > 4 && name[name.size() - 4] == '.') name.resize(name.size() - 4);
    return name;
}

void fillConfigMenus(State& s, MainView& view) {
    std::vector<std::string> captions;
    s.configs.menuSlots = {};
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::string& path = s.configs.slot(n).path;
        if (path.empty()) continue;
        s.configs.menuSlots[captions.size()] = n;
        captions.push_back("&" + std::to_string(captions.size() + 1) + " " +
                           doubled(configName(path), '&'));
    }
    view.showConfigMenus(captions);
}

std::optional<std::string> listedSelection(const State& s, Platform& p, int index) {
    if (index < 0 || index >= kSlotCount || s.configs.menuSlots[index] == 0) return {};
    const ConfigSlot& slot = s.configs.slot(s.configs.menuSlots[index]);
    if (!slot.selection) cannotRead(p, slot.path);
    return slot.selection;
}

void loadConfiguration(State& s, Platform& p) {
    std::optional<std::string> path = p.fileDialogs.open("Konfiguration laden");
    if (!path) return;
    std::optional<std::string> line = readConfigFile(p.files, *path);
    if (!line) return cannotRead(p, *path);
    tickSelection(s, p.view, *line);
}

void saveConfigurationAs(State& s, Platform& p) {
    std::optional<std::string> path = p.fileDialogs.save("Konfiguration speichern");
    if (!path) return;
    std::string problem = writeConfigFile(p.files, *path, selectionOf(s.options));
    if (!problem.empty())
        tellAboutConfigs(
            p, "Die Konfiguration konnte nicht in\r" + *path + "\rgespeichert werden:\r" + problem);
}

void applyCommandLine(State& s, Platform& p, std::string path) {
    if (path.empty()) return;
    // The registered command passes a path with blanks unquoted; a console
    // or another program may quote it.
    if (!p.files.exists(path) && path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    std::optional<std::string> line = readConfigFile(p.files, path);
    if (!line) return cannotRead(p, path);
    tickSelection(s, p.view, *line);
}
