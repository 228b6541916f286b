#include "configs/configurations.h"

#include "platform/text_rules.h"
#include "store/config_file.h"
#include "store/ini_store.h"
#include "store/selection.h"

namespace {

const char kTitle[] = "Konfiguration";

void tell(Platform& p, const std::string& text) {
    p.boxes.show(text, kTitle, mb::Ok | mb::IconExclamation);
}

void cannotRead(Platform& p, const std::string& path) {
    tell(p, "Die Konfiguration\r" + path +
                "\rkonnte nicht gelesen werden. Die Datei fehlt, ist leer,\r"
                "nicht lesbar oder keine Konfigurations-Datei.");
}

}  // namespace

std::string Konfiguration(State& s, MainView& view, const std::string& konfig,
                          std::string_view spcset) {
    if (spcset != "setzen") return selectionOf(s.options);
    applySelection(s.options, konfig);
    for (int i = 0; i < kOptionCount; ++i) view.showTicked(i, s.options[i].ticked == 1);
    return {};
}

std::string Dateiname(const std::string& pfad) {
    std::string name = pfad.substr(pfad.rfind('\\') + 1);  // npos + 1 == 0
    // Only an extension is left out, and only with a name before it.
    if (name.size() > 4 && name[name.size() - 4] == '.') name.resize(name.size() - 4);
    return name;
}

void FillConfigMenus(State& s, MainView& view) {
    std::vector<std::string> captions;
    s.configs.menuSlots = {};
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::string& path = s.configs.slot(n).path;
        if (path.empty()) continue;
        s.configs.menuSlots[captions.size()] = n;
        captions.push_back("&" + std::to_string(captions.size() + 1) + " " +
                           doubled(Dateiname(path), '&'));
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
    Konfiguration(s, p.view, *line, "setzen");
}

void saveConfigurationAs(State& s, Platform& p) {
    std::optional<std::string> path = p.fileDialogs.save("Konfiguration speichern");
    if (!path) return;
    std::string problem =
        writeConfigFile(p.files, *path, Konfiguration(s, p.view, "", "speichern"));
    if (!problem.empty())
        tell(p,
             "Die Konfiguration konnte nicht in\r" + *path + "\rgespeichert werden:\r" + problem);
}

void applyCommandLine(State& s, Platform& p, std::string path) {
    if (path.empty()) return;
    // The registered command passes a path with blanks unquoted; a console
    // or another program may quote it.
    if (!p.files.exists(path) && path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    std::optional<std::string> line = readConfigFile(p.files, path);
    if (!line) return cannotRead(p, path);
    Konfiguration(s, p.view, *line, "setzen");
}

void arrangeConfigurations(State& s, Platform& p) {
    ConfigRows rows;
    for (int n = 1; n <= kSlotCount; ++n) rows[n - 1] = s.configs.slot(n).path;
    auto pick = [&p]() -> std::optional<std::string> {
        std::optional<std::string> path = p.fileDialogs.open("Konfiguration laden");
        if (path && path->size() > kMaxValue) {
            tell(p, "Dieser Pfad ist zu lang für Velkor.ini\r(höchstens " +
                        std::to_string(kMaxValue) + " Zeichen):\r" + *path);
            return std::nullopt;
        }
        return path;
    };
    if (!p.dialogs.arrangeConfigs(rows, pick)) return;
    std::string unreadable;
    for (int n = 1; n <= kSlotCount; ++n) {
        ConfigSlot& slot = s.configs.slot(n);
        slot.path = rows[n - 1];
        slot.selection.reset();
        if (slot.path.empty()) continue;
        slot.selection = readConfigFile(p.files, slot.path);
        if (!slot.selection) unreadable += "\r" + slot.path;
    }
    FillConfigMenus(s, p.view);
    s.changed = true;
    if (!unreadable.empty())
        tell(p,
             "Diese Dateien fehlen, sind leer, nicht lesbar oder\r"
             "keine Konfigurations-Dateien und wählen nichts aus:" +
                 unreadable);
}
