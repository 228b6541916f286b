// The main window's event handlers. The Win32 window routes each event here;
// Form1 owns the program's state and hands it, with the platform, to the
// part of the program the event belongs to.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

class Form1 {
  public:
    explicit Form1(Platform& platform) : p_(platform) {}

    // Start-up; ends with the window shown, or hidden in the notification area.
    // False if the user chose to end Velkor instead: nothing was written.
    bool Form_Load();
    // True keeps the window open.
    bool Form_Unload();
    // True lets Windows end the session.
    bool Form_QueryEndSession();
    void Form_MouseDown(int button, int x);
    void TaskbarCreated();
    // The same Velkor.ini was started again with this command line: the
    // window comes back in front, with the ticks of a file it names, as at a
    // start. An open modal window only comes to the front.
    void StartedAgain(const std::string& commandLine);

    void Check1_Click(int row, bool ticked);
    void Command1_Click(int row);  // "..." of a row: the option editor
    // The buttons; a menu item that does what a button does runs its handler.
    void Command2_Click();  // "&Neu starten"
    void Command3_Click();  // "&Speichern"
    void Command4_Click();  // "&Anordnen", also from the icon's menu
    void Command5_Click();  // "&Taskleiste"
    void Command6_Click();  // "&Velkor": the settings
    void Command7_Click();  // "&Beenden"

    void MLaden_Click();
    void MSpeichernU_Click();
    void MÜber_Click();
    void MKBeenden_Click();
    void MFenster_Click();
    // A configuration entry of either menu, by its position.
    void MKontext_Click(int index);

  private:
    bool Laden();
    // A configuration chosen from a menu: the window comes back with its
    // ticks, or with SofortStart the restart begins at once and the window
    // stays as it is.
    void applyChosen(const std::string& selection);
    void showName(int row);  // the name as typed, "&" included

    State s_;
    Platform& p_;
};
