// The main window's event handlers. The Win32 window routes each event here;
// Form1 owns the program's state and hands it, with the platform, to the
// part of the program the event belongs to.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

class Form1 {
  public:
    explicit Form1(Platform& platform) : p_(platform) {}

    void Form_Load();
    // True keeps the window open.
    bool Form_Unload();
    // True lets Windows end the session.
    bool Form_QueryEndSession();

    void Check1_Click(int row, bool ticked);
    void Command1_Click(int row);  // "..." of a row: the option editor
    void Command2_Click();         // "&Neu starten"
    void Command3_Click();         // "&Speichern"
    void Command7_Click();         // "&Beenden"

    void MNeuS_Click() { Command2_Click(); }
    void MSpeichern_Click() { Command3_Click(); }
    void MBeenden_Click() { Command7_Click(); }

  private:
    void Laden();

    State s_;
    Platform& p_;
};
