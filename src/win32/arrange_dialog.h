// Form3, "Konfigurationen anordnen": the nine slots of the configuration list.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "win32/dialog.h"

class ArrangeDialog : public Dialog {
  public:
    ArrangeDialog(ConfigRows& rows, const std::function<std::optional<std::string>()>& pick)
        : rows_(rows), pick_(pick) {}
    ~ArrangeDialog() override;

  private:
    void onInit() override;
    void onClick(int id) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ConfigRows& rows_;
    const std::function<std::optional<std::string>()>& pick_;
    HFONT rowButtonFont_ = nullptr;
    HBRUSH grey_ = nullptr;
};
