#include "win32/main_window.h"

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
constexpr UINT kStartedAgain = WM_APP + 1;

// Created in this order, which is also the tab order.
// A frame without a caption: a group box would draw its line half a text
// line below the top, where a caption would stand.
const ControlSpec kFrame1 = {IDC_FRAME1, "STATIC", "", SS_ETCHEDFRAME, 0, 120, 0, 2415, 3015};
const ControlSpec kRightColumn[] = {
    {IDC_COMMAND2, "BUTTON", "&Neu starten", kButton, 0, 2640, 120, 1455, 375},
    {IDC_COMMAND3, "BUTTON", "&Speichern", kButton, 0, 2640, 600, 1455, 375},
    {IDC_COMMAND4, "BUTTON", "&Anordnen", kButton, 0, 2640, 1080, 1455, 375},
    // Label1 is one pixel high and shows nothing; the dialogs answer with a
    // result of their own instead of writing into it.
    {IDC_LABEL1, "STATIC", "Label1", SS_LEFT, 0, 3240, 0, 1455, 15},
    {IDC_COMMAND5, "BUTTON", "&Taskleiste", kButton, 0, 2640, 1560, 1455, 375},
    {IDC_COMMAND6, "BUTTON", "&Velkor", kButton, 0, 2640, 2040, 1455, 375},
    {IDC_COMMAND7, "BUTTON", "&Beenden", kButton, 0, 2640, 2640, 1455, 375},
};

ControlSpec check1(int row) {
    return {IDC_CHECK1_FIRST + row, "BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 720,
            240 + 240 * row,        1695,     255};
}

ControlSpec command1(int row) {
    return {IDC_COMMAND1_FIRST + row, "BUTTON", "...", kButton, 0, 240, 240 + 240 * row, 375, 255};
}

// Every command and its handler: the first ID of each control or menu item,
// or row of them, that runs it. A menu item that does what a button does
// runs the button's handler.
struct Route {
    int first[3];  // 0 where there are fewer
    int count;
    void (*handle)(Form1& form, int index, bool checked);
};
const Route kRoutes[] = {
    {{IDC_CHECK1_FIRST}, kOptionCount, [](Form1& f, int i, bool on) { f.Check1_Click(i, on); }},
    {{IDC_COMMAND1_FIRST}, kOptionCount, [](Form1& f, int i, bool) { f.Command1_Click(i); }},
    {{IDC_COMMAND2, IDM_NEUS}, 1, [](Form1& f, int, bool) { f.Command2_Click(); }},
    {{IDC_COMMAND3, IDM_SPEICHERN}, 1, [](Form1& f, int, bool) { f.Command3_Click(); }},
    {{IDC_COMMAND4, IDM_ANORDNEN, IDM_KANORDNEN},
     1,
     [](Form1& f, int, bool) { f.Command4_Click(); }},
    {{IDC_COMMAND5, IDM_TASKLEISTE}, 1, [](Form1& f, int, bool) { f.Command5_Click(); }},
    {{IDC_COMMAND6, IDM_VELKOR}, 1, [](Form1& f, int, bool) { f.Command6_Click(); }},
    {{IDC_COMMAND7, IDM_BEENDEN}, 1, [](Form1& f, int, bool) { f.Command7_Click(); }},
    {{IDM_LADEN}, 1, [](Form1& f, int, bool) { f.MLaden_Click(); }},
    {{IDM_SPEICHERNU}, 1, [](Form1& f, int, bool) { f.MSpeichernU_Click(); }},
    {{IDM_UEBER}, 1, [](Form1& f, int, bool) { f.MÜber_Click(); }},
    {{IDM_KBEENDEN}, 1, [](Form1& f, int, bool) { f.MKBeenden_Click(); }},
    {{IDM_FENSTER}, 1, [](Form1& f, int, bool) { f.MFenster_Click(); }},
    {{IDM_KONFIGS_FIRST, IDM_KONTEXT_FIRST},
     kSlotCount,
     [](Form1& f, int i, bool) { f.MKontext_Click(i); }},
};

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

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
    if (contextMenuBar_) DestroyMenu(contextMenuBar_);
    if (font_) DeleteObject(font_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

bool MainWindow::create() {
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
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
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

void MainWindow::createControls() {
    Twips twips;
    createControl(window_, kFrame1, twips, font_);
    for (int row = 0; row < kOptionCount; ++row) {
        checks_[row] = createControl(window_, check1(row), twips, font_);
        createControl(window_, command1(row), twips, font_);
    }
    for (const ControlSpec& item : kRightColumn) createControl(window_, item, twips, font_);
}

void MainWindow::loadMenus() {
    // Both menus are drawn with every item; the configuration entries and
    // their separators stay hidden until there is a configuration to list.
    konfigMenu_ = HideableMenu(GetSubMenu(GetMenu(window_), 1));
    konfigMenu_.setVisible(IDM_TRENNSTRICH3, false);
    contextMenuBar_ = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_KONTEXTMENU));
    contextMenu_ = HideableMenu(GetSubMenu(contextMenuBar_, 0));
    contextMenu_.setVisible(IDM_TRENNSTRICH4, false);
    for (int i = 0; i < kSlotCount; ++i) {
        konfigMenu_.setVisible(IDM_KONFIGS_FIRST + i, false);
        contextMenu_.setVisible(IDM_KONTEXT_FIRST + i, false);
    }
}

