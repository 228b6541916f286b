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

TEST(RestartRefused, BeforeTheFirstChange) {
    struct {
        void (*arrange)(Bench&);
        std::string names;  // part of the message
    } cases[] = {
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
        ASSERT_EQ(t.boxes.shown.size(), 1u) << c.names;
        EXPECT_NE(t.boxes.shown[0].text.find(c.names), std::string::npos) << t.boxes.shown[0].text;
        EXPECT_TRUE(t.boxes.shown[0].text.ends_with("sind unverändert.")) << c.names;
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
    for (const Setup& u : setups) {
        for (bool oneStep : {true, false}) {
            int n = 1;
            for (; n <= 30; ++n) {
                Bench t;
                t.files.oneStepReplace = oneStep;
                t.files.remove(kConfigSys);
                t.files.remove(kAutoexecBat);
                std::string where[] = {kConfigSys, kAutoexecBat};
                if (u.reset) {
                    OptionTable earlier;
                    earlier[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
                    StartFiles old = makeStartFiles(earlier, "C:\\WINDOWS");
                    t.files.put(kConfigSys, old.configSys);
                    t.files.put(kAutoexecBat, old.autoexecBat);
                    where[0] = kConfigWos, where[1] = kAutoexecWos;
                } else {
                    t.files.put("C:\\Config.app", "x");  // removed by every run
                }
                if (u.config) t.files.put(where[0], *u.config);
                if (u.autoexec) t.files.put(where[1], *u.autoexec);
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

TEST_F(Restart, NothingTickedOrNoToDeletingChangesNothing) {
    s.Settings.LöschenMSG = kOn;
    boxes.answers = {Answer::No};
    Drive before = drive();
    EXPECT_FALSE(run());
    s.OptionTable[0].Ticked = s.OptionTable[3].Ticked = 0;
    EXPECT_FALSE(run());
    EXPECT_EQ(drive(), before);
    EXPECT_EQ(boxes.titles(), "Löschen;Neu starten;");
    EXPECT_EQ(system.reboots, 0);
}

TEST_F(Restart, ARefusedRebootPutsBackOrSaysWhatCouldNot) {
    system.rebootWorks = false;
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(drive(), before);
    EXPECT_EQ(boxes.shown[0].text,
              "Der DOS-Modus wird nicht gestartet:\rDer Neustart des Computers konnte nicht\r"
              "eingeleitet werden.\rIhre Startdateien C:\\Config.sys und\r"
              "C:\\Autoexec.bat wurden wiederhergestellt.");
    Bench t;
    t.system.rebootWorks = false;
    t.files.failAt(9);  // the first step of putting back: Autoexec.wos -> Autoexec.bat
    EXPECT_FALSE(t.run());
    EXPECT_EQ(t.files.get(kAutoexecWos), kUserAutoexec);  // still safe under the backup name
    EXPECT_TRUE(
        t.boxes.shown[0].text.ends_with("Nicht alles konnte rückgängig gemacht werden:\r"
                                        "Ihre Datei C:\\Autoexec.bat liegt noch\r"
                                        "als C:\\Autoexec.wos vor."))
        << t.boxes.shown[0].text;
}

}  // namespace
