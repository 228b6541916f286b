// Fuzz targets for everything that reads outside data, each with an oracle.
// VELKOR_FUZZ_TARGET names the one this binary runs.
#include <cstdlib>

#include "fakes/fake_files.h"
#include "store/config_file.h"
#include "store/ini_store.h"
#include "store/selection.h"

namespace {

void require(bool fact) {
    if (!fact) std::abort();
}

// The state loaded as a save keeps it (a nameless option keeps no lines), in
// one text; saved again if asked.
std::string loaded(FakeFiles& files, bool save) {
    State s;
    s.iniPath = "C:\\VELKOR\\Velkor.ini";
    loadIni(s, files);
    const Settings& f = s.settings;
    std::string text = std::to_string(f.askBeforeDeleting) + std::to_string(f.noticeBeforeRestart) +
                       std::to_string(f.restartOnChoice) + std::to_string(f.startInTray);
    for (const ConfigSlot& slot : s.configs.slots) text += "|" + slot.path;
    for (const Option& r : s.options)
        text += "|" + r.name + (r.name.empty() ? "" : "|" + r.configLines + "|" + r.autoexecLines);
    require(!save || saveIni(s, files).empty());
    return text;
}

void fuzzIni(const std::string& bytes) {  // load, save, load: the same state
    FakeFiles files;
    files.put("C:\\VELKOR\\Velkor.ini", bytes);
    std::string first = loaded(files, true);
    require(first == loaded(files, false));
}

void fuzzConfigFile(const std::string& bytes) {  // the first line, applied and written alike
    FakeFiles files;
    files.put("C:\\a.vkf", bytes);
    std::optional<std::string> line = readConfigFile(files, "C:\\a.vkf");
    if (!line) return;
    require(bytes.starts_with(*line) && line->find_first_of("\r\n") == std::string::npos);
    Options t, u;
    applySelection(t, *line);
    require(writeConfigFile(files, "C:\\b.vkf", selectionOf(t)).empty());
    applySelection(u, *readConfigFile(files, "C:\\b.vkf"));
    require(selectionOf(t) == selectionOf(u));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    void (*const targets[])(const std::string&) = {fuzzIni, fuzzConfigFile};
    targets[VELKOR_FUZZ_TARGET](std::string(reinterpret_cast<const char*>(bytes), size));
    return 0;
}
