// The fault model: the restart and both saves run on a drive where any file
// operation may fail, once or twice, come back short, or meet a power cut;
// each run is followed by what comes next: Velkor started again, another
// restart or save, and EXIT in DOS mode. Throughout, nothing is lost: the
// user's start files and Velkor's saved states are always whole on the drive,
// and come back.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <set>

#include "dosmode/start_files.h"
#include "fakes/recorders.h"
#include "mainwindow/form1.h"
#include "store/selection.h"

namespace {

using Fault = FakeFiles::Fault;
using Faults = std::map<int, Fault>;

const std::string kIni = "C:\\VELKOR\\Velkor.ini", kVkf = "C:\\VELKOR\\Spiele.vkf";
const std::string kLive[] = {"C:\\Config.sys", "C:\\Autoexec.bat"};
const std::string kBackup[] = {"C:\\Config.wos", "C:\\Autoexec.wos"};
const std::string kUser[] = {"DEVICE=C:\\DOS\\HIMEM.SYS\r\n", "PATH C:\\DOS\r\n"};
// Files of the user's beside Velkor's own, never to be touched.
const std::string kStrangers[] = {"C:\\VELKOR\\Velkor.neu", "C:\\VELKOR\\Spiele.neu"};

struct Velkor : World {
    explicit Velkor(FakeFiles& drive) : World(drive) {}
    Form1 form{p};
    void tick(int row, bool on) { form.Check1_Click(row, on), view.showTicked(row, on); }
};

// Started as a person starts it: again after Abbrechen at "Laden".
std::unique_ptr<Velkor> start(FakeFiles& drive, const std::string& arguments = "") {
    std::unique_ptr<Velkor> v;
    for (int tries = 0; tries < 3; ++tries) {
        v = std::make_unique<Velkor>(drive);
        v->system.arguments = arguments;
        if (v->form.Form_Load()) break;
    }
    return v;
}

// A failure is told; after a single one, with what Windows said about it.
std::string told(const Velkor& v, bool oneFailure) {
    if (v.boxes.shown.empty()) return "failed without a word";
    const std::string& text = v.boxes.shown.back().text;
    bool cause = text.find("Fehler auf Bestellung.") != std::string::npos;
    return !oneFailure || cause ? "" : "no cause in: " + text;
}

// Runs a story with every single fault in its run, a power cut before each of
// the run's operations and every pair of failures that begins in it; `check`
// is asked after every change on the drive. Counts runs and violations.
template <class Story>
void exhaust(const Story& story, int& runs, int& violations) {
    auto check = [&](const Faults& plan) {
        ++runs;
        FakeFiles drive;
        story.setUp(drive);
        std::string wrong;
        drive.afterChange = [&] {
            if (wrong.empty()) wrong = story.check(drive);
        };
        drive.faults = plan;
        try {
            std::string said =
                story.run(drive, plan.size() == 1 && plan.begin()->second == Fault::Fails);
            if (wrong.empty()) wrong = said;
        } catch (const PowerCut&) {
        }
        std::string said = story.after(drive);
        if (wrong.empty()) wrong = said.empty() ? story.check(drive) : said;
        if (wrong.empty() || ++violations > 10) return;
        std::string faults;
        for (auto [n, f] : plan) faults += " " + std::to_string(n) + "fsp"[int(f)];
        ADD_FAILURE() << story.name() << ", faults" << faults << ": " << wrong;
    };
    FakeFiles clean;
    story.setUp(clean);
    story.run(clean, false);
    int inRun = clean.operations;
    story.after(clean);
    int all = clean.operations + 10;  // a failure can add the steps that undo it
    ASSERT_TRUE(inRun > 3 && !clean.writes.empty()) << story.name();
    check({});
    for (int n = 1; n <= inRun; ++n) {
        check({{n, Fault::PowerCut}});
        if (clean.writes.count(n)) check({{n, Fault::Short}});
        for (int m = n; m <= all; ++m)
            check(m == n ? Faults{{n, Fault::Fails}}
                         : Faults{{n, Fault::Fails}, {m, Fault::Fails}});
    }
}

// The restart from a drive where `place` put the user's start files `users`
// ("" for one the user has not); each step says what went wrong, or "".
struct Restarting {
    std::string why;
    std::array<std::string, 2> users;
    std::function<void(FakeFiles&)> place;
    bool oneStep, refused;

