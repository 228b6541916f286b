// Form2, "Option ändern": the name and the start-file lines of one option.
#pragma once
#include <functional>

#include "platform/dialogs.h"
#include "win32/dialog.h"

class OptionDialog : public Dialog {
  public:
    OptionDialog(OptionEdit& texts, const std::function<bool(OptionEdit&)>& accept)
        : texts_(texts), accept_(accept) {}

  private:
    void onInit() override;
    void onClick(int id) override;

    OptionEdit& texts_;
    const std::function<bool(OptionEdit&)>& accept_;
};
