// Recording stand-ins for the windows, boxes and the system: they note what
// the logic asked for and answer as the test scripted.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "fakes/fake_profile.h"
#include "platform/platform.h"

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
    std::string titles() const {
        std::string t;
        for (const ShownBox& b : shown) t += b.title + ";";
        return t;
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

// The option editor: the user types `reply` and presses "Ü&bernehmen" (if
// `accept`); when the program keeps the editor open, the user cancels.
class ScriptedDialogs : public Dialogs {
  public:
    bool editOption(OptionEdit& texts, const std::function<bool(OptionEdit&)>& check) override {
        edited.push_back(texts);
        if (!accept) return false;
        OptionEdit typed = reply;
        if (!check(typed)) return false;
        texts = typed;
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
        return requested = rebootWorks;
    }
    bool rebootRequested() override { return requested; }
    std::string folder = "C:\\VELKOR", arguments, windows = "C:\\WINDOWS";
    bool rebootWorks = true, requested = false;
    int reboots = 0;
};

// One of everything, as the program sees the world.
struct World {
    FakeFiles files;
    FakeProfile profile{files};
    FakeSystem system;
    ScriptedBoxes boxes;
    RecordingView view;
    ScriptedDialogs dialogs;
    Platform p{profile, files, system, boxes, view, dialogs};
};
