// The main window's handlers: what each leads to, seen through the platform.
#include <gtest/gtest.h>

#include "fakes/recorders.h"
#include "mainwindow/form1.h"

namespace {

const std::string kIni = "C:\\VELKOR\\Velkor.ini";

struct MainWindow : World, testing::Test {
    Form1 form{p};

    MainWindow() {
        files.put(kIni,
                  "[Eintrag1]\r\nName=Maus\r\nAutoexec1=MOUSE.COM\r\n"
                  "[Eintrag11]\r\nName=Letzte\r\n");
        form.Form_Load();
    }
    void editRow(int row, OptionEdit reply) {
        dialogs.accept = true;
        dialogs.reply = reply;
        form.Command1_Click(row);
    }
    bool saved(const std::string& text) { return files.get(kIni)->find(text) != std::string::npos; }
};

TEST_F(MainWindow, LoadShowsTheNamesOfTheFileBesideTheProgram) {
    EXPECT_EQ(view.centred, 1);
    EXPECT_EQ(view.names[0], "Maus");
    EXPECT_EQ(view.names[10], "Letzte");
    form.Command7_Click();  // nothing changed: no question
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(view.ended, 1);
}

TEST_F(MainWindow, TheEditorChangesARowOnlyWhenAccepted) {
    form.Command1_Click(0);  // cancelled
    ASSERT_EQ(dialogs.edited.size(), 1u);
    EXPECT_EQ(dialogs.edited[0].AutoexecLines, "MOUSE.COM");
    EXPECT_FALSE(form.Form_Unload());  // nothing to ask about

    editRow(3, {" CD-ROM ", "DEVICE=CD.SYS\r\n", ""});
    EXPECT_EQ(view.names[3], " CD-ROM ");
    boxes.answers = {Answer::Yes};
    EXPECT_FALSE(form.Form_Unload());
    EXPECT_EQ(boxes.titles(), "Speichern;");
    EXPECT_TRUE(saved("[Eintrag4]\r\nName=\" CD-ROM \"\r\nConfig1=DEVICE=CD.SYS\r\n"));
}

TEST_F(MainWindow, AnEditorThatIsKeptOpenChangesNothing) {
    editRow(0, {"Maus", std::string(200, 'x'), ""});  // too long: asked, user goes back
    EXPECT_EQ(boxes.titles(), "Option ändern;");
    EXPECT_EQ(dialogs.edited.size(), 1u);
    boxes.shown.clear();
    EXPECT_FALSE(form.Form_Unload());
    EXPECT_TRUE(boxes.shown.empty());
}

// Beenden, the close box and Windows shutting down ask the same question.
TEST_F(MainWindow, LeavingWithUnsavedEdits) {
    enum Way { kBeenden, kCloseBox, kShutdown };
    struct {
        Answer answer;
        bool ends, saved;
    } cases[] = {
        {Answer::Yes, true, true}, {Answer::No, true, false}, {Answer::Cancel, false, false}};
    for (const auto& c : cases) {
        for (Way way : {kBeenden, kCloseBox, kShutdown}) {
            World w;
            w.files.put(kIni, "[Eintrag1]\r\nName=Maus\r\n");
            Form1 f{w.p};
            f.Form_Load();
            w.dialogs.accept = true;
            w.dialogs.reply = {"Neu", "", ""};
            f.Command1_Click(5);
            w.boxes.answers = {c.answer};
            bool ended = way == kBeenden    ? (f.Command7_Click(), w.view.ended == 1)
                         : way == kCloseBox ? !f.Form_Unload()
                                            : f.Form_QueryEndSession();
            std::string at = std::to_string(int(c.answer)) + " way " + std::to_string(way);
            ASSERT_EQ(w.boxes.shown.size(), 1u) << at;
            EXPECT_EQ(w.boxes.shown[0].style, mb::YesNoCancel | mb::IconQuestion) << at;
            EXPECT_EQ(ended, c.ends) << at;
            EXPECT_EQ(w.files.get(kIni)->find("Name=Neu") != std::string::npos, c.saved) << at;
            w.boxes.shown.clear();  // unsaved edits are still asked about
            w.boxes.answers = {Answer::No};
            f.Form_Unload();
            EXPECT_EQ(w.boxes.shown.size(), c.saved ? 0u : 1u) << at;
        }
    }
}

TEST_F(MainWindow, ASaveThatFailsKeepsTheProgramAndTheEdit) {
    editRow(0, {"Neu", "", ""});
    files.setReadOnly(kIni);
    form.Command3_Click();
    EXPECT_EQ(boxes.titles(), "Speichern;");
    EXPECT_NE(boxes.shown[0].text.find("nicht gesichert"), std::string::npos);

    boxes.answers = {Answer::Yes};  // save at leaving: fails again, the program stays
    form.Command7_Click();
    EXPECT_EQ(view.ended, 0);
    boxes.answers = {Answer::Yes};
    EXPECT_TRUE(form.Form_Unload());
    boxes.answers = {Answer::Yes};
    EXPECT_FALSE(form.Form_QueryEndSession());
    EXPECT_EQ(boxes.shown.size(), 7u);  // each question, and each time why it failed
}

TEST_F(MainWindow, OwnRestartIsNotAskedAboutAgain) {
    files.put("C:\\Config.sys", "");
    files.put("C:\\Autoexec.bat", "");
    editRow(0, {"Maus", "", ""});
    form.Check1_Click(0, true);
    boxes.answers = {Answer::No, Answer::Yes, Answer::Ok};  // not saved, delete, notice
    form.Command2_Click();
    EXPECT_EQ(system.reboots, 1);
    boxes.shown.clear();
    EXPECT_TRUE(form.Form_QueryEndSession());
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
