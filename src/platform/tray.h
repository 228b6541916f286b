// The program's icon in the notification area of the task bar.
#pragma once

class Tray {
  public:
    virtual ~Tray() = default;
    // Fills the icon's record from the main window, once at start-up.
    virtual void prepare() = 0;
    // False if the notification area refused the icon.
    virtual bool add() = 0;
    virtual void remove() = 0;
};
