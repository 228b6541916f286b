#include "configs/arrange_dialog.h"

#include "configs/configurations.h"
#include "store/config_file.h"
#include "store/ini_store.h"

void arrangeConfigurations(State& s, Platform& p) {
    ConfigRows rows;
    for (int n = 1; n <= kSlotCount; ++n) rows[n - 1] = s.configs.slot(n).path;
    auto pick = [&p]() -> std::optional<std::string> {
        std::optional<std::string> path = p.fileDialogs.open("Konfiguration laden");
        if (path && path->size() > kMaxValue) {
            tellAboutConfigs(p, "Dieser Pfad ist zu lang für Velkor.ini\r(höchstens " +
                                    std::to_string(kMaxValue) + " Zeichen):\r" + *path);
            return std::nullopt;
        }
        return path;
    };
    if (!p.dialogs.showArrangeDialog(rows, pick)) return;
    std::string unreadable;
    for (int n = 1; n <= kSlotCount; ++n) {
        ConfigSlot& slot = s.configs.slot(n);
        slot.path = rows[n - 1];
        slot.selection.reset();
        if (slot.path.empty()) continue;
        slot.selection = readConfigFile(p.files, slot.path);
        if (!slot.selection) unreadable += "\r" + slot.path;
    }
    fillConfigMenus(s, p.view);
    s.changed = true;
    if (!unreadable.empty())
        tellAboutConfigs(p,
                         "Diese Dateien fehlen, sind leer, nicht lesbar oder\r"
                         "keine Konfigurations-Dateien und wählen nichts aus:" +
                             unreadable);
}
