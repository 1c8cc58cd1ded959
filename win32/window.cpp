#include "win32/window.h"

#include "core/calculator.h"
#include "core/placement.h"
#include "core/stored.h"
#include "core/texture_header.h"
#include "win32/about.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace win32 {
namespace {

namespace l = core::layout;

// Menu commands. A key sends its command's id plus keyOffset, an id no menu
// item has, so that it reaches the window even while its item is disabled.
enum : int {
    mnuCopyX = 200,
    mnuCopyZ,
    mnuFCCopyX,
    mnuFCCopyZ,
    mnuTextureFile,
    mnuOnTop,
    mnuQuit,
    About,
};
constexpr int keyOffset = 100;
constexpr UINT_PTR noteTimer = 1;
constexpr UINT noteMilliseconds = 1500;
constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr wchar_t className[] = L"Varnel";

struct WallAxis {
    char letter;
    const l::Control &list, &texture, &wall, &textCaption, &wallCaption, &result, &copy;
    int command;
};
constexpr WallAxis walls[] = {
    {'X', l::lstPosX, l::cmbTextX, l::cmbWallX, l::lblTextX, l::lblWallX, l::lblX, l::cmdCopyX,
     mnuCopyX},
    {'Z', l::lstPosZ, l::cmbTextZ, l::cmbWallZ, l::lblTextZ, l::lblWallZ, l::lblZ, l::cmdCopyZ,
     mnuCopyZ},
};

struct FloorAxis {
    const l::Control &position, &map, &result, &copy;
    int command;
};
constexpr FloorAxis floors[] = {
    {l::txtFCTextX, l::txtFCX, l::lblFCX, l::cmdFCCopyX, mnuFCCopyX},
    {l::txtFCTextZ, l::txtFCZ, l::lblFCZ, l::cmdFCCopyZ, mnuFCCopyZ},
};

constexpr const l::Line* lines[] = {&l::Line1, &l::Line2, &l::Line3,
                                    &l::Line4, &l::Line5, &l::Line6};

RECT ClientRect(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != 0;
}

// A texture's size from its file's header, read through the system's own file
// calls: the standard library's would bring its locale machinery along. Only
// a file on disk counts, not a folder, a pipe or a device.
std::optional<core::TextureSize> TextureFileSize(const std::wstring& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<core::TextureSize> size;
    if (GetFileType(handle) == FILE_TYPE_DISK) {
        const core::ReadBytes read = [handle](std::uint64_t offset, char* into, std::size_t count) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD got = 0;
            const DWORD most = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
            return ReadFile(handle, into, most, &got, &at) ? std::size_t{got} : std::size_t{0};
        };
        size = core::ReadTextureSize(read, core::SuffixOf<wchar_t>(file));
    }
    CloseHandle(handle);
    return size;
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* into = GlobalLock(data)) {
            CopyMemory(into, text.c_str(), bytes);
            GlobalUnlock(data);
        }
        if (SetClipboardData(CF_UNICODETEXT, data) == nullptr)
            GlobalFree(data);
    }
    CloseClipboard();
}

// The window's frame for a client area of the layout's size at dpi, placed at
// left, top.
RECT Frame(int left, int top, UINT dpi) {
    RECT frame{left, top, left + Px(l::clientWidth, dpi), top + Px(l::clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, style, TRUE, 0, dpi);
    OffsetRect(&frame, left - frame.left, top - frame.top);
    return frame;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<core::Rect>*>(screens)->push_back(
            {work.left, work.top, work.right - work.left, work.bottom - work.top});
    }
    return TRUE;
}

} // namespace

