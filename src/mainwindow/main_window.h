// The main window's event handlers. The Win32 window routes each event here;
// MainWindow owns the program's state and hands it, with the platform, to the
// part of the program the event belongs to.
#pragma once
#include "platform/platform.h"
#include "store/state.h"

class MainWindow {
  public:
    explicit MainWindow(Platform& platform) : p_(platform) {}

    // Start-up; ends with the window shown, or hidden in the notification area.
    // False if the user chose to end Velkor instead: nothing was written.
    bool start();
    // The close box: true if the window may close.
    bool mayClose();
    // True lets Windows end the session.
    bool mayEndSession();
    void iconClicked(IconClick click);
    // Explorer started again and has forgotten the icon.
    void taskbarRestarted();
    // The same Velkor.ini was started again with this command line: the
    // window comes back in front, with the ticks of a file it names, as at a
    // start. An open modal window only comes to the front.
    void startedAgain(const std::string& commandLine);

    void tick(int option, bool ticked);
    void editOption(int option);  // "..." beside an option: the option editor
    // The buttons; a menu item that does what a button does runs its handler.
    void restart();       // "&Neu starten"
    void save();          // "&Speichern"
    void arrange();       // "&Anordnen", also from the icon's menu
    void hideInTray();    // "&Taskleiste"
    void editSettings();  // "&Velkor"
    void quit();          // "&Beenden"

    void loadConfiguration();    // "&Laden"
    void saveConfigurationAs();  // "&Speichern unter"
    void showAbout();            // "Über &Velkor"
    void quitFromTray();         // "&Beenden" of the icon's menu
    void showWindow();           // "&Fenster" of the icon's menu
    // A configuration of either menu, by its position.
    void chooseConfiguration(int index);

  private:
    bool readIni();
    // A configuration chosen from a menu: the window comes back with its
    // ticks, or with restartOnChoice the restart begins at once and the
    // window stays as it is.
    void applyChosen(const std::string& selection);
    void showName(int option);  // the name as typed, "&" included

    State s_;
    Platform& p_;
};
