// What the main window shows. The window forwards its events to Form1, and Form1
// tells it through this interface what to show.
#pragma once
#include <string>

class MainView {
  public:
    virtual ~MainView() = default;
    virtual void showName(int row, const std::string& name) = 0;  // caption of Check1(row)
    virtual void showTicked(int row, bool ticked) = 0;
    virtual void centreOnScreen() = 0;
    // Ends the program at once, without asking anything again.
    virtual void endProgram() = 0;
};
