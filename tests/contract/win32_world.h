// The contract tests' world under Wine: the real classes, working in a fresh
// folder under the Windows temp folder that is removed again afterwards.
#pragma once
#include <string>

#include "platform/win32/win32_platform.h"

class Win32World {
  public:
    Win32World();
    ~Win32World();
    Win32World(const Win32World&) = delete;
    Win32World& operator=(const Win32World&) = delete;

    Files& files() { return files_; }
    Profile& profile() { return profile_; }
    const std::string& folder() const { return folder_; }

  private:
    Win32Files files_;
    Win32Profile profile_;
    std::string folder_;
};
