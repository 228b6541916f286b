// The contract tests' world under Wine: the real classes, on a file in the
// Windows temp folder that is removed again afterwards.
#pragma once
#include <string>

#include "platform/win32/win32_platform.h"

struct Win32World {
    Win32Files drive;
    Win32Profile realProfile;
    Files& files() { return drive; }
    Profile& profile() { return realProfile; }
    std::string folder() const;
    Win32World() { drive.remove(folder() + "Test.ini"); }
    ~Win32World() { drive.remove(folder() + "Test.ini"); }
};
