#include "dosmode/restart.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "dosmode/start_files.h"
#include "store/replacing.h"
#include "store/saving.h"

namespace {

const char kTitle[] = "Neu starten";
const std::string kRoot = "C:\\";
const std::string kConfigSys = "C:\\Config.sys", kAutoexecBat = "C:\\Autoexec.bat";
const std::string kConfigWos = "C:\\Config.wos", kAutoexecWos = "C:\\Autoexec.wos";
const std::string kConfigApp = "C:\\Config.app", kAutoexecApp = "C:\\Autoexec.app";

// Far more than any start file holds; a longer one is never taken for a copy.
constexpr std::size_t kReadLimit = 1 << 20;

const char kNothingTicked[] =
    "Sie haben keine Option ausgewählt.\r"
    "Der DOS-Modus wird deshalb nicht\r"
    "gestartet. Wählen Sie eine Option\r"
    "und versuchen Sie es erneut.";
const char kDeleteQuestion[] =
    "Folgende Dateien werden jetzt\r"
    "gelöscht, falls sie existieren sollten:\r"
    "C:\\Autoexec.app, C:\\Config.app,\r"
    "C:\\Autoexec.wos, C:\\Config.wos\r"
    "Wollen Sie fortfahren?";
const char kRestartNotice[] =
    "Der Computer wird jetzt im DOS-Modus neu\r"
    "gestartet. Bitte schließen Sie alle Anwendungen\r"
    "und klicken Sie anschließend auf OK.";

// A live start file and the backup that WIN.COM /WX puts back in its place.
struct StartFile {
    std::string live, backup;
    std::optional<std::string> liveBytes{}, backupBytes{};  // as found; nothing if missing
    bool users = false;    // the live file is the user's and is moved aside; else an empty backup
    bool touched = false;  // moved aside (or its empty backup begun): needs putting back
};

std::string stillBackedUp(const StartFile& f) {
    return "\rIhre Datei " + f.live + " liegt noch\rals " + f.backup + " vor.";
}

// Whether both files hold the same bytes; a file too long to compare never does.
bool same(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && a->size() <= kReadLimit && *a == *b;
}

class Restart {
  public:
    Restart(State& s, Platform& p) : s_(s), p_(p), files_(p.files) {}

    bool run() {
        if (!ask() || !checkAhead() || !readStartFiles() || !putBackLeftBackups() ||
            !removeOldBackups())
            return false;
        if (s_.Settings.StartenMSG == kOn)
            p_.boxes.show(kRestartNotice, kTitle, mb::Ok | mb::IconExclamation);
        if (!backUp() || !writeNew()) return false;
        // Set first: Windows 9x asks whether we may end during the request.
        s_.rebootRequested = true;
        if (!p_.system.requestReboot()) {
            s_.rebootRequested = false;
            return fail("Der Neustart des Computers konnte nicht\reingeleitet werden.");
        }
        return true;
    }

  private:
    bool ask() {
        // The restart goes on whatever the answer; a failed save has told the user.
        if (s_.Changed && askToSave(p_.boxes, false) == Answer::Yes) Speichern(s_, p_);
        const OptionTable& t = s_.OptionTable;
        if (std::none_of(t.begin(), t.end(), [](const OptionRecord& r) { return r.Ticked == 1; })) {
            p_.boxes.show(kNothingTicked, kTitle, mb::Ok | mb::IconHand);
            return false;
        }
        return s_.Settings.LöschenMSG != kOn ||
               p_.boxes.show(kDeleteQuestion, "Löschen", mb::YesNo | mb::IconQuestion) ==
                   Answer::Yes;
    }

    // Everything that can be known before the first change on disk.
    bool checkAhead() {
        windowsDir_ = p_.system.windowsDirectory();
        if (windowsDir_.empty())
            return fail("Das Windows-Verzeichnis konnte nicht\rermittelt werden.");
        if (!files_.canCreateIn(kRoot))
            return fail("Im Hauptverzeichnis C:\\ können keine\rDateien angelegt werden.");
        for (const std::string& path :
             {kConfigSys, kAutoexecBat, kConfigWos, kAutoexecWos, kConfigApp, kAutoexecApp}) {
            if (files_.exists(path) && !files_.canMove(path))
                return fail(
                    "Die Datei " + path +
                    " ist schreibgeschützt\roder wird von einem anderen Programm\rbenutzt.");
        }
        content_ = makeStartFiles(s_.OptionTable, windowsDir_);
        return true;
    }

    // Which backup is the only copy of the user's file, and whose the live
    // files are, can only be told from what they hold.
    bool readStartFiles() {
        for (StartFile& f : start_) {
            for (auto [path, bytes] :
                 {std::pair{&f.live, &f.liveBytes}, {&f.backup, &f.backupBytes}}) {
                if (!files_.exists(*path)) continue;
                *bytes = files_.read(*path, kReadLimit + 1);
                if (!*bytes)
                    return fail("Die Datei " + *path + " konnte nicht\rgelesen werden:\r" +
                                causeOf(files_));
            }
        }
        return true;
    }

