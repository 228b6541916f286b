// The platform interfaces as Windows provides them, through the ANSI functions
// that Windows 95 already has.
#pragma once
#include <windows.h>

#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/tray.h"

class Win32Files : public Files {
  public:
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool replacesInOneStep() override;
    bool replace(const std::string& from, const std::string& to) override;
    bool write(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> read(const std::string& path, std::size_t limit) override;
    bool canCreateIn(const std::string& folder) override;
    bool canMove(const std::string& path) override;
    std::string errorText() override;
};

class Win32System : public System {
  public:
    std::string programFolder() override;
    std::string commandLine() override;
    std::string windowsDirectory() override;
    bool hasDosMode() override;
    bool requestReboot() override;
    bool openLink(const std::string& url) override;
};

class Win32MessageBoxes : public MessageBoxes {
  public:
    // Boxes are owned by the window of ours in front (a dialog over `main`, or
    // `main` itself), so they stay in front of it and block it.
    void setMainWindow(HWND main) { main_ = main; }
    Answer show(const std::string& text, const std::string& title, unsigned style) override;

  private:
    HWND main_ = nullptr;
};

// The dialogs are owned by the window of ours in front, as message boxes are.
class Win32FileDialogs : public FileDialogs {
  public:
    void setMainWindow(HWND main) { main_ = main; }
    std::optional<std::string> open(const std::string& title) override;
    std::optional<std::string> save(const std::string& title) override;

  private:
    std::optional<std::string> show(const std::string& title, bool saving);
    HWND main_ = nullptr;
};

// The icon record is filled once from the main window: its handle (also as
// the icon's ID), its small icon and its caption as the tip.
class Win32Tray : public Tray {
  public:
    // The icon's mouse events arrive at the main window as this message, the
    // mouse message in the low word of lParam.
    static constexpr UINT kMessage = WM_APP + 2;
    void setMainWindow(HWND main) { main_ = main; }
    void prepare() override;
    bool add() override;
    void remove() override;

  private:
    HWND main_ = nullptr;
    NOTIFYICONDATAA data_{};
};

class Win32Registry : public Registry {
  public:
    long createKey(Key root, const std::string& path, std::uint32_t access, Key& key) override;
    long openKey(Key root, const std::string& path, std::uint32_t access, Key& key) override;
    long setValue(Key key, const std::string& name, std::uint32_t type,
                  const std::string& data) override;
    long closeKey(Key key) override;
};

// True on Windows 95, 98 and Me, where some functions exist only as stubs.
bool isWindows9x();
