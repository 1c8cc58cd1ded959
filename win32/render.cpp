// How both windows draw what the model says changed: list rows, field texts,
// results and the run's lists, what is enabled and ticked, the clipboard,
// notes and actions. A control of the run window that is not made yet is
// drawn when it is.
#include "win32/window.h"

#include "core/commands.h"
#include "win32/about.h"
#include "win32/menus.h"
#include "win32/note.h"
#include "win32/system.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace win32 {
namespace {

namespace l = core::layout;
using l::Kind;

// A field of several lines breaks them at CR LF only.
std::string Shown(const l::Part& part, std::string_view text) {
    return part.kind == Kind::lines ? Crlf(text) : std::string(text);
}

// The model counts a field's selection in bytes of UTF-8, Win32 in UTF-16
// units, with a line's break as two.
int Units(const l::Part& part, std::string_view text, std::size_t bytes) {
    return static_cast<int>(Wide(Shown(part, text.substr(0, bytes))).size());
}

// The messages that read and write the rows of a list box, or of a drop-down
// list.
struct Rows {
    UINT count, remove, insert, length, get, select;
};
constexpr Rows listRows{LB_GETCOUNT,   LB_DELETESTRING, LB_INSERTSTRING,
                        LB_GETTEXTLEN, LB_GETTEXT,      LB_SETCURSEL};
constexpr Rows choiceRows{CB_GETCOUNT,     CB_DELETESTRING, CB_INSERTSTRING,
                          CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_SETCURSEL};

// The text of row, or nothing when the list has fewer rows.
std::optional<std::wstring> RowText(HWND list, const Rows& m, std::size_t row) {
    if (row >= static_cast<std::size_t>(SendMessageW(list, m.count, 0, 0)))
        return std::nullopt;
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, m.length, row, 0)), L'\0');
    SendMessageW(list, m.get, row, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

} // namespace

void Window::Render(const core::Update& update) {
    for (const auto& [list, row] : update.rows)
        if (const HWND control = Get(*list))
            SendMessageW(control,
                         l::PartOf(*list)->kind == Kind::choice ? CB_SETCURSEL : LB_SETCURSEL,
                         static_cast<WPARAM>(row), 0);
    RenderFields(update);
    RenderResults(update);
    if (update.enabling)
        RenderEnabling();
    if (update.clipboard)
        PutOnClipboard(hwnd_, *update.clipboard);
    if (update.note)
        RenderNote(*update.note);
    Act(update.action);
}

void Window::RenderFields(const core::Update& update) {
    settingText_ = true;
    for (const core::FieldText& field : update.fields) {
        const HWND control = Get(*field.field);
        if (control == nullptr)
            continue;
        const l::Part& part = *l::PartOf(*field.field);
        const std::wstring text = Wide(Shown(part, field.text));
        if (Text(control) != text)
            SetWindowTextW(control, text.c_str());
        const int from = Units(part, field.text, field.selectFrom),
                  to = Units(part, field.text, field.selectTo);
        if (part.kind == Kind::size)
            SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(from, to));
        else
            SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(from), to);
    }
    settingText_ = false;
}

// Results, and the run's lists, which are drawn from the model's rows.
void Window::RenderResults(const core::Update& update) {
    for (const l::Control* result : update.results) {
        const HWND control = Get(*result);
        if (control == nullptr || l::PartOf(*result)->kind != Kind::result) {
            RenderItems(*result);
            continue;
        }
        const std::wstring shown = Wide(model_.Text(*result));
        if (Text(control) != shown)
            SetWindowTextW(control, shown.c_str()); // which screen readers are told of
    }
}

void Window::RenderEnabling() {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        EnableWindow(controls_[i], model_.Enabled(*l::parts[i].control));
    for (std::size_t i = 0; run_ != nullptr && i < runControls_.size(); ++i) {
        const l::Part& part = l::runParts[i];
        EnableWindow(runControls_[i], model_.Enabled(*part.control));
        if (part.kind == Kind::check)
            SendMessageW(runControls_[i], BM_SETCHECK,
                         model_.Checked(*part.control) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ShowCommands(menu_, model_);
}

// A list's rows as the model has them: only the rows that changed are set
// again, so a long run redraws little on each key.
void Window::RenderItems(const l::Control& list) {
    const HWND control = Get(list);
    if (control == nullptr)
        return;
    const Rows& m = l::PartOf(list)->kind == Kind::choice ? choiceRows : listRows;
    const std::vector<std::string> items = model_.Items(list);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    for (auto rows = static_cast<std::size_t>(SendMessageW(control, m.count, 0, 0));
         rows > items.size(); --rows)
        SendMessageW(control, m.remove, rows - 1, 0);
    for (std::size_t row = 0; row < items.size(); ++row) {
        const std::wstring text = Wide(items[row]);
        const std::optional<std::wstring> old = RowText(control, m, row);
        if (old == text)
            continue;
        if (old)
            SendMessageW(control, m.remove, row, 0);
        SendMessageW(control, m.insert, row, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(control, m.select, static_cast<WPARAM>(model_.Row(list)), 0);
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

// A note shows in the window of the control it speaks of.
void Window::RenderNote(const core::Note& note) {
    const HWND beside = Get(*note.beside);
    if (beside == nullptr)
        return;
    const bool run = GetParent(beside) == run_ && run_ != nullptr;
    ShowNote(run ? runNote_ : note_, beside, note.text, note.milliseconds,
             run ? std::span<const HWND>(runControls_) : std::span<const HWND>(controls_),
             run ? std::span<const l::Part>(l::runParts) : std::span<const l::Part>(l::parts),
             fonts_->normal, dpi_);
}

// Wine puts a window that owns others right after them, and so loses its
// topmost mark when they are not topmost: the tooltips let go of their owner
// for the move, and the run window goes with it.
void Window::KeepOnTop() {
    ShowCommands(menu_, model_); // its check mark
    const HWND where = model_.Checked(core::Command::onTop) ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowLongPtrW(tips_, GWLP_HWNDPARENT, 0);
    SetWindowPos(hwnd_, where, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(tips_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd_));
    if (run_ != nullptr)
        SetWindowPos(run_, where, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    case core::Action::openRun:
        OpenRun();
        break;
    case core::Action::none:
        break;
    }
}

} // namespace win32