void MainWindow::showName(int row, const std::string& caption) {
    if (row >= 0 && row < kOptionCount) SetWindowTextA(checks_[row], caption.c_str());
}

void MainWindow::showTicked(int row, bool ticked) {
    if (row >= 0 && row < kOptionCount)
        SendMessageA(checks_[row], BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::centreOnScreen() {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    centreOver(window_, screen);
}

void MainWindow::showConfigMenus(const std::vector<std::string>& captions) {
    for (HideableMenu* menu : {&konfigMenu_, &contextMenu_}) {
        UINT first = menu == &konfigMenu_ ? IDM_KONFIGS_FIRST : IDM_KONTEXT_FIRST;
        menu->setVisible(menu == &konfigMenu_ ? IDM_TRENNSTRICH3 : IDM_TRENNSTRICH4,
                         !captions.empty());
        for (UINT i = 0; i < kSlotCount; ++i) {
            if (i < captions.size()) menu->setCaption(first + i, captions[i]);
            menu->setVisible(first + i, i < captions.size());
        }
    }
}

void MainWindow::setVisible(bool visible) {
    // A window minimised before it went to the icon would come back as a
    // task-bar button only.
    ShowWindow(window_, !visible ? SW_HIDE : IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    if (visible) SetForegroundWindow(window_);
}

bool MainWindow::isVisible() {
    return IsWindowVisible(window_) != FALSE;
}

void MainWindow::showContextMenu() {
    POINT at;
    GetCursorPos(&at);
    SetMenuDefaultItem(contextMenu_.handle(), IDM_FENSTER, FALSE);
    // In front, so that the menu closes when the user clicks elsewhere; the
    // posted message makes the second opening work too.
    SetForegroundWindow(window_);
    TrackPopupMenu(contextMenu_.handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

bool MainWindow::modalOpen() {
    // Each of our modal windows disables the main window while it is open.
    return !IsWindowEnabled(window_);
}

void MainWindow::bringModalForward() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takesInput, reinterpret_cast<LPARAM>(&found));
    if (found) SetForegroundWindow(found);
}

void MainWindow::endProgram() {
    // Destroyed directly rather than closed, so no close handler asks again.
    if (window_) DestroyWindow(window_);
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) self->window_ = nullptr;
    return result;
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && form_) form_->TaskbarCreated();
    switch (message) {
        case WM_COPYDATA:
            return onCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case kStartedAgain:
            onStartedAgain();
            return 0;
        // Also the tray icon's notification, with the mouse message over the
        // icon in the low word.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (form_)
                form_->Form_MouseDown(message == WM_LBUTTONDOWN   ? 1
                                      : message == WM_RBUTTONDOWN ? 2
                                                                  : 4,
                                      static_cast<short>(LOWORD(lParam)));
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
            SetFocus(isChildControl(window_, focus_) ? focus_ : checks_[0]);
            return 0;
        case WM_QUERYENDSESSION:
            return !form_ || form_->Form_QueryEndSession();
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::onActivate(bool active) {
    // Remember where the keyboard was, to come back there on return.
    if (!active) {
        HWND focus = GetFocus();
        if (isChildControl(window_, focus)) focus_ = focus;
    }
}

LRESULT MainWindow::onCopyData(const COPYDATASTRUCT& data) {
    if (handOverKey_.empty()) return FALSE;
    std::optional<std::string> commandLine = handedOverCommandLine(data, handOverKey_);
    if (!commandLine) return FALSE;
    // The sender waits in SendMessage until we return: we act later.
    handedOver_.push_back(*commandLine);
    PostMessageA(window_, kStartedAgain, 0, 0);
    return TRUE;
}

void MainWindow::onStartedAgain() {
    std::vector<std::string> commandLines;
    commandLines.swap(handedOver_);  // each is acted on once, whatever arrives meanwhile
    for (const std::string& commandLine : commandLines)
        if (form_) form_->StartedAgain(commandLine);
}

void MainWindow::onCommand(int id, int code, HWND control) {
    if (!form_ || code != BN_CLICKED) return;  // menu items arrive with code 0 as well
    bool checked = control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    for (const Route& route : kRoutes)
        for (int first : route.first) {
            if (first == 0 || id < first || id >= first + route.count) continue;
            route.handle(*form_, id - first, checked);
            return;
        }
}

void MainWindow::onClose() {
    if (form_ && form_->Form_Unload()) return;  // the user chose to stay
    DestroyWindow(window_);
}
