// Recording stand-ins for the windows, boxes, dialogs and the system: they
// note what the logic asked for and answer as the test scripted.
#pragma once
#include <deque>
#include <map>
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
    void showConfigMenus(const std::vector<std::string>& captions) override { menus = captions; }
    void setVisible(bool v) override { visible = v; }
    bool isVisible() override { return visible; }
    void showContextMenu() override { ++contextMenus; }
    void endProgram() override { ++ended; }
    std::string names[11];
    bool ticks[11] = {};
    std::vector<std::string> menus;
    bool visible = false;
    int centred = 0, ended = 0, contextMenus = 0;
};

// Each dialog answers as scripted. The option editor: the user types `reply`
// and presses "Ü&bernehmen" (if `accept`); kept open, the user cancels.
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
    bool arrangeConfigs(ConfigRows& rows,
                        const std::function<std::optional<std::string>()>& pick) override {
        arranged.push_back(rows);
        return arrange && arrange(rows, pick);
    }
    bool editSettings(SettingsChecks& checks) override {
        settingsShown.push_back(checks);
        if (!settingsReply) return false;
        checks = *settingsReply;
        return true;
    }
    void showAbout(const std::function<void()>& followLink) override {
        ++abouts;
        if (clickLink) followLink();
    }
    bool accept = false;
    OptionEdit reply;
    std::vector<OptionEdit> edited;
    std::function<bool(ConfigRows&, const std::function<std::optional<std::string>()>&)> arrange;
    std::vector<ConfigRows> arranged;
    std::optional<SettingsChecks> settingsReply;
    std::vector<SettingsChecks> settingsShown;
    bool clickLink = false;
    int abouts = 0;
};

class ScriptedFileDialogs : public FileDialogs {
  public:
    std::optional<std::string> open(const std::string& title) override { return next(title); }
    std::optional<std::string> save(const std::string& title) override { return next(title); }
    std::deque<std::optional<std::string>> picks;  // nothing: cancelled
    std::vector<std::string> titles;

  private:
    std::optional<std::string> next(const std::string& title) {
        titles.push_back(title);
        if (picks.empty()) return std::nullopt;
        auto p = picks.front();
        picks.pop_front();
        return p;
    }
};

class FakeTray : public Tray {
  public:
    void prepare() override { prepared = true; }
    bool add() override { return icon = (icon || !refuses); }
    void remove() override { icon = false; }
    bool prepared = false, icon = false, refuses = false;
};

// Keys as paths below HKEY_CLASSES_ROOT, each with its values; the n-th
// operation can be made to fail.
class FakeRegistry : public Registry {
  public:
    long createKey(Key root, const std::string& path, std::uint32_t access, Key& key) override;
    long openKey(Key root, const std::string& path, std::uint32_t access, Key& key) override;
    long setValue(Key key, const std::string& name, std::uint32_t type,
                  const std::string& data) override;
    long closeKey(Key key) override;
    std::map<std::string, std::map<std::string, std::string>> keys;  // path -> name -> data
    std::vector<std::string> log;
    int failAt = 0;  // 1 = the next operation fails

  private:
    bool fails(const std::string& what);
    std::map<Key, std::string> open_;
    Key next_ = 1;
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
    bool openLink(const std::string& url) override {
        links.push_back(url);
        return mailProgram;
    }
    std::string folder = "C:\\VELKOR", arguments, windows = "C:\\WINDOWS";
    bool rebootWorks = true, requested = false, mailProgram = true;
    int reboots = 0;
    std::vector<std::string> links;
};

// One of everything, as the program sees the world.
struct World {
    FakeFiles files;
    FakeProfile profile{files};
    FakeSystem system;
    ScriptedBoxes boxes;
    RecordingView view;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    FakeTray tray;
    FakeRegistry registry;
    Platform p{profile, files, system, boxes, view, dialogs, fileDialogs, tray, registry};
};
