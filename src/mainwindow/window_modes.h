// The main window is either shown, or hidden with an icon in the notification
// area: the icon exists exactly while the window is hidden.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

// "&Taskleiste": hide into the notification area. If the icon is refused the
// window stays, or it would be gone with no way back; false then.
bool hideInTray(Platform& p);

// "&Fenster", and every other way back: the window shown and in front, the
// icon gone.
void showFromTray(Platform& p);

// "&Beenden" of the icon's menu: leaving as "&Beenden" does; if the user stays,
// the icon comes back.
void leaveFromTray(State& s, Platform& p);

// A click on the icon: a right-button press opens the icon's menu; while a
// modal window is open, any click brings that forward instead. A move, and
// anything while the window is shown, does nothing.
void answerIconClick(Platform& p, IconClick click);

// Explorer started again and has forgotten the icon.
void addIconAgain(Platform& p);
