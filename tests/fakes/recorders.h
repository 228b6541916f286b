// Recording stand-ins for the windows and boxes: they note what the logic
// asked for and answer as the test scripted.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/main_view.h"
#include "platform/message_box.h"
#include "platform/system.h"

struct ShownBox {
    std::string text, title;
    unsigned style;
};

class ScriptedBoxes : public MessageBoxes {
  public:
    Answer show(const std::string& text, const std::string& title, unsigned style) override {
        shown.push_back({text, title, style});
        if (answers.empty()) return (style & 0x0F) == 0 ? Answer::Ok : Answer::Cancel;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<Answer> answers;
    std::vector<ShownBox> shown;
};

class RecordingView : public MainView {
  public:
    void showName(int row, const std::string& name) override { names[row] = name; }
    void showTicked(int row, bool ticked) override { ticks[row] = ticked; }
    void centreOnScreen() override { ++centred; }
    void endProgram() override { ++ended; }
    std::string names[11];
    bool ticks[11] = {};
    int centred = 0, ended = 0;
};

class ScriptedDialogs : public Dialogs {
  public:
    bool editOption(OptionEdit& texts) override {
        edited.push_back(texts);
        if (!accept) return false;
        texts = reply;
        return true;
    }
    bool accept = false;
    OptionEdit reply;
    std::vector<OptionEdit> edited;
};

class FakeSystem : public System {
  public:
    std::string programFolder() override { return folder; }
    std::string commandLine() override { return arguments; }
    std::string windowsDirectory() override { return windows; }
    bool requestReboot() override {
        ++reboots;
        return rebootWorks;
    }
    std::string folder = "C:\\VELKOR", arguments, windows = "C:\\WINDOWS";
    bool rebootWorks = true;
    int reboots = 0;
};
