// Resource and control identifiers. The end-to-end driver finds controls by these.
#pragma once

#define IDI_VELKOR 1
#define IDR_MAINMENU 100
#define IDR_KONTEXTMENU 101
#define IDD_FORM2 200  // Option ändern

// Main window (Form1)
#define IDC_FRAME1 1200
#define IDC_LABEL1 1201
#define IDC_COMMAND2 1202        // &Neu starten
#define IDC_COMMAND3 1203        // &Speichern
#define IDC_COMMAND4 1204        // &Anordnen
#define IDC_COMMAND5 1205        // &Taskleiste
#define IDC_COMMAND6 1206        // &Velkor
#define IDC_COMMAND7 1207        // &Beenden
#define IDC_CHECK1_FIRST 1000    // Check1(i) = IDC_CHECK1_FIRST + i
#define IDC_COMMAND1_FIRST 1100  // Command1(i) = IDC_COMMAND1_FIRST + i

// Menu bar
#define IDM_SPEICHERN 2001
#define IDM_NEUS 2002
#define IDM_TASKLEISTE 2003
#define IDM_VELKOR 2004
#define IDM_BEENDEN 2005
#define IDM_LADEN 2010
#define IDM_ANORDNEN 2011
#define IDM_SPEICHERNU 2012
#define IDM_TRENNSTRICH3 2019   // hidden until a configuration is listed
#define IDM_KONFIGS_FIRST 2020  // Mkonfigs(i) = IDM_KONFIGS_FIRST + i
#define IDM_UEBER 2050
// Context menu of the tray icon
#define IDM_KBEENDEN 2030
#define IDM_FENSTER 2031
#define IDM_KANORDNEN 2032
#define IDM_TRENNSTRICH4 2039   // hidden until a configuration is listed
#define IDM_KONTEXT_FIRST 2040  // MKontext(i) = IDM_KONTEXT_FIRST + i

// Option editor (Form2)
#define IDC_F2_TEXT1 3001
#define IDC_F2_TEXT2 3002
#define IDC_F2_TEXT3 3003
#define IDC_F2_COMMAND1 3011  // &Abbrechen
#define IDC_F2_COMMAND2 3012  // Ü&bernehmen
#define IDC_F2_LABEL1 3021
#define IDC_F2_LABEL2 3022
#define IDC_F2_LABEL3 3023
