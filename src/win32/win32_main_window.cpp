#include "win32/win32_main_window.h"

#include "platform/win32/win32_platform.h"
#include "win32/layout.h"
#include "win32/one_velkor.h"
#include "win32/resource.h"

namespace {

const char kCaption[] = "Velkor für die Eingabeaufforderung";
// Fixed single border, close box, neither minimise nor maximise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kClientWidth = 4215, kClientHeight = 3135;  // twips

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
// Posted to act on a second start's command line outside the sender's call.
// The icon's message is WM_APP + 2 (Win32Tray::kMessage).
constexpr UINT kStartedAgain = WM_APP + 1;

// Created in this order, which is also the tab order.
// A frame without a caption: a group box would draw its line half a text
// line below the top, where a caption would stand.
const ControlSpec kFrame = {IDC_MAIN_FRAME, "STATIC", "", SS_ETCHEDFRAME, 0, 120, 0, 2415, 3015};
const ControlSpec kRightColumn[] = {
    {IDC_MAIN_RESTART, "BUTTON", "&Neu starten", kButton, 0, 2640, 120, 1455, 375},
    {IDC_MAIN_SAVE, "BUTTON", "&Speichern", kButton, 0, 2640, 600, 1455, 375},
    {IDC_MAIN_ARRANGE, "BUTTON", "&Anordnen", kButton, 0, 2640, 1080, 1455, 375},
    // The result slot is one pixel high and shows nothing; the dialogs
    // answer with a result of their own instead of writing into it.
    {IDC_MAIN_RESULT_SLOT, "STATIC", "Label1", SS_LEFT, 0, 3240, 0, 1455, 15},
    {IDC_MAIN_TO_TRAY, "BUTTON", "&Taskleiste", kButton, 0, 2640, 1560, 1455, 375},
    {IDC_MAIN_SETTINGS, "BUTTON", "&Velkor", kButton, 0, 2640, 2040, 1455, 375},
    {IDC_MAIN_QUIT, "BUTTON", "&Beenden", kButton, 0, 2640, 2640, 1455, 375},
};

ControlSpec tickBox(int option) {
    return {IDC_MAIN_TICK_FIRST + option, "BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 720,
            240 + 240 * option,           1695,     255};
}

ControlSpec editButton(int option) {
    return {IDC_MAIN_EDIT_FIRST + option, "BUTTON", "...", kButton, 0, 240,
            240 + 240 * option,           375,      255};
}

// Every command and its handler: the first ID of each control or menu item,
// or series of them, that runs it. A menu item that does what a button does
// runs the button's handler.
struct Route {
    int first[3];  // 0 where there are fewer
    int count;
    void (*handle)(MainWindow& logic, int index, bool checked);
};
const Route kRoutes[] = {
    {{IDC_MAIN_TICK_FIRST}, kOptionCount, [](MainWindow& m, int i, bool on) { m.tick(i, on); }},
    {{IDC_MAIN_EDIT_FIRST}, kOptionCount, [](MainWindow& m, int i, bool) { m.editOption(i); }},
    {{IDC_MAIN_RESTART, IDM_RESTART}, 1, [](MainWindow& m, int, bool) { m.restart(); }},
    {{IDC_MAIN_SAVE, IDM_SAVE}, 1, [](MainWindow& m, int, bool) { m.save(); }},
    {{IDC_MAIN_ARRANGE, IDM_ARRANGE, IDM_TRAY_ARRANGE},
     1,
     [](MainWindow& m, int, bool) { m.arrange(); }},
    {{IDC_MAIN_TO_TRAY, IDM_TO_TRAY}, 1, [](MainWindow& m, int, bool) { m.hideInTray(); }},
    {{IDC_MAIN_SETTINGS, IDM_SETTINGS}, 1, [](MainWindow& m, int, bool) { m.editSettings(); }},
    {{IDC_MAIN_QUIT, IDM_QUIT}, 1, [](MainWindow& m, int, bool) { m.quit(); }},
    {{IDM_LOAD_CONFIG}, 1, [](MainWindow& m, int, bool) { m.loadConfiguration(); }},
    {{IDM_SAVE_CONFIG_AS}, 1, [](MainWindow& m, int, bool) { m.saveConfigurationAs(); }},
    {{IDM_ABOUT}, 1, [](MainWindow& m, int, bool) { m.showAbout(); }},
    {{IDM_TRAY_QUIT}, 1, [](MainWindow& m, int, bool) { m.quitFromTray(); }},
    {{IDM_TRAY_SHOW_WINDOW}, 1, [](MainWindow& m, int, bool) { m.showWindow(); }},
    {{IDM_CONFIG_FIRST, IDM_TRAY_CONFIG_FIRST},
     kSlotCount,
     [](MainWindow& m, int i, bool) { m.chooseConfiguration(i); }},
};

// What the user did on the icon, told by the mouse message it reports.
IconClick iconClickOf(UINT mouseMessage) {
    if (mouseMessage == WM_RBUTTONDOWN) return IconClick::RightPress;
    // A press, release or double click of the left, right or middle button.
    if (mouseMessage >= WM_LBUTTONDOWN && mouseMessage <= WM_MBUTTONDBLCLK)
        return IconClick::OtherClick;
    return IconClick::NotAClick;
}

bool isChildControl(HWND window, HWND control) {
    return control && IsChild(window, control);
}

// Finds the window of ours that takes input while a modal one is open: of
// nested ones only the innermost does, and the main window is disabled.
BOOL CALLBACK takesInput(HWND window, LPARAM found) {
    char name[8] = "";
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || lstrcmpiA(name, "#32768") == 0)
        return TRUE;  // a pop-up menu is no modal window
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

Win32MainWindow::~Win32MainWindow() {
    if (window_) DestroyWindow(window_);
    if (trayMenuBar_) DestroyMenu(trayMenuBar_);
    if (font_) DeleteObject(font_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

bool Win32MainWindow::create() {
    bigIcon_ = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_VELKOR), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    smallIcon_ = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_VELKOR), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon_;
    windowClass.hIconSm = smallIcon_;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass)) return false;

    Twips twips;
    CreateWindowExA(WS_EX_APPWINDOW, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    twips.x(kClientWidth), twips.y(kClientHeight), nullptr, nullptr, instance_,
                    this);
    if (!window_) return false;
    setClientSize(window_, twips.x(kClientWidth), twips.y(kClientHeight));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    font_ = twips.createControlFont();
    createControls();
    loadMenus();
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    return true;
}