    std::string name() const {
        return why + (oneStep ? ", one-step replace" : ", 9x") +
               (refused ? ", reboot refused" : "");
    }
    void setUp(FakeFiles& drive) const {
        drive.oneStepReplace = oneStep;
        drive.put(kIni,
                  "[Velkor]\r\nLöschenMSG=0\r\nStartenMSG=0\r\n"
                  "[Eintrag1]\r\nName=Maus\r\nConfig1=DEVICE=MAUS.SYS\r\nAutoexec1=MAUS\r\n");
        drive.put("C:\\Config.app", "x");
        place(drive);
    }
    // A reboot finds both start files whole.
    std::string restart(FakeFiles& drive, bool refuse, bool oneFailure, bool& rebooted) const {
        std::unique_ptr<Velkor> v = start(drive);
        v->system.rebootWorks = !refuse;
        v->form.Check1_Click(0, true);
        v->form.Command2_Click();
        rebooted = v->system.requested;
        if (!rebooted) return told(*v, oneFailure);
        OptionTable maus;
        maus[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
        StartFiles made = makeStartFiles(maus, "C:\\WINDOWS");
        bool whole =
            drive.get(kLive[0]) == made.configSys && drive.get(kLive[1]) == made.autoexecBat;
        return whole ? "" : "rebooted into broken start files";
    }
    std::string run(FakeFiles& drive, bool oneFailure) const {
        bool rebooted;
        return restart(drive, refused, oneFailure && !refused, rebooted);
    }
    std::string after(FakeFiles& drive) const {
        bool rebooted = false;  // tried again if a failure stops it; a run has two at most
        for (int tries = 0; tries < 2 && !rebooted; ++tries)
            if (std::string wrong = restart(drive, false, false, rebooted); !wrong.empty())
                return wrong;
        if (!rebooted) return "no restart works";
        // EXIT: WIN.COM /WX puts every backup in its live file's place.
        drive.faults.clear();
        for (int i = 0; i < 2; ++i) {
            if (drive.exists(kBackup[i]))
                drive.remove(kLive[i]), drive.rename(kBackup[i], kLive[i]);
            if (drive.get(kLive[i]).value_or("") != users[i])
                return kLive[i] + " is not the user's after EXIT";
        }
        return "";
    }
    std::string check(FakeFiles& drive) const {
        for (int i = 0; i < 2; ++i)
            if (!users[i].empty() && !drive.holds(users[i]))
                return "the user's " + kLive[i] + " is nowhere";
        return "";
    }
};

// A save of Velkor.ini (names changed) or of a ".vkf" file (ticks changed),
// Velkor started again, another save and another start.
struct Saving {
    std::string file, old;
    bool oneStep;
    std::set<std::string> states{};  // what a save can leave: before, after one, after two

