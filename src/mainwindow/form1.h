// The main window's state and event handlers. The Win32 window routes its
// events here; every decision is made here and reaches the world through the
// platform interfaces.
#pragma once
#include <string>

#include "platform/platform.h"
#include "store/option_table.h"

class Form1 {
  public:
    explicit Form1(Platform& platform) : p_(platform) {}

    void Form_Load();
    // True keeps the window open.
    bool Form_Unload();

    void Check1_Click(int row, bool ticked);
    void Command1_Click(int row);  // "..." of a row: the option editor
    void Command2_Click();         // "&Neu starten"
    void Command3_Click();         // "&Speichern"
    void Command7_Click();         // "&Beenden"

    void MNeuS_Click() { Command2_Click(); }
    void MSpeichern_Click() { Command3_Click(); }
    void MBeenden_Click() { Command7_Click(); }

    // Writes Velkor.ini; on failure tells the user and keeps Changed set.
    bool Speichern();

    OptionTable table;
    Settings settings;
    ConfigList configs;
    std::string IniPath;
    bool Changed = false;

  private:
    void Laden();
    Answer askToSave();

    Platform& p_;
};