    // A backup that holds what no live file holds is the only copy of the
    // user's file: a DOS-mode session ended by a reset or by WIN leaves ours
    // live and theirs as backups, and a failed earlier run may leave a backup
    // without its live file. It goes back first, as EXIT would have done.
    bool putBackLeftBackups() {
        for (StartFile& f : start_) {
            if (!f.backupBytes || same(f.backupBytes, f.liveBytes)) continue;
            if (!moveOver(files_, f.backup, f.live)) {
                std::string text = "Die Sicherung " + f.backup + " konnte nicht\rals " + f.live +
                                   " zurückgelegt werden:\r" + causeOf(files_);
                for (const StartFile& g : start_)
                    if (g.backupBytes) text += stillBackedUp(g);
                report(text);
                return false;
            }
            f.liveBytes = std::move(f.backupBytes);
            f.backupBytes.reset();
            recovered_ = true;
        }
        return true;
    }

    // Left now are backups that are copies of their live files.
    bool removeOldBackups() {
        for (const std::string& path : {kConfigApp, kAutoexecApp, kConfigWos, kAutoexecWos})
            if (!files_.remove(path))
                return fail("Die Datei " + path + " konnte nicht\rgelöscht werden:\r" +
                            causeOf(files_));
        return true;
    }

    bool backUp() {
        // An Autoexec.bat of ours with no backup beside it is left from a run
        // that could not remove it: the user had none.
        start_[0].users = start_[0].liveBytes.has_value();
        start_[1].users = start_[1].liveBytes && !isVelkorAutoexec(*start_[1].liveBytes);
        for (StartFile& f : start_) {
            if (f.users) {
                f.touched = files_.rename(f.live, f.backup);
                if (!f.touched)
                    return fail("Die Datei " + f.live + " konnte nicht\rin " + f.backup +
                                " umbenannt werden:\r" + causeOf(files_));
            } else {
                f.touched = true;  // a failed write may still leave a file behind
                if (!files_.write(f.backup, ""))
                    return fail("Die Sicherung " + f.backup + " konnte nicht\rangelegt werden:\r" +
                                causeOf(files_));
            }
        }
        return true;
    }

    // Both files are read back before Windows is asked to reboot: a full disk
    // can cut a file short and still report it written.
    bool writeNew() {
        const std::pair<const std::string&, const std::string&> written[] = {
            {kConfigSys, content_.configSys}, {kAutoexecBat, content_.autoexecBat}};
        for (auto [path, bytes] : written)
            if (!files_.write(path, bytes)) return cannotWrite(path, causeOf(files_));
        for (auto [path, bytes] : written) {
            std::optional<std::string> back = files_.read(path, bytes.size() + 1);
            if (back != bytes) return cannotWrite(path, back ? kIncomplete : causeOf(files_));
        }
        return true;
    }

    bool cannotWrite(const std::string& path, const std::string& cause) {
        return fail("Die neue Datei " + path + " konnte\rnicht geschrieben werden:\r" + cause);
    }

    // Puts the user's start files back under their own names. Returns what
    // could not be put back, one line each, or "".
    std::string putBack() {
        std::string problems;
        for (auto f = start_.rbegin(); f != start_.rend(); ++f) {
            if (!f->touched) continue;
            if (f->users) {
                if (!moveOver(files_, f->backup, f->live)) problems += stillBackedUp(*f);
            } else if (!files_.remove(f->live)) {
                // The empty backup stays, so that the next restart puts it back.
                problems += "\rDie neue Datei " + f->live + " konnte\rnicht gelöscht werden.";
            } else if (!files_.remove(f->backup)) {
                problems += "\rDie leere Datei " + f->backup + " konnte\rnicht gelöscht werden.";
            }
            f->touched = false;
            moved_ = moved_ || f->users;
        }
        return problems;
    }

    bool fail(const std::string& what) {
        std::string problems = putBack();
        if (!problems.empty()) {
            report(what + "\rNicht alles konnte rückgängig gemacht werden:" + problems);
        } else {
            report(what + "\rIhre Startdateien C:\\Config.sys und\rC:\\Autoexec.bat " +
                   (moved_ || recovered_ ? "wurden wiederhergestellt." : "sind unverändert."));
        }
        return false;
    }

    void report(const std::string& text) {
        p_.boxes.show("Der DOS-Modus wird nicht gestartet:\r" + text, kTitle,
                      mb::Ok | mb::IconHand);
    }

    State& s_;
    Platform& p_;
    Files& files_;
    std::string windowsDir_;
    StartFiles content_;
    std::array<StartFile, 2> start_{{{kConfigSys, kConfigWos}, {kAutoexecBat, kAutoexecWos}}};
    bool recovered_ = false;  // backups left behind were put back
    bool moved_ = false;      // a file of the user's was moved aside and put back
};

}  // namespace

bool restartIntoDos(State& s, Platform& p) {
    if (!p.system.hasDosMode()) {
        // The start files would be swapped, Windows would start again and leave them so.
        p.boxes.show(
            "Windows Me hat keinen MS-DOS-Modus.\rDer Computer kann deshalb nicht\r"
            "im DOS-Modus neu gestartet werden.\rIhre Startdateien bleiben unverändert.",
            kTitle, mb::Ok | mb::IconHand);
        return false;
    }
    return Restart(s, p).run();
}
