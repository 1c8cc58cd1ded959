// The calculator window: wall alignment on the left, floor/ceiling alignment
// on the right, laid out from the shared layout at its monitor's DPI. It draws
// the core's model of the window and forwards each event to it: every rule,
// every text and what is enabled are the model's, and this window only shows
// them in Win32's own controls.
#pragma once

#include "core/layout.h"
#include "core/window.h"
#include "settings/profile.h"
#include "win32/look.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

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

    // Handles msg when it is one of the window's keys: the commands' Ctrl
    // keys, which come before any control's own, Return on a focused button,
    // and the keys that move between controls. False leaves msg to the caller.
    bool Translate(MSG& msg);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR window);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void Place(float topTwips, float leftTwips);
    void Layout(UINT dpi);
    void Paint();
    LRESULT Colour(HDC dc, HWND control);
    void Activated(WPARAM state);
    void ColoursChanged();
    void DpiChanged(UINT dpi, const RECT& suggested);

    // The events, each forwarded to the model and its update drawn.
    void Commanded(WPARAM wParam, LPARAM lParam);
    void Notified(int id, int code, HWND control);
    void Typed(const core::layout::Control& field, HWND control);
    void Entered(HWND edit, HWND from);
    void Paste(HWND edit);
    void TextureSizesFrom(const std::wstring& file);
    void Save();

    // Draws an update: rows, fields, results, what is enabled, the
    // clipboard, the note and the action, in this order.
    void Render(const core::Update& update);
    void RenderFields(const core::Update& update);
    void RenderEnabling();
    void Act(core::Action action);
    void KeepOnTop();

    HWND Get(const core::layout::Control& control) const;
    // The part of control, or of the size list whose edit field it is.
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
    HWND focus_ = nullptr;       // where the focus goes back to
    std::wstring textureFolder_; // where the file dialog opens
    bool settingText_ = false;   // a field's text is being drawn, not typed
};

} // namespace win32
