#!/usr/bin/env python3
"""mutants.py: deliberately broken builds of Velkor, and which tests catch each.

Each mutant below is one plausible fault, given as a text in src/ and what
replaces it. The text is looked for in whichever file under src/ holds it, so
a mutant survives code moving between files; after a rename, add the new text
as an alternative (the first alternative found is used, and it must be found
exactly once). The tree under test is copied into a scratch folder of its own,
one mutant at a time is applied there, built and tested, and taken out again.

    python3 tools/mutants.py --check             where each mutant applies (no build)
    python3 tools/mutants.py --cascade [ID...]   each mutant up to the first level that
                                                 catches it: the cheap proof
    python3 tools/mutants.py --full [ID...]      every level for every mutant: the matrix
    python3 tools/mutants.py --summary --full    the summary of the last run again

Options: --tree DIR (the tree under test, default this repository), --scratch
DIR (its copy, default build/mutants/tree of the tree under test; the copy
keeps its builds, so a run builds only what a mutant changes), --levels
unit,fuzz,i686 (some levels only; the others' results are kept), --resume
(only what has no result yet for this tree). Results, kept by what each
mutant changes: build/mutants/results-<mode>.json and summary-<mode>.txt of
the tree under test, written after every mutant; logs of failed builds and
tests in build/mutants/logs.

The levels, cheapest first:
  unit  the native GoogleTest binary, each test case on its own (a crash or a
        hang reruns the cases one at a time);
  fuzz  each fuzz target replays a corpus once: the corpus in the tree and
        one grown from it by fuzzing without a mutant (FUZZ_RUNS), kept in
        build/mutants/fuzz-corpus (delete it to grow another; copied beside
        another tree, the same inputs are replayed there). If that passes, it
        fuzzes on for a few seconds (MUTANT_FUZZ_RUNS). Both with a fixed seed
        and number of runs, no reloading and addresses not randomised, so the
        same build always gives the same result; but fuzzing takes another path
        once the code changes, so a catch by fuzzing alone is marked as such;
  i686  the shipped build: its checks (label shipped), then every other CTest
        test alone, the profile check and each end-to-end story, cheapest first.
        A story that fails is run once more; failing only once it counts as
        flaky, not as caught. Where the mutant leaves the shipped programs
        byte for byte as they were (time stamps aside), nothing is run.
A test catches a mutant if it passes without it (the baseline, run first) and
fails with it. A mutant that does not build is not a valid mutant: it is
reported, never counted as caught. Builds use -j2 and everything runs under
nice; one mutant takes about a minute and a half at every level, and a
cascade of all of them a little over an hour.
"""

import argparse
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent


class Mutant:
    def __init__(self, id, what, *changes):
        self.id, self.what, self.changes = id, what, changes  # changes: (search, replace) alternatives


