#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "dosmode/restart.h"
#include "dosmode/start_files.h"
#include "fakes/recorders.h"

namespace {

const std::string kConfigSys = "C:\\Config.sys", kAutoexecBat = "C:\\Autoexec.bat";
const std::string kConfigWos = "C:\\Config.wos", kAutoexecWos = "C:\\Autoexec.wos";
const std::string kConfigApp = "C:\\Config.app", kAutoexecApp = "C:\\Autoexec.app";
const std::string kSix[] = {kConfigSys,   kAutoexecBat, kConfigWos,
                            kAutoexecWos, kConfigApp,   kAutoexecApp};

const std::string kUserConfig = "DEVICE=C:\\DOS\\HIMEM.SYS\r\n";
const std::string kUserAutoexec = "@ECHO OFF\r\nPATH C:\\DOS\r\n";

const unsigned kStop = mb::Ok | mb::IconHand;

using Drive = std::map<std::string, std::optional<std::string>>;

// The drive, the system and the boxes of one run.
struct Bench : World {
    State s;

    Bench() {
        s.IniPath = "C:\\VELKOR\\Velkor.ini";
        s.Settings = {kOff, kOff, kOff, kOff};
        s.OptionTable[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
        s.OptionTable[3] = {"CD-ROM", "DEVICE=CD.SYS", "MSCDEX /D:CD", 1};
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

TEST_F(Restart, BacksUpWritesAndReboots) {
    files.put(kConfigWos, "alt");
    files.put(kAutoexecApp, "app");
    EXPECT_TRUE(run());
    EXPECT_EQ(system.reboots, 1);
    EXPECT_TRUE(boxes.shown.empty());
    Drive expected = {{kConfigSys, generated().configSys}, {kAutoexecBat, generated().autoexecBat},
                      {kConfigWos, kUserConfig},           {kAutoexecWos, kUserAutoexec},
                      {kConfigApp, std::nullopt},          {kAutoexecApp, std::nullopt}};
    EXPECT_EQ(drive(), expected);
    std::vector<std::string> log = {
        "remove C:\\Config.app",
        "remove C:\\Autoexec.app",
        "remove C:\\Config.wos",
        "remove C:\\Autoexec.wos",
        "rename C:\\Config.sys -> C:\\Config.wos",
        "rename C:\\Autoexec.bat -> C:\\Autoexec.wos",
        "write C:\\Config.sys",
        "write C:\\Autoexec.bat",
    };
    EXPECT_EQ(files.log, log);
}

TEST_F(Restart, TheThreeQuestionsAsWorded) {
    s.Changed = true;
    s.Settings.LöschenMSG = s.Settings.StartenMSG = kOn;
    boxes.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
    EXPECT_TRUE(run());
    EXPECT_FALSE(s.Changed);  // saved at the first question
    EXPECT_TRUE(files.exists(s.IniPath));
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].text, "Wollen Sie Ihre aktuellen Velkor speichern?");
    EXPECT_EQ(boxes.shown[0].title, "Speichern");
    EXPECT_EQ(boxes.shown[0].style, mb::YesNo | mb::IconQuestion);
    EXPECT_EQ(boxes.shown[1].text,
              "Folgende Dateien werden jetzt\rgelöscht, falls sie existieren sollten:\r"
              "C:\\Autoexec.app, C:\\Config.app,\rC:\\Autoexec.wos, C:\\Config.wos\r"
              "Wollen Sie fortfahren?");
    EXPECT_EQ(boxes.shown[1].title, "Löschen");
    EXPECT_EQ(boxes.shown[1].style, mb::YesNo | mb::IconQuestion);
    EXPECT_EQ(boxes.shown[2].text,
              "Der Computer wird jetzt im DOS-Modus neu\rgestartet. Bitte schließen Sie alle "
              "Anwendungen\rund klicken Sie anschließend auf OK.");
    EXPECT_EQ(boxes.shown[2].title, "Neu starten");
    EXPECT_EQ(boxes.shown[2].style, mb::Ok | mb::IconExclamation);
}

TEST_F(Restart, NothingTickedSavesIfAskedButTouchesNoFile) {
    s.Changed = true;
    s.Settings.LöschenMSG = kOn;
    s.OptionTable[0].Ticked = 0;
    s.OptionTable[3].Ticked = 2;  // grey is not ticked
    boxes.answers = {Answer::Yes};
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_FALSE(s.Changed);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text,
              "Sie haben keine Option ausgewählt.\rDer DOS-Modus wird deshalb nicht\r"
              "gestartet. Wählen Sie eine Option\rund versuchen Sie es erneut.");
    EXPECT_EQ(boxes.shown[1].title, "Neu starten");
    EXPECT_EQ(boxes.shown[1].style, kStop);
    EXPECT_EQ(drive(), before);
    EXPECT_EQ(system.reboots, 0);
}

TEST_F(Restart, NoAtTheDeleteQuestionLeavesAllSixFiles) {
    for (const std::string& path : kSix) files.put(path, "vorher " + path);
    s.Settings.LöschenMSG = s.Settings.StartenMSG = kOn;
    boxes.answers = {Answer::No};
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(boxes.titles(), "Löschen;");
    EXPECT_EQ(drive(), before);
    EXPECT_EQ(system.reboots, 0);
}

TEST_F(Restart, MissingStartFilesAreBackedUpEmpty) {
    files.remove(kConfigSys);
    files.remove(kAutoexecBat);
    EXPECT_TRUE(run());
    EXPECT_EQ(files.get(kConfigWos), "");
    EXPECT_EQ(files.get(kAutoexecWos), "");
    EXPECT_EQ(files.get(kAutoexecBat), generated().autoexecBat);
}

TEST(RestartRefused, BeforeTheFirstChange) {
    struct {
        const char* why;
        void (*arrange)(Bench&);
        std::string names;  // part of the message
    } cases[] = {
        {"no Windows directory", [](Bench& b) { b.system.windows = ""; }, "Windows-Verzeichnis"},
        {"root not writable", [](Bench& b) { b.files.setReadOnlyFolder("C:\\"); },
         "Hauptverzeichnis C:\\"},
        {"read-only Config.sys", [](Bench& b) { b.files.setReadOnly(kConfigSys); },
         "C:\\Config.sys ist schreibgeschützt"},
        {"read-only old backup",
         [](Bench& b) {
             b.files.put(kAutoexecWos, "alt");
             b.files.setReadOnly(kAutoexecWos);
         },
         "C:\\Autoexec.wos ist schreibgeschützt"},
    };
    for (const auto& c : cases) {
        Bench t;
        c.arrange(t);
        Drive before = t.drive();
        EXPECT_FALSE(t.run()) << c.why;
        EXPECT_EQ(t.drive(), before) << c.why;
        EXPECT_TRUE(t.files.log.empty()) << c.why;
        ASSERT_EQ(t.boxes.shown.size(), 1u) << c.why;
        EXPECT_EQ(t.boxes.shown[0].style, kStop);
        EXPECT_NE(t.boxes.shown[0].text.find(c.names), std::string::npos) << t.boxes.shown[0].text;
        EXPECT_TRUE(t.boxes.shown[0].text.ends_with("sind unverändert.")) << c.why;
    }
}

// Every file operation of a run fails in turn, in both ways Windows replaces a
// file; then the user restarts again and nothing fails. The user's start
// files must never be nowhere on disk, and the second run must back them up.
TEST(RestartFailing, NeverLosesTheUsersFiles) {
    struct Setup {
        const char* why;
        std::optional<std::string> config, autoexec;  // the user's files
        bool reset;  // a DOS-mode session ended by a reset: ours live, theirs backed up
        bool stale;  // backups and .app files of an earlier, completed restart
    } setups[] = {
        {"both present", kUserConfig, kUserAutoexec, false, false},
        {"no Config.sys", std::nullopt, kUserAutoexec, false, false},
        {"no Autoexec.bat", kUserConfig, std::nullopt, false, false},
        {"stale backups", kUserConfig, kUserAutoexec, false, true},
        {"after a reset", kUserConfig, kUserAutoexec, true, false},
    };
    auto arrange = [](Bench& t, const Setup& u, bool oneStep) {
        t.files.oneStepReplace = oneStep;
        t.files.remove(kConfigSys);
        t.files.remove(kAutoexecBat);
        const std::string config = u.config.value_or(""), autoexec = u.autoexec.value_or("");
        if (u.reset) {
            OptionTable earlier;
            earlier[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
            StartFiles old = makeStartFiles(earlier, "C:\\WINDOWS");
            t.files.put(kConfigSys, old.configSys);
            t.files.put(kAutoexecBat, old.autoexecBat);
            t.files.put(kConfigWos, config);
            t.files.put(kAutoexecWos, autoexec);
            return;
        }
        if (u.config) t.files.put(kConfigSys, config);
        if (u.autoexec) t.files.put(kAutoexecBat, autoexec);
        if (u.stale) {
            t.files.put(kConfigWos, "alt");
            t.files.put(kAutoexecApp, "x");
        }
    };
    auto somewhere = [](Bench& t, const std::optional<std::string>& bytes, const std::string& live,
                        const std::string& backup) {
        return !bytes || t.files.get(live) == bytes || t.files.get(backup) == bytes;
    };
    for (const Setup& u : setups) {
        for (bool oneStep : {true, false}) {
            int n = 1;
            for (; n <= 30; ++n) {
                Bench t;
                arrange(t, u, oneStep);
                t.files.failAt(n);
                bool restarted = t.run();
                t.files.failAt(0);
                if (restarted) break;
                std::string at = std::string(u.why) + (oneStep ? ", one step" : ", 9x") +
                                 ", failure at " + std::to_string(n);
                EXPECT_EQ(t.system.reboots, 0) << at;
                ASSERT_EQ(t.boxes.shown.size(), 1u) << at;
                EXPECT_TRUE(
                    t.boxes.shown[0].text.starts_with("Der DOS-Modus wird nicht gestartet:"))
                    << at;
                EXPECT_TRUE(somewhere(t, u.config, kConfigSys, kConfigWos)) << at;
                EXPECT_TRUE(somewhere(t, u.autoexec, kAutoexecBat, kAutoexecWos)) << at;
                if (oneStep && !u.reset) {  // every step of its own was undone
                    EXPECT_EQ(t.files.get(kConfigSys), u.config) << at;
                    EXPECT_EQ(t.files.get(kAutoexecBat), u.autoexec) << at;
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

TEST_F(Restart, RefusedRebootPutsTheStartFilesBack) {
    system.rebootWorks = false;
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(system.reboots, 1);
    EXPECT_FALSE(system.rebootRequested());
    EXPECT_EQ(drive(), before);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Der DOS-Modus wird nicht gestartet:\r"
              "Der Neustart des Computers konnte nicht\r"
              "eingeleitet werden.\r"
              "Ihre Startdateien C:\\Config.sys und\r"
              "C:\\Autoexec.bat wurden wiederhergestellt.");
}

TEST_F(Restart, WhatCannotBePutBackIsNamed) {
    system.rebootWorks = false;
    files.remove(kConfigSys);
    files.failAt(9);  // the first step of putting back: Autoexec.wos -> Autoexec.bat
    EXPECT_FALSE(run());
    EXPECT_EQ(files.get(kAutoexecWos), kUserAutoexec);  // still safe under the backup name
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(
        boxes.shown[0].text.ends_with("Nicht alles konnte rückgängig gemacht werden:\r"
                                      "Ihre Datei C:\\Autoexec.bat liegt noch\r"
                                      "als C:\\Autoexec.wos vor."))
        << boxes.shown[0].text;
}

TEST_F(Restart, OnlyOurOwnAutoexecCountsAsAReset) {
    OptionTable earlier;
    earlier[5] = {"Spiele", "", "SOUND", 1};
    std::string changed = makeStartFiles(earlier, "C:\\WINDOWS").autoexecBat + "REM eigene\r\n";
    files.put(kAutoexecBat, changed);
    files.put(kAutoexecWos, "alt");
    EXPECT_TRUE(run());
    EXPECT_EQ(files.get(kAutoexecWos), changed);
}

}  // namespace
