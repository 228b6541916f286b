#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "dosmode/restart.h"
#include "dosmode/start_files.h"
#include "fakes/fake_files.h"
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
struct Bench {
    FakeFiles files;
    FakeSystem system;
    ScriptedBoxes boxes;
    OptionTable table;
    Settings settings{kOff, kOff, kOff, kOff};
    bool changed = false;
    int saves = 0;

    Bench() {
        table[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
        table[3] = {"CD-ROM", "DEVICE=CD.SYS", "MSCDEX /D:CD", 1};
        files.put(kConfigSys, kUserConfig);
        files.put(kAutoexecBat, kUserAutoexec);
    }

    bool run() {
        RestartRequest request{table, settings, changed, [this] { return ++saves, true; }};
        return restartIntoDos(files, system, boxes, request);
    }

    Drive drive() const {
        Drive d;
        for (const std::string& path : kSix) d[path] = files.get(path);
        return d;
    }
    std::string titles() const {
        std::string t;
        for (const ShownBox& b : boxes.shown) t += b.title + ";";
        return t;
    }
    StartFiles generated() const { return makeStartFiles(table, "C:\\WINDOWS"); }
};

struct Restart : Bench, testing::Test {};

TEST_F(Restart, BacksUpWritesAndReboots) {
    files.put(kConfigWos, "alt");
    files.put(kAutoexecApp, "app");
    settings.LöschenMSG = settings.StartenMSG = kOn;
    boxes.answers = {Answer::Yes, Answer::Ok};

    EXPECT_TRUE(run());
    EXPECT_EQ(system.reboots, 1);
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

TEST_F(Restart, AllFourBoxesWithTheirTextsAndStyles) {
    changed = true;
    settings.LöschenMSG = settings.StartenMSG = kOn;
    boxes.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
    EXPECT_TRUE(run());
    EXPECT_EQ(saves, 1);
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
    changed = true;
    settings.LöschenMSG = kOn;
    table[0].Ticked = 0;
    table[3].Ticked = 2;  // grey is not ticked
    boxes.answers = {Answer::Yes};
    Drive before = drive();

    EXPECT_FALSE(run());
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text,
              "Sie haben keine Option ausgewählt.\rDer DOS-Modus wird deshalb nicht\r"
              "gestartet. Wählen Sie eine Option\rund versuchen Sie es erneut.");
    EXPECT_EQ(boxes.shown[1].title, "Neu starten");
    EXPECT_EQ(boxes.shown[1].style, kStop);
    EXPECT_EQ(drive(), before);
    EXPECT_TRUE(files.log.empty());
    EXPECT_EQ(system.reboots, 0);
}

TEST_F(Restart, NoAtTheDeleteQuestionLeavesAllSixFiles) {
    for (const std::string& path : kSix) files.put(path, "vorher " + path);
    settings.LöschenMSG = settings.StartenMSG = kOn;
    boxes.answers = {Answer::No};
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(titles(), "Löschen;");
    EXPECT_EQ(drive(), before);
    EXPECT_TRUE(files.log.empty());
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

TEST_F(Restart, ChecksBeforeTheFirstChange) {
    struct {
        const char* why;
        void (*arrange)(FakeFiles&, FakeSystem&);
        std::string names;  // part of the message
    } cases[] = {
        {"no Windows directory", [](FakeFiles&, FakeSystem& s) { s.windows = ""; },
         "Windows-Verzeichnis"},
        {"root not writable", [](FakeFiles& f, FakeSystem&) { f.setReadOnlyFolder("C:\\"); },
         "Hauptverzeichnis C:\\"},
        {"read-only Config.sys", [](FakeFiles& f, FakeSystem&) { f.setReadOnly(kConfigSys); },
         "C:\\Config.sys ist schreibgeschützt"},
        {"read-only Autoexec.bat", [](FakeFiles& f, FakeSystem&) { f.setReadOnly(kAutoexecBat); },
         "C:\\Autoexec.bat ist schreibgeschützt"},
        {"read-only old backup",
         [](FakeFiles& f, FakeSystem&) {
             f.put(kAutoexecWos, "alt");
             f.setReadOnly(kAutoexecWos);
         },
         "C:\\Autoexec.wos ist schreibgeschützt"},
    };
    for (const auto& c : cases) {
        Bench t;
        c.arrange(t.files, t.system);
        Drive before = t.drive();
        EXPECT_FALSE(t.run()) << c.why;
        EXPECT_EQ(t.drive(), before) << c.why;
        EXPECT_TRUE(t.files.log.empty()) << c.why;
        EXPECT_EQ(t.system.reboots, 0) << c.why;
        ASSERT_EQ(t.boxes.shown.size(), 1u) << c.why;
        EXPECT_EQ(t.boxes.shown[0].style, kStop);
        EXPECT_NE(t.boxes.shown[0].text.find(c.names), std::string::npos) << t.boxes.shown[0].text;
        EXPECT_NE(t.boxes.shown[0].text.find("sind unverändert."), std::string::npos) << c.why;
    }
}

// Every file operation of the sequence fails in turn; the user's start files
// must come out as they went in, with no backup Windows could restore over them.
TEST_F(Restart, AnyFailedStepPutsTheStartFilesBack) {
    struct {
        const char* why;
        std::optional<std::string> config, autoexec, staleWos;
    } setups[] = {
        {"both present", kUserConfig, kUserAutoexec, std::nullopt},
        {"no Config.sys", std::nullopt, kUserAutoexec, std::nullopt},
        {"no Autoexec.bat", kUserConfig, std::nullopt, std::nullopt},
        {"neither", std::nullopt, std::nullopt, std::nullopt},
        {"stale backups", kUserConfig, kUserAutoexec, "alt"},
    };
    for (const auto& s : setups) {
        int n = 1;
        for (;; ++n) {
            Bench t;
            t.files.remove(kConfigSys);
            t.files.remove(kAutoexecBat);
            if (s.config) t.files.put(kConfigSys, *s.config);
            if (s.autoexec) t.files.put(kAutoexecBat, *s.autoexec);
            if (s.staleWos) {
                t.files.put(kConfigWos, *s.staleWos);
                t.files.put(kAutoexecApp, "x");
            }
            t.files.failAt(n);
            if (t.run()) break;

            std::string at = std::string(s.why) + ", failure at call " + std::to_string(n);
            EXPECT_EQ(t.files.get(kConfigSys), s.config) << at;
            EXPECT_EQ(t.files.get(kAutoexecBat), s.autoexec) << at;
            for (const std::string& wos : {kConfigWos, kAutoexecWos}) {
                auto left = t.files.get(wos);
                EXPECT_TRUE(!left || left == s.staleWos) << at << ": " << wos;
            }
            EXPECT_EQ(t.system.reboots, 0) << at;
            ASSERT_EQ(t.boxes.shown.size(), 1u) << at;
            EXPECT_EQ(t.boxes.shown[0].style, kStop) << at;
            EXPECT_TRUE(t.boxes.shown[0].text.starts_with("Der DOS-Modus wird nicht gestartet:\r"))
                << at;
            const std::string& text = t.boxes.shown[0].text;
            EXPECT_TRUE(text.ends_with("\rC:\\Autoexec.bat sind unverändert.") ||
                        text.ends_with("\rC:\\Autoexec.bat wurden wiederhergestellt."))
                << at << ": " << text;
        }
        EXPECT_EQ(n, 9) << s.why;  // eight file operations when all goes well
    }
}

TEST_F(Restart, RefusedRebootPutsTheStartFilesBack) {
    system.rebootWorks = false;
    Drive before = drive();
    EXPECT_FALSE(run());
    EXPECT_EQ(system.reboots, 1);
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
    EXPECT_FALSE(files.exists(kConfigSys));
    EXPECT_FALSE(files.exists(kConfigWos));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(
        boxes.shown[0].text.ends_with("Nicht alles konnte rückgängig gemacht werden:\r"
                                      "Ihre Datei C:\\Autoexec.bat liegt noch\r"
                                      "als C:\\Autoexec.wos vor."))
        << boxes.shown[0].text;
}

// A DOS-mode session ended by a reset: our files are live, the user's are the
// backups. They must not be deleted as old backups.
struct ResetBench : Bench {
    StartFiles old;
    ResetBench() {
        OptionTable earlier;
        earlier[5] = {"Spiele", "DEVICE=EMM386.EXE", "SOUND", 1};
        old = makeStartFiles(earlier, "C:\\WINDOWS");
        files.put(kConfigSys, old.configSys);
        files.put(kAutoexecBat, old.autoexecBat);
        files.put(kConfigWos, kUserConfig);
        files.put(kAutoexecWos, kUserAutoexec);
    }
};

struct AfterReset : ResetBench, testing::Test {};

TEST_F(AfterReset, BackupsArePutBackFirst) {
    EXPECT_TRUE(run());
    EXPECT_EQ(files.get(kConfigWos), kUserConfig);
    EXPECT_EQ(files.get(kAutoexecWos), kUserAutoexec);
    EXPECT_EQ(files.get(kAutoexecBat), generated().autoexecBat);
}

TEST_F(AfterReset, OnlyOurOwnAutoexecCountsAsAReset) {
    files.put(kAutoexecBat, old.autoexecBat + "REM vom Benutzer\r\n");
    EXPECT_TRUE(run());
    EXPECT_EQ(files.get(kAutoexecWos), old.autoexecBat + "REM vom Benutzer\r\n");
}

TEST_F(AfterReset, FailuresNeverLoseTheUsersFiles) {
    int n = 1;
    for (;; ++n) {
        ResetBench t;
        t.files.failAt(n);
        if (t.run()) break;
        std::string at = "failure at call " + std::to_string(n);
        // Each of the user's files is live, or still the backup beside our old file.
        EXPECT_TRUE(
            t.files.get(kConfigSys) == kUserConfig ||
            (t.files.get(kConfigWos) == kUserConfig && t.files.get(kConfigSys) == t.old.configSys))
            << at;
        EXPECT_TRUE(t.files.get(kAutoexecBat) == kUserAutoexec ||
                    (t.files.get(kAutoexecWos) == kUserAutoexec &&
                     t.files.get(kAutoexecBat) == t.old.autoexecBat))
            << at;
        if (n >= 3) {  // once both are back, the sequence undoes only its own steps
            EXPECT_EQ(t.files.get(kConfigSys), kUserConfig) << at;
            EXPECT_EQ(t.files.get(kAutoexecBat), kUserAutoexec) << at;
            EXPECT_FALSE(t.files.exists(kConfigWos)) << at;
            EXPECT_FALSE(t.files.exists(kAutoexecWos)) << at;
        }
        EXPECT_EQ(t.system.reboots, 0) << at;
        EXPECT_EQ(t.boxes.shown.size(), 1u) << at;
    }
    EXPECT_EQ(n, 11);  // two puts back, then the eight steps
}

}  // namespace
