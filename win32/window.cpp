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

constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr wchar_t className[] = L"Varnel";

// The model counts a field's selection in bytes of UTF-8, Win32 in UTF-16
// units.
int Units(std::string_view text, std::size_t bytes) {
    return static_cast<int>(Wide(text.substr(0, bytes)).size());
}
std::size_t Bytes(std::wstring_view text, DWORD units) {
    return Narrow(text.substr(0, std::min<std::size_t>(units, text.size()))).size();
}

// The window's frame for a client area of the layout's size at dpi, placed at
// left, top.
RECT Frame(int left, int top, UINT dpi) {
    RECT frame{left, top, left + Px(l::clientWidth, dpi), top + Px(l::clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, style, TRUE, 0, dpi);
    OffsetRect(&frame, left - frame.left, top - frame.top);
    return frame;
}

void Register(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = proc;
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
}

} // namespace

Window::Window(HINSTANCE instance, settings::Files files) : files_(std::move(files)) {
    Register(instance, Proc);
    const core::Stored stored = core::Load(files_.read);
    model_ = core::Model(stored);
    systemDpi_ = GetDpiForSystem();
    const int left = core::TwipsToPixels(stored.leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(stored.topTwips, static_cast<int>(systemDpi_));
    // Files dropped on it give the texture sizes. Windows tells of a file
    // only once it is dropped, not while it is carried over the window, so
    // the model's drop hint (Model::Hovering) has no place here: it would take
    // OLE's drag and drop, and its cost at start-up.
    CreateWindowExW(WS_EX_ACCEPTFILES, className, Wide(l::windowTitle).c_str(), style, left, top, 0,
                    0, nullptr, nullptr, instance, this);
    if (hwnd_ == nullptr)
        return;
    // Made in place at the DPI of the monitor the window is on: moving and
    // sizing each control again would cost the first paint a good while.
    dpi_ = GetDpiForWindow(hwnd_);
    fonts_ = std::make_unique<Fonts>(dpi_);
    menu_ = MakeMenus();
    SetMenu(hwnd_, menu_);
    keys_ = MakeKeys();
    CreateControls();
    Place(stored.topTwips, stored.leftTwips);
    Render(model_.Everything());
    // The focus shows from the start, not only once a key has been pressed.
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
    focus_ = Get(*l::firstFocus);
}

void Window::Show(int how) {
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
}

void Window::CreateControls() {
    for (std::size_t i = 0; i < l::parts.size(); ++i) {
        const HWND control = controls_[i] = MakePart(hwnd_, i, dpi_);
        FitPart(control, i, *fonts_, dpi_);
        if (const Kind kind = l::parts[i].kind; kind == Kind::size || kind == Kind::field)
            SetWindowSubclass(kind == Kind::size ? EditOf(control) : control, FieldProc, 0,
                              reinterpret_cast<DWORD_PTR>(this));
    }
    note_ = CreateNote(hwnd_, noteId);
    tips_ = CreateTips(hwnd_, controls_, dpi_);
}

// Everything again at a new dpi: the frame, each control's place and font,
// and the tooltips.
void Window::Layout(UINT dpi) {
    const auto old = std::move(fonts_); // in use until every control has its new font
    dpi_ = dpi;
    fonts_ = std::make_unique<Fonts>(dpi);
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const RECT sized = Frame(frame.left, frame.top, dpi);
    SetWindowPos(hwnd_, nullptr, sized.left, sized.top, sized.right - sized.left,
                 sized.bottom - sized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t i = 0; i < l::parts.size(); ++i) {
        const l::Box& box = l::parts[i].control->box;
        SetWindowPos(controls_[i], nullptr, Px(box.left), Px(box.top), Px(box.width),
                     Px(box.height), SWP_NOZORDER | SWP_NOACTIVATE);
        FitPart(controls_[i], i, *fonts_, dpi);
    }
    FitTips(tips_, controls_, dpi);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// Puts the window at the stored place, moved by the least distance onto the
// work area of a monitor where part of it would lie off every monitor.
void Window::Place(float topTwips, float leftTwips) {
    const int left = core::TwipsToPixels(leftTwips, static_cast<int>(systemDpi_));
    const int top = core::TwipsToPixels(topTwips, static_cast<int>(systemDpi_));
    const RECT frame = Frame(left, top, dpi_);
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
    const bool note = control == note_;
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
    return controls_[static_cast<std::size_t>(IdOf(control) - firstId)];
}

const l::Part* Window::PartOf(HWND control) const {
    for (const HWND own : {control, GetParent(control)})
        if (const auto found = std::find(controls_.begin(), controls_.end(), own);
            own != nullptr && found != controls_.end())
            return &l::parts[static_cast<std::size_t>(found - controls_.begin())];
    return nullptr;
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
        Activated(wParam);
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

// The focus leaves with the window and comes back to the same control.
void Window::Activated(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd_, focus))
            focus_ = focus;
    } else if (HIWORD(state) == 0) {
        SetFocus(focus_ != nullptr && IsWindowEnabled(focus_) ? focus_ : Get(*l::firstFocus));
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
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))
        return false;
    if (TranslateAcceleratorW(hwnd_, keys_, &msg))
        return true;
    const HWND focus = GetFocus();
    const l::Part* part = PartOf(focus);
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && part != nullptr &&
        part->kind == Kind::button) {
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != 0;
}

