// The Config.sys and Autoexec.bat that start MS-DOS mode with the ticked
// options, and the banner that tells the user how to get back to Windows.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "store/options.h"

struct StartFiles {
    std::string configSys;    // file bytes, every line ended by CR LF
    std::string autoexecBat;  // the same
};

// Both files from the ticked options (`ticked` == 1) in index order. `windowsDir`
// is where COMMAND.COM and WIN.COM lie, as Windows reports it. No line holds
// a ^Z, at which DOS would stop reading the file.
StartFiles makeStartFiles(const Options& options, const std::string& windowsDir);

// The framed banner lines that name the ticked options, as written to the
// file, without CR LF. DOS shows each of them 84 characters wide.
std::vector<std::string> nameLines(const Options& options);

// True if `autoexecBat` is one that makeStartFiles wrote, also after an
// editor or installer changed it: it holds the banner's top border, the two
// lines about EXIT and the bottom border, then a line ending in WIN.COM /WX.
// Line ends may be CR LF, LF or CR; blanks and ^Z at line ends, empty lines
// and lines added anywhere do not count.
bool isVelkorAutoexec(std::string_view autoexecBat);

// True if `configSys` is the one that makeStartFiles wrote beside the Velkor
// Autoexec.bat `autoexecBat` from the options of `options` (their ticks
// do not count): some choice of options gives both the banner's names and exactly
// these bytes. A Config.sys that anyone changed since is not.
bool isVelkorConfigSys(std::string_view configSys, std::string_view autoexecBat,
                       const Options& options);
