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
#include "store/replacing.h"

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

// What the stages of one run of a story share.
struct Memo {
    bool oneFailure, noFault, rebooted = false;
};

// A story: the drive it starts from, its stages, each a run of Velkor that a
// power cut ends, and the check after every change on the drive and at the
// end. Each says what went wrong, or "".
struct Story {
    std::string name;
    std::function<void(FakeFiles&)> setUp;
    std::vector<std::function<std::string(FakeFiles&, Memo&)>> stages;
    std::function<std::string(FakeFiles&)> broken;
};

// Plays a story with every single fault, a power cut before each operation,
// and every pair of failures, or of a power cut and a failure, that begins in
// its first stage.
void exhaust(const Story& story, int& runs, int& violations) {
    int first = 0;
    auto play = [&](const Faults& plan) {
        ++runs;
        FakeFiles drive;
        story.setUp(drive);
        Memo memo{plan.size() == 1 && plan.begin()->second == Fault::Fails, plan.empty()};
        std::string wrong;
        drive.afterChange = [&] {
            if (wrong.empty()) wrong = story.broken(drive);
        };
        drive.faults = plan;
        for (const auto& stage : story.stages) {
            try {
                if (std::string said = stage(drive, memo); wrong.empty()) wrong = said;
            } catch (const PowerCut&) {
            }
            first = first ? first : drive.operations;
            memo.oneFailure = false;
        }
        if (wrong.empty()) wrong = story.broken(drive);
        if (!wrong.empty() && ++violations <= 10) {
            std::string faults;
            for (auto [n, f] : plan) faults += " " + std::to_string(n) + "fsp"[int(f)];
            ADD_FAILURE() << story.name << ", faults" << faults << ": " << wrong;
        }
        return std::pair{drive.operations, drive.writes};
    };
    auto [all, writes] = play({});
    ASSERT_TRUE(first > 3 && !writes.empty()) << story.name;
    for (int n = 1; n <= all; ++n) {
        play({{n, Fault::PowerCut}});
        if (writes.count(n)) play({{n, Fault::Short}});
        play({{n, Fault::Fails}});
        for (int m = n + 1; m <= all + 10 && n <= first; ++m)  // a failure can add steps
            for (Fault f : {Fault::Fails, Fault::PowerCut}) play({{n, f}, {m, Fault::Fails}});
    }
}

