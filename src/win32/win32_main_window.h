// The main window as Windows shows it: the eleven options, the buttons, the
// menu bar and the tray icon's menu. It shows what MainWindow tells it and
// hands every click to MainWindow.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "mainwindow/main_window.h"
#include "platform/main_view.h"
#include "store/options.h"
#include "win32/hideable_menu.h"

class Win32MainWindow : public MainView {
  public:
    explicit Win32MainWindow(HINSTANCE instance) : instance_(instance) {}
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    // Creates the window, still invisible. False if Windows refused.
    bool create();
    HWND handle() const { return window_; }
    // From now on clicks go to `logic`.
    void attach(MainWindow& logic) { logic_ = &logic; }

    void showName(int option, const std::string& caption) override;
    void showTicked(int option, bool ticked) override;
    void centreOnScreen() override;
    void showConfigMenus(const std::vector<std::string>& captions) override;
    void setVisible(bool visible) override;
    bool isVisible() override;
    void showTrayMenu() override;
    bool modalOpen() override;
    void bringModalForward() override;
    void endProgram() override;

    // The main window's class, by which a second start finds it.
    static constexpr char kClassName[] = "VelkorMainWindow";
    // From now on the window takes the command lines of second starts for the
    // Velkor.ini that `key` stands for (see one_velkor.h).
    void takeHandOvers(const std::string& key) { handOverKey_ = key; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void loadMenus();
    void onCommand(int id, int code, HWND control);
    void onClose();
    void onActivate(bool active);
    LRESULT onCopyData(const COPYDATASTRUCT& data);
    void onStartedAgain();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
    HMENU trayMenuBar_ = nullptr;  // never attached to a window, so ours to destroy
    HideableMenu configMenu_, trayMenu_;
    std::array<HWND, kOptionCount> ticks_{};
    HWND focus_ = nullptr;     // the control that had the focus when the window lost it
    UINT taskbarCreated_ = 0;  // Explorer's message after it started again
    MainWindow* logic_ = nullptr;
    std::string handOverKey_;
    std::vector<std::string> handedOver_;  // command lines taken, not yet acted on
};
