#include "win32/window.h"

#include "core/commands.h"
#include "core/placement.h"
#include "core/stored.h"
#include "win32/about.h"
#include "win32/controls.h"
#include "win32/menus.h"
#include "win32/note.h"
#include "win32/parts.h"
#include "win32/system.h"
#include "win32/tips.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace win32 {
namespace {

namespace l = core::layout;
using l::Kind;

constexpr wchar_t className[] = L"Varnel";

// The notification by which a control of kind tells of a change: a row
// picked, a text typed, a box ticked or a button pressed.
int ChangeOf(Kind kind) {
    switch (kind) {
    case Kind::list:
        return LBN_SELCHANGE;
    case Kind::choice:
        return CBN_SELCHANGE;
    case Kind::field:
    case Kind::lines:
        return EN_CHANGE;
    case Kind::check:
    case Kind::button:
        return BN_CLICKED;
    default:
        return -1; // none: a caption, a result or the run's offsets
    }
}

// The model counts a field's selection in bytes of UTF-8, Win32 in UTF-16
// units.
std::size_t Bytes(std::wstring_view text, DWORD units) {
    return Narrow(text.substr(0, std::min<std::size_t>(units, text.size()))).size();
}

} // namespace

Window::Window(HINSTANCE instance, settings::Files files) : files_(std::move(files)) {
    Register(instance, className, Proc<&Window::hwnd_, &Window::Handle>);
    const core::Stored stored = core::Load(files_.read);
    model_ = core::Model(stored);
    systemDpi_ = GetDpiForSystem();
    const int left = core::TwipsToPixels(stored.leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(stored.topTwips, static_cast<int>(systemDpi_));
    // Files dropped on it give the texture sizes. Windows tells of a file
    // only once it is dropped, not while it is carried over the window, so
    // the model's drop hint (Model::Hovering) has no place here: it would take
    // OLE's drag and drop, and its cost at start-up.
    CreateWindowExW(WS_EX_ACCEPTFILES, className, Wide(l::windowTitle).c_str(), frameStyle, left,
                    top, 0, 0, nullptr, nullptr, instance, this);
    if (hwnd_ == nullptr)
        return;
    // Made in place at the DPI of the monitor the window is on: moving and
    // sizing each control again would cost the first paint a good while.
    dpi_ = GetDpiForWindow(hwnd_);
    fonts_ = std::make_unique<Fonts>(dpi_);
    menu_ = MakeMenus();
    SetMenu(hwnd_, menu_);
    keys_ = MakeKeys();
    CreateControls(hwnd_, controls_, l::parts, firstId);
    note_ = CreateNote(hwnd_, noteId);
    tips_ = CreateTips(hwnd_, controls_, l::parts, dpi_);
    Place(stored.topTwips, stored.leftTwips);
    Render(model_.Everything());
    // The focus shows from the start, not only once a key has been pressed.
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
    focus_ = Get(*l::firstFocus);
}

// A run window open at the last quit opens again, beside the window.
void Window::Show(int how) {
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
    if (model_.RunOpen())
        OpenRun();
}

// Makes parts in window, with ids from first on; the fields and the run's
// offsets tell this window of pastes, the focus and clicks.
void Window::CreateControls(HWND window, std::span<HWND> controls, std::span<const l::Part> parts,
                            int first) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const HWND control = controls[i] =
            MakePart(window, parts[i], first + static_cast<int>(i), dpi_);
        FitPart(control, parts[i], *fonts_, dpi_);
        if (const Kind kind = parts[i].kind; kind == Kind::size || kind == Kind::field ||
                                             kind == Kind::lines || kind == Kind::offsets)
            SetWindowSubclass(kind == Kind::size ? EditOf(control) : control, FieldProc, 0,
                              reinterpret_cast<DWORD_PTR>(this));
    }
}

// Everything again at a new dpi: the frame, each control's place and font,
// and the tooltips, in both windows.
void Window::Layout(UINT dpi) {
    const auto old = std::move(fonts_); // in use until every control has its new font
    dpi_ = dpi;
    fonts_ = std::make_unique<Fonts>(dpi);
    LayOutWindow(hwnd_, controls_, l::parts, tips_, true);
    if (run_ != nullptr) // at the calculator window's DPI, as its fonts are
        LayOutWindow(run_, runControls_, l::runParts, runTips_, false);
}

// window again at dpi_: its frame, fitted round its client area from the
// layout, then its controls, made for parts, and its tooltips.
void Window::LayOutWindow(HWND window, std::span<const HWND> controls,
                          std::span<const l::Part> parts, HWND tips, bool main) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const RECT sized = Frame(frame.left, frame.top, main ? l::clientWidth : l::runWidth,
                             main ? l::clientHeight : l::runHeight, main, dpi_);
    SetWindowPos(window, nullptr, sized.left, sized.top, sized.right - sized.left,
                 sized.bottom - sized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(controls, parts, *fonts_, dpi_);
    FitTips(tips, controls, parts, dpi_);
    InvalidateRect(window, nullptr, TRUE);
}

