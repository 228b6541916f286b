// The fault model: the restart and both saves run on a drive where any file
// operation may fail, once or twice, come back short, or meet a power cut,
// and Windows may refuse the reboot; each run is followed by what comes next:
// Velkor started again, another restart or save, and EXIT in DOS mode. The
// restart starts from every state the world leaves the start files in.
// Throughout, nothing that was the user's is lost, and after EXIT the user
// boots with the files the user had.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <set>

#include "dosmode/start_files.h"
#include "fakes/recorders.h"
#include "mainwindow/main_window.h"
#include "store/replacing.h"

namespace {

using Fault = FakeFiles::Fault;
using Faults = std::map<int, Fault>;

const std::string kIni = "C:\\VELKOR\\Velkor.ini", kVkf = "C:\\VELKOR\\Spiele.vkf";
const std::string kLive[] = {"C:\\Config.sys", "C:\\Autoexec.bat"};
const std::string kBackup[] = {"C:\\Config.wos", "C:\\Autoexec.wos"};
// Files of the user's beside Velkor's own, never to be touched.
const std::string kStrangers[] = {"C:\\VELKOR\\Velkor.neu", "C:\\VELKOR\\Spiele.neu"};

struct Velkor : World {
    explicit Velkor(FakeFiles& drive) : World(drive) {}
    MainWindow window{p};
};

// Started as a person starts it: again after Abbrechen at "Laden".
std::unique_ptr<Velkor> start(FakeFiles& drive, const std::string& arguments = "") {
    std::unique_ptr<Velkor> v;
    for (int tries = 0; tries < 3; ++tries) {
        v = std::make_unique<Velkor>(drive);
        v->system.arguments = arguments;
        if (v->window.start()) break;
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

// One run's plan: faults by operation number, and whether Windows refuses
// the first reboot.
struct Plan {
    Faults faults;
    bool refused = false;
    bool oneFailure() const {
        return !refused && faults.size() == 1 && faults.begin()->second == Fault::Fails;
    }
};

// A story: the drive it starts from, its stages, each a run of Velkor that a
// power cut ends, and the check after every change on the drive and at the
// end. Each says what went wrong, or "".
struct Story {
    std::string name;
    std::function<void(FakeFiles&)> setUp;
    std::vector<std::function<std::string(FakeFiles&, const Plan&, bool&)>> stages;
    std::function<std::string(const FakeFiles&)> broken;
};

struct Tally {
    int runs = 0, violations = 0;
};

// What a run without a fault shows of a story.
struct Shape {
    int first = 0, all = 0;  // operations in its first stage, and in all
    std::set<int> writes;
};

Shape play(const Story& story, const Plan& plan, Tally& tally) {
    if (tally.violations >= 10) return {};  // enough to go on
    ++tally.runs;
    FakeFiles drive;
    story.setUp(drive);
    std::string wrong;
    drive.afterChange = [&] {
        if (wrong.empty()) wrong = story.broken(drive);
    };
    drive.faults = plan.faults;
    bool rebooted = false;
    Shape shape;
    for (const auto& stage : story.stages) {
        try {
            if (std::string said = stage(drive, plan, rebooted); wrong.empty()) wrong = said;
        } catch (const PowerCut&) {
        }
        shape.first = shape.first ? shape.first : drive.operations;
    }
    if (wrong.empty()) wrong = story.broken(drive);
    if (!wrong.empty()) {
        ++tally.violations;
        std::string faults = plan.refused ? " reboot refused" : "";
        for (auto [n, f] : plan.faults) faults += " " + std::to_string(n) + "fsp"[int(f)];
        ADD_FAILURE() << story.name << ", faults" << faults << ": " << wrong;
    }
    shape.all = drive.operations, shape.writes = drive.writes;
    return shape;
}

// Plays a story without a fault, with a refused reboot, with every single
// fault and a power cut before each operation, and with every pair of
// failures, or of a power cut or refused reboot and a failure, whose first
// lies in the first stage. A second failure after the last operation of the
// run it joins changes nothing, and is not played.
void exhaust(const Story& story, Tally& tally) {
    if (tally.violations >= 10) return;
    Shape shape = play(story, {}, tally);
    ASSERT_TRUE(shape.first > 3 && !shape.writes.empty()) << story.name;
    int refused = play(story, {{}, true}, tally).all;
    for (int m = shape.first + 1; m <= refused; ++m)
        play(story, {{{m, Fault::Fails}}, true}, tally);
    for (int n = 1; n <= shape.all; ++n) {
        if (shape.writes.count(n)) play(story, {{{n, Fault::Short}}}, tally);
        for (Fault f : {Fault::Fails, Fault::PowerCut}) {
            int all = play(story, {{{n, f}}}, tally).all;
            for (int m = n + 1; m <= all && n <= shape.first; ++m)
                play(story, {{{n, f}, {m, Fault::Fails}}}, tally);
        }
    }
}

// What a start file and its backup can be, as the world leaves them: the
// user's, Velkor's from an earlier restart (also after an editor or an
// installer changed it), an older copy of the user's, or the only one.
enum Live { kMissing, kUsers, kVelkors, kEdited };
enum Backup { kNone, kEmpty, kSame, kOlder, kOnly };

// Only the user's live file is newer than a copy; beside none, or beside
// Velkor's, a backup is the user's only copy.
bool canArise(Live live, Backup backup) {
    return live == kUsers ? backup != kOnly : backup != kOlder && (live || backup != kSame);
}

// The bytes of each kind, Config.sys then Autoexec.bat: the user's, Velkor's,
// Velkor's edited, and an older copy of the user's.
const std::array<std::array<std::string, 4>, 2>& texts() {
    static const auto t = [] {
        Options games;
        games[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
        StartFiles ours = makeStartFiles(games, "C:\\WINDOWS");
        // A line added, LF line ends and a DOS editor's closing ^Z.
        std::string edited = "NEU\r\n" + ours.autoexecBat;
        std::erase(edited, '\r');
        edited.back() = '\x1A';
        return std::array<std::array<std::string, 4>, 2>{
            {{"DEVICE=C:\\DOS\\HIMEM.SYS\r\n", ours.configSys,
              ours.configSys + "DEVICE=C:\\NEU\\TREIBER.SYS\r\n", "REM alte Sicherung\r\n"},
             {"PATH C:\\DOS\r\n", ours.autoexecBat, edited,
              "REM alte Sicherung\r\nPATH C:\\ALT\r\n"}}};
    }();
    return t;
}

// A starting drive: each start file with its backup, and the .app files of
// another program or none.
struct StartingDrive {
    Live live[2];
    Backup backup[2];
    bool apps;

    std::optional<std::string> liveBytes(int i) const {
        if (!live[i]) return std::nullopt;
        return texts()[i][live[i] - 1];
    }
    std::optional<std::string> backupBytes(int i) const {
        if (backup[i] == kSame) return liveBytes(i);
        const std::optional<std::string> bytes[] = {std::nullopt, "", "", texts()[i][3],
                                                    texts()[i][0]};
        return bytes[backup[i]];
    }
    // A DOS-mode session not ended by EXIT: Velkor's Autoexec.bat is live,
    // or none is, beside its backup.
    bool inSession() const { return live[1] >= kVelkors || (!live[1] && backup[1]); }
    // Velkor's own: its Autoexec.bat, also edited, the Config.sys it wrote
    // beside it, and backups an earlier program made of them.
    bool velkors(int i, bool ofBackup) const {
        return live[1] >= kVelkors && (i || live[0] == kVelkors) &&
               (!ofBackup || backup[i] == kSame);
    }
    // What the user boots with after EXIT: in a session what EXIT puts back,
    // else the live file; none in place of a file of Velkor's own.
    std::string boots(int i) const {
        bool ofBackup = backup[i] && (inSession() || !live[i]);
        if (velkors(i, ofBackup)) return "";
        return (ofBackup ? backupBytes(i) : liveBytes(i)).value_or("");
    }
    // The bytes of the user's, which must stay on C: somewhere.
    std::vector<std::string> users() const {
        std::vector<std::string> bytes;
        for (int i = 0; i < 2; ++i) {
            if (!velkors(i, false)) bytes.push_back(liveBytes(i).value_or(""));
            if (!velkors(i, true)) bytes.push_back(backupBytes(i).value_or(""));
        }
        std::erase(bytes, "");
        return bytes;
    }
    std::string name(bool oneStep) const {
        const char* lives[] = {"missing", "the user's", "Velkor's", "Velkor's edited"};
        const char* backups[] = {"none", "empty", "the same", "older", "the only copy"};
        std::string name;
        for (int i = 0; i < 2; ++i)
            name += kLive[i] + " " + lives[live[i]] + ", backup " + backups[backup[i]] + "; ";
        return name + (apps ? ".app files; " : "") + (oneStep ? "one-step replace" : "9x");
    }
};

// The restart from a starting drive, then again until a reboot is granted,
// then EXIT in DOS mode.
Story restarting(const StartingDrive& w, bool oneStep) {
    Options mouse;
    mouse[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
    const StartFiles made = makeStartFiles(mouse, "C:\\WINDOWS");
    const std::string boots[] = {w.boots(0), w.boots(1)};
    auto restart = [=](FakeFiles& drive, const Plan& plan, bool& rebooted) {
        std::unique_ptr<Velkor> v = start(drive);
        v->system.rebootWorks = !plan.refused;
        v->window.tick(0, true);
        v->window.restart();
        if ((rebooted = v->system.requested)) {
            bool whole =
                drive.get(kLive[0]) == made.configSys && drive.get(kLive[1]) == made.autoexecBat;
            return std::string(whole ? "" : "rebooted into broken start files");
        }
        for (int i = 0; i < 2 && plan.refused && plan.faults.empty(); ++i)
            if (drive.get(kLive[i]).value_or("") != boots[i] || drive.exists(kBackup[i]))
                return kLive[i] + " is not the user's after the reboot was refused";
        return told(*v, plan.oneFailure());
    };
    return {
        w.name(oneStep),
        [=](FakeFiles& drive) {
            drive.oneStepReplace = oneStep;
            drive.put(
                kIni,
                "[Velkor]\r\nLöschenMSG=0\r\nStartenMSG=0\r\n"
                "[Eintrag1]\r\nName=Maus\r\nConfig1=DEVICE=MAUS.SYS\r\nAutoexec1=MAUS\r\n"
                "[Eintrag6]\r\nName=Spiele\r\nConfig1=DEVICE=EMM386.EXE\r\nAutoexec1=SOUND\r\n");
            if (w.apps) drive.put("C:\\Config.app", "x"), drive.put("C:\\Autoexec.app", "y");
            for (int i = 0; i < 2; ++i) {
                if (auto bytes = w.liveBytes(i)) drive.put(kLive[i], *bytes);
                if (auto bytes = w.backupBytes(i)) drive.put(kBackup[i], *bytes);
            }
        },
        {restart,
         [=](FakeFiles& drive, const Plan&, bool& rebooted) {
             for (int tries = 0; tries < 2 && !rebooted; ++tries)  // two failures stop two at most
                 if (std::string wrong = restart(drive, {}, rebooted); !wrong.empty()) return wrong;
             return std::string(rebooted ? "" : "no restart works");
         },
         [=](FakeFiles& drive, const Plan&, bool&) {
             // WIN.COM /WX puts every backup in its live file's place.
             drive.faults.clear();
             for (int i = 0; i < 2; ++i) {
                 if (drive.exists(kBackup[i]))
                     drive.remove(kLive[i]), drive.rename(kBackup[i], kLive[i]);
                 if (drive.get(kLive[i]).value_or("") != boots[i])
                     return kLive[i] + " is not what the user booted with, after EXIT";
             }
             return std::string();
         }},
        [users = w.users()](const FakeFiles& drive) {
            for (const std::string& bytes : users)
                if (!drive.holds(bytes)) return "the user's " + bytes.substr(0, 20) + "... is gone";
            // A file is kept aside only where it may be the user's.
            for (std::string kept :
                 {"C:\\Config.v01", "C:\\Config.v02", "C:\\Autoexec.v01", "C:\\Autoexec.v02"})
                if (auto bytes = drive.get(kept); bytes && std::ranges::count(users, *bytes) == 0)
                    return kept + " keeps a file of Velkor's own";
            return std::string();
        },
    };
}

// A save of Velkor.ini (options renamed) or of a ".vkf" file (options ticked),
// then Velkor started again and another save, which shows what the start
// read. The file, or the copy beside it that a start reads, always holds a
// state that was saved, whole.
Story saving(const std::string& file, const std::string& old, bool oneStep) {
    auto started = [=](FakeFiles& drive) { return start(drive, file == kVkf ? file : ""); };
    // Round 1 renames (or ticks) options 0 and 10, round 2 option 5; then saves.
    auto save = [=](Velkor& v, int round) {
        v.dialogs.accept = true;
        for (int option : round == 1 ? std::vector{0, 10} : std::vector{5}) {
            v.dialogs.reply = {"Neu" + std::to_string(option), "", ""};
            file == kIni ? v.window.editOption(option) : v.window.tick(option, true);
        }
        v.fileDialogs.picks = {file};
        file == kIni ? v.window.save() : v.window.saveConfigurationAs();
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
        {[=](FakeFiles& drive, const Plan& plan, bool&) {
             std::unique_ptr<Velkor> v = started(drive);
             if (!v->boxes.shown.empty()) return std::string();  // it could not read the file
             save(*v, 1);
             return drive.get(file) == once ? "" : told(*v, plan.oneFailure());
         },
         [=](FakeFiles& drive, const Plan&, bool&) {
             std::unique_ptr<Velkor> v = started(drive);
             if (v->boxes.shown.empty()) save(*v, 2);
             return std::string();
         }},
        [=](const FakeFiles& drive) {
            for (const std::string& path : kStrangers)
                if (drive.get(path) != "fremd") return path + " was touched";
            for (const std::string& path : {file, asidePath(file)})
                if (states.count(drive.get(path).value_or("\0"))) return std::string();
            return "no whole state in " + file;
        },
    };
}

void restartFromEveryState(bool oneStep) {
    Tally tally;
    for (int state = 0; state < 4 * 4 * 5 * 5 * 2; ++state) {
        StartingDrive w{{Live(state % 4), Live(state / 4 % 4)},
                        {Backup(state / 16 % 5), Backup(state / 80 % 5)},
                        state >= 400};
        if (canArise(w.live[0], w.backup[0]) && canArise(w.live[1], w.backup[1]))
            exhaust(restarting(w, oneStep), tally);
    }
    std::cout << "[ fault model ] " << tally.runs << " runs, " << tally.violations
              << " violations\n";
    EXPECT_EQ(tally.violations, 0);
}

TEST(Faults, TheRestartLosesNothingOneStepReplace) {
    restartFromEveryState(true);
}

TEST(Faults, TheRestartLosesNothingOn9x) {
    restartFromEveryState(false);
}

TEST(Faults, SavesLoseNothing) {
    Tally tally;
    std::string ini;
    for (int i = 0; i < kOptionCount; ++i)
        ini += "[Eintrag" + std::to_string(i + 1) + "]\r\nName=Alt" + std::to_string(i) + "\r\n";
    for (bool oneStep : {true, false}) {
        exhaust(saving(kIni, ini, oneStep), tally);
        exhaust(saving(kVkf, "01\r\n", oneStep), tally);
    }
    std::cout << "[ fault model ] " << tally.runs << " runs, " << tally.violations
              << " violations\n";
    EXPECT_EQ(tally.violations, 0);
}

}  // namespace
