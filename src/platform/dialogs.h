// The program's modal dialogs, each shown centred over the main window. A
// dialog shows and collects; what its buttons lead to is decided by the caller.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>

// The three texts of the option editor.
struct OptionTexts {
    std::string name;
    std::string configLines;
    std::string autoexecLines;
};

// The five boxes of the settings dialog, as they are ticked on screen.
struct SettingsChecks {
    bool startInTray = false;       // Settings::startInTray on
    bool noDeleteQuestion = false;  // askBeforeDeleting off
    bool noRestartNotice = false;   // noticeBeforeRestart off
    bool restartOnChoice = false;   // restartOnChoice on
    bool registerVkf = false;       // a request, not a setting
};

// The nine rows of the arrange dialog: the path of slot 1..9, "" = free.
using ConfigRows = std::array<std::string, 9>;

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The option editor. "Ü&bernehmen" hands what was typed to `accept`, which
    // may change it and says whether the editor closes. True if it closed that
    // way; `texts` then holds the accepted texts.
    virtual bool showOptionEditor(OptionTexts& texts,
                                  const std::function<bool(OptionTexts&)>& accept) = 0;

    // "Konfigurationen anordnen". "..." of a row asks `pick` for a path
    // (nothing keeps the row), "X" empties it. True if taken over; `rows` then
    // holds the rows as shown.
    virtual bool showArrangeDialog(ConfigRows& rows,
                                   const std::function<std::optional<std::string>()>& pick) = 0;

    // "Einstellungen ändern" with the five boxes. True if taken over; `checks`
    // then holds the boxes as left.
    virtual bool showSettingsDialog(SettingsChecks& checks) = 0;

    // "Info". A click on the contact line calls `followLink`.
    virtual void showAboutBox(const std::function<void()>& followLink) = 0;
};
