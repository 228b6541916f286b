// The arrange dialog, "Konfigurationen anordnen": the nine slots of the configuration list.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/dialog.h"
#include "win32/resource.h"
#include "win32/win32_dialogs.h"

namespace {

constexpr int kClientWidth = 4935, kClientHeight = 2895;  // twips
constexpr int kRows = 9;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr COLORREF kGrey = RGB(192, 192, 192);

// In their tab order: each row's "..." and "X", the two buttons, then the
// nine path boxes.
std::vector<ControlSpec> controls() {
    std::vector<ControlSpec> c;
    for (int r = 0; r < kRows; ++r) {
        int top = 120 + 240 * r;
        c.push_back(
            {IDC_ARRANGE_DIALOG_PICK_FIRST + r, "BUTTON", "...", kButton, 0, 120, top, 375, 255});
        c.push_back(
            {IDC_ARRANGE_DIALOG_CLEAR_FIRST + r, "BUTTON", "X", kButton, 0, 4440, top, 375, 255});
    }
    c.push_back(
        {IDC_ARRANGE_DIALOG_CANCEL, "BUTTON", "&Abbrechen", kButton, 0, 120, 2400, 1455, 375});
    c.push_back(
        {IDC_ARRANGE_DIALOG_ACCEPT, "BUTTON", "Ü&bernehmen", kButton, 0, 3360, 2400, 1455, 375});
    for (int r = 0; r < kRows; ++r)
        c.push_back({IDC_ARRANGE_DIALOG_PATH_FIRST + r, "EDIT", "",
                     ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE, 600,
                     120 + 240 * r, 3735, 285});
    return c;
}

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

ArrangeDialog::~ArrangeDialog() {
    if (rowButtonFont_) DeleteObject(rowButtonFont_);
    if (grey_) DeleteObject(grey_);
}

void ArrangeDialog::onInit() {
    std::vector<ControlSpec> c = controls();
    layOut(kClientWidth, kClientHeight, c.data(), c.size());
    rowButtonFont_ = twips().createFont("MS Sans Serif", 975);
    grey_ = CreateSolidBrush(kGrey);
    for (int r = 0; r < kRows; ++r) {
        for (int id : {IDC_ARRANGE_DIALOG_PICK_FIRST + r, IDC_ARRANGE_DIALOG_CLEAR_FIRST + r})
            SendMessageA(item(id), WM_SETFONT, reinterpret_cast<WPARAM>(rowButtonFont_), FALSE);
        SetWindowTextA(item(IDC_ARRANGE_DIALOG_PATH_FIRST + r), rows_[r].c_str());
    }
    SetFocus(item(IDC_ARRANGE_DIALOG_PICK_FIRST));
}

void ArrangeDialog::onClick(int id) {
    if (id >= IDC_ARRANGE_DIALOG_PICK_FIRST && id < IDC_ARRANGE_DIALOG_PICK_FIRST + kRows) {
        if (std::optional<std::string> path = pick_())
            SetWindowTextA(item(id - IDC_ARRANGE_DIALOG_PICK_FIRST + IDC_ARRANGE_DIALOG_PATH_FIRST),
                           path->c_str());
    } else if (id >= IDC_ARRANGE_DIALOG_CLEAR_FIRST &&
               id < IDC_ARRANGE_DIALOG_CLEAR_FIRST + kRows) {
        SetWindowTextA(item(id - IDC_ARRANGE_DIALOG_CLEAR_FIRST + IDC_ARRANGE_DIALOG_PATH_FIRST),
                       "");
    } else if (id == IDC_ARRANGE_DIALOG_CANCEL) {
        end(0);
    } else if (id == IDC_ARRANGE_DIALOG_ACCEPT) {
        for (int r = 0; r < kRows; ++r) rows_[r] = textOf(item(IDC_ARRANGE_DIALOG_PATH_FIRST + r));
        end(1);
    }
}

INT_PTR ArrangeDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
    // Read-only edits ask their colours as static controls do.
    if (message != WM_CTLCOLORSTATIC || !grey_) return FALSE;
    SetBkColor(reinterpret_cast<HDC>(wParam), kGrey);
    return reinterpret_cast<INT_PTR>(grey_);
}

}  // namespace

bool Win32Dialogs::showArrangeDialog(ConfigRows& rows,
                                     const std::function<std::optional<std::string>()>& pick) {
    return ArrangeDialog(rows, pick).run(instance_, owner_, IDD_ARRANGE_DIALOG) == 1;
}
