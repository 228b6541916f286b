// The restart's questions and the checks before its first change; every way
// it can fail is the fault model's.
#include <gtest/gtest.h>

#include "dosmode/restart.h"
#include "fakes/recorders.h"

namespace {

struct Bench : World {
    State s;
    Bench() {
        s.iniPath = "C:\\VELKOR\\Velkor.ini";
        s.settings = {kOff, kOff, kOff, kOff};
        s.options[0] = {"Maus", "DEVICE=MAUS.SYS", "MAUS", 1};
        s.options[3] = {"CD-ROM", "DEVICE=CD.SYS", "MSCDEX", 1};
        files.put("C:\\Config.sys", "DEVICE=C:\\DOS\\HIMEM.SYS\r\n");
        files.put("C:\\Autoexec.bat", "PATH C:\\DOS\r\n");
    }
};

// Windows Me, nothing ticked, No to deleting, or what the checks before the first change find.
TEST(RestartRefused, BeforeTheFirstChange) {
    struct {
        void (*arrange)(Bench&);
        std::string names;  // part of the message
    } cases[] = {
        {[](Bench& b) { b.system.dosMode = false, b.s.changed = true; }, "Windows Me"},
        {[](Bench& b) { b.s.options[0].ticked = b.s.options[3].ticked = 0; }, "keine Option"},
        {[](Bench& b) { b.s.settings.askBeforeDeleting = kOn, b.boxes.answers = {Answer::No}; },
         "fortfahren?"},
        {[](Bench& b) { b.system.windows = ""; }, "Windows-Verzeichnis"},
        {[](Bench& b) { b.files.setReadOnlyFolder("C:\\"); }, "Hauptverzeichnis C:\\"},
        {[](Bench& b) {
             b.files.put("C:\\Autoexec.wos", "alt"), b.files.setReadOnly("C:\\Autoexec.wos");
         },
         "C:\\Autoexec.wos ist schreibgeschützt"},
    };
    for (const auto& c : cases) {
        Bench t;
        c.arrange(t);
        std::uint64_t before = t.files.changes();
        EXPECT_FALSE(restartIntoDos(t.s, t.p)) << c.names;
        EXPECT_EQ(t.files.changes(), before) << c.names;
        ASSERT_EQ(t.boxes.shown.size(), 1u) << c.names;
        EXPECT_NE(t.boxes.shown[0].text.find(c.names), std::string::npos) << t.boxes.shown[0].text;
    }
}

}  // namespace
