// What the program asks of Windows as a whole.
#pragma once
#include <string>

class System {
  public:
    virtual ~System() = default;

    // The folder holding the program file, without a trailing "\" unless it is a
    // drive's root ("C:\TOOLS", "C:\").
    virtual std::string programFolder() = 0;

    // The arguments after the program name, as one unchanged text.
    virtual std::string commandLine() = 0;

    // The Windows directory in full; "" if the system cannot tell.
    virtual std::string windowsDirectory() = 0;

    // False on Windows Me, which has no MS-DOS mode: a restart there comes back
    // to Windows. True elsewhere, the NT family included, where a PC that
    // also boots DOS may start it from the start files.
    virtual bool hasDosMode() = 0;

    // Asks Windows to restart the computer. False if the request was refused at
    // once. Windows 9x asks the program's windows whether they may end before
    // this returns.
    virtual bool requestReboot() = 0;

    // Opens a link such as "mailto:..." with the program Windows has for it.
    // False if there is none or it could not be started.
    virtual bool openLink(const std::string& url) = 0;
};
