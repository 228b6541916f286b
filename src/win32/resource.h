// Resource and control identifiers. The end-to-end driver finds controls by these.
#pragma once

#define IDI_VELKOR 1
#define IDC_HAND_CURSOR 2  // the link's, where Windows has no hand
#define IDR_MAIN_MENU 100
#define IDR_TRAY_MENU 101

// Main window
#define IDC_MAIN_FRAME 1200
#define IDC_MAIN_RESULT_SLOT 1201
#define IDC_MAIN_RESTART 1202     // &Neu starten
#define IDC_MAIN_SAVE 1203        // &Speichern
#define IDC_MAIN_ARRANGE 1204     // &Anordnen
#define IDC_MAIN_TO_TRAY 1205     // &Taskleiste
#define IDC_MAIN_SETTINGS 1206    // &Velkor
#define IDC_MAIN_QUIT 1207        // &Beenden
#define IDC_MAIN_TICK_FIRST 1000  // the box of option i = IDC_MAIN_TICK_FIRST + i
#define IDC_MAIN_EDIT_FIRST 1100  // "..." of option i = IDC_MAIN_EDIT_FIRST + i

// Menu bar
#define IDM_SAVE 2001
#define IDM_RESTART 2002
#define IDM_TO_TRAY 2003
#define IDM_SETTINGS 2004
#define IDM_QUIT 2005
#define IDM_LOAD_CONFIG 2010
#define IDM_ARRANGE 2011
#define IDM_SAVE_CONFIG_AS 2012
#define IDM_CONFIG_SEPARATOR 2019  // hidden until a configuration is listed
#define IDM_CONFIG_FIRST 2020      // configuration i = IDM_CONFIG_FIRST + i
#define IDM_ABOUT 2050
// The tray icon's menu
#define IDM_TRAY_QUIT 2030
#define IDM_TRAY_SHOW_WINDOW 2031
#define IDM_TRAY_ARRANGE 2032
#define IDM_TRAY_CONFIG_SEPARATOR 2039  // hidden until a configuration is listed
#define IDM_TRAY_CONFIG_FIRST 2040      // configuration i = IDM_TRAY_CONFIG_FIRST + i

// Option editor
#define IDD_OPTION_EDITOR 200  // Option ändern
#define IDC_OPTION_EDITOR_NAME 3001
#define IDC_OPTION_EDITOR_CONFIG 3002
#define IDC_OPTION_EDITOR_AUTOEXEC 3003
#define IDC_OPTION_EDITOR_CANCEL 3011  // &Abbrechen
#define IDC_OPTION_EDITOR_ACCEPT 3012  // Ü&bernehmen
#define IDC_OPTION_EDITOR_NAME_LABEL 3021
#define IDC_OPTION_EDITOR_CONFIG_LABEL 3022
#define IDC_OPTION_EDITOR_AUTOEXEC_LABEL 3023

// Arrange dialog
#define IDD_ARRANGE_DIALOG 201               // Konfigurationen anordnen
#define IDC_ARRANGE_DIALOG_PICK_FIRST 4000   // "..." of row r = IDC_ARRANGE_DIALOG_PICK_FIRST + r
#define IDC_ARRANGE_DIALOG_PATH_FIRST 4010   // the path of row r
#define IDC_ARRANGE_DIALOG_CLEAR_FIRST 4020  // "X" of row r
#define IDC_ARRANGE_DIALOG_CANCEL 4031       // &Abbrechen
#define IDC_ARRANGE_DIALOG_ACCEPT 4032       // Ü&bernehmen

// Settings dialog
#define IDD_SETTINGS_DIALOG 202                      // Einstellungen ändern
#define IDC_SETTINGS_DIALOG_START_IN_TRAY 5001       // &In Taskleiste starten
#define IDC_SETTINGS_DIALOG_NO_DELETE_QUESTION 5002  // &Keine "Löschen"-Meldung
#define IDC_SETTINGS_DIALOG_NO_RESTART_NOTICE 5003   // K&eine "Neu starten"-Meldung
#define IDC_SETTINGS_DIALOG_RESTART_ON_CHOICE 5004   // &Neustart sofort nach Konfigurationsauswahl
#define IDC_SETTINGS_DIALOG_REGISTER_VKF 5005        // .&vkf-Dateien mit diesem Programm öffnen
#define IDC_SETTINGS_DIALOG_CANCEL 5011              // &Abbrechen
#define IDC_SETTINGS_DIALOG_ACCEPT 5012              // Ü&bernehmen

// About box
#define IDD_ABOUT_BOX 203           // Info
#define IDC_ABOUT_BOX_TITLE 6001    // Velkor
#define IDC_ABOUT_BOX_VERSION 6002  // the version
#define IDC_ABOUT_BOX_INVITATION 6003
#define IDC_ABOUT_BOX_LINK 6004  // the contact, a link
#define IDC_ABOUT_BOX_LANGUAGES_DE 6005
#define IDC_ABOUT_BOX_LANGUAGES_EN 6006
