// Modal message boxes. Style and answer values are those of the Windows API.
#pragma once
#include <string>

namespace mb {
constexpr unsigned Ok = 0x00, YesNoCancel = 0x03, YesNo = 0x04, RetryCancel = 0x05;
constexpr unsigned IconHand = 0x10, IconQuestion = 0x20, IconExclamation = 0x30;
constexpr unsigned DefaultSecond = 0x100;
}  // namespace mb

enum class Answer { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shown over whichever of the program's windows is in front. `text` may
    // hold several lines joined by a lone CR.
    virtual Answer show(const std::string& text, const std::string& title, unsigned style) = 0;
};