// The fields' own handling: pastes go to the model, which takes them whole or
// not at all, and the model hears of the focus coming in.
LRESULT CALLBACK Window::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
    auto* window = reinterpret_cast<Window*>(data);
    if (message == WM_PASTE) {
        window->Paste(field);
        return 0;
    }
    const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
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

// What the controls tell: a row picked, a text typed, a button pressed.
void Window::Notified(int id, int code, HWND control) {
    const l::Part* part = win32::PartOf(id);
    if (part == nullptr)
        return;
    const l::Control& c = *part->control;
    const auto row = [control](UINT get) {
        return static_cast<int>(SendMessageW(control, get, 0, 0));
    };
    switch (part->kind) {
    case Kind::list:
        if (code == LBN_SELCHANGE)
            Render(model_.Picked(c, row(LB_GETCURSEL)));
        break;
    // The combo box itself selects a picked row's text once it has told of
    // the pick, as every Win32 combo box does.
    case Kind::size:
        if (code == CBN_SELCHANGE)
            Render(model_.PickedSize(c, row(CB_GETCURSEL)));
        else if (code == CBN_EDITCHANGE)
            Typed(c, control);
        else if (code == CBN_KILLFOCUS) // a size left shows the start of its text
            SendMessageW(EditOf(control), EM_SETSEL, 0, 0);
        break;
    case Kind::field:
        if (code == EN_CHANGE)
            Typed(c, control);
        break;
    case Kind::button:
        if (code == BN_CLICKED)
            Render(model_.Run(CommandOf(c), false));
        break;
    default:
        break;
    }
}

// A text that Render sets is the model's own already.
void Window::Typed(const l::Control& field, HWND control) {
    if (!settingText_)
        Render(model_.Edited(field, Narrow(Text(control))));
}

// The focus came into a field from another control: by a key when no mouse
// button is down. The focus that comes back with the window enters nothing.
void Window::Entered(HWND edit, HWND from) {
    const l::Part* part = PartOf(edit);
    if (part == nullptr || !IsChild(hwnd_, from))
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
    if (const auto stored = model_.Unload(place))
        core::Save(files_.write, *stored);
}

// ---------------------------------------------------------------- drawing

void Window::Render(const core::Update& update) {
    for (const auto& [list, row] : update.rows)
        SendMessageW(Get(*list), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    RenderFields(update);
    for (const l::Control* result : update.results) {
        const std::wstring shown = Wide(model_.Text(*result));
        if (Text(Get(*result)) != shown)
            SetWindowTextW(Get(*result), shown.c_str()); // which screen readers are told of
    }
    if (update.enabling)
        RenderEnabling();
    if (update.clipboard)
        PutOnClipboard(hwnd_, *update.clipboard);
    if (const auto& note = update.note)
        ShowNote(note_, Get(*note->beside), note->text, note->milliseconds, controls_,
                 fonts_->normal, dpi_);
    Act(update.action);
}

void Window::RenderFields(const core::Update& update) {
    settingText_ = true;
    for (const core::FieldText& field : update.fields) {
        const HWND control = Get(*field.field);
        const std::wstring text = Wide(field.text);
        if (Text(control) != text)
            SetWindowTextW(control, text.c_str());
        const int from = Units(field.text, field.selectFrom),
                  to = Units(field.text, field.selectTo);
        if (PartOf(control)->kind == Kind::size)
            SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(from, to));
        else
            SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(from), to);
    }
    settingText_ = false;
}

void Window::RenderEnabling() {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        EnableWindow(controls_[i], model_.Enabled(*l::parts[i].control));
    ShowCommands(menu_, model_);
}

// Wine puts a window that owns others right after them, and so loses its
// topmost mark when they are not topmost: the tooltips let go of their owner
// for the move.
void Window::KeepOnTop() {
    ShowCommands(menu_, model_); // its check mark
    SetWindowLongPtrW(tips_, GWLP_HWNDPARENT, 0);
    SetWindowPos(hwnd_, model_.Checked(core::Command::onTop) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
                 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(tips_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd_));
}

void Window::Act(core::Action action) {
    switch (action) {
    case core::Action::openTextureFile:
        TextureSizesFrom(PickTextureFile(hwnd_, textureFolder_));
        break;
    case core::Action::keepOnTop:
        KeepOnTop();
        break;
    case core::Action::quit:
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    case core::Action::about:
        ShowAbout(hwnd_, fonts_->normal);
        break;
    case core::Action::openRun: // not offered here yet: see Offered in menus.cpp
    case core::Action::none:
        break;
    }
}

} // namespace win32