M = Mutant
MUTANTS = [
    # The option store: selection strings, lines, Velkor.ini, .vkf files.
    M("m01", "a saved configuration writes rows 0 to 9 with one digit, and reads back the wrong rows",
      ("s += char('0' + i / 10);", "if (i / 10) s += char('0' + i / 10);")),
    M("m02", "the last row named in a configuration is not ticked",
      ("p + 1 < selection.size()", "p + 2 < selection.size()")),
    M("m03", "a hand-edited configuration naming row 11 is applied in part instead of told",
      ("(line[p + 1] - '0') >= kOptionCount) return false;", "(line[p + 1] - '0') > kOptionCount) return false;")),
    M("m146", "a binary .vkf file, or a text of another kind, unticks every row without a word",
      ("    if (!isSelection(line)) return std::nullopt;\n", "")),
    M("m147", "a .vkf line with another separator, or a trailing one, is applied",
      ("if (p + 2 < line.size() && line[p + 2] != ',') return false;", "if (false) return false;"),),
    M("m148", "a .vkf line that stops after a digit or a separator is applied",
      ("if (!line.empty() && line.size() % 3 != 2) return false;", "if (line.size() == 1) return false;")),
    M("m04", "applying a configuration keeps the ticks it does not name",
      ("for (OptionRecord& r : table) r.Ticked = 0;\n", "")),
    M("m05", "after a save every line but the first starts with a line feed",
      ("rest.remove_prefix(std::min(cr + 2, rest.size()));", "rest.remove_prefix(std::min(cr + 1, rest.size()));")),
    M("m06", "an empty line among a component's lines loses every line after it at the next start",
      ("if (!line.empty()) lines.push_back(std::move(line));", "lines.push_back(std::move(line));")),
    M("m07", "Velkor.ini keeps 21 lines per kind, and the editor lets 21 through",
      ("constexpr std::size_t kMaxLines = 20;", "constexpr std::size_t kMaxLines = 21;")),
    M("m08", "a 128-character value written in quotes comes back without its last character",
      ("constexpr std::size_t kValueCapacity = kMaxValue + 2;", "constexpr std::size_t kValueCapacity = kMaxValue + 1;")),
    M("m09", "settings stored as on (-1) are read as off",
      ("if (text[0] == '-') value = -value;\n", "")),
    M("m10", "lines after a gap in a hand-edited Velkor.ini are loaded",
      ("if (value.empty()) break;\n        appendLine(text, value);", "if (value.empty()) continue;\n        appendLine(text, value);")),
    M("m11", "a name or line ending in a form feed, VT or ^Z makes every save fail",
      ('std::string_view(" \\t\\v\\f\\x1A")', 'std::string_view(" \\t")')),
    M("m12", "a line held in quotes is saved without extra quotes, and every save fails",
      ("value.size() >= 2 && (value[0] == '\"' || value[0] == '\\'') && value.back() == value[0];", "false;")),
    M("m13", "a component without a name keeps its lines in Velkor.ini",
      ("if (r.Name.empty()) continue;\n", "")),
    M("m14", "a save does not read Velkor.ini back: a full disk goes unnoticed",
      ("if (!readsBack(profile, pending, entries))", "if (!readsBack(profile, pending, {}))")),
    M("m15", "a save after a power cut mixes the stopped save's lines into Velkor.ini",
      ("pendingPath(s.IniPath);\n    if (!files.remove(pending)) return causeOf(files);", "pendingPath(s.IniPath);")),
    M("m16", "the in-between file is named like the user's X.neu, and a save deletes it",
      ('return path + ".$neu";', "return path.substr(0, path.rfind('.')) + \".neu\";")),
    M("m17", "on Windows 9x saving over a read-only .vkf moves it aside",
      ("if (!files.canMove(path) || !files.remove(aside)", "if (!files.remove(aside)")),
    M("m18", "a start that cannot put Velkor.ini's aside copy back loads nothing",
      ("return files.rename(aside, path) ? path : aside;", "return files.rename(aside, path) ? path : path;")),
    M("m19", "a failed save does not say Windows' reason",
      ("return said.empty() ? ours : said;", "return said.empty() ? ours : ours;")),
    M("m20", "a .vkf file cut short by a full disk counts as saved",
      ("if (back != bytes) return abandon(files, path,", "if (!back) return abandon(files, path,")),
    M("m21", "an empty .vkf file is taken for a selection of nothing and unticks every row",
      ("if (!bytes || bytes->empty()) return std::nullopt;", "if (!bytes) return std::nullopt;")),
    M("m22", "a .vkf file with LF line ends is not read as its first line",
      ('return bytes->substr(0, bytes->find_first_of("\\r\\n"));', "return bytes->substr(0, bytes->find('\\r'));"),
      ('std::string line = bytes->substr(0, bytes->find_first_of("\\r\\n"));',
       "std::string line = bytes->substr(0, bytes->find('\\r'));")),
    M("m23", "a saved .vkf file has no line end",
      ('return writeReplacing(files, path, selection + "\\r\\n");', "return writeReplacing(files, path, selection);")),
    # Configurations and the command line.
    M("m24", "applying a configuration unticks rows, but the window still shows them ticked",
      ("for (int i = 0; i < kOptionCount; ++i) view.showTicked(i, s.OptionTable[i].Ticked == 1);",
       "for (int i = 0; i < kOptionCount; ++i)\n        if (s.OptionTable[i].Ticked == 1) view.showTicked(i, true);")),
    M("m25", 'a listed file named ".vkf" shows no name in the menus',
      ("if (name.size() > 4 && name[name.size() - 4] == '.')", "if (name.size() >= 4 && name[name.size() - 4] == '.')")),
    M("m26", 'the configuration menus count from "&0"',
      ('captions.push_back("&" + std::to_string(captions.size() + 1)', 'captions.push_back("&" + std::to_string(captions.size())')),
    M("m27", 'an "&" in a configuration\'s file name shows as an access key in the menus',
      ("doubled(Dateiname(path), '&')", "Dateiname(path)")),
    M("m28", "a menu entry applies the slot of its position, not the listed file it shows",
      ("s.ConfigList.MenuSlot[captions.size()] = n;", "s.ConfigList.MenuSlot[captions.size()] = int(captions.size()) + 1;")),
    M("m29", "choosing a listed configuration whose file could not be read does nothing, without a word",
      ("if (!slot.Selection) return cannotRead(p, slot.Path);", "if (!slot.Selection) return;"),
      ("if (!slot.Selection) cannotRead(p, slot.Path);", "if (false) cannotRead(p, slot.Path);")),
    M("m30", "with SofortStart a configuration chosen at the icon shows the window before the restart",
      ("choose(s, p, *slot.Selection);", "fromTray(p);\n    choose(s, p, *slot.Selection);"),
      ("applyChosen(*selection);", "{\n        showFromTray(p_);\n        applyChosen(*selection);\n    }")),
    M("m31", "a quoted path on the command line is not found",
      ("path.size() >= 2 && path.front() == '\"' && path.back() == '\"'", "path.size() >= 2 && false")),
    M("m32", 'every start without a file says "Konfiguration ... konnte nicht gelesen werden"',
      ("if (path.empty()) return;\n", "")),
    M("m33", "a second start while a dialog is open acts inside the dialog's handler",
      ("if (p.view.modalOpen()) return p.view.bringModalForward();\n", ""),
      ("if (p_.view.modalOpen()) return p_.view.bringModalForward();\n", "")),
    M("m34", "a second start leaves the window in the icon",
      ("if (commandLine.empty()) return fromTray(p);", "if (commandLine.empty()) return;"),
      ("if (commandLine.empty()) return showFromTray(p_);", "if (commandLine.empty()) return;"),
      ("    showFromTray(p_);\n    applyCommandLine(s_, p_, commandLine);", "    applyCommandLine(s_, p_, commandLine);")),
    M("m149", "with SofortStart a double click on a .vkf restarts the PC",
      ("    applyCommandLine(s_, p_, commandLine);\n}",
       "    applyCommandLine(s_, p_, commandLine);\n"
       "    if (s_.Settings.SofortStart == kOn && !commandLine.empty()) restartIntoDos(s_, p_);\n}")),
    M("m35", "a configuration path too long for Velkor.ini is listed, and cut at the next start",
      ("if (path && path->size() > kMaxValue) {", "if (false) {")),
    M("m36", "leaving after arranging the configurations does not ask to save",
      ("FillConfigMenus(s, p.view);\n    s.Changed = true;", "FillConfigMenus(s, p.view);")),
    M("m37", "arranging does not read a listed file again: its changed first line is not applied",
      ("slot.Selection.reset();\n        if (slot.Path.empty()) continue;\n        slot.Selection = readConfigFile(p.files, slot.Path);",
       "if (slot.Path.empty()) continue;\n        if (!slot.Selection) slot.Selection = readConfigFile(p.files, slot.Path);")),
    M("m38", '"Speichern unter" that failed says nothing',
      ("if (!problem.empty())\n        tell(p,", "if (false)\n        tell(p,")),
    M("m39", '"Laden" of an empty or unreadable file does nothing, without a word',
      ("if (!line) return cannotRead(p, *path);", "if (!line) return;")),
    # The restart into MS-DOS mode and its start files.
    M("m40", "on Windows Me the restart swaps the start files and comes back to Windows",
      ("if (!p.system.hasDosMode()) {", "if (false) {")),
    M("m41", 'Yes to "Wollen Sie Ihre aktuellen Velkor speichern?" before a restart does not save',
      ("if (s_.Changed && askToSave(p_.boxes, false) == Answer::Yes) Speichern(s_, p_);", "if (s_.Changed) askToSave(p_.boxes, false);")),
    M("m42", "a restart with nothing ticked goes ahead with an empty banner",
      ("[](const OptionRecord& r) { return r.Ticked == 1; }", "[](const OptionRecord&) { return true; }")),
    M("m43", "the question before deleting old backups comes when it is switched off, and not when on",
      ("return s_.Settings.LöschenMSG != kOn ||", "return s_.Settings.LöschenMSG == kOn ||")),
    M("m44", "the question before deleting old backups reads differently",
      ('"gelöscht, falls sie existieren sollten:\\r"', '"gelöscht, wenn sie existieren:\\r"')),
    M("m45", "the restart notice comes when it is switched off, and not when on",
      ("if (s_.Settings.StartenMSG == kOn)", "if (s_.Settings.StartenMSG != kOn)")),
    M("m46", "the start files are moved aside before the notice that asks to close all applications",
      ("        if (s_.Settings.StartenMSG == kOn)\n            p_.boxes.show(kRestartNotice, kTitle, mb::Ok | mb::IconExclamation);\n"
       "        if (!backUp() || !writeNew()) return false;",
       "        if (!backUp()) return false;\n        if (s_.Settings.StartenMSG == kOn)\n"
       "            p_.boxes.show(kRestartNotice, kTitle, mb::Ok | mb::IconExclamation);\n        if (!writeNew()) return false;")),
    M("m47", "without a Windows directory the restart writes an Autoexec.bat that starts nothing",
      ("if (windowsDir_.empty())", "if (false)")),
    M("m48", "a read-only root folder is found only after the start files were moved",
      ("if (!files_.canCreateIn(kRoot))", "if (!files_.canCreateIn(kRoot) && false)")),
    M("m49", "a read-only start file or backup is found only half-way through the restart",
      ("if (files_.exists(path) && !files_.canMove(path))", "if (false && files_.exists(path) && !files_.canMove(path))")),
    M("m50", "a start file that cannot be read is taken for a missing one",
      ("if (!*bytes)", "if (false)")),
    M("m51", "the restart deletes the user's backups as old ones instead of putting them back",
      ("return a && b && a->size() <= kReadLimit && *a == *b;", "return a.has_value() || b.has_value();")),
    M("m52", "the restart leaves C:\\Config.app and C:\\Autoexec.app",
      ("for (const std::string& path : {kConfigApp, kAutoexecApp, kConfigWos, kAutoexecWos})",
       "for (const std::string& path : {kConfigWos, kAutoexecWos})")),
    M("m53", "Velkor's own Autoexec.bat left without a backup is backed up as the user's",
      ("start_[1].users = start_[1].liveBytes && !isVelkorAutoexec(*start_[1].liveBytes);",
       "start_[1].users = start_[1].liveBytes.has_value();")),
    M("m54", "the restart does not read back the start files: a full disk reboots into a broken one",
      ("if (back != bytes) return cannotWrite(", "if (!back) return cannotWrite(")),
    M("m55", "a reboot that Windows refused leaves the new start files in place, without a word",
      ("if (!p_.system.requestReboot())", "if (!p_.system.requestReboot() && false)")),
    M("m56", "a roll-back cannot put a user's file back over Velkor's",
      ("if (!moveOver(files_, f->backup, f->live))", "if (!files_.rename(f->backup, f->live))")),
    M("m57", "a name that fills the line to 74 columns is not wrapped (the banner's fit test off by one)",
      ("constexpr std::size_t kFitBelow = kRightSide - kMinGap - 1;", "constexpr std::size_t kFitBelow = kRightSide - kMinGap;")),
    M("m58", "a wrapped line of the banner is one column too wide",
      ("line + ',' + std::string(kLastComma - line.size(), ' ') + kSide", "line + ',' + std::string(kRightSide - line.size(), ' ') + kSide")),
    M("m59", "a name longer than the frame is not cut: the restart stops with an error",
      ("std::string shown = name.substr(0, kMaxName);", "std::string shown = name.substr(0, kMaxName + 40);"),
      ("std::string shown = withoutEof(name).substr(0, kMaxName);",
       "std::string shown = withoutEof(name).substr(0, kMaxName + 40);")),
    M("m60", 'a ">" in a name redirects the banner\'s ECHO into a file',
      ("if (c == '>') c = ')';\n", "")),
    M("m61", "a DEL character in a name reaches the banner",
      ("if (byte < 0x20 || byte == 0x7F) c = ' ';", "if (byte < 0x20) c = ' ';")),
    M("m62", "umlauts in the banner show as other letters under DOS",
      ("if (byte >= 0x80) c = kDosLetters[byte - 0x80];", "if (byte >= 0xFF) c = kDosLetters[byte - 0x80];")),
    M("m63", 'a "%" in a name disappears from the banner',
      ("return doubled(shown, '%');", "return shown;")),
    M("m64", "a row in the grey state takes part in the restart",
      ("if (r.Ticked != 1) continue;\n        if (!r.ConfigLines.empty())", "if (r.Ticked == 0) continue;\n        if (!r.ConfigLines.empty())")),
    M("m65", "a ticked component without Config.sys lines adds an empty line to Config.sys",
      ("if (!r.ConfigLines.empty()) addLine(f.configSys, r.ConfigLines);", "addLine(f.configSys, r.ConfigLines);")),
    M("m66", "with Windows at a drive's root, the last lines call C:\\\\COMMAND.COM",
      ("if (!dir.empty() && dir.back() == '\\\\') dir.pop_back();\n", "")),
    M("m67", "the banner's top and bottom edges are one column short",
      ("return kEcho + left + std::string(kInner, kEdge) + right;", "return kEcho + left + std::string(kInner - 1, kEdge) + right;")),
    M("m68", "the banner has no empty line above it",
      ('addLine(bat, "ECHO.");\n', "")),
    M("m150", "a ^Z in a hand-edited line of Velkor.ini ends Autoexec.bat before the banner and WIN.COM /WX",
      ('file += withoutEof(line) + "\\r\\n";', 'file += line + "\\r\\n";')),
    M("m151", "a ^Z in a name shows in the banner as a blank, not dropped as the editor drops it",
      ("std::string shown = withoutEof(name).substr(0, kMaxName);", "std::string shown = name.substr(0, kMaxName);")),
    M("m69", "an Autoexec.bat of Velkor's with ^Z at a line end is taken for the user's",
      ('line.find_last_not_of(" \\t\\x1A")', 'line.find_last_not_of(" \\t")')),
    M("m70", "an Autoexec.bat of Velkor's saved with LF line ends is taken for the user's",
      ('autoexecBat.find_first_of("\\r\\n")', "autoexecBat.find('\\r')")),
    # The option editor.
    M("m71", "a ^Z pasted into the editor is saved",
      ("if (text[i] == '\\x1A') continue;\n", "")),
    M("m72", "a lone LF pasted into the editor is not a line break: the rest of the line is lost at the save",
      ("if (text[i] != '\\r' && text[i] != '\\n') {", "if (text[i] != '\\r') {")),
    M("m73", "exactly 20 lines count as too many for Velkor.ini",
      ("if (lines.size() > kMaxLines)", "if (lines.size() >= kMaxLines)")),
    M("m74", "the question before cutting lines has Yes as its default: Enter cuts them",
      ("mb::YesNo | mb::IconExclamation | mb::DefaultSecond", "mb::YesNo | mb::IconExclamation")),
    M("m75", "No to cutting closes the editor and keeps the lines that Velkor.ini cannot hold",
      ("if (a != Answer::Yes) return false;", "if (a != Answer::Yes) return true;")),
    # Saving and leaving, the window modes, the main window's handlers.
    M("m76", "Abbrechen at the save question ends Velkor",
      ("default:\n            return false;", "default:\n            return true;")),
    M("m77", "a save that failed at leaving ends Velkor and loses the edits",
      ("case Answer::Yes:\n            return Speichern(s, p);", "case Answer::Yes:\n            Speichern(s, p);\n            return true;")),
    M("m78", "after Speichern leaving still asks to save",
      ("s.Changed = false;\n", "")),
    M("m79", "a refused icon hides the window all the same: Velkor is gone from the screen",
      ("if (!p.tray.add()) return false;", "p.tray.add();")),
    M("m80", '"&Fenster" leaves the icon beside the window',
      ("void fromTray(Platform& p) {\n    p.tray.remove();", "void fromTray(Platform& p) {"),
      ("void showFromTray(Platform& p) {\n    p.tray.remove();", "void showFromTray(Platform& p) {")),
    M("m81", '"&Beenden" at the icon, then Abbrechen: Velkor runs on without icon or window',
      ("    if (!p.tray.add()) p.view.setVisible(true);\n}", "}")),
    M("m82", "the icon's menu opens when the right button is let go, not when pressed",
      ("kRightButtonDown = 0x204;", "kRightButtonDown = 0x205;")),
    M("m83", "the icon opens its menu while a dialog opened from it is still open",
      ("if (p.view.modalOpen()) {", "if (false) {")),
    M("m84", "a right click on the visible window opens the icon's menu",
      ("if (p.view.isVisible() || button != kRightButton) return;", "if (button != kRightButton) return;")),
    M("m85", "after Explorer restarts, Velkor adds an icon although its window is shown",
      ("if (!p.view.isVisible() && !p.tray.add()) p.view.setVisible(true);", "if (!p.tray.add()) p.view.setVisible(true);")),
    M("m86", "Velkor ignores \"In Taskleiste starten\" and starts with its window",
      ("if (s_.Settings.Taskleiste != kOn || !toTray(p_)) p_.view.setVisible(true);", "p_.view.setVisible(true);"),
      ("if (s_.Settings.Taskleiste != kOn || !hideInTray(p_)) p_.view.setVisible(true);", "p_.view.setVisible(true);")),
    M("m87", "the icon's record is never filled: the icon does not appear",
      ("p_.tray.prepare();\n", "")),
    M("m88", "during Velkor's own restart Windows' shutdown asks about unsaved edits again",
      ("return p_.system.rebootRequested() || mayLeave(s_, p_);", "return mayLeave(s_, p_);"),
      ("return s_.rebootRequested || mayLeave(s_, p_);", "return mayLeave(s_, p_);")),
    M("m89", "an accepted edit is not counted as a change: leaving does not ask to save it",
      ("showName(row);\n    s_.Changed = true;", "showName(row);")),
    M("m90", 'an "&" in a component\'s name shows as an access key',
      ("p_.view.showName(row, doubled(s_.OptionTable[row].Name, '&'));", "p_.view.showName(row, s_.OptionTable[row].Name);")),
    M("m91", "the last row's name is not shown at start",
      ("for (int i = 0; i < kOptionCount; ++i) showName(i);", "for (int i = 0; i < kOptionCount - 1; ++i) showName(i);")),
    M("m92", "unticking a row is ignored",
      ("s_.OptionTable[row].Ticked = ticked ? 1 : 0;", "if (ticked) s_.OptionTable[row].Ticked = 1;")),
    M("m93", 'Abbrechen at "Laden" starts Velkor with empty rows, which the next save writes',
      ("if (a != Answer::Retry) return false;", "if (a != Answer::Retry) break;")),
    M("m94", 'a Velkor.ini held open by another program is not noticed: no "Laden" box, empty rows',
      ("if (files.exists(ini) && !files.read(ini, 1)) return ini;\n", "")),
    # Settings, the registration, the about box.
    M("m95", "a hand-edited flag of 1 shows its \"Keine Löschen-Meldung\" box unticked",
      ("s.LöschenMSG != kOn, s.StartenMSG != kOn", "s.LöschenMSG == kOff, s.StartenMSG != kOn")),
    M("m96", '"Keine Neu-starten-Meldung" ticked switches the notice on',
      ("s.StartenMSG = flag(!c.keineNeustartMeldung);", "s.StartenMSG = flag(c.keineNeustartMeldung);")),
    M("m97", "leaving after the settings dialog was accepted does not ask to save",
      ("s.Settings = settingsOf(checks);\n    s.Changed = true;", "s.Settings = settingsOf(checks);")),
    M("m98", "a refused .vkf registration is not told",
      ("if (checks.dateitypRegistrieren && !registerVkfFiles(p.registry, p.system.programFolder()))",
       "if (checks.dateitypRegistrieren && (registerVkfFiles(p.registry, p.system.programFolder()), false))")),
    M("m99", "the registration asks for all access to the keys: refused to a user who is no administrator",
      ("kCreateAccess = 0x20017", "kCreateAccess = 0xF003F")),
    M("m100", "the registration names no default verb: shells that need one cannot open a .vkf",
      ('{klasse + "\\\\Shell", &verb},', '{klasse + "\\\\Shell", nullptr},')),
    M("m101", "an empty description is written as the file type's name",
      ("{klasse, beschreibung.empty() ? nullptr : &beschreibung},", "{klasse, &beschreibung},")),
    M("m102", "a key that cannot be closed counts as written",
      ("return registry.closeKey(opened) == 0 && written;", "registry.closeKey(opened);\n    return written;")),
    M("m103", "a key stays open when its value cannot be written",
      ("bool written = registry.setValue(opened, name, value.Typ, value.Text) == 0;",
       "if (registry.setValue(opened, name, value.Typ, value.Text) != 0) return false;\n    bool written = true;")),
    M("m104", ".vkf files show the program's second icon",
      ('exe + ",0"', 'exe + ",1"')),
    M("m105", "the about box's link opens no mail program: it lacks mailto:",
      ('return "mailto:" VELKOR_CONTACT;', "return VELKOR_CONTACT;")),
    M("m106", "without a mail program a click on the link does nothing, without a word",
      ("if (!p.system.openLink(contactLink()))", "if (!p.system.openLink(contactLink()) && false)")),
    # Text rules of the Windows side.
    M("m107", "a program path in quotes with blanks is taken for the file to open",
      ("quoted = !quoted;", "quoted = false;")),
    M("m108", "a tab after the program name becomes part of the file name",
      ("while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\\t')) ++i;",
       "while (i < commandLine.size() && commandLine[i] == ' ') ++i;")),
    M("m109", "Velkor in a drive's root looks for its Velkor.ini in the current folder of that drive",
      ("if (slash == 2 && path[1] == ':') return path.substr(0, 3);\n", "")),
    M("m110", "a Yes/No box closed from its system menu counts as Yes",
      ("return result == kIdYes ? Answer::Yes : Answer::No;", "return result == kIdNo ? Answer::No : Answer::Yes;")),
    # The Win32 windows and platform: only the shipped build and its stories see these.
    M("m111", "the main window has a minimise box",
      ("constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;", "constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;")),
    M("m112", "the main window is one pixel too high",
      ("kClientWidth = 4215, kClientHeight = 3135;", "kClientWidth = 4215, kClientHeight = 3150;")),
    M("m113", "the frame around the rows draws its line half a text line below the top",
      ('{IDC_FRAME1, "STATIC", "", SS_ETCHEDFRAME,', '{IDC_FRAME1, "BUTTON", "", BS_GROUPBOX,')),
    M("m114", '"Datei/Neu starten" saves instead of restarting',
      ("{IDM_NEUS, 1, [](Form1& f, int, bool) { f.MNeuS_Click(); }},", "{IDM_NEUS, 1, [](Form1& f, int, bool) { f.Command3_Click(); }},"),
      ("{IDM_NEUS, 1, [](Form1& f, int, bool) { f.Command2_Click(); }},", "{IDM_NEUS, 1, [](Form1& f, int, bool) { f.Command3_Click(); }},"),
      ("{{IDC_COMMAND2, IDM_NEUS}, 1, [](Form1& f, int, bool) { f.Command2_Click(); }},",
       "{{IDC_COMMAND2}, 1, [](Form1& f, int, bool) { f.Command2_Click(); }},\n"
       "    {{IDM_NEUS}, 1, [](Form1& f, int, bool) { f.Command3_Click(); }},")),
    M("m115", "a window minimised before it went to the icon comes back minimised",
      ("ShowWindow(window_, !visible ? SW_HIDE : IsIconic(window_) ? SW_RESTORE : SW_SHOW);", "ShowWindow(window_, !visible ? SW_HIDE : SW_SHOW);")),
    M("m116", '"&Fenster" is not drawn bold in the icon\'s menu',
      ("SetMenuDefaultItem(contextMenu_.handle(), IDM_FENSTER, FALSE);\n", "")),
    M("m117", "the icon opens its menu over an open dialog (the main window's test for one)",
      ("return !IsWindowEnabled(window_);", "return false;")),
    M("m118", "a click on the icon does not bring a dialog lost behind other windows forward",
      ("if (found) SetForegroundWindow(found);\n", "")),
    M("m119", "the close box ends Velkor without asking about unsaved edits",
      ("if (form_ && form_->Form_Unload()) return;  // the user chose to stay\n", "")),
    M("m120", "Windows' shutdown ends Velkor without asking about unsaved edits",
      ("return !form_ || form_->Form_QueryEndSession();", "return TRUE;")),
    M("m121", "a right click on the icon does not reach Velkor as a click",
      ("constexpr UINT kCallbackMessage = WM_RBUTTONDOWN;", "constexpr UINT kCallbackMessage = WM_APP + 2;")),
    M("m122", "the icon's record is as long as today's headers make it: Windows 95 refuses the icon",
      ("constexpr DWORD kTrayRecordSize = offsetof(NOTIFYICONDATAA, szTip) + 64;", "constexpr DWORD kTrayRecordSize = sizeof(NOTIFYICONDATAA);")),
    M("m123", '"Speichern unter" of a name without extension saves a file without ".vkf"',
      ('dialog.lpstrDefExt = "vkf";\n', "")),
    M("m124", "the registry values are written without their closing zero byte",
      ("static_cast<DWORD>(data.size() + 1)", "static_cast<DWORD>(data.size())")),
    M("m125", "deleting a file that is not there counts as a failure",
      ("return isMissing(GetLastError()) && !exists(path);", "return isMissing(GetLastError()) && !exists(path) && false;")),
    M("m126", "a save cannot replace the existing file",
      ("MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH", "MOVEFILE_WRITE_THROUGH")),
    M("m127", "Velkor.exe needs GetFileAttributesExA, which the first Windows 95 lacks",
      ("return GetFileAttributesA(path.c_str());",
       "WIN32_FILE_ATTRIBUTE_DATA data;\n    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.dwFileAttributes\n"
       "                                                                             : INVALID_FILE_ATTRIBUTES;")),
    M("m128", "a value of Velkor.ini that fills its room comes back one character short",
      ("static_cast<DWORD>(capacity), file.c_str());", "static_cast<DWORD>(capacity - 1), file.c_str());")),
    M("m129", "on Windows NT the reboot is refused: the shutdown privilege is not enabled",
      ("if (!isWindows9x()) enableShutdownPrivilege();", "if (isWindows9x()) enableShutdownPrivilege();")),
    M("m146", "on Windows 9x the reboot asks for NT's shutdown privilege all the same",
      ("if (!isWindows9x()) enableShutdownPrivilege();", "enableShutdownPrivilege();")),
    M("m130", "a second start of Velkor runs a second copy instead of handing over",
      ("first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;", "first_ = true;")),
    M("m131", "the one-Velkor name holds backslashes, which NT refuses: two copies run",
      ("if (c == '\\\\') c = '/';", "if (c == '/') c = '\\\\';")),
    M("m132", 'Abbrechen at "Laden" leaves Velkor running without a window',
      ("if (!form.Form_Load()) window.endProgram();", "form.Form_Load();")),
    M("m133", "Tab and the buttons' access keys do nothing in the main window",
      ("        HWND main = window.handle();\n        if (main && IsDialogMessageA(main, &message)) continue;\n", "")),
    M("m134", "the dialogs do not stand centred over the main window",
      ("int left = (2 * area.left + (area.right - area.left)", "int left = (area.left + (area.right - area.left)")),
    M("m135", "a dialog's close box counts as its Ü&bernehmen",
      ("virtual void onClose() { end(0); }", "virtual void onClose() { end(1); }"),
      ("case WM_CLOSE:  // the close box cancels\n            end(0);", "case WM_CLOSE:  // the close box cancels\n            end(1);")),
    M("m136", "Escape in the editor's lines closes it and drops what was typed",
      ("if (wParam == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_CHAR)) return 0;\n", "")),
    M("m137", '"X" in the arrange dialog empties the row below',
      ('SetWindowTextA(item(id - IDC_F3_COMMAND2_FIRST + IDC_F3_TEXT1_FIRST), "");',
       'SetWindowTextA(item(id - IDC_F3_COMMAND2_FIRST + IDC_F3_TEXT1_FIRST + 1), "");')),
    M("m138", '"Ü&bernehmen" in the arrange dialog takes over the rows as they were',
      ("for (int r = 0; r < kRows; ++r) rows_[r] = textOf(item(IDC_F3_TEXT1_FIRST + r));\n", "")),
    M("m139", '"In Taskleiste starten" is read from the SofortStart box',
      ("{IDC_F4_CHECK1, &SettingsChecks::inTaskleisteStarten},", "{IDC_F4_CHECK1, &SettingsChecks::sofortStarten},")),
    M("m140", "a click on the about box's link does nothing",
      ("    if (id == IDC_F5_LINK) followLink_();", "    (void)id;")),
    M("m141", "windows and controls are laid out too wide",
      ("int x(int twips) const { return MulDiv(twips, dpiX_, 1440); }", "int x(int twips) const { return MulDiv(twips, dpiX_, 1400); }")),
    M("m142", "a configuration entry shown again lands at the wrong place in its menu",
      ("if (other.shown) ++position;", "++position;")),
    M("m143", "moving text within a string corrupts it in the shipped program",
      ("if (p < q) return memcpy(to, from, count);", "if (p > q) return memcpy(to, from, count);")),
    M("m144", "the file operations are built for the Pentium Pro: Velkor stops on an i486",
      ("// File operations through the ANSI functions Windows 95 has.\n#include <algorithm>",
       '// File operations through the ANSI functions Windows 95 has.\n#pragma GCC target("arch=pentiumpro")\n#include <algorithm>')),
    M("m145", "the restart's way out of a failure is copied into each place that fails: Velkor.exe outgrows 64 KB",
      ("    bool fail(const std::string& what) {", "    [[gnu::always_inline]] bool fail(const std::string& what) {")),
]
MUTANT_IDS = {m.id: m for m in MUTANTS}

