// Fuzz targets for everything that reads outside data, each with an oracle.
// VELKOR_FUZZ_TARGET names the one this binary runs.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "configs/config_file.h"
#include "configs/configurations.h"
#include "dosmode/start_files.h"
#include "fakes/recorders.h"
#include "platform/text_rules.h"
#include "store/ini_store.h"
#include "store/selection.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

void require(bool fact) {
    if (!fact) std::abort();
}

std::vector<int> ticksOf(const OptionTable& t) {
    std::vector<int> rows;
    for (int i = 0; i < kOptionCount; ++i)
        if (t[i].Ticked) rows.push_back(i);
    return rows;
}

// What a save keeps of a state: the lines of a nameless entry are not written.
State loaded(FakeFiles& files, FakeProfile& profile) {
    State s;
    s.IniPath = kIni;
    loadIni(s, profile, files);
    for (OptionRecord& r : s.OptionTable)
        if (r.Name.empty()) r.ConfigLines = r.AutoexecLines = "";
    return s;
}

bool same(const State& a, const State& b) {
    for (int i = 0; i < kOptionCount; ++i) {
        const OptionRecord &x = a.OptionTable[i], &y = b.OptionTable[i];
        if (x.Name != y.Name || x.ConfigLines != y.ConfigLines ||
            x.AutoexecLines != y.AutoexecLines)
            return false;
    }
    for (int n = 1; n <= kSlotCount; ++n)
        if (a.ConfigList.slot(n).Path != b.ConfigList.slot(n).Path) return false;
    const Settings &s = a.Settings, &t = b.Settings;
    return s.LöschenMSG == t.LöschenMSG && s.StartenMSG == t.StartenMSG &&
           s.SofortStart == t.SofortStart && s.Taskleiste == t.Taskleiste;
}

// Velkor.ini: load, save, load gives the same state.
void fuzzIni(const std::string& bytes) {
    FakeFiles files;
    FakeProfile profile{files};
    files.put(kIni, bytes);
    State first = loaded(files, profile);
    require(saveIni(first, profile, files));
    require(same(first, loaded(files, profile)));
}

// A selection string ticks only entries 0..10, and writes back as it ticks.
void fuzzSelection(const std::string& text) {
    OptionTable t, u;
    applySelection(t, text);
    std::string written = selectionOf(t);
    applySelection(u, written);
    require(ticksOf(t) == ticksOf(u));
    require(written.size() == (ticksOf(t).empty() ? 0 : ticksOf(t).size() * 3 - 1));
}

// A configuration file: its first line, applied, saved and read back alike.
void fuzzConfigFile(const std::string& bytes) {
    FakeFiles files;
    files.put("C:\\K\\a.vkf", bytes);
    std::optional<std::string> line = readConfigFile(files, "C:\\K\\a.vkf");
    require(line.has_value() == !bytes.empty());
    if (!line) return;
    require(bytes.starts_with(*line) && line->find_first_of("\r\n") == std::string::npos);
    OptionTable t, u;
    applySelection(t, *line);
    require(writeConfigFile(files, "C:\\K\\b.vkf", selectionOf(t)));
    applySelection(u, *readConfigFile(files, "C:\\K\\b.vkf"));
    require(ticksOf(t) == ticksOf(u));
}

// The command line: the arguments end it and start with no blank; the file
// they name is applied, or its failure told, once.
void fuzzCommandLine(const std::string& line) {
    std::string arguments = argumentsOf(line);
    require(line.ends_with(arguments));
    require(arguments.empty() || (arguments[0] != ' ' && arguments[0] != '\t'));
    World w;
    w.files.put("C:\\K\\a b.vkf", line);
    w.system.arguments = arguments;
    State s;
    applyCommandLine(s, w.p);
    require(w.boxes.shown.size() <= 1);
}

// The banner: every framed line shows exactly 84 characters between its
// frame, and none can redirect, pipe or expand in COMMAND.COM.
void fuzzStartFiles(FuzzedDataProvider& data) {
    OptionTable t;
    for (OptionRecord& r : t) {
        r.Name = data.ConsumeRandomLengthString(120);
        r.Ticked = data.ConsumeIntegralInRange(0, 2);
    }
    t[data.ConsumeIntegralInRange(0, 10)].Ticked = 1;
    for (const std::string& line : componentLines(t)) {
        std::string shown;
        for (std::size_t i = 0; i < line.size(); ++i) {
            require(line[i] != '<' && line[i] != '>' && line[i] != '|');
            if (line[i] == '%') require(i + 1 < line.size() && line[++i] == '%');
            shown += line[i];
        }
        require(shown.size() == 84 && shown.starts_with("ECHO \xBA") && shown.back() == '\xBA');
    }
    require(isVelkorAutoexec(makeStartFiles(t, "C:\\WINDOWS").autoexecBat));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(bytes), size);
    FuzzedDataProvider data(bytes, size);
    switch (VELKOR_FUZZ_TARGET) {
        case 0:
            fuzzIni(text);
            break;
        case 1:
            fuzzSelection(text);
            break;
        case 2:
            fuzzConfigFile(text);
            break;
        case 3:
            fuzzCommandLine(text);
            break;
        case 4:
            fuzzStartFiles(data);
            break;
    }
    return 0;
}
