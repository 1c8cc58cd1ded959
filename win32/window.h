// The calculator window: wall alignment on the left, floor/ceiling alignment
// on the right, laid out from the shared layout at its monitor's DPI, and the
// Run of Walls window that it owns. It draws the core's model of both windows
// and forwards each event to it: every rule, every text and what is enabled
// are the model's, and this window only shows them in Win32's own controls.
#pragma once

#include "core/layout.h"
#include "core/window.h"
#include "settings/profile.h"
#include "win32/look.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace win32 {

class Window {
  public:
    // Creates the window, hidden, with what files.read holds: sizes, rows,
    // floor/ceiling fields, keep-on-top, and the place, moved wholly onto a
    // monitor. It saves all of it to files.write once, when it is closed or
    // the session ends.
    Window(HINSTANCE instance, settings::Files files);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool Created() const { return hwnd_ != nullptr; }
    void Show(int how);

    // Handles msg when it is one of either window's keys: the commands' Ctrl
    // keys, which come before any control's own, Return on a focused button,
    // and the keys that move between controls; in the run window also Esc,
    // and Return on an offset. False leaves msg to the caller.
    bool Translate(MSG& msg);

  private:
    template <HWND Window::*own, LRESULT (Window::*handle)(UINT, WPARAM, LPARAM)>
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR window);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(HWND window, std::span<HWND> controls,
                        std::span<const core::layout::Part> parts, int first);
    void Place(float topTwips, float leftTwips);
    void Layout(UINT dpi);
    void LayOutWindow(HWND window, std::span<const HWND> controls,
                      std::span<const core::layout::Part> parts, HWND tips, bool main);
    void Paint();
    LRESULT Colour(HDC dc, HWND control);
    void Activated(HWND window, WPARAM state, HWND& focus, const core::layout::Control& first);
    void ColoursChanged();
    void DpiChanged(UINT dpi, const RECT& suggested);

    // The events, each forwarded to the model and its update drawn.
    void Commanded(WPARAM wParam, LPARAM lParam);
    void Notified(int id, int code, HWND control);
    void SizeNotified(const core::layout::Control& size, int code, HWND control);
    void Changed(const core::layout::Part& part, HWND control);
    bool Returned(HWND window, const MSG& msg);
    void Typed(const core::layout::Control& field, HWND control);
    void Entered(HWND edit, HWND from);
    void Paste(HWND edit);
    void Clicked(HWND offsets, LPARAM at);
    void TextureSizesFrom(const std::wstring& file);
    void Save();

    // Draws an update: rows, fields, results, what is enabled, the
    // clipboard, the note and the action, in this order.
    void Render(const core::Update& update);
    void RenderFields(const core::Update& update);
    void RenderResults(const core::Update& update);
    void RenderEnabling();
    void RenderItems(const core::layout::Control& list);
    void RenderNote(const core::Note& note);
    void Act(core::Action action);
    void KeepOnTop();

    // The Run of Walls window: made the first time it opens, at the place it
    // was left, and hidden, not destroyed, when it closes.
    LRESULT HandleRun(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateRunWindow();
    void OpenRun();
    void PlaceRun();
    void CloseRun();
    bool TranslateRun(MSG& msg);
    // Its top and left in twips while it is open.
    std::optional<std::pair<float, float>> RunPlace() const;

    // The control made for control, in either window; none while the run
    // window is not made.
    HWND Get(const core::layout::Control& control) const;
    // The part of control, or of the size list whose edit field it is, in
    // either window.
    const core::layout::Part* PartOf(HWND control) const;
    int Px(int twips) const { return win32::Px(twips, dpi_); }

    settings::Files files_;
    core::Model model_;
    HWND hwnd_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL keys_ = nullptr;
    std::array<HWND, core::layout::parts.size()> controls_{};
    HWND note_ = nullptr;
    HWND tips_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT systemDpi_ = USER_DEFAULT_SCREEN_DPI;
    std::unique_ptr<Fonts> fonts_;
    HWND focus_ = nullptr; // where the focus goes back to
    HWND run_ = nullptr;
    HACCEL runKeys_ = nullptr;
    std::array<HWND, core::layout::runParts.size()> runControls_{};
    HWND runNote_ = nullptr;
    HWND runTips_ = nullptr;
    HWND runFocus_ = nullptr;
    std::wstring textureFolder_; // where the file dialog opens
    bool settingText_ = false;   // a field's text is being drawn, not typed
};

} // namespace win32