void Win32MainWindow::createControls() {
    Twips twips;
    createControl(window_, kFrame, twips, font_);
    for (int option = 0; option < kOptionCount; ++option) {
        ticks_[option] = createControl(window_, tickBox(option), twips, font_);
        createControl(window_, editButton(option), twips, font_);
    }
    for (const ControlSpec& item : kRightColumn) createControl(window_, item, twips, font_);
}

void Win32MainWindow::loadMenus() {
    // Both menus are drawn with every item; the configuration entries and
    // their separators stay hidden until there is a configuration to list.
    configMenu_ = HideableMenu(GetSubMenu(GetMenu(window_), 1));
    configMenu_.setVisible(IDM_CONFIG_SEPARATOR, false);
    trayMenuBar_ = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    trayMenu_ = HideableMenu(GetSubMenu(trayMenuBar_, 0));
    trayMenu_.setVisible(IDM_TRAY_CONFIG_SEPARATOR, false);
    for (int i = 0; i < kSlotCount; ++i) {
        configMenu_.setVisible(IDM_CONFIG_FIRST + i, false);
        trayMenu_.setVisible(IDM_TRAY_CONFIG_FIRST + i, false);
    }
}

void Win32MainWindow::showName(int option, const std::string& caption) {
    if (option >= 0 && option < kOptionCount) SetWindowTextA(ticks_[option], caption.c_str());
}