Window::Window(HINSTANCE instance, settings::Files files) : files_(std::move(files)) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The system's colours, so that high-contrast themes apply.
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = className;
    RegisterClassExW(&type);

    const core::Stored stored = core::Load(files_.read);
    systemDpi_ = GetDpiForSystem();
    const int left = core::TwipsToPixels(stored.leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(stored.topTwips, static_cast<int>(systemDpi_));
    // Files dropped on it give the texture sizes.
    CreateWindowExW(WS_EX_ACCEPTFILES, className, L"Varnel", style, left, top, 0, 0, nullptr,
                    nullptr, instance, this);
    if (hwnd_ == nullptr)
        return;
    // Made in place at the DPI of the monitor the window is on: moving and
    // sizing each control again would cost the first paint a good while.
    dpi_ = GetDpiForWindow(hwnd_);
    fonts_ = std::make_unique<Fonts>(dpi_);
    CreateMenus();
    CreateControls(instance);
    Place(stored.topTwips, stored.leftTwips);

    // The rows first: they enable the wall axes, whose results the sizes then give.
    for (std::size_t axis = 0; axis < 2; ++axis) {
        const int row = axis == 0 ? stored.rowX : stored.rowZ;
        SendMessageW(Get(walls[axis].list), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        Alignment(axis);
    }
    SetSize(Get(l::cmbTextX), Wide(stored.textX));
    SetSize(Get(l::cmbTextZ), Wide(stored.textZ));
    SetSize(Get(l::cmbWallX), Wide(stored.wallX));
    SetSize(Get(l::cmbWallZ), Wide(stored.wallZ));
    SetWindowTextW(Get(l::txtFCTextX), Wide(stored.positionX).c_str());
    SetWindowTextW(Get(l::txtFCX), Wide(stored.mapX).c_str());
    SetWindowTextW(Get(l::txtFCTextZ), Wide(stored.positionZ).c_str());
    SetWindowTextW(Get(l::txtFCZ), Wide(stored.mapZ).c_str());
    loaded_ = true;
    for (std::size_t axis = 0; axis < 2; ++axis) {
        WallChange(axis, nullptr);
        FloorChange(axis, nullptr);
    }
    KeepOnTop(stored.onTop);
    focus_ = Get(l::lstPosX);
}

void Window::Show(int how) {
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
}

void Window::CreateMenus() {
    const HMENU calculator = CreatePopupMenu();
    const auto item = [calculator](int id, const wchar_t* caption) {
        AppendMenuW(calculator, id != 0 ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(id),
                    caption);
    };
    item(mnuCopyX, L"Copy &X Offset (Wall)\tCtrl+X");
    item(mnuCopyZ, L"Copy &Z Offset (Wall)\tCtrl+Z");
    item(0, nullptr);
    item(mnuFCCopyX, L"Copy &X Offset (F/C)\tCtrl+W");
    item(mnuFCCopyZ, L"Copy &Z Offset (F/C)\tCtrl+Y");
    item(0, nullptr);
    item(mnuTextureFile, L"Texture Sizes from &File...\tCtrl+O");
    item(mnuOnTop, L"Keep on &Top\tCtrl+T");
    item(0, nullptr);
    item(mnuQuit, L"&Quit\tCtrl+Q");
    const HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, About, L"&About");
    menu_ = CreateMenu();
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(calculator), L"&Calculator");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    SetMenu(hwnd_, menu_);

    ACCEL keys[] = {{}, {}, {}, {}, {}, {}, {}};
    const std::pair<WORD, int> shortcuts[] = {
        {'X', mnuCopyX},       {'Z', mnuCopyZ}, {'W', mnuFCCopyX}, {'Y', mnuFCCopyZ},
        {'O', mnuTextureFile}, {'T', mnuOnTop}, {'Q', mnuQuit}};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        keys[i] = {FVIRTKEY | FCONTROL, shortcuts[i].first,
                   static_cast<WORD>(shortcuts[i].second + keyOffset)};
    keys_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

