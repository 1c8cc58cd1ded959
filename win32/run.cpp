// The Run of Walls window: a second top-level window, owned by the calculator
// window, made from the core's table of its controls and drawn from the same
// model. It is modeless: both windows work side by side.
#include "win32/window.h"

#include "win32/controls.h"
#include "win32/menus.h"
#include "win32/note.h"
#include "win32/parts.h"
#include "win32/system.h"
#include "win32/tips.h"

#include <commctrl.h>

namespace win32 {
namespace {

namespace l = core::layout;

constexpr wchar_t runClassName[] = L"VarnelRun";

} // namespace

void Window::CreateRunWindow() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    Register(instance, runClassName, Proc<&Window::run_, &Window::HandleRun>);
    // Owned by the calculator window: above it, minimised and closed with it.
    CreateWindowExW(0, runClassName, Wide(l::runTitle).c_str(), frameStyle, 0, 0, 0, 0, hwnd_,
                    nullptr, instance, this);
    if (run_ == nullptr)
        return;
    CreateControls(run_, runControls_, l::runParts, runFirstId);
    runNote_ = CreateNote(run_, runNoteId);
    runTips_ = CreateTips(run_, runControls_, l::runParts, dpi_);
    runKeys_ = MakeKeys(true);
    SendMessageW(run_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    Render(model_.RunEverything());
    RenderEnabling();
    if (model_.Checked(core::Command::onTop))
        KeepOnTop();
}

// Opens the run window where it was left, or brings it to the front, with the
// focus at the end of its walls.
void Window::OpenRun() {
    const bool made = run_ != nullptr;
    if (!made)
        CreateRunWindow();
    if (run_ == nullptr)
        return;
    if (!made || !IsWindowVisible(run_))
        PlaceRun();
    ShowWindow(run_, SW_SHOW);
    SetForegroundWindow(run_);
    const HWND walls = Get(*l::runFirstFocus);
    SetFocus(walls);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(walls));
    SendMessageW(walls, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(walls, EM_SCROLLCARET, 0, 0);
    runFocus_ = walls;
}

// At the stored place, moved wholly onto a monitor.
void Window::PlaceRun() {
    const core::StoredRun& r = model_.Kept().run;
    const auto dpi = static_cast<int>(systemDpi_);
    const int left = core::TwipsToPixels(r.leftTwips, dpi),
              top = core::TwipsToPixels(r.topTwips, dpi);
    const RECT frame = Frame(left, top, l::runWidth, l::runHeight, false, dpi_);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const core::Point place = core::OnScreen({left, top, width, height}, WorkAreas());
    SetWindowPos(run_, nullptr, place.x, place.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hidden, so that it opens again as it was; the model hears that it closed.
void Window::CloseRun() {
    ShowWindow(run_, SW_HIDE);
    SetForegroundWindow(hwnd_);
    Render(model_.RunClosed());
}

std::optional<std::pair<float, float>> Window::RunPlace() const {
    if (run_ == nullptr || !IsWindowVisible(run_))
        return std::nullopt;
    RECT frame{};
    GetWindowRect(run_, &frame);
    const auto dpi = static_cast<int>(systemDpi_);
    return std::pair{core::PixelsToTwips(frame.top, dpi), core::PixelsToTwips(frame.left, dpi)};
}

// Its own keys, Esc to close, Return on a button or an offset, and Tab out of
// the walls; then the keys that move between its controls.
bool Window::TranslateRun(MSG& msg) {
    if (TranslateAcceleratorW(run_, runKeys_, &msg))
        return true;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        CloseRun();
        return true;
    }
    if (Returned(run_, msg))
        return true;
    // Tab leaves the walls as it leaves any field; Ctrl+Tab types a tab.
    const HWND focus = GetFocus();
    const l::Part* part = PartOf(focus);
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && part != nullptr &&
        part->kind == l::Kind::lines && GetKeyState(VK_CONTROL) >= 0) {
        SetFocus(GetNextDlgTabItem(run_, focus, GetKeyState(VK_SHIFT) < 0));
        return true;
    }
    return IsDialogMessageW(run_, &msg) != 0;
}

LRESULT Window::HandleRun(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Commanded(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        Activated(run_, wParam, runFocus_, *l::runFirstFocus);
        return 0;
    case WM_SYSCOLORCHANGE:
        for (const HWND control : runControls_)
            SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
        InvalidateRect(run_, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        CloseRun();
        return 0;
    case WM_DESTROY:
        DestroyAcceleratorTable(runKeys_);
        return 0;
    default:
        return DefWindowProcW(run_, message, wParam, lParam);
    }
}

} // namespace win32