// Puts the window at the stored place, moved by the least distance onto the
// work area of a monitor where part of it would lie off every monitor.
void Window::Place(float topTwips, float leftTwips) {
    const int left = core::TwipsToPixels(leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(topTwips, static_cast<int>(systemDpi_));
    const RECT frame = Frame(left, top, l::clientWidth, l::clientHeight, true, dpi_);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const core::Point place = core::OnScreen({left, top, width, height}, WorkAreas());
    SetWindowPos(hwnd_, nullptr, place.x, place.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // A monitor of another DPI gets the window laid out for it.
    if (const UINT dpi = GetDpiForWindow(hwnd_); dpi != dpi_)
        Layout(dpi);
}

void Window::Paint() {
    PAINTSTRUCT paint{};
    DrawLines(BeginPaint(hwnd_, &paint), dpi_);
    EndPaint(hwnd_, &paint);
}

// Captions on the window's colour; results on a field's, as they are read, not
// edited; the note in the colours of a tooltip.
LRESULT Window::Colour(HDC dc, HWND control) {
    const bool note = control == note_ || control == runNote_;
    const l::Part* part = PartOf(control);
    if (!note && part == nullptr)
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const int back = note                         ? COLOR_INFOBK
                     : part->kind == Kind::result ? COLOR_WINDOW
                                                  : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(note ? COLOR_INFOTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

HWND Window::Get(const l::Control& control) const {
    const int id = IdOf(control);
    return id >= runFirstId ? runControls_[static_cast<std::size_t>(id - runFirstId)]
                            : controls_[static_cast<std::size_t>(id - firstId)];
}

const l::Part* Window::PartOf(HWND control) const {
    for (const HWND own : {control, GetParent(control)})
        if (own != nullptr &&
            (GetParent(own) == hwnd_ || (run_ != nullptr && GetParent(own) == run_)))
            return win32::PartOf(GetDlgCtrlID(own));
    return nullptr;
}

// ---------------------------------------------------------------- messages

// Each window's procedure: the window's own HWND member is set as it is made,
// and every message goes to its handler, as the window knows the Window.
template <HWND Window::*own, LRESULT (Window::*handle)(UINT, WPARAM, LPARAM)>
LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->*own = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return window != nullptr ? (window->*handle)(message, wParam, lParam)
                             : DefWindowProcW(hwnd, message, wParam, lParam);
}
template LRESULT CALLBACK Window::Proc<&Window::run_, &Window::HandleRun>(HWND, UINT, WPARAM,
                                                                          LPARAM);

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Commanded(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DROPFILES:
        TextureSizesFrom(DroppedFile(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_ACTIVATE:
        Activated(hwnd_, wParam, focus_, *l::firstFocus);
        return 0;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        ColoursChanged();
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

// The focus leaves with a window and comes back to the same control.
void Window::Activated(HWND window, WPARAM state, HWND& focus, const l::Control& first) {
    if (LOWORD(state) == WA_INACTIVE) {
        if (const HWND now = GetFocus(); now != nullptr && IsChild(window, now))
            focus = now;
    } else if (HIWORD(state) == 0) {
        SetFocus(focus != nullptr && IsWindowEnabled(focus) ? focus : Get(first));
    }
}

void Window::ColoursChanged() {
    for (const HWND control : controls_)
        SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::DpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(dpi);
}

bool Window::Translate(MSG& msg) {
    if (run_ != nullptr && (msg.hwnd == run_ || IsChild(run_, msg.hwnd)))
        return TranslateRun(msg);
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false;
    if (TranslateAcceleratorW(hwnd_, keys_, &msg))
        return true;
    return Returned(hwnd_, msg) || IsDialogMessageW(hwnd_, &msg) != 0;
}

// Return presses the focused button, and copies the focused row of the run's
// offsets; it does nothing else of its own.
bool Window::Returned(HWND window, const MSG& msg) {
    const HWND focus = GetFocus();
    const l::Part* part = PartOf(focus);
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || part == nullptr)
        return false;
    if (part->kind == Kind::button)
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
    else if (part->kind == Kind::offsets)
        Render(model_.Activated(*part->control,
                                static_cast<int>(SendMessageW(focus, LB_GETCURSEL, 0, 0))));
    return part->kind == Kind::button || part->kind == Kind::offsets;
}

// The fields' own handling: pastes go to the model, which takes them whole or
// not at all, and the model hears of the focus coming in; a click on one of
// the run's offsets copies it.
LRESULT CALLBACK Window::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
    auto* window = reinterpret_cast<Window*>(data);
    if (message == WM_PASTE) {
        window->Paste(field);
        return 0;
    }
    const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    if (message == WM_LBUTTONUP)
        window->Clicked(field, lParam);
    if (message == WM_SETFOCUS)
        window->Entered(field, reinterpret_cast<HWND>(wParam));
    return result;
}

// ---------------------------------------------------------------- events

void Window::Commanded(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) {
        Notified(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return;
    }
    if (const auto given = CommandOf(id))
        Render(model_.Run(given->command, given->fromKey));
}

// What the controls tell: a row picked, a text typed, a box ticked, a button
// pressed. A size list tells more than that.
void Window::Notified(int id, int code, HWND control) {
    const l::Part* part = win32::PartOf(id);
    if (part != nullptr && part->kind == Kind::size)
        SizeNotified(*part->control, code, control);
    else if (part != nullptr && code == ChangeOf(part->kind))
        Changed(*part, control);
}

// The combo box itself selects a picked row's text once it has told of the
// pick, as every Win32 combo box does.
void Window::SizeNotified(const l::Control& size, int code, HWND control) {
    if (code == CBN_SELCHANGE)
        Render(
            model_.PickedSize(size, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0))));
    else if (code == CBN_EDITCHANGE)
        Typed(size, control);
    else if (code == CBN_KILLFOCUS) // a size left shows the start of its text
        SendMessageW(EditOf(control), EM_SETSEL, 0, 0);
}

void Window::Changed(const l::Part& part, HWND control) {
    const l::Control& c = *part.control;
    const auto got = [control](UINT get) {
        return static_cast<int>(SendMessageW(control, get, 0, 0));
    };
    switch (part.kind) {
    case Kind::list:
        return Render(model_.Picked(c, got(LB_GETCURSEL)));
    case Kind::choice:
        return Render(model_.Picked(c, got(CB_GETCURSEL)));
    case Kind::check:
        return Render(model_.Toggled(c, got(BM_GETCHECK) == BST_CHECKED));
    case Kind::button:
        return Render(model_.Run(CommandOf(c), false));
    default:
        return Typed(c, control);
    }
}

// A text that Render sets is the model's own already.
void Window::Typed(const l::Control& field, HWND control) {
    if (!settingText_)
        Render(model_.Edited(field, Narrow(Text(control))));
}

// The focus came into a field from another control: by a key when no mouse
// button is down. The focus that comes back with a window enters nothing.
void Window::Entered(HWND edit, HWND from) {
    const l::Part* part = PartOf(edit);
    if (part == nullptr || !IsChild(GetAncestor(edit, GA_ROOT), from))
        return;
    const bool byKey = GetKeyState(VK_LBUTTON) >= 0 && GetKeyState(VK_RBUTTON) >= 0 &&
                       GetKeyState(VK_MBUTTON) >= 0;
    Render(model_.Entered(*part->control, byKey));
}

void Window::Paste(HWND edit) {
    const l::Part* part = PartOf(edit);
    if (part == nullptr)
        return;
    const std::wstring text = Text(edit);
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    Render(model_.Paste(*part->control, Narrow(text), Bytes(text, from), Bytes(text, to),
                        ClipboardText(hwnd_)));
}

// A click on a row of the run's offsets copies that row, though it was
// already the one selected.
void Window::Clicked(HWND offsets, LPARAM at) {
    const l::Part* part = PartOf(offsets);
    const auto row = SendMessageW(offsets, LB_ITEMFROMPOINT, 0, at);
    if (part != nullptr && part->kind == Kind::offsets && HIWORD(row) == 0)
        Render(model_.Activated(*part->control, LOWORD(row)));
}

// A file opened or dropped, or none when the dialog was cancelled. The
// dialog opens next time where this file was.
void Window::TextureSizesFrom(const std::wstring& file) {
    if (file.empty())
        return;
    const std::size_t slash = file.find_last_of(L"\\/");
    textureFolder_ = slash == std::wstring::npos ? std::wstring() : file.substr(0, slash);
    const std::wstring name = Shortened(hwnd_, fonts_->normal, file.substr(slash + 1), Px(2250));
    Render(model_.TextureSizes(TextureFileSize(file), Narrow(name)));
}

// Saves once, whichever end comes first: Quit, the close box or the session's.
void Window::Save() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const auto dpi = static_cast<int>(systemDpi_);
    const auto place =
        std::pair{core::PixelsToTwips(frame.top, dpi), core::PixelsToTwips(frame.left, dpi)};
    if (const auto stored = model_.Unload(place, RunPlace()))
        core::Save(files_.write, *stored);
}

} // namespace win32