# Runs per fuzz target when its corpus is grown, once: about half a minute each;
# and for each mutant, after the corpus: a few seconds each.
FUZZ_RUNS = {"ini": 100000, "config_file": 1000000}
MUTANT_FUZZ_RUNS = {"ini": 20000, "config_file": 100000}
FUZZ_ENV = dict(os.environ, ASAN_OPTIONS="malloc_context_size=0:quarantine_size_mb=16")
LEVELS = ("unit", "fuzz", "i686")
# A level's results count only against a baseline the same harness measured.
LEVEL_VERSION = {"unit": 1, "fuzz": 3, "i686": 1}
FORMAT = 2
PRESET = {"unit": "native", "fuzz": "fuzz", "i686": "i686"}
# What only the Windows builds compile.
WINDOWS_ONLY = ("src/win32/", "src/platform/win32/", "src/runtime/")
TIMEOUT = {"build": 1800, "unit": 900, "unit_case": 300, "fuzz": 300, "grow": 600, "ctest": 900}
SKIPPED_IN_COPY = {"build", "run", ".git", "__pycache__"}


def log(*text):
    print(*text, flush=True)


def run(command, cwd, timeout, log_file=None, env=None):
    """Runs `command` in its own process group; returns (exit code, output). A
    time-out kills the group and gives the code "timeout"."""
    with tempfile.TemporaryFile() as out:
        proc = subprocess.Popen(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, env=env,
                                start_new_session=True)
        try:
            code = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
            code = "timeout"
        out.seek(0)
        text = out.read().decode("utf-8", "replace")
    if log_file and code != 0:
        log_file.parent.mkdir(parents=True, exist_ok=True)
        log_file.write_text(" ".join(map(str, command)) + f"\n=> {code}\n" + text[-200000:])
    return code, text


