#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "fakes/recorders.h"
#include "mainwindow/form1.h"

namespace {

const char kSaveQuestion[] = "Wollen Sie Ihre aktuellen Velkor speichern?";
const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct MainWindow : testing::Test {
    FakeFiles files;
    FakeProfile profile{files};
    FakeSystem system;
    ScriptedBoxes boxes;
    RecordingView view;
    ScriptedDialogs dialogs;
    Platform platform{profile, files, system, boxes, view, dialogs};
    Form1 form{platform};

    void SetUp() override {
        files.put(
            kIni,
            "[Eintrag1]\r\nName=Maus\r\nAutoexec1=MOUSE.COM\r\n[Eintrag11]\r\nName=Letzte\r\n");
    }
    void editRow(int row, OptionEdit reply) {
        dialogs.accept = true;
        dialogs.reply = reply;
        form.Command1_Click(row);
    }
};

TEST_F(MainWindow, LoadShowsNamesBesideTheProgram) {
    form.Form_Load();
    EXPECT_EQ(view.centred, 1);
    EXPECT_EQ(form.IniPath, kIni);
    EXPECT_EQ(view.names[0], "Maus");
    EXPECT_EQ(view.names[10], "Letzte");
    EXPECT_EQ(form.table[0].AutoexecLines, "MOUSE.COM");
    for (const auto& r : form.table) EXPECT_EQ(r.Ticked, 0);
    EXPECT_FALSE(form.Changed);
}

TEST_F(MainWindow, ProgramInADriveRootUsesTheRoot) {
    system.folder = "C:\\";
    form.Form_Load();
    EXPECT_EQ(form.IniPath, "C:\\Velkor.ini");
}

TEST_F(MainWindow, EditorTakesTextsAsTypedOnlyWhenAccepted) {
    form.Form_Load();
    dialogs.accept = false;
    dialogs.reply = {"Anders", "X", "Y"};
    form.Command1_Click(0);
    ASSERT_EQ(dialogs.edited.size(), 1u);
    EXPECT_EQ(dialogs.edited[0].Name, "Maus");
    EXPECT_EQ(dialogs.edited[0].AutoexecLines, "MOUSE.COM");
    EXPECT_EQ(form.table[0].Name, "Maus");
    EXPECT_FALSE(form.Changed);

    editRow(3, {" CD-ROM ", "DEVICE=CD.SYS\r\n", ""});
    EXPECT_EQ(form.table[3].Name, " CD-ROM ");
    EXPECT_EQ(form.table[3].ConfigLines, "DEVICE=CD.SYS\r\n");
    EXPECT_EQ(view.names[3], " CD-ROM ");
    EXPECT_TRUE(form.Changed);
}

TEST_F(MainWindow, AcceptingWithoutEditsStillMarksChanged) {
    form.Form_Load();
    editRow(0, {"Maus", "", "MOUSE.COM"});
    EXPECT_TRUE(form.Changed);
}

TEST_F(MainWindow, TicksAloneNeverAskAtExit) {
    form.Form_Load();
    form.Check1_Click(2, true);
    EXPECT_EQ(form.table[2].Ticked, 1);
    form.Command7_Click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(view.ended, 1);
    EXPECT_FALSE(form.Form_Unload());
}

TEST_F(MainWindow, LeavingWithEachAnswer) {
    struct {
        Answer answer;
        bool ends, saved;
    } cases[] = {
        {Answer::Yes, true, true}, {Answer::No, true, false}, {Answer::Cancel, false, false}};
    for (const auto& c : cases) {
        for (bool viaCloseBox : {false, true}) {
            SetUp();
            Form1 f{platform};
            f.Form_Load();
            std::string before = *files.get(kIni);
            dialogs.accept = true;
            dialogs.reply = {"Neu", "A\r\nB", ""};
            f.Command1_Click(5);
            boxes.shown.clear();
            boxes.answers = {c.answer};
            view.ended = 0;

            bool ended;
            if (viaCloseBox) {
                ended = !f.Form_Unload();
            } else {
                f.Command7_Click();
                ended = view.ended == 1;
            }
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, kSaveQuestion);
            EXPECT_EQ(boxes.shown[0].title, "Speichern");
            EXPECT_EQ(boxes.shown[0].style, 0x23u);
            EXPECT_EQ(ended, c.ends) << viaCloseBox;
            bool saved = files.get(kIni)->find("Name=Neu") != std::string::npos;
            EXPECT_EQ(saved, c.saved) << viaCloseBox;
            if (!c.saved) {
                EXPECT_EQ(*files.get(kIni), before);
            }
            EXPECT_EQ(f.Changed, !c.saved);
        }
    }
}

TEST_F(MainWindow, CancelledLeaveThenSaveWritesTheEdit) {
    form.Form_Load();
    editRow(1, {"Tastatur", "", "KEYB GR"});
    boxes.answers = {Answer::Cancel};
    form.Command7_Click();
    EXPECT_EQ(view.ended, 0);
    form.Command3_Click();
    EXPECT_NE(files.get(kIni)->find("Autoexec1=KEYB GR"), std::string::npos);
    EXPECT_FALSE(form.Changed);
    boxes.shown.clear();
    form.Command7_Click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(view.ended, 1);
}

TEST_F(MainWindow, SaveThatFailsKeepsTheProgramAndTheEdit) {
    form.Form_Load();
    editRow(0, {"Neu", "", ""});
    files.setReadOnly(kIni);

    form.Command3_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("nicht gesichert"), std::string::npos);
    EXPECT_TRUE(form.Changed);

    boxes.shown.clear();
    boxes.answers = {Answer::Yes};
    form.Command7_Click();
    EXPECT_EQ(boxes.shown.size(), 2u);  // the question, then why it failed
    EXPECT_EQ(view.ended, 0);
    boxes.answers = {Answer::Yes};
    EXPECT_TRUE(form.Form_Unload());  // the window stays open
    EXPECT_EQ(form.table[0].Name, "Neu");
}

}  // namespace