void Window::CreateControls(HINSTANCE instance) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Part& part = parts[i];
        DWORD kind = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD extended = 0;
        const wchar_t* type = WC_STATICW;
        switch (part.kind) {
        case Kind::heading:
        case Kind::title:
            kind |= SS_CENTER | SS_NOPREFIX;
            break;
        case Kind::caption:
            kind |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
            break;
        case Kind::letter:
            kind |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
            break;
        case Kind::result:
            kind |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
            extended = WS_EX_STATICEDGE;
            break;
        case Kind::list:
            type = WC_LISTBOXW;
            kind |= WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            extended = WS_EX_CLIENTEDGE;
            break;
        case Kind::size:
            type = WC_COMBOBOXW;
            kind |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            break;
        case Kind::field:
            type = WC_EDITW;
            kind |= WS_TABSTOP | ES_AUTOHSCROLL;
            extended = WS_EX_CLIENTEDGE;
            break;
        case Kind::button:
            type = WC_BUTTONW;
            kind |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        }
        const l::Box& box = part.control->box;
        const HWND control = CreateWindowExW(
            extended, type, Wide(part.control->text).c_str(), kind, Px(box.left), Px(box.top),
            Px(box.width), Px(box.height), hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + static_cast<int>(i))), instance,
            nullptr);
        controls_[i] = control;
        Fit(i);
        if (part.kind == Kind::size) {
            for (const std::string_view row : l::sizes)
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
            SendMessageW(control, CB_SETMINVISIBLE, l::sizes.size(), 0);
            SetWindowSubclass(control, SizeProc, 0, reinterpret_cast<DWORD_PTR>(this));
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            SetWindowSubclass(info.hwndItem, FieldProc, 0, reinterpret_cast<DWORD_PTR>(this));
            SetWindowSubclass(info.hwndItem, SizeProc, 1, reinterpret_cast<DWORD_PTR>(this));
        } else if (part.kind == Kind::field) {
            SendMessageW(control, EM_LIMITTEXT, core::maxFieldLength, 0);
            SetWindowSubclass(control, FieldProc, core::maxFieldLength,
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
    for (const auto* list : {&l::lstPosX, &l::lstPosZ})
        for (const std::string_view row : list == &l::lstPosX ? l::rowsX : l::rowsZ)
            SendMessageW(Get(*list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
    // A static control lets clicks through to what lies below it.
    note_ = CreateWindowExW(
        0, WC_STATICW, L"", WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, 0, 0, 0,
        0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(noteId)), instance, nullptr);
}

// A control's font, and what its font decides: the row heights of a list,
// which shows its five rows in full, and the height of a closed size list.
void Window::Fit(std::size_t i) {
    const HWND control = controls_[i];
    const Kind kind = parts[i].kind;
    const HFONT font = kind == Kind::heading                          ? fonts_->heading
                       : kind == Kind::letter || kind == Kind::result ? fonts_->large
                                                                      : fonts_->normal;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (kind == Kind::list) {
        RECT inside{};
        GetClientRect(control, &inside);
        SendMessageW(control, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(inside.bottom / 5));
    } else if (kind == Kind::size) {
        RECT closed{};
        GetWindowRect(control, &closed);
        const auto item = SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     item + Px(parts[i].control->box.height) - (closed.bottom - closed.top));
    } else if (kind == Kind::field) {
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(Px(15), Px(15)));
    }
}

