// Everything the portable logic reaches the world through.
#pragma once
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/main_view.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/tray.h"

struct Platform {
    Files& files;
    System& system;
    MessageBoxes& boxes;
    MainView& view;
    Dialogs& dialogs;
    FileDialogs& fileDialogs;
    Tray& tray;
    Registry& registry;
};
