// Form1 as a Win32 window: the eleven option rows, the buttons, the menu bar
// and the (hidden) context menu. It shows what Form1 tells it and hands every
// click to Form1.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "platform/main_view.h"
#include "store/options.h"
#include "win32/hideable_menu.h"

class MainWindow : public MainView {
  public:
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {}
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, still invisible. False if Windows refused.
    bool create();
    HWND handle() const { return window_; }
    // From now on clicks go to `form`.
    void attach(Form1& form) { form_ = &form; }

    void showName(int row, const std::string& caption) override;
    void showTicked(int row, bool ticked) override;
    void centreOnScreen() override;
    void showConfigMenus(const std::vector<std::string>& captions) override;
    void setVisible(bool visible) override;
    bool isVisible() override;
    void showContextMenu() override;
    bool modalOpen() override;
    void bringModalForward() override;
    void endProgram() override;

    // The main window's class, by which a second start finds it.
    static constexpr char kClassName[] = "VelkorForm1";
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
    HMENU contextMenuBar_ = nullptr;  // never attached to a window, so ours to destroy
    HideableMenu konfigMenu_, contextMenu_;
    std::array<HWND, kOptionCount> checks_{};
    HWND focus_ = nullptr;     // the control that had the focus when the window lost it
    UINT taskbarCreated_ = 0;  // Explorer's message after it started again
    Form1* form_ = nullptr;
    std::string handOverKey_;
    std::vector<std::string> handedOver_;  // command lines taken, not yet acted on
};