void Win32MainWindow::showTicked(int option, bool ticked) {
    if (option >= 0 && option < kOptionCount)
        SendMessageA(ticks_[option], BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32MainWindow::centreOnScreen() {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    centreOver(window_, screen);
}

void Win32MainWindow::showConfigMenus(const std::vector<std::string>& captions) {
    for (HideableMenu* menu : {&configMenu_, &trayMenu_}) {
        UINT first = menu == &configMenu_ ? IDM_CONFIG_FIRST : IDM_TRAY_CONFIG_FIRST;
        menu->setVisible(menu == &configMenu_ ? IDM_CONFIG_SEPARATOR : IDM_TRAY_CONFIG_SEPARATOR,
                         !captions.empty());
        for (UINT i = 0; i < kSlotCount; ++i) {
            if (i < captions.size()) menu->setCaption(first + i, captions[i]);
            menu->setVisible(first + i, i < captions.size());
        }
    }
}

void Win32MainWindow::setVisible(bool visible) {
    // A window minimised before it went to the icon would come back as a
    // task-bar button only.
    ShowWindow(window_, !visible ? SW_HIDE : IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    if (visible) SetForegroundWindow(window_);
}

bool Win32MainWindow::isVisible() {
    return IsWindowVisible(window_) != FALSE;
}

void Win32MainWindow::showTrayMenu() {
    POINT at;
    GetCursorPos(&at);
    SetMenuDefaultItem(trayMenu_.handle(), IDM_TRAY_SHOW_WINDOW, FALSE);
    // In front, so that the menu closes when the user clicks elsewhere; the
    // posted message makes the second opening work too.
    SetForegroundWindow(window_);
    TrackPopupMenu(trayMenu_.handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

bool Win32MainWindow::modalOpen() {
    // Each of our modal windows disables the main window while it is open.
    return !IsWindowEnabled(window_);
}

void Win32MainWindow::bringModalForward() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takesInput, reinterpret_cast<LPARAM>(&found));
    if (found) SetForegroundWindow(found);
}

void Win32MainWindow::endProgram() {
    // Destroyed directly rather than closed, so no close handler asks again.
    if (window_) DestroyWindow(window_);
    PostQuitMessage(0);
}

LRESULT CALLBACK Win32MainWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self =
            static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) self->window_ = nullptr;
    return result;
}

LRESULT Win32MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && logic_) logic_->taskbarRestarted();
    switch (message) {
        case WM_COPYDATA:
            return onCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case kStartedAgain:
            onStartedAgain();
            return 0;
        case Win32Tray::kMessage:
            if (logic_) logic_->iconClicked(iconClickOf(LOWORD(lParam)));
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            onClose();
            return 0;
        case WM_ACTIVATE:
            onActivate(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_SETFOCUS:
            SetFocus(isChildControl(window_, focus_) ? focus_ : ticks_[0]);
            return 0;
        case WM_QUERYENDSESSION:
            return !logic_ || logic_->mayEndSession();
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32MainWindow::onActivate(bool active) {
    // Remember where the keyboard was, to come back there on return.
    if (!active) {
        HWND focus = GetFocus();
        if (isChildControl(window_, focus)) focus_ = focus;
    }
}

LRESULT Win32MainWindow::onCopyData(const COPYDATASTRUCT& data) {
    if (handOverKey_.empty()) return FALSE;
    std::optional<std::string> commandLine = handedOverCommandLine(data, handOverKey_);
    if (!commandLine) return FALSE;
    // The sender waits in SendMessage until we return: we act later.
    handedOver_.push_back(*commandLine);
    PostMessageA(window_, kStartedAgain, 0, 0);
    return TRUE;
}

void Win32MainWindow::onStartedAgain() {
    std::vector<std::string> commandLines;
    commandLines.swap(handedOver_);  // each is acted on once, whatever arrives meanwhile
    for (const std::string& commandLine : commandLines)
        if (logic_) logic_->startedAgain(commandLine);
}

void Win32MainWindow::onCommand(int id, int code, HWND control) {
    if (!logic_ || code != BN_CLICKED) return;  // menu items arrive with code 0 as well
    bool checked = control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    for (const Route& route : kRoutes)
        for (int first : route.first) {
            if (first == 0 || id < first || id >= first + route.count) continue;
            route.handle(*logic_, id - first, checked);
            return;
        }
}

void Win32MainWindow::onClose() {
    if (logic_ && !logic_->mayClose()) return;  // the user chose to stay
    DestroyWindow(window_);
}
