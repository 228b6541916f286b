// "Über &Velkor": the about box and its contact line.
#pragma once
#include <string>

#include "platform/platform.h"

// "Version 2.0", from the one version the whole build uses.
std::string versionText();

// The contact line as shown, and the link it opens.
std::string contactText();
std::string contactLink();

void showAboutBox(Platform& p);