    std::string name() const { return file + (oneStep ? ", one-step replace" : ", 9x"); }
    std::unique_ptr<Velkor> started(FakeFiles& drive) const {
        return start(drive, file == kVkf ? file : "");
    }
    // Round 1 renames rows 0 and 10 (ticks rows 2 and 7, unticks 1), round 2
    // row 5 (ticks 4).
    void edit(Velkor& v, int round) const {
        v.dialogs.accept = true;
        for (int row : round == 1 ? std::vector{0, 10} : std::vector{5}) {
            v.dialogs.reply = {"Neu" + std::to_string(row), "", ""};
            file == kIni ? v.form.Command1_Click(row) : v.tick(row / 2 + 2, true);
        }
        if (file == kVkf && round == 1) v.tick(1, false);
    }
    std::string shown(const Velkor& v) const {
        OptionTable t;
        std::string names;
        for (int i = 0; i < kOptionCount; ++i)
            t[i].Ticked = v.view.ticks[i], names += v.view.names[i] + "|";
        return file == kIni ? names : selectionOf(t);
    }
    Saving& learn() {
        FakeFiles drive;
        setUp(drive);
        for (int firstRound : {1, 2}) {
            std::unique_ptr<Velkor> v = started(drive);
            states.insert(shown(*v));
            for (int round = firstRound; round <= 2; ++round)
                edit(*v, round), states.insert(shown(*v));
        }
        return *this;
    }
    void save(Velkor& v, int round) const {
        edit(v, round);
        v.fileDialogs.picks = {file};
        file == kIni ? v.form.Command3_Click() : v.form.MSpeichernU_Click();
    }
    // What a start shows with these bytes as the file.
    std::string loaded(const std::optional<std::string>& bytes) const {
        FakeFiles drive;
        if (bytes) drive.put(file, *bytes);
        return shown(*started(drive));
    }
    void setUp(FakeFiles& drive) const {
        drive.oneStepReplace = oneStep;
        for (const std::string& path : kStrangers) drive.put(path, "fremd");
        drive.put(file, old);
    }
    std::string run(FakeFiles& drive, bool oneFailure) const {
        std::unique_ptr<Velkor> v = started(drive);
        save(*v, 1);
        return loaded(drive.get(file)) == shown(*v) ? "" : told(*v, oneFailure);
    }
    std::string after(FakeFiles& drive) const {
        std::unique_ptr<Velkor> v = started(drive);
        std::string first = shown(*v);
        if (!v->boxes.shown.empty()) return "";  // it said it could not read the file
        if (!states.count(first)) return "a start shows " + first;
        save(*v, 2);
        std::string second = shown(*v);
        v = started(drive);
        std::string last = shown(*v);
        if (!v->boxes.shown.empty() || last == first || last == second) return "";
        return "the last start shows " + last;
    }
    // The file, or the copy beside it that a start reads, holds a whole state.
    std::string check(FakeFiles& drive) const {
        for (const std::string& path : kStrangers)
            if (drive.get(path) != "fremd") return path + " was touched";
        if (states.count(loaded(drive.get(file))) ||
            states.count(loaded(drive.get(file + ".$alt"))))
            return "";
        return "no whole state in " + file;
    }
};

TEST(Faults, NothingIsEverLost) {
    OptionTable games;
    games[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
    const StartFiles ours = makeStartFiles(games, "C:\\WINDOWS");
    auto lf = [](std::string s) {
        for (std::size_t at; (at = s.find("\r\n")) != s.npos;) s.erase(at, 1);
        return s;
    };
    // Ours live and theirs backed up, as a reset or WIN in DOS mode leaves
    // them, also after something edited our Autoexec.bat.
    auto afterDos = [&](const std::string& bat, const std::string& autoexec = kUser[1]) {
        return [=](FakeFiles& d) {
            d.put(kLive[0], ours.configSys), d.put(kLive[1], bat);
            d.put(kBackup[0], kUser[0]), d.put(kBackup[1], autoexec);
        };
    };
    const std::array<std::string, 2> both{kUser[0], kUser[1]}, noAutoexec{kUser[0], ""};
    std::pair<const char*, std::function<void(FakeFiles&)>> setups[] = {
        {"both files", [](FakeFiles& d) { d.put(kLive[0], kUser[0]), d.put(kLive[1], kUser[1]); }},
        {"no Autoexec.bat", [](FakeFiles& d) { d.put(kLive[0], kUser[0]); }},
        {"none", [](FakeFiles&) {}},
        {"after a reset", afterDos(ours.autoexecBat)},
        {"after WIN, a line added", afterDos(ours.autoexecBat + "NEU\r\n")},
        {"after WIN, an empty line added", afterDos(ours.autoexecBat + "\r\n")},
        {"after WIN, LF line ends", afterDos(lf(ours.autoexecBat))},
        {"no Autoexec.bat, after WIN", afterDos(ours.autoexecBat, "")},
        {"ours left without a backup",
         [&](FakeFiles& d) { d.put(kLive[0], kUser[0]), d.put(kLive[1], lf(ours.autoexecBat)); }},
    };
    int runs = 0, violations = 0;
    for (const auto& [why, place] : setups) {
        std::string name = why;
        auto users = name == "none" ? std::array<std::string, 2>{}
                     : name.find("no Autoexec") == 0 || name.find("without") != name.npos
                         ? noAutoexec
                         : both;
        for (bool oneStep : {true, false})
            for (bool refused : {false, true})
                exhaust(Restarting{why, users, place, oneStep, refused}, runs, violations);
    }
    std::string ini;
    for (int i = 0; i < kOptionCount; ++i)
        ini += "[Eintrag" + std::to_string(i + 1) + "]\r\nName=Alt" + std::to_string(i) + "\r\n";
    for (bool oneStep : {true, false}) {
        exhaust(Saving{kIni, ini, oneStep}.learn(), runs, violations);
        exhaust(Saving{kVkf, "01\r\n", oneStep}.learn(), runs, violations);
    }
    std::cout << "[ fault model ] " << runs << " runs, " << violations << " violations\n";
    EXPECT_EQ(violations, 0);
}

}  // namespace