# The tree under test and its scratch copy.

def tree_files(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel = Path(dirpath).relative_to(root)
        dirnames[:] = sorted(d for d in dirnames if d not in SKIPPED_IN_COPY or rel != Path("."))
        dirnames[:] = [d for d in dirnames if d not in (".git", "__pycache__")]
        for name in sorted(filenames):
            if name != ".git":
                yield rel / name


def sync_copy(tree, scratch):
    """Makes `scratch` hold what `tree` holds (its builds aside), touching only
    files that differ, so that the builds in the copy stay incremental.
    Returns a fingerprint of the content."""
    digest = hashlib.sha256()
    wanted = set()
    for rel in tree_files(tree):
        data = (tree / rel).read_bytes()
        if rel != Path("tools/mutants.py"):  # the list of mutants is no part of the tree under test
            digest.update(str(rel).encode() + b"\0" + hashlib.sha256(data).digest())
        wanted.add(rel)
        target = scratch / rel
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            shutil.copymode(tree / rel, target)
    for rel in list(tree_files(scratch)):
        if rel not in wanted:
            (scratch / rel).unlink()
    return digest.hexdigest()[:16]


def locate(mutant, root):
    """The first alternative of the mutant found in src/: (file, offset, search,
    replace), or (None, why)."""
    sources = {}
    for path in sorted((root / "src").rglob("*")):
        if path.is_file():
            try:
                sources[path] = path.read_text(encoding="utf-8")
            except UnicodeDecodeError:
                continue
    for search, replace in mutant.changes:
        hits = [(path, text.find(search)) for path, text in sources.items() if search in text]
        count = sum(text.count(search) for text in sources.values())
        if count == 1:
            return hits[0][0], hits[0][1], search, replace
        if count > 1:
            return None, f"found {count} times: " + ", ".join(str(p.relative_to(root)) for p, _ in hits)
    return None, "not found in src/"


# The levels.

class Runner:
    def __init__(self, scratch, out, mode):
        self.scratch, self.out, self.mode = scratch, out, mode
        self.logs = out / "logs"
        self.corpus = out / "fuzz-corpus"
        self.ctest_tests = None  # the shipped build's tests: the checks as one group, then each other alone

    def build(self, level, name):
        preset = PRESET[level]
        build_dir = self.scratch / "build" / preset
        if not (build_dir / "CMakeCache.txt").is_file():
            code, _ = run(["cmake", "--preset", preset], self.scratch, TIMEOUT["build"],
                          self.logs / f"{name}-{level}-configure.log")
            if code != 0:
                return False
        code, _ = run(["cmake", "--build", "--preset", preset, "-j2"], self.scratch, TIMEOUT["build"],
                      self.logs / f"{name}-{level}-build.log")
        return code == 0

    def unit(self, name):
        binary = self.scratch / "build/native/tests/unit/unit_tests"
        with tempfile.TemporaryDirectory() as tmp:
            report = Path(tmp) / "unit.json"
            code, _ = run([str(binary), f"--gtest_output=json:{report}"], self.scratch, TIMEOUT["unit"],
                          self.logs / f"{name}-unit.log")
            if report.is_file():
                results = {}
                for suite in json.loads(report.read_text())["testsuites"]:
                    for case in suite["testsuite"]:
                        results[f"{suite['name']}.{case['name']}"] = "fail" if case.get("failures") else "pass"
                if code == 0 or "fail" in results.values():
                    return results
        # A crash or a hang: every case alone.
        _, listing = run([str(binary), "--gtest_list_tests"], self.scratch, 60)
        results, suite = {}, ""
        for line in listing.splitlines():
            if line and not line.startswith(" "):
                suite = line.strip()
            elif line.strip():
                case = suite + line.strip().split()[0]
                code, _ = run([str(binary), f"--gtest_filter={case}"], self.scratch, TIMEOUT["unit_case"],
                              self.logs / f"{name}-unit-{case}.log")
                results[case] = "pass" if code == 0 else "fail"
        return results

    def fuzz_targets(self):
        folder = self.scratch / "build/fuzz/tests/fuzz"
        return sorted(p for p in folder.glob("fuzz_*") if p.is_file() and os.access(p, os.X_OK))

    def grow_corpus(self):
        """Fuzzes each target once, from the corpus in the tree, into the corpus
        that every mutant replays. Repeatable: a fixed seed and number of runs,
        no reloading, and addresses not randomised."""
        fixed = ["setarch", "-R"] if shutil.which("setarch") else []
        for target in self.fuzz_targets():
            name = target.name[len("fuzz_"):]
            grown = self.corpus / name
            if grown.is_dir() and any(grown.iterdir()):
                continue
            grown.mkdir(parents=True, exist_ok=True)
            code, _ = run(fixed + [str(target), f"-runs={FUZZ_RUNS.get(name, 100000)}", "-seed=1", "-reload=0",
                                   "-timeout=20", "-rss_limit_mb=2048", f"-artifact_prefix={grown}-",
                                   str(grown), str(self.scratch / "tests/fuzz/corpus" / name)],
                          self.scratch, TIMEOUT["grow"], self.logs / f"grow-{target.name}.log", FUZZ_ENV)
            if code != 0:
                shutil.rmtree(grown)
                sys.exit(f"fuzzing {target.name} without a mutant failed (see {self.logs})")

    def fuzz(self, name):
        """Each target replays the corpus, then fuzzes on from it. Returns the
        results, and the targets that failed only while fuzzing."""
        results, fuzzing = {}, []
        fixed = ["setarch", "-R"] if shutil.which("setarch") else []
        for target in self.fuzz_targets():
            short = target.name[len("fuzz_"):]
            corpus = [str(c) for c in (self.corpus / short, self.scratch / "tests/fuzz/corpus" / short) if c.is_dir()]
            for step, runs in (("replay", 0), ("fuzzing", MUTANT_FUZZ_RUNS.get(short, 20000))):
                with tempfile.TemporaryDirectory() as new, tempfile.TemporaryDirectory() as artifacts:
                    code, _ = run(fixed + [str(target), f"-runs={runs}", "-seed=1", "-reload=0", "-timeout=20",
                                           "-rss_limit_mb=2048", f"-artifact_prefix={artifacts}/", new] + corpus,
                                  self.scratch, TIMEOUT["fuzz"], self.logs / f"{name}-{target.name}-{step}.log",
                                  FUZZ_ENV)
                results[target.name] = "pass" if code == 0 else "fail"
                if code != 0:
                    fuzzing += [target.name] if step == "fuzzing" else []
                    break
        return results, fuzzing

    def list_ctest(self):
        code, text = run(["ctest", "--test-dir", str(self.scratch / "build/i686"), "--show-only=json-v1"],
                         self.scratch, 120)
        tests = []
        for t in json.loads(text[text.index("{"):])["tests"]:
            labels = next((p["value"] for p in t.get("properties", []) if p["name"] == "LABELS"), [])
            tests.append((t["name"], labels))
        shipped = [n for n, labels in tests if "shipped" in labels]
        return [shipped] + [[n] for n, labels in tests if "shipped" not in labels]

    def ctest(self, names, name):
        with tempfile.TemporaryDirectory() as tmp:
            report = Path(tmp) / "ctest.xml"
            pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
            run(["ctest", "--test-dir", str(self.scratch / "build/i686"), "-R", pattern, "-j1",
                 "--output-on-failure", "--output-junit", str(report)], self.scratch, TIMEOUT["ctest"],
                self.logs / f"{name}-{names[0] if len(names) == 1 else 'shipped'}.log")
            results = {n: "fail" for n in names}  # unless CTest says otherwise
            if report.is_file():
                for case in ET.parse(report).getroot().iter("testcase"):
                    results[case.get("name")] = {"run": "pass", "fail": "fail"}.get(case.get("status"), "skip")
        return results

    def shipped_fingerprint(self):
        """The shipped programs as built, without the link time and checksum."""
        digest = hashlib.sha256()
        for rel in ("src/win32/Velkor.exe", "tests/profile/profile_check.exe"):
            path = self.scratch / "build/i686" / rel
            data = bytearray(path.read_bytes()) if path.is_file() else bytearray()
            if data[:2] == b"MZ":
                pe = int.from_bytes(data[0x3C:0x40], "little")
                data[pe + 8:pe + 12] = bytes(4)  # TimeDateStamp
                data[pe + 88:pe + 92] = bytes(4)  # CheckSum
            digest.update(bytes(data))
        return digest.hexdigest()

    def level(self, level, name, base=None, relevant=True):
        """Runs one level, for a mutant, or without one if `base` (that level's
        baseline) is None. Returns a record: status ("ran", "build failed", "not
        compiled here", "same shipped programs"), tests, seconds."""
        start, record = time.monotonic(), {"version": LEVEL_VERSION[level], "tests": {}}
        if not relevant:
            record["status"] = "not compiled here"
        elif not self.build(level, name):
            record["status"] = "build failed"
        elif level == "unit":
            record["status"], record["tests"] = "ran", self.unit(name)
        elif level == "fuzz":
            if base is None:
                self.grow_corpus()
            record["status"] = "ran"
            record["tests"], record["only_fuzzing"] = self.fuzz(name)
        else:
            fingerprint = self.shipped_fingerprint()
            if self.ctest_tests is None:
                self.ctest_tests = self.list_ctest()
            if base is not None and fingerprint == base["fingerprint"]:
                record["status"] = "same shipped programs"
            else:
                record["status"], record["fingerprint"] = "ran", fingerprint
                for group in self.ctest_groups(base):
                    t0 = time.monotonic()
                    results = self.ctest(group, name)
                    if base is None and len(group) == 1:
                        record.setdefault("each", {})[group[0]] = round(time.monotonic() - t0, 1)
                    for test in group:
                        # A story that fails once only is flaky, not a catch.
                        if base is not None and test.startswith("e2e_") and results[test] == "fail" and \
                                self.ctest([test], name)[test] == "pass":
                            results[test] = "flaky"
                    record["tests"].update(results)
                    if self.mode == "cascade" and base is not None and caught(results, base["tests"]):
                        break
        record["seconds"] = round(time.monotonic() - start, 1)
        return record

    def ctest_groups(self, base):
        if base is None:
            return self.ctest_tests
        # The checks, then the cheapest first, as the baseline measured them; the stories last.
        took = base.get("each", {})
        return [self.ctest_tests[0]] + sorted(self.ctest_tests[1:],
                                              key=lambda g: (g[0].startswith("e2e_"), took.get(g[0], 0)))


def caught(results, base_tests):
    return [t for t, r in results.items() if r == "fail" and base_tests.get(t) == "pass"]


def verdict(record, base):
    """What the levels of a mutant's record add up to: (state, caught by, first level that caught)."""
    if record.get("state") == "no match":
        return "no match", [], None
    by, at = [], None
    for lv in LEVELS:
        r = record["levels"].get(lv)
        if r is None:
            continue
        if r["status"] == "build failed":
            return "invalid", [], None
        hit = caught(r["tests"], base["levels"][lv]["tests"]) if lv in base["levels"] else []
        by += hit
        at = at or (lv if hit else None)
    return ("caught" if by else "survives"), by, at


def unexplained_skips(record, tree):
    allowed_file = tree / "tools" / "allowed-skips.txt"
    allowed = {line.split()[0] for line in allowed_file.read_text().splitlines()
               if line.strip() and not line.startswith("#")} if allowed_file.is_file() else set()
    return [t for t, r in record["tests"].items() if r == "skip" and t not in allowed]


# Results.

def load(path, fingerprint):
    if path.is_file():
        data = json.loads(path.read_text())
        if data.get("fingerprint") == fingerprint and data.get("format") == FORMAT:
            return data
        log(f"{path.name}: made from another tree or by an older harness; starting afresh")
    return {"format": FORMAT, "fingerprint": fingerprint, "baseline": {"levels": {}}, "mutants": {}}


def save(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    tmp = path.with_suffix(".tmp")
    tmp.write_text(json.dumps(data, indent=1, ensure_ascii=False))
    tmp.replace(path)


def summary(data, mode):
    base = data["baseline"]
    base_tests = {t: r for lv in base["levels"].values() for t, r in lv["tests"].items()}
    tests = [t for t, r in base_tests.items() if r == "pass"]
    lines = [f"Mutants of {data.get('tree')} ({mode}), tree {data['fingerprint']}; levels "
             + ", ".join(f"{lv} ({rec['seconds']:.0f} s without a mutant)" for lv, rec in base["levels"].items())
             + f"; {len(tests)} tests pass without a mutant."]
    broken = [t for t, r in base_tests.items() if r != "pass"]
    if broken:
        lines.append("Not passing without a mutant, so never counted: " + ", ".join(broken))
    rows, survivors, invalid, missing, total, run_count = [], [], [], [], 0.0, 0
    only = {t: [] for t in tests}
    catches = {t: 0 for t in tests}
    for m in MUTANTS:
        r = data["mutants"].get(m.id)
        if r is None:
            continue
        state, by, at = verdict(r, base)
        if state == "no match":
            missing.append(f"{m.id} {r['why']}: {m.what}")
            continue
        run_count += 1
        seconds = sum(rec["seconds"] for rec in r["levels"].values())
        total += seconds
        if state == "invalid":
            invalid.append(f"{m.id} does not build ({', '.join(lv for lv, rec in r['levels'].items() if rec['status'] == 'build failed')}): {m.what}")
            continue
        for t in by:
            catches[t] = catches.get(t, 0) + 1
        if len(by) == 1 and mode == "full":
            only.setdefault(by[0], []).append(m.id)
        notes = [f"{lv}: {rec['status']}" for lv, rec in r["levels"].items() if rec["status"] != "ran"]
        notes += [f"{lv}: not run" for lv in LEVELS if lv not in r["levels"] and (mode == "full" or not by)]
        fuzzing = [t for t in r["levels"].get("fuzz", {}).get("only_fuzzing", []) if t in by]
        if fuzzing:
            notes.append("found only by fuzzing on: " + ", ".join(fuzzing))
        flaky = [t for rec in r["levels"].values() for t, s in rec["tests"].items() if s == "flaky"]
        if flaky:
            notes.append("flaky: " + ", ".join(flaky))
        where = f" at {at}" if mode == "cascade" and by else ""
        rows.append(f"{m.id:5} {seconds:4.0f} s  {m.what}  [{r['file']}:{r['line']}]\n      "
                    + (f"caught{where} by {len(by)}: " + ", ".join(by) if by else "SURVIVES")
                    + (f"  ({'; '.join(notes)})" if notes else ""))
        if not by:
            survivors.append(f"{m.id} {m.what}")
    lines.append(f"{run_count} mutants run: {run_count - len(invalid) - len(survivors)} caught, "
                 f"{len(survivors)} survive, {len(invalid)} not valid; {len(missing)} not found in this tree. "
                 f"Time {total / 60:.0f} min in all, {total / max(run_count, 1):.0f} s a mutant.")
    lines += ["", "Each mutant: its time, what it breaks, where, and the tests that catch it"] + rows
    lines += ["", "Survive every level:"] + (survivors or ["(none)"])
    if invalid or missing:
        lines += ["", "Not valid or not found:"] + invalid + missing
    if mode == "full":
        lines += ["", "Each test: how many mutants it catches, and those only it catches"]
        for t in tests:
            lines.append(f"{t}: {catches[t]}" + (f"; only it: {' '.join(only[t])}" if only[t] else ""))
        lines += ["", "Catch something, but nothing alone (candidates for removal): "
                  + (", ".join(t for t in tests if catches[t] and not only[t]) or "(none)"),
                  "Catch nothing: " + (", ".join(t for t in tests if not catches[t]) or "(none)"),
                  "The only ones to catch something (must stay): "
                  + (", ".join(t for t in tests if only[t]) or "(none)")]
    else:
        lines += ["", "A cascade stops at the first level that catches: who else would is not known."]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--full", action="store_const", const="full", dest="mode")
    mode.add_argument("--cascade", action="store_const", const="cascade", dest="mode")
    mode.add_argument("--check", action="store_const", const="check", dest="mode")
    parser.add_argument("--summary", action="store_true", help="only print the summary of the last run")
    parser.add_argument("--tree", type=Path, default=REPO)
    parser.add_argument("--scratch", type=Path)
    parser.add_argument("--levels", default=",".join(LEVELS))
    parser.add_argument("--resume", action="store_true")
    parser.add_argument("ids", nargs="*")
    args = parser.parse_args()
    tree = args.tree.resolve()
    out = tree / "build" / "mutants"
    unknown = [i for i in args.ids if i not in MUTANT_IDS]
    if unknown:
        sys.exit("no such mutant: " + " ".join(unknown))
    chosen = [MUTANT_IDS[i] for i in args.ids] if args.ids else MUTANTS

    if args.mode == "check":
        bad = 0
        for m in chosen:
            found = locate(m, tree)
            if found[0] is None:
                bad += 1
                log(f"{m.id} {found[1]}: {m.what}")
            else:
                path, offset, search, _ = found
                line = path.read_text(encoding="utf-8")[:offset].count("\n") + 1
                alt = [s for s, _ in m.changes].index(search)
                log(f"{m.id} {path.relative_to(tree)}:{line}" + (f" (alternative {alt + 1})" if alt else ""))
        log(f"{len(chosen) - bad} of {len(chosen)} mutants apply")
        return 1 if bad else 0

    results_file = out / f"results-{args.mode}.json"
    if args.summary:
        print(summary(json.loads(results_file.read_text()), args.mode), end="")
        return 0

    os.nice(10)
    levels = [lv for lv in LEVELS if lv in args.levels.split(",")]
    scratch = (args.scratch or out / "tree").resolve()
    if scratch == tree or tree in scratch.parents and "build" not in scratch.relative_to(tree).parts:
        sys.exit("the scratch copy must lie outside the tree under test, or in its build folder")
    scratch.mkdir(parents=True, exist_ok=True)
    data = load(results_file, sync_copy(tree, scratch))
    data["tree"] = str(tree)
    runner = Runner(scratch, out, args.mode)
    base = data["baseline"]

    # Each level without a mutant, unless that was done by this harness on this tree.
    for lv in levels:
        if base["levels"].get(lv, {}).get("version") == LEVEL_VERSION[lv]:
            continue
        log(f"baseline: {lv} without a mutant")
        record = runner.level(lv, "baseline")
        if record["status"] != "ran":
            sys.exit(f"baseline: {lv} {record['status']} (see {out / 'logs'})")
        failing = [t for t, r in record["tests"].items() if r != "pass"]
        log(f"baseline: {lv}: {len(record['tests'])} tests" + (f", not passing: {', '.join(failing)}" if failing else ""))
        # As in tools/test.sh: a skip (Wine or Xvfb missing) would let every
        # mutant that only the stories see survive, an hour later.
        skipped = unexplained_skips(record, tree)
        if skipped:
            sys.exit(f"baseline: skipped without a reason in tools/allowed-skips.txt: {', '.join(skipped)}")
        base["levels"][lv] = record
        for r in data["mutants"].values():
            r.get("levels", {}).pop(lv, None)  # measured against another baseline
        save(results_file, data)

    # Results are kept by what a mutant changes, so that they survive renumbering.
    kept = {tuple(r["change"]): r for r in data["mutants"].values() if "change" in r}
    data["mutants"] = {}
    for m in MUTANTS:
        found = locate(m, scratch)
        if found[0] is not None and tuple(found[2:]) in kept:
            data["mutants"][m.id] = kept[tuple(found[2:])]
    for m in chosen:
        old = data["mutants"].get(m.id, {"levels": {}})
        todo = [lv for lv in levels if not (args.resume and lv in old["levels"])]
        if args.mode == "cascade" and args.resume and verdict(old, base)[0] in ("caught", "invalid"):
            todo = []
        if not todo and old.get("change"):
            continue
        found = locate(m, scratch)
        if found[0] is None:
            data["mutants"][m.id] = {"state": "no match", "why": found[1]}
            log(f"{m.id}: {found[1]}")
            save(results_file, data)
            continue
        path, offset, search, replace = found
        rel = path.relative_to(scratch).as_posix()
        original = path.read_bytes()
        text = original.decode("utf-8")
        record = {"file": rel, "line": text[:offset].count("\n") + 1, "change": [search, replace],
                  "levels": {lv: r for lv, r in old["levels"].items() if lv not in todo}}
        path.write_bytes((text[:offset] + replace + text[offset + len(search):]).encode("utf-8"))
        try:
            for lv in todo:
                relevant = lv == "i686" or not rel.startswith(WINDOWS_ONLY)
                record["levels"][lv] = runner.level(lv, m.id, base["levels"][lv], relevant)
                state, by, _ = verdict(record, base)
                if state == "invalid" or (by and args.mode == "cascade"):
                    break
        finally:
            path.write_bytes(original)
        data["mutants"][m.id] = record
        save(results_file, data)
        state, by, _ = verdict(record, base)
        seconds = sum(record["levels"][lv]["seconds"] for lv in todo if lv in record["levels"])
        log(f"{m.id} {seconds:.0f}s " + ("caught by " + ", ".join(by) if by else state.upper()))

    text = summary(data, args.mode)
    (out / f"summary-{args.mode}.txt").write_text(text)
    print(text, end="")
    return 0


if __name__ == "__main__":
    sys.exit(main())