// The restart from a drive where `place` put the user's start files `users`
// ("" for one the user has not), once with a reboot Windows may refuse, then
// until it works (two failures stop two at most), then EXIT in DOS mode.
Story restarting(const std::string& why, std::array<std::string, 2> users,
                 std::function<void(FakeFiles&)> place, bool oneStep, bool refused) {
    OptionTable maus;
    maus[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
    const StartFiles made = makeStartFiles(maus, "C:\\WINDOWS");
    auto restart = [=](FakeFiles& drive, bool refuse, bool oneFailure, Memo& m) -> std::string {
        std::unique_ptr<Velkor> v = start(drive);
        v->system.rebootWorks = !refuse;
        v->form.Check1_Click(0, true);
        m.rebooted = false;
        v->form.Command2_Click();
        if (!(m.rebooted = v->system.requested)) {
            for (int i = 0; i < 2 && refuse && m.noFault; ++i)
                if (drive.get(kLive[i]).value_or("") != users[i]) return "not put back";
            return told(*v, oneFailure);
        }
        bool whole =
            drive.get(kLive[0]) == made.configSys && drive.get(kLive[1]) == made.autoexecBat;
        return whole ? "" : "rebooted into broken start files";
    };
    auto again = [=](FakeFiles& drive, Memo& m) { return restart(drive, false, false, m); };
    return {
        why + (oneStep ? ", one-step replace" : ", 9x") + (refused ? ", reboot refused" : ""),
        [=](FakeFiles& drive) {
            drive.oneStepReplace = oneStep;
            drive.put(kIni,
                      "[Velkor]\r\nLöschenMSG=0\r\nStartenMSG=0\r\n"
                      "[Eintrag1]\r\nName=Maus\r\nConfig1=DEVICE=MAUS.SYS\r\nAutoexec1=MAUS\r\n");
            drive.put("C:\\Config.app", "x");
            place(drive);
        },
        {[=](FakeFiles& drive, Memo& m) {
             return restart(drive, refused, m.oneFailure && !refused, m);
         },
         again, [=](FakeFiles& drive, Memo& m) { return m.rebooted ? "" : again(drive, m); },
         [=](FakeFiles& drive, Memo& m) {
             if (!m.rebooted) return std::string("no restart works");
             // WIN.COM /WX puts every backup in its live file's place.
             drive.faults.clear();
             for (int i = 0; i < 2; ++i) {
                 if (drive.exists(kBackup[i]))
                     drive.remove(kLive[i]), drive.rename(kBackup[i], kLive[i]);
                 if (drive.get(kLive[i]).value_or("") != users[i])
                     return kLive[i] + " is not the user's after EXIT";
             }
             return std::string();
         }},
        [=](FakeFiles& drive) {
            for (int i = 0; i < 2; ++i)
                if (!users[i].empty() && !drive.holds(users[i]))
                    return "the user's " + kLive[i] + " is nowhere";
            return std::string();
        },
    };
}

// A save of Velkor.ini (rows renamed) or of a ".vkf" file (rows ticked),
// then Velkor started again and another save, which shows what the start
// read. The file, or the copy beside it that a start reads, always holds a
// state that was saved, whole.
Story saving(const std::string& file, const std::string& old, bool oneStep) {
    auto started = [=](FakeFiles& drive) { return start(drive, file == kVkf ? file : ""); };
    // Round 1 renames (or ticks) rows 0 and 10, round 2 row 5; then saves.
    auto save = [=](Velkor& v, int round) {
        v.dialogs.accept = true;
        for (int row : round == 1 ? std::vector{0, 10} : std::vector{5}) {
            v.dialogs.reply = {"Neu" + std::to_string(row), "", ""};
            file == kIni ? v.form.Command1_Click(row) : v.form.Check1_Click(row, true);
        }
        v.fileDialogs.picks = {file};
        file == kIni ? v.form.Command3_Click() : v.form.MSpeichernU_Click();
    };
    std::set<std::string> states{old};  // and after one save or two, from either
    std::string once;                   // after the first
    for (int firstRound : {1, 2}) {
        FakeFiles drive;
        drive.put(file, old);
        std::unique_ptr<Velkor> v = started(drive);
        for (int round = firstRound; round <= 2; ++round) {
            save(*v, round);
            states.insert(*drive.get(file));
            if (round == 1) once = *drive.get(file);
        }
    }
    return {
        file + (oneStep ? ", one-step replace" : ", 9x"),
        [=](FakeFiles& drive) {
            drive.oneStepReplace = oneStep;
            for (const std::string& path : kStrangers) drive.put(path, "fremd");
            drive.put(file, old);
            drive.put(pendingPath(file), "[Eintrag6]\r\nConfig1=ALT\r\n");  // an earlier crash's
        },
        {[=](FakeFiles& drive, Memo& m) {
             std::unique_ptr<Velkor> v = started(drive);
             if (!v->boxes.shown.empty()) return std::string();  // it could not read the file
             save(*v, 1);
             return drive.get(file) == once ? "" : told(*v, m.oneFailure);
         },
         [=](FakeFiles& drive, Memo&) {
             std::unique_ptr<Velkor> v = started(drive);
             if (v->boxes.shown.empty()) save(*v, 2);
             return std::string();
         }},
        [=](FakeFiles& drive) {
            for (const std::string& path : kStrangers)
                if (drive.get(path) != "fremd") return path + " was touched";
            for (const std::string& path : {file, asidePath(file)})
                if (states.count(drive.get(path).value_or("\0"))) return std::string();
            return "no whole state in " + file;
        },
    };
}

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
    struct {
        const char* why;
        std::array<std::string, 2> users;
        std::function<void(FakeFiles&)> place;
    } setups[] = {
        {"both files", both,
         [](FakeFiles& d) { d.put(kLive[0], kUser[0]), d.put(kLive[1], kUser[1]); }},
        {"no Autoexec.bat", noAutoexec, [](FakeFiles& d) { d.put(kLive[0], kUser[0]); }},
        {"none", {}, [](FakeFiles&) {}},
        {"after a reset", both, afterDos(ours.autoexecBat)},
        {"after WIN, a line added", both, afterDos(ours.autoexecBat + "NEU\r\n")},
        {"after WIN, an empty line added", both, afterDos(ours.autoexecBat + "\r\n")},
        {"after WIN, LF line ends", both, afterDos(lf(ours.autoexecBat))},
        {"no Autoexec.bat, after WIN", noAutoexec, afterDos(ours.autoexecBat, "")},
        {"ours left without a backup, LF and a DOS editor's closing ^Z", noAutoexec,
         [&](FakeFiles& d) {
             std::string bat = lf(ours.autoexecBat);
             bat.back() = '\x1A';  // in place of the last line's end
             d.put(kLive[0], kUser[0]), d.put(kLive[1], bat);
         }},
    };
    int runs = 0, violations = 0;
    for (const auto& s : setups)
        for (bool oneStep : {true, false})
            for (bool refused : {false, true})
                exhaust(restarting(s.why, s.users, s.place, oneStep, refused), runs, violations);
    std::string ini;
    for (int i = 0; i < kOptionCount; ++i)
        ini += "[Eintrag" + std::to_string(i + 1) + "]\r\nName=Alt" + std::to_string(i) + "\r\n";
    for (bool oneStep : {true, false}) {
        exhaust(saving(kIni, ini, oneStep), runs, violations);
        exhaust(saving(kVkf, "01\r\n", oneStep), runs, violations);
    }
    std::cout << "[ fault model ] " << runs << " runs, " << violations << " violations\n";
    EXPECT_EQ(violations, 0);
}

}  // namespace
