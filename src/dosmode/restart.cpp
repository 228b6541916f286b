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

// A live start file, the backup that WIN.COM /WX puts back in its place, and
// what this restart found and did with them.
struct StartFile {
    std::string live, backup;
    std::optional<std::string> liveBytes{}, backupBytes{};  // as found; nothing if missing
    // Velkor's own from an earlier restart: the live file, or the backup,
    // which an earlier program made of Velkor's file.
    bool ours = false, backupOurs = false;
    // The user's file is the backup now; else an empty backup stands for none.
    bool usersMoved = false;
    enum class Stage { Live, BackedUp, Placed } stage = Stage::Live;
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
        if (!ask() || !checkAhead() || !readStartFiles() || !tidyUp()) return false;
        if (s_.settings.noticeBeforeRestart == kOn)
            p_.boxes.show(kRestartNotice, kTitle, mb::Ok | mb::IconExclamation);
        if (!writeNew() || !backUp() || !putNewInPlace()) return false;
        // Set first: Windows 9x asks whether we may end during the request.
        s_.rebootRequested = true;
        if (!p_.system.requestReboot()) {
            s_.rebootRequested = false;
            return fail("Der Neustart des Computers konnte nicht\reingeleitet werden.");
        }
        return true;
    }

  private:
    StartFile& config() { return start_[0]; }
    StartFile& autoexec() { return start_[1]; }

    bool ask() {
        // The restart goes on whatever the answer; a failed save has told the user.
        if (s_.changed && askToSave(p_.boxes, false) == Answer::Yes) saveState(s_, p_);
        const Options& options = s_.options;
        if (std::none_of(options.begin(), options.end(),
                         [](const Option& option) { return option.ticked == 1; })) {
            p_.boxes.show(kNothingTicked, kTitle, mb::Ok | mb::IconHand);
            return false;
        }
        return s_.settings.askBeforeDeleting != kOn ||
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
        for (const std::string& path : {config().live, config().backup, autoexec().live,
                                        autoexec().backup, kConfigApp, kAutoexecApp}) {
            if (files_.exists(path) && !files_.canMove(path))
                return fail(
                    "Die Datei " + path +
                    " ist schreibgeschützt\roder wird von einem anderen Programm\rbenutzt.");
        }
        content_ = makeStartFiles(s_.options, windowsDir_);
        return true;
    }

    // Whose the files are can only be told from what they hold.
    bool readStartFiles() {
        for (StartFile& f : start_) {
            for (auto [path, bytes] :
                 {std::pair{&f.live, &f.liveBytes}, {&f.backup, &f.backupBytes}}) {
                if (!files_.exists(*path)) continue;
                *bytes = files_.read(*path, kReadLimit + 1);
                if (!*bytes) return fail(failed(*path, "gelesen"));
            }
        }
        // A DOS-mode session that did not end by EXIT (a reset, WIN, a restart
        // cut short) leaves Velkor's Autoexec.bat live, or none beside its
        // backup: the backups are what the user boots with.
        const std::optional<std::string>& bat = autoexec().liveBytes;
        left_ = bat ? isVelkorAutoexec(*bat) : autoexec().backupBytes.has_value();
        autoexec().ours = left_ && bat;
        config().ours = left_ && bat && config().liveBytes && bat->size() <= kReadLimit &&
                        isVelkorConfigSys(*config().liveBytes, *bat, s_.options);
        const std::optional<std::string>& batBackup = autoexec().backupBytes;
        autoexec().backupOurs = batBackup && isVelkorAutoexec(*batBackup);
        config().backupOurs = config().ours && same(config().liveBytes, config().backupBytes);
        return true;
    }

    // Leaves the user's current start files live and no backup beside them,
    // as EXIT would have, and deletes nothing that may be the user's: a file
    // that must make way and is not Velkor's own, and a backup that differs
    // from the user's live file, are kept under a name of Velkor's.
    // Autoexec.bat comes last, so that until then a start still sees the session.
    bool tidyUp() {
        for (const std::string& path : {kConfigApp, kAutoexecApp})
            if (!files_.remove(path)) return cannotTidy(failed(path, "gelöscht"));
        for (StartFile& f : start_)
            if (!tidy(f)) return false;
        return true;
    }

    bool tidy(StartFile& f) {
        if (f.backupOurs) {
            if (!files_.remove(f.backup)) return cannotTidy(failed(f.backup, "gelöscht"));
            f.backupBytes.reset();
        }
        if (!f.backupBytes) {
            // Velkor's own with no backup beside it: the user had none.
            if (f.ours && !files_.remove(f.live)) return cannotTidy(failed(f.live, "gelöscht"));
            if (f.ours) f.liveBytes.reset();
            return true;
        }
        bool backupIsCurrent = left_ || !f.liveBytes;
        if (backupIsCurrent) {
            if (f.liveBytes && !f.ours && !same(f.liveBytes, f.backupBytes) && !keep(f.live))
                return false;
            if (!moveOver(files_, f.backup, f.live))
                return cannotTidy(failed(f.backup, "zurückgelegt"));
            f.liveBytes = std::move(f.backupBytes);
            recovered_ = true;
        } else if (same(f.backupBytes, f.liveBytes) || f.backupBytes->empty()) {
            if (!files_.remove(f.backup)) return cannotTidy(failed(f.backup, "gelöscht"));
        } else if (!keep(f.backup)) {
            return false;
        }
        f.backupBytes.reset();
        return true;
    }

    // Moves the file to the first free name of C:\Config.v01 to .v99, or
    // of C:\Autoexec.v01 to .v99.
    bool keep(const std::string& path) {
        std::string kept = path;
        for (int n = 1; n <= 99; ++n) {
            kept.replace(kept.size() - 3, 3, {'v', char('0' + n / 10), char('0' + n % 10)});
            if (!files_.exists(kept)) break;
        }
        return files_.rename(path, kept) || cannotTidy(failed(path, "umbenannt"));
    }

    bool cannotTidy(const std::string& what) {
        std::string text = what;
        for (const StartFile& f : start_)
            if (f.backupBytes) text += stillBackedUp(f);
        report(text);
        return false;
    }

    // Written and read back under names of Velkor's first, so that no start
    // file cut short by a full disk or a power cut ever lies under a live name.
    bool writeNew() {
        const std::pair<const StartFile&, const std::string&> written[] = {
            {config(), content_.configSys}, {autoexec(), content_.autoexecBat}};
        for (auto [f, bytes] : written) {
            const std::string pending = pendingPath(f.live);
            std::optional<std::string> back;
            if (!files_.remove(pending) || !files_.write(pending, bytes) ||
                (back = files_.read(pending, bytes.size() + 1)) != bytes)
                return fail(failed(pending, "geschrieben", back ? kIncomplete : ""));
        }
        return true;
    }

    // The user's Autoexec.bat is moved aside first and put back last: while
    // it is not live, a start sees the session and puts everything back.
    bool backUp() {
        for (StartFile* f : {&autoexec(), &config()}) {
            f->stage = StartFile::Stage::BackedUp;
            f->usersMoved = f->liveBytes.has_value();
            if (f->usersMoved) {
                if (!files_.rename(f->live, f->backup)) {
                    f->stage = StartFile::Stage::Live;
                    return fail(failed(f->live, "umbenannt"));
                }
            } else if (!files_.write(f->backup, "")) {
                // An empty backup, so that EXIT leaves no file of ours live.
                return fail(failed(f->backup, "angelegt"));
            }
        }
        return true;
    }

    bool putNewInPlace() {
        for (StartFile* f : {&autoexec(), &config()}) {
            if (!files_.rename(pendingPath(f->live), f->live))
                return fail(failed(pendingPath(f->live), "umbenannt"));
            f->stage = StartFile::Stage::Placed;
        }
        return true;
    }

    // Puts the user's start files back under their own names, Autoexec.bat
    // last. Returns what could not be put back, one line each, or "". After
    // a failure Autoexec.bat stays Velkor's, or missing beside its backup, so
    // that the next start still sees the session and puts both back.
    std::string putBack() {
        std::string problems;
        for (StartFile& f : start_) {
            if (f.stage == StartFile::Stage::Live) continue;
            if (problems.empty()) problems = putBack(f);
            if (!problems.empty() && f.usersMoved) problems += stillBackedUp(f);
        }
        for (const StartFile& f : start_) files_.remove(pendingPath(f.live));
        return problems;
    }

    // "", or why the file could not go back.
    std::string putBack(StartFile& f) {
        bool placed = f.stage == StartFile::Stage::Placed;
        f.stage = StartFile::Stage::Live;
        if (f.usersMoved) {
            moved_ = true;
            bool back =
                placed ? moveOver(files_, f.backup, f.live) : files_.rename(f.backup, f.live);
            return back ? "" : "\r" + failed(f.backup, "zurückgelegt");
        }
        if (placed && !files_.remove(f.live)) return "\r" + failed(f.live, "gelöscht");
        if (!files_.remove(f.backup)) return "\r" + failed(f.backup, "gelöscht");
        return "";
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

    // "Die Datei X konnte nicht\r<done> werden:\r" and what Windows says.
    std::string failed(const std::string& path, const char* done, const char* cause = "") {
        return "Die Datei " + path + " konnte nicht\r" + done + " werden:\r" +
               (*cause ? cause : causeOf(files_));
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
    std::array<StartFile, 2> start_{
        {{"C:\\Config.sys", "C:\\Config.wos"}, {"C:\\Autoexec.bat", "C:\\Autoexec.wos"}}};
    bool left_ = false;       // a DOS-mode session was not ended by EXIT
    bool recovered_ = false;  // backups were put back
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