// Everything again at a new dpi: the frame, and each control's place and font.
void Window::Layout(UINT dpi) {
    const auto old = std::move(fonts_); // in use until every control has its new font
    dpi_ = dpi;
    fonts_ = std::make_unique<Fonts>(dpi);
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const RECT sized = Frame(frame.left, frame.top, dpi);
    SetWindowPos(hwnd_, nullptr, sized.left, sized.top, sized.right - sized.left,
                 sized.bottom - sized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const l::Box& box = parts[i].control->box;
        SetWindowPos(controls_[i], nullptr, Px(box.left), Px(box.top), Px(box.width),
                     Px(box.height), SWP_NOZORDER | SWP_NOACTIVATE);
        Fit(i);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// Puts the window at the stored place, moved by the least distance onto the
// work area of a monitor where part of it would lie off every monitor.
void Window::Place(float topTwips, float leftTwips) {
    const int left = core::TwipsToPixels(leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(topTwips, static_cast<int>(systemDpi_));
    const RECT frame = Frame(left, top, dpi_);
    std::vector<core::Rect> screens;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const core::Point place = core::OnScreen({left, top, width, height}, screens);
    SetWindowPos(hwnd_, nullptr, place.x, place.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // A monitor of another DPI gets the window laid out for it.
    if (const UINT dpi = GetDpiForWindow(hwnd_); dpi != dpi_)
        Layout(dpi);
}

void Window::Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd_, &paint);
    for (const l::Line* line : lines) {
        const int width = std::max(1, MulDiv(line->width, static_cast<int>(dpi_), 96));
        const int left = Px(std::min(line->x1, line->x2));
        const int top = Px(std::min(line->y1, line->y2));
        const RECT rect{left, top,
                        line->x1 == line->x2 ? left + width : Px(std::max(line->x1, line->x2)),
                        line->y1 == line->y2 ? top + width : Px(std::max(line->y1, line->y2))};
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    EndPaint(hwnd_, &paint);
}

// Captions on the window's colour; results on a field's, as they are read, not
// edited; the note in the colours of a tooltip.
LRESULT Window::Colour(HDC dc, HWND control) {
    const bool note = control == note_;
    if (!note && std::find(controls_.begin(), controls_.end(), control) == controls_.end())
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const int back = note                              ? COLOR_INFOBK
                     : KindOf(control) == Kind::result ? COLOR_WINDOW
                                                       : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(note ? COLOR_INFOTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

Kind Window::KindOf(HWND control) const {
    const auto found = std::find(controls_.begin(), controls_.end(), control);
    return found == controls_.end()
               ? Kind::caption
               : parts[static_cast<std::size_t>(found - controls_.begin())].kind;
}

// ---------------------------------------------------------------- messages

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return window != nullptr ? window->Handle(message, wParam, lParam)
                             : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 && LOWORD(wParam) >= mnuCopyX + keyOffset)
            Command(LOWORD(wParam) - keyOffset, true);
        else if (lParam == 0)
            Command(LOWORD(wParam), false);
        else
            Notified(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        Paint();
        return 0;
    case WM_TIMER:
        if (wParam == noteTimer) {
            KillTimer(hwnd_, noteTimer);
            ShowWindow(note_, SW_HIDE);
        }
        return 0;
    case WM_DROPFILES: {
        // Of several files, the first.
        const auto drop = reinterpret_cast<HDROP>(wParam);
        const auto query = Late<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
        const auto finish = Late<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
        if (query != nullptr && finish != nullptr) {
            std::wstring file(query(drop, 0, nullptr, 0) + 1, L'\0');
            file.resize(query(drop, 0, file.data(), static_cast<UINT>(file.size())));
            finish(drop);
            TextureSizesFrom(file);
        }
        return 0;
    }
    case WM_ACTIVATE:
        // The focus leaves with the window and comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd_, focus))
                focus_ = focus;
        } else if (HIWORD(wParam) == 0) {
            SetFocus(focus_ != nullptr && IsWindowEnabled(focus_) ? focus_ : Get(l::lstPosX));
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout(HIWORD(wParam));
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        for (const HWND control : controls_)
            SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != 0)
            Save();
        return 0;
    case WM_CLOSE:
        Save();
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        DestroyAcceleratorTable(keys_);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

bool Window::Translate(MSG& msg) {
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false;
    if (TranslateAcceleratorW(hwnd_, keys_, &msg))
        return true;
    const HWND focus = GetFocus();
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && KindOf(focus) == Kind::button) {
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != 0;
}

// The fields' own handling: pastes that fit, and a field entered by a click
// selecting its text once the button is released, unless the user dragged
// out a selection of their own.
LRESULT CALLBACK Window::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR limit, DWORD_PTR data) {
    auto* window = reinterpret_cast<Window*>(data);
    switch (message) {
    case WM_PASTE:
        window->Paste(field, limit);
        return 0;
    case WM_SETFOCUS:
        if (limit > 0) {
            DefSubclassProc(field, message, wParam, lParam);
            SendMessageW(field, EM_SETSEL, 0, -1);
            window->selectOnRelease_ = GetKeyState(VK_LBUTTON) < 0 ? field : nullptr;
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (window->selectOnRelease_ == field) {
            window->selectOnRelease_ = nullptr;
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            DWORD start = 0, end = 0;
            SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            if (start == end)
                SendMessageW(field, EM_SETSEL, 0, -1);
            return result;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

// The wheel changes a size list only while it has the focus.
// Subclass 0 is the list itself, 1 its edit field.
LRESULT CALLBACK Window::SizeProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR which, DWORD_PTR) {
    if (message == WM_MOUSEWHEEL) {
        const HWND list = which == 0 ? control : GetParent(control);
        const HWND focus = GetFocus();
        if (focus != list && GetParent(focus) != list)
            return 0;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// ---------------------------------------------------------------- recalculation

void Window::Notified(int id, int code) {
    for (std::size_t axis = 0; axis < 2; ++axis) {
        const WallAxis& wall = walls[axis];
        const FloorAxis& floor = floors[axis];
        const HWND control = GetDlgItem(hwnd_, id);
        if (id == IdOf(wall.list) && code == LBN_SELCHANGE) {
            Alignment(axis);
        } else if ((id == IdOf(wall.texture) || id == IdOf(wall.wall)) && code == CBN_SELCHANGE) {
            // The pick's text, which the list puts in its field only afterwards.
            const LRESULT row = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (row >= 0 && row < static_cast<LRESULT>(l::sizes.size()))
                SetSize(control, Wide(l::sizes[static_cast<std::size_t>(row)]));
        } else if ((id == IdOf(wall.texture) || id == IdOf(wall.wall)) && code == CBN_EDITCHANGE) {
            WallChange(axis, control);
        } else if ((id == IdOf(wall.texture) || id == IdOf(wall.wall)) && code == CBN_KILLFOCUS) {
            // A list left shows the start of its text.
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            SendMessageW(info.hwndItem, EM_SETSEL, 0, 0);
        } else if ((id == IdOf(floor.position) || id == IdOf(floor.map)) && code == EN_CHANGE) {
            FloorChange(axis, control);
        } else if (id == IdOf(wall.copy) && code == BN_CLICKED) {
            Command(wall.command, false);
        } else if (id == IdOf(floor.copy) && code == BN_CLICKED) {
            Command(floor.command, false);
        }
    }
}

void Window::Alignment(std::size_t axis) {
    const WallAxis& wall = walls[axis];
    const auto row = static_cast<int>(SendMessageW(Get(wall.list), LB_GETCURSEL, 0, 0));
    const bool enabled = core::AxisEnabled(row);
    for (const auto* control : {&wall.copy, &wall.texture, &wall.wall, &wall.textCaption,
                                &wall.wallCaption, &wall.result})
        EnableWindow(Get(*control), enabled);
    EnableMenuItem(menu_, static_cast<UINT>(wall.command), enabled ? MF_ENABLED : MF_GRAYED);
    WallChange(axis, nullptr);
}

// own, the field that changed, is given "0", selected, when it was emptied.
void Window::WallChange(std::size_t axis, HWND own) {
    if (!loaded_)
        return;
    if (own != nullptr && GetWindowTextLengthW(own) == 0) {
        SetWindowTextW(own, Wide(core::emptyField).c_str());
        SendMessageW(own, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
    const WallAxis& wall = walls[axis];
    const auto row = static_cast<int>(SendMessageW(Get(wall.list), LB_GETCURSEL, 0, 0));
    ShowResult(Get(wall.result), core::WallResult(row, Narrow(Text(Get(wall.texture))),
                                                  Narrow(Text(Get(wall.wall)))));
}

void Window::FloorChange(std::size_t axis, HWND own) {
    if (!loaded_)
        return;
    if (own != nullptr && GetWindowTextLengthW(own) == 0) {
        SetWindowTextW(own, Wide(core::emptyField).c_str());
        SendMessageW(own, EM_SETSEL, 0, -1);
    }
    const FloorAxis& floor = floors[axis];
    ShowResult(Get(floor.result),
               core::FloorResult(Narrow(Text(Get(floor.position))), Narrow(Text(Get(floor.map)))));
}

// Sets a size list's text as if typed, and recalculates.
void Window::SetSize(HWND list, const std::wstring& text) {
    SetWindowTextW(list, text.c_str());
    for (std::size_t axis = 0; axis < 2; ++axis)
        if (list == Get(walls[axis].texture) || list == Get(walls[axis].wall))
            WallChange(axis, list);
}

void Window::ShowResult(HWND result, const std::string& text) {
    const std::wstring shown = Wide(text);
    if (Text(result) != shown)
        SetWindowTextW(result, shown.c_str()); // which screen readers are told of
}

// ---------------------------------------------------------------- commands

void Window::Command(int command, bool fromKey) {
    for (const WallAxis& wall : walls) {
        if (command != wall.command)
            continue;
        const auto row = static_cast<int>(SendMessageW(Get(wall.list), LB_GETCURSEL, 0, 0));
        if (core::AxisEnabled(row))
            Copy(Get(wall.result), Get(wall.copy));
        else if (fromKey)
            ShowNote(Get(wall.copy), core::NothingToCopyNote(wall.letter));
    }
    for (const FloorAxis& floor : floors)
        if (command == floor.command)
            Copy(Get(floor.result), Get(floor.copy));
    switch (command) {
    case mnuTextureFile:
        OpenTexture();
        break;
    case mnuOnTop:
        KeepOnTop((GetMenuState(menu_, mnuOnTop, MF_BYCOMMAND) & MF_CHECKED) == 0);
        break;
    case mnuQuit:
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    case About:
        ShowAbout(hwnd_, fonts_->normal);
        break;
    default:
        break;
    }
}

void Window::Copy(HWND result, HWND button) {
    const std::wstring copied = Text(result);
    PutOnClipboard(hwnd_, copied);
    ShowNote(button, core::CopiedNote(Narrow(copied)));
}

// A paste goes in whole or not at all: one that would make the field longer
// than limit (0: no limit) is refused, and the note says why.
void Window::Paste(HWND field, std::size_t limit) {
    const std::wstring text = Wide(core::Pasted(Narrow(ClipboardText(hwnd_))));
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::size_t length =
        static_cast<std::size_t>(GetWindowTextLengthW(field)) - (end - start);
    if (limit > 0 && length + text.size() > limit)
        ShowNote(field, core::TooLongNote(core::maxFieldLength));
    else
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Window::OpenTexture() {
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd_;
    dialog.lpstrFilter = L"Images (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tga;*.pcx;*.dds)\0"
                         L"*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tga;*.pcx;*.dds\0"
                         L"All files (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = textureFolder_.empty() ? nullptr : textureFolder_.c_str();
    dialog.lpstrTitle = L"Texture Sizes from File";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const auto open = Late<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (open != nullptr && open(&dialog))
        TextureSizesFrom(file.c_str());
}

// The sizes go in through the size lists' own change handling, as if typed;
// a file that is not a readable image leaves them as they were.
void Window::TextureSizesFrom(const std::wstring& file) {
    const std::size_t slash = file.find_last_of(L"\\/");
    textureFolder_ = slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
    if (const auto size = TextureFileSize(file)) {
        SetSize(Get(l::cmbTextX), std::to_wstring(size->width));
        SetSize(Get(l::cmbTextZ), std::to_wstring(size->height));
        return;
    }
    // A long name loses its middle, so the note stays a note.
    const std::wstring name = file.substr(slash + 1);
    std::wstring shown = name;
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, fonts_->normal);
    for (std::size_t keep = name.size(); keep > 0;) {
        SIZE size{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
        if (size.cx <= Px(2250))
            break;
        --keep;
        shown = name.substr(0, keep / 2) + L"\u2026" + name.substr(name.size() - (keep - keep / 2));
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    ShowNote(Get(l::lblTextX), core::NotAnImageNote(Narrow(shown)));
}

void Window::KeepOnTop(bool on) {
    CheckMenuItem(menu_, mnuOnTop,
                  static_cast<UINT>(MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)));
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The note goes just below its control, else just above it; flush with its
// left edge, else with its right edge: the first of these places that covers
// no control, caption text or line wins; the window's bottom left corner is the
// last resort. It takes no click and goes after a moment; screen readers are
// told of it.
void Window::ShowNote(HWND beside, std::string_view text) {
    const std::wstring shown = Wide(text);
    SetWindowTextW(note_, shown.c_str());
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, fonts_->normal);
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    std::vector<RECT> taken;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        RECT rect = ClientRect(controls_[i]);
        const Kind kind = parts[i].kind;
        if (kind == Kind::heading || kind == Kind::title || kind == Kind::caption ||
            kind == Kind::letter) {
            SIZE words{};
            const std::wstring caption = Text(controls_[i]);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(controls_[i], WM_GETFONT, 0, 0)));
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &words);
            if (kind != Kind::caption)
                rect.left += (rect.right - rect.left - words.cx) / 2;
            rect.right = rect.left + words.cx;
        }
        taken.push_back(rect);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    for (const l::Line* line : lines)
        taken.push_back({Px(std::min(line->x1, line->x2)), Px(std::min(line->y1, line->y2)),
                         Px(std::max(line->x1, line->x2)) + 2,
                         Px(std::max(line->y1, line->y2)) + 2});

    RECT area{};
    GetClientRect(hwnd_, &area);
    const int width = std::min<int>(size.cx + Px(120), area.right);
    const int height = size.cy + Px(60);
    const RECT at = ClientRect(beside);
    POINT place{0, area.bottom - height};
    for (const POINT corner :
         {POINT{at.left, at.bottom}, POINT{at.right - width, at.bottom},
          POINT{at.left, at.top - height}, POINT{at.right - width, at.top - height}}) {
        const RECT rect{corner.x, corner.y, corner.x + width, corner.y + height};
        const bool inside = rect.left >= 0 && rect.top >= 0 && rect.right <= area.right &&
                            rect.bottom <= area.bottom;
        if (inside && std::none_of(taken.begin(), taken.end(),
                                   [&rect](const RECT& other) { return Overlap(rect, other); })) {
            place = corner;
            break;
        }
    }
    SendMessageW(note_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->normal), FALSE);
    SetWindowPos(note_, HWND_TOP, place.x, place.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(note_, nullptr, TRUE);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, note_, OBJID_CLIENT, CHILDID_SELF);
    SetTimer(hwnd_, noteTimer, noteMilliseconds, nullptr); // a newer note restarts it
}

// ---------------------------------------------------------------- shut-down

void Window::Save() {
    if (saved_)
        return;
    saved_ = true;
    core::Stored stored;
    stored.textX = Narrow(Text(Get(l::cmbTextX)));
    stored.textZ = Narrow(Text(Get(l::cmbTextZ)));
    stored.wallX = Narrow(Text(Get(l::cmbWallX)));
    stored.wallZ = Narrow(Text(Get(l::cmbWallZ)));
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    stored.topTwips = core::PixelsToTwips(frame.top, static_cast<int>(systemDpi_));
    stored.leftTwips = core::PixelsToTwips(frame.left, static_cast<int>(systemDpi_));
    stored.onTop = (GetMenuState(menu_, mnuOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
    stored.rowX = static_cast<int>(SendMessageW(Get(l::lstPosX), LB_GETCURSEL, 0, 0));
    stored.rowZ = static_cast<int>(SendMessageW(Get(l::lstPosZ), LB_GETCURSEL, 0, 0));
    stored.positionX = Narrow(Text(Get(l::txtFCTextX)));
    stored.mapX = Narrow(Text(Get(l::txtFCX)));
    stored.positionZ = Narrow(Text(Get(l::txtFCTextZ)));
    stored.mapZ = Narrow(Text(Get(l::txtFCZ)));
    core::Save(files_.write, stored);
}

} // namespace win32
