// Stand-ins for the windows, boxes, dialogs, registry and the system: they
// note what the logic asked for and answer as the test scripted.
#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/platform.h"

struct ShownBox {
    std::string text, title;
    unsigned style;
};

// Answers as scripted; without a script OK, or Cancel where there is a choice.
struct ScriptedBoxes : MessageBoxes {
    Answer show(const std::string& text, const std::string& title, unsigned style) override {
        shown.push_back({text, title, style});
        Answer a = answers.empty() ? (style & 0x0F) ? Answer::Cancel : Answer::Ok : answers.front();
        if (!answers.empty()) answers.pop_front();
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

struct RecordingView : MainView {
    void showName(int, const std::string&) override {}
    void showTicked(int, bool) override {}
    void centreOnScreen() override {}
    void showConfigMenus(const std::vector<std::string>& captions) override { menus = captions; }
    void setVisible(bool v) override { visible = v; }
    bool isVisible() override { return visible; }
    void showTrayMenu() override { ++trayMenus; }
    bool modalOpen() override { return modal; }
    void bringModalForward() override { ++broughtForward; }
    void endProgram() override { ++ended; }
    std::vector<std::string> menus;
    bool visible = false, modal = false;
    int trayMenus = 0, broughtForward = 0, ended = 0;
};

// The option editor: the user types `reply` and presses "Ü&bernehmen" (if
// `accept`); kept open, the user cancels. The other dialogs answer likewise.
struct ScriptedDialogs : Dialogs {
    bool showOptionEditor(OptionTexts& texts,
                          const std::function<bool(OptionTexts&)>& check) override {
        OptionTexts typed = reply;
        return accept && check(typed) && (texts = typed, true);
    }
    bool showArrangeDialog(ConfigRows& rows,
                           const std::function<std::optional<std::string>()>& pick) override {
        return arrange && arrange(rows, pick);
    }
    bool showSettingsDialog(SettingsChecks& checks) override {
        return settingsReply && (checks = *settingsReply, true);
    }
    void showAboutBox(const std::function<void()>& followLink) override {
        if (clickLink) followLink();
    }
    bool accept = false, clickLink = false;
    OptionTexts reply;
    std::function<bool(ConfigRows&, const std::function<std::optional<std::string>()>&)> arrange;
    std::optional<SettingsChecks> settingsReply;
};

// Hands out the scripted paths, then nothing (cancelled).
struct ScriptedFileDialogs : FileDialogs {
    std::optional<std::string> open(const std::string&) override { return next(); }
    std::optional<std::string> save(const std::string&) override { return next(); }
    std::optional<std::string> next() {
        std::optional<std::string> p = picks.empty() ? std::nullopt : picks.front();
        if (!picks.empty()) picks.pop_front();
        return p;
    }
    std::deque<std::optional<std::string>> picks;
};

struct FakeTray : Tray {
    void prepare() override { prepared = true; }
    bool add() override { return icon = (icon || !refuses); }
    void remove() override { icon = false; }
    bool prepared = false, icon = false, refuses = false;
};

// Keys as paths below HKEY_CLASSES_ROOT, each with its values; the n-th
// operation can be made to fail.
struct FakeRegistry : Registry {
    long createKey(Key root, const std::string& path, std::uint32_t access, Key& key) override {
        if (fails("create " + path + " " + std::to_string(access)) || root != kClassesRoot)
            return 5;
        keys[path];
        return open[key = open.size() + 1] = path, 0;
    }
    long openKey(Key root, const std::string& path, std::uint32_t access, Key& key) override {
        if (fails("open " + path + " " + std::to_string(access)) || root != kClassesRoot) return 5;
        if (!keys.count(path)) return 2;
        return open[key = open.size() + 1] = path, 0;
    }
    long setValue(Key key, const std::string& name, std::uint32_t type,
                  const std::string& data) override {
        if (fails("set " + name + "=" + data) || !open.count(key) || type != kStringValue) return 5;
        return keys[open[key]][name] = data, 0;
    }
    long closeKey(Key key) override {
        bool wasOpen = open.erase(key) != 0;
        return fails("close") || !wasOpen ? 6 : 0;
    }
    bool fails(const std::string& what) {
        log.push_back(what);
        return failAt != 0 && --failAt == 0;
    }
    std::map<std::string, std::map<std::string, std::string>> keys;  // path -> name -> data
    std::map<Key, std::string> open;
    std::vector<std::string> log;
    int failAt = 0;  // 1 = the next operation fails
};

struct FakeSystem : System {
    std::string programFolder() override { return "C:\\VELKOR"; }
    std::string commandLine() override { return arguments; }
    std::string windowsDirectory() override { return windows; }
    bool hasDosMode() override { return dosMode; }
    bool requestReboot() override { return ++reboots, requested = rebootWorks; }
    bool openLink(const std::string& url) override { return links.push_back(url), mailProgram; }
    std::string arguments, windows = "C:\\WINDOWS";
    bool rebootWorks = true, requested = false, mailProgram = true, dosMode = true;
    int reboots = 0;
    std::vector<std::string> links;
};

// One of everything, as the program sees the world: with a drive of its own,
// or with one that outlives it, as Velkor started again finds it.
struct World {
    World() : World(ownDrive) {}
    explicit World(FakeFiles& drive) : files(drive) {}
    FakeFiles ownDrive;
    FakeFiles& files;
    FakeSystem system;
    ScriptedBoxes boxes;
    RecordingView view;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    FakeTray tray;
    FakeRegistry registry;
    Platform p{files, system, boxes, view, dialogs, fileDialogs, tray, registry};
};
