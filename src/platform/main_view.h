// What the main window shows. The window forwards its events to MainWindow,
// and the program tells it through this interface what to show.
#pragma once
#include <string>
#include <vector>

class MainView {
  public:
    virtual ~MainView() = default;
    // The caption of the option's box; "&&" shows one "&".
    virtual void showName(int option, const std::string& caption) = 0;
    virtual void showTicked(int option, bool ticked) = 0;
    virtual void centreOnScreen() = 0;
    // The configuration entries of both configuration menus, alike, in menu
    // order, captions as for showName; with none, the entries and the
    // separators above them are hidden.
    virtual void showConfigMenus(const std::vector<std::string>& captions) = 0;
    // Shown, also a window that was minimised, at its old place and in front.
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() = 0;
    // The tray icon's pop-up menu at the mouse position, "&Fenster" in bold.
    virtual void showTrayMenu() = 0;
    // Whether one of the program's modal windows is open: a dialog, a message
    // box or a file dialog.
    virtual bool modalOpen() = 0;
    // The one of them that takes input, in front.
    virtual void bringModalForward() = 0;
    // Ends the program at once, without asking anything again.
    virtual void endProgram() = 0;
};
