// One Velkor per Velkor.ini: a second start of the same program hands its
// command line to the one that runs and ends, so that two copies never save
// over each other's edits. Copies in other folders have their own Velkor.ini
// and do not meet.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

class OneVelkor {
  public:
    // Claims Velkor.ini at `iniPath` for this run, if no other Velkor has.
    explicit OneVelkor(const std::string& iniPath);
    ~OneVelkor();
    OneVelkor(const OneVelkor&) = delete;
    OneVelkor& operator=(const OneVelkor&) = delete;

    enum class Start { First, HandedOver, NoAnswer };
    // First: this run is the one Velkor (also when the other has just ended).
    // HandedOver: the running Velkor took `commandLine`. NoAnswer: it did not
    // within some seconds.
    Start start(const std::string& commandLine);

    // Stands for this Velkor.ini in what a second start hands over.
    const std::string& key() const { return key_; }

  private:
    bool handOver(const std::string& commandLine) const;

    std::string key_;
    HANDLE mutex_ = nullptr;
    bool first_ = false;
};

// The command line a second start handed over with WM_COPYDATA, if the data
// is one for the Velkor.ini `key` stands for.
std::optional<std::string> handedOverCommandLine(const COPYDATASTRUCT& data,
                                                 const std::string& key);
