// The restart sequence: its questions, its checks, and every way it can fail.
#include <gtest/gtest.h>

#include <map>

#include "dosmode/restart.h"
#include "dosmode/start_files.h"
#include "fakes/recorders.h"

namespace {

const std::string kConfigSys = "C:\\Config.sys", kAutoexecBat = "C:\\Autoexec.bat";
const std::string kConfigWos = "C:\\Config.wos", kAutoexecWos = "C:\\Autoexec.wos";
const std::string kSix[] = {kConfigSys,   kAutoexecBat,     kConfigWos,
                            kAutoexecWos, "C:\\Config.app", "C:\\Autoexec.app"};
const std::string kUserConfig = "DEVICE=C:\\DOS\\HIMEM.SYS\r\n", kUserAutoexec = "PATH C:\\DOS\r\n";

using Drive = std::map<std::string, std::optional<std::string>>;

struct Bench : World {
    State s;
    Bench() {
        s.IniPath = "C:\\VELKOR\\Velkor.ini";
        s.Settings = {kOff, kOff, kOff, kOff};
        s.OptionTable[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
        s.OptionTable[3] = {"CD-ROM", "DEVICE=CD.SYS", "MSCDEX", 1};
        files.put(kConfigSys, kUserConfig);
        files.put(kAutoexecBat, kUserAutoexec);
    }
    bool run() { return restartIntoDos(s, p); }
    Drive drive() const {
        Drive d;
        for (const std::string& path : kSix) d[path] = files.get(path);
        return d;
    }
    StartFiles generated() const { return makeStartFiles(s.OptionTable, "C:\\WINDOWS"); }
};

struct Restart : Bench, testing::Test {};

// Windows Me, nothing ticked, No to deleting, or what the checks before the first change find.
TEST(RestartRefused, BeforeTheFirstChange) {
    struct {
        void (*arrange)(Bench&);
        std::string names;  // part of the message
    } cases[] = {
        {[](Bench& b) { b.system.dosMode = false, b.s.Changed = true; }, "Windows Me"},
        {[](Bench& b) { b.s.OptionTable[0].Ticked = b.s.OptionTable[3].Ticked = 0; },
         "keine Option"},
        {[](Bench& b) { b.s.Settings.LöschenMSG = kOn, b.boxes.answers = {Answer::No}; },
         "fortfahren?"},
        {[](Bench& b) { b.system.windows = ""; }, "Windows-Verzeichnis"},
        {[](Bench& b) { b.files.setReadOnlyFolder("C:\\"); }, "Hauptverzeichnis C:\\"},
        {[](Bench& b) { b.files.put(kAutoexecWos, "alt"), b.files.setReadOnly(kAutoexecWos); },
         "C:\\Autoexec.wos ist schreibgeschützt"},
    };
    for (const auto& c : cases) {
        Bench t;
        c.arrange(t);
        Drive before = t.drive();
        EXPECT_FALSE(t.run()) << c.names;
        EXPECT_EQ(t.drive(), before) << c.names;
        EXPECT_EQ(t.system.reboots, 0) << c.names;
        ASSERT_EQ(t.boxes.shown.size(), 1u) << c.names;
        EXPECT_NE(t.boxes.shown[0].text.find(c.names), std::string::npos) << t.boxes.shown[0].text;
    }
}

// Every file operation of a run fails in turn, in both ways Windows replaces a
// file; then the user restarts again and nothing fails. The user's start
// files are never nowhere on disk, and the second run backs them up.
TEST(RestartFailing, NeverLosesTheUsersFiles) {
    struct Setup {
        const char* why;
        std::optional<std::string> config, autoexec;  // the user's files
        bool reset;  // a DOS-mode session ended by a reset: ours live, theirs backed up
    } setups[] = {
        {"both present", kUserConfig, kUserAutoexec, false},
        {"no Config.sys", std::nullopt, kUserAutoexec, false},
        {"no Autoexec.bat", kUserConfig, std::nullopt, false},
        {"after a reset", kUserConfig, kUserAutoexec, true},
    };
    OptionTable games;
    games[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
    const StartFiles earlier = makeStartFiles(games, "C:\\WINDOWS");
    for (const Setup& u : setups) {
        for (bool oneStep : {true, false}) {
            int n = 1;
            for (; n <= 30; ++n) {
                Bench t;
                t.files = {};
                t.files.oneStepReplace = oneStep;
                t.files.put("C:\\Config.app", "x");  // removed by every run
                if (u.reset) {
                    t.files.put(kConfigSys, earlier.configSys);
                    t.files.put(kAutoexecBat, earlier.autoexecBat);
                }
                if (u.config) t.files.put(u.reset ? kConfigWos : kConfigSys, *u.config);
                if (u.autoexec) t.files.put(u.reset ? kAutoexecWos : kAutoexecBat, *u.autoexec);
                t.files.failAt(n);
                bool restarted = t.run();
                t.files.failAt(0);
                if (restarted) break;
                std::string at = std::string(u.why) + (oneStep ? ", one step" : ", 9x") +
                                 ", failure at " + std::to_string(n);
                EXPECT_EQ(t.system.reboots, 0) << at;
                ASSERT_EQ(t.boxes.shown.size(), 1u) << at;
                EXPECT_TRUE(
                    t.boxes.shown[0].text.starts_with("Der DOS-Modus wird nicht gestartet:"));
                for (auto [bytes, live, backup] : {std::tuple{u.config, kConfigSys, kConfigWos},
                                                   {u.autoexec, kAutoexecBat, kAutoexecWos}}) {
                    EXPECT_TRUE(!bytes || t.files.get(live) == bytes ||
                                t.files.get(backup) == bytes)
                        << at << ": " << live << " is nowhere";
                    if (oneStep && !u.reset) {
                        EXPECT_EQ(t.files.get(live), bytes) << at;  // every step undone
                    }
                }
                t.boxes.shown.clear();
                EXPECT_TRUE(t.run()) << at << ", then a run without failure";
                EXPECT_EQ(t.files.get(kConfigWos), u.config.value_or("")) << at;
                EXPECT_EQ(t.files.get(kAutoexecWos), u.autoexec.value_or("")) << at;
                EXPECT_EQ(t.files.get(kAutoexecBat), t.generated().autoexecBat) << at;
            }
            EXPECT_LT(n, 30) << u.why << ": the run never succeeded";
        }
    }
}

TEST_F(Restart, ARefusedRebootPutsBackOrSaysWhatCouldNot) {
    system.rebootWorks = false;
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(drive(), before);
    EXPECT_TRUE(boxes.shown[0].text.ends_with("wurden wiederhergestellt.")) << boxes.shown[0].text;
    Bench t;
    t.system.rebootWorks = false;
    t.files.failAt(9);  // the first step of putting back: Autoexec.wos -> Autoexec.bat
    EXPECT_FALSE(t.run());
    EXPECT_EQ(t.files.get(kAutoexecWos), kUserAutoexec);  // still safe under the backup name
    EXPECT_TRUE(t.boxes.shown[0].text.ends_with("liegt noch\rals C:\\Autoexec.wos vor."))
        << t.boxes.shown[0].text;
}

}  // namespace
