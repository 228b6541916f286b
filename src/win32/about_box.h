// Form5, "Info": the title, the version, and the contact as a link.
#pragma once
#include <functional>

#include "win32/dialog.h"

class AboutBox : public Dialog {
  public:
    explicit AboutBox(const std::function<void()>& followLink) : followLink_(followLink) {}
    ~AboutBox() override;

  private:
    void onInit() override;
    void onClick(int id) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void drawLink(const DRAWITEMSTRUCT& item);

    const std::function<void()>& followLink_;
    HFONT titleFont_ = nullptr, linkFont_ = nullptr;
    HCURSOR hand_ = nullptr;
};
