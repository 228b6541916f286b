// The about box, "Info": the title, the version, and the contact as a link.
#include <functional>
#include <string>

#include "dialogs/about_box.h"
#include "win32/dialog.h"
#include "win32/resource.h"
#include "win32/win32_dialogs.h"

namespace {

constexpr int kClientWidth = 4650, kClientHeight = 2250;  // twips
constexpr COLORREF kDarkGreen = RGB(0, 128, 0), kLinkBlue = RGB(0, 0, 255),
                   kPressedRed = RGB(255, 0, 0);
const char kTitleFace[] = "Arial Rounded MT Bold";

int CALLBACK noteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool installed(const char* face) {
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, face, noteFound, reinterpret_cast<LPARAM>(&found));
    ReleaseDC(nullptr, screen);
    return found;
}

// The version is wider than its place: it grows to the left, its right edge
// staying under the title's.
void fitLeftwards(HWND label) {
    RECT place;
    GetWindowRect(label, &place);
    MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&place), 2);
    std::string text = textOf(label);
    SIZE size;
    HDC dc = GetDC(label);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    if (size.cx > place.right - place.left)
        SetWindowPos(label, nullptr, place.right - size.cx, place.top, size.cx,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

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

AboutBox::~AboutBox() {
    if (titleFont_) DeleteObject(titleFont_);
    if (linkFont_) DeleteObject(linkFont_);
}

void AboutBox::onInit() {
    const std::string version = versionText(), contact = contactText();
    const ControlSpec controls[] = {
        {IDC_ABOUT_BOX_TITLE, "STATIC", "Velkor", SS_CENTER, 0, 120, 60, 4395, 855},
        {IDC_ABOUT_BOX_VERSION, "STATIC", version.c_str(), SS_LEFT, 0, 3720, 720, 795, 195},
        {IDC_ABOUT_BOX_INVITATION, "STATIC", "Tips und Anregungen sowie Kritik bitte an:", SS_LEFT,
         0, 120, 1020, 4395, 255},
        // A button of our own drawing: it takes the focus and Space, and as
        // the box's default also Enter.
        {IDC_ABOUT_BOX_LINK, "BUTTON", contact.c_str(), BS_OWNERDRAW | WS_TABSTOP, 0, 120, 1320,
         4395, 255},
        {IDC_ABOUT_BOX_LANGUAGES_DE, "STATIC", "Ich beantworte Mails auf Deutsch und Englisch.",
         SS_LEFT, 0, 120, 1680, 4395, 255},
        {IDC_ABOUT_BOX_LANGUAGES_EN, "STATIC", "I answer on mails in German and English.", SS_LEFT,
         0, 120, 1920, 4395, 255},
    };
    layOut(kClientWidth, kClientHeight, controls, std::size(controls));
    // Without the rounded face, a bold sans face of the same size.
    titleFont_ = twips().createFont(installed(kTitleFace) ? kTitleFace : "Arial", 3600);
    linkFont_ = twips().createFont("MS Sans Serif", 825, true);
    SendMessageA(item(IDC_ABOUT_BOX_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_),
                 FALSE);
    fitLeftwards(item(IDC_ABOUT_BOX_VERSION));
    hand_ = LoadCursorA(nullptr, IDC_HAND);  // Windows 95 has none: ours then
    if (!hand_) hand_ = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    SetFocus(item(IDC_ABOUT_BOX_LINK));
    SendMessageA(window(), DM_SETDEFID, IDC_ABOUT_BOX_LINK, 0);
}

void AboutBox::onClick(int id) {
    if (id == IDC_ABOUT_BOX_LINK) followLink_();
}

INT_PTR AboutBox::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) != item(IDC_ABOUT_BOX_TITLE)) return FALSE;
            SetTextColor(reinterpret_cast<HDC>(wParam), kDarkGreen);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_DRAWITEM:
            drawLink(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) != item(IDC_ABOUT_BOX_LINK) || !hand_) return FALSE;
            SetCursor(hand_);
            SetWindowLongPtrA(window(), DWLP_MSGRESULT, TRUE);
            return TRUE;
    }
    return FALSE;
}

void AboutBox::drawLink(const DRAWITEMSTRUCT& d) {
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(d.hDC, linkFont_);
    SetTextColor(d.hDC, (d.itemState & ODS_SELECTED) ? kPressedRed : kLinkBlue);
    SetBkMode(d.hDC, TRANSPARENT);
    std::string text = textOf(d.hwndItem);
    RECT box = d.rcItem;
    DrawTextA(d.hDC, text.c_str(), -1, &box, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (d.itemState & ODS_FOCUS) {
        // The focus frame hugs the text, as a link's does.
        SIZE size;
        GetTextExtentPoint32A(d.hDC, text.c_str(), static_cast<int>(text.size()), &size);
        RECT frame = d.rcItem;
        frame.left += (frame.right - frame.left - size.cx) / 2 - 1;
        frame.right = frame.left + size.cx + 2;
        DrawFocusRect(d.hDC, &frame);
    }
    SelectObject(d.hDC, old);
}

}  // namespace

void Win32Dialogs::showAboutBox(const std::function<void()>& followLink) {
    AboutBox(followLink).run(instance_, owner_, IDD_ABOUT_BOX);
}
