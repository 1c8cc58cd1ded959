// The calculator window: wall alignment on the left, floor/ceiling alignment
// on the right, laid out from the shared layout at its monitor's DPI. Every
// input change recalculates exactly its own result.
#pragma once

#include "settings/profile.h"
#include "win32/controls.h"
#include "win32/look.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

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
                                      UINT_PTR limit, DWORD_PTR window);
    static LRESULT CALLBACK SizeProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR which, DWORD_PTR);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(HINSTANCE instance);
    void CreateMenus();
    void Place(float topTwips, float leftTwips);
    void Fit(std::size_t i);
    void Layout(UINT dpi);
    void Paint();
    LRESULT Colour(HDC dc, HWND control);

    void Load();
    void Save();

    void Notified(int id, int code);
    void Command(int command, bool fromKey);
    void Alignment(std::size_t axis);
    void WallChange(std::size_t axis, HWND own);
    void FloorChange(std::size_t axis, HWND own);
    void SetSize(HWND list, const std::wstring& text);
    void ShowResult(HWND result, const std::string& text);
    void Copy(HWND result, HWND button);
    void Paste(HWND field, std::size_t limit);
    void OpenTexture();
    void TextureSizesFrom(const std::wstring& file);
    void KeepOnTop(bool on);
    void ShowNote(HWND beside, std::string_view text);

    HWND Get(const core::layout::Control& control) const {
        return controls_[static_cast<std::size_t>(IdOf(control) - firstId)];
    }
    Kind KindOf(HWND control) const;
    int Px(int twips) const { return win32::Px(twips, dpi_); }

    settings::Files files_;
    HWND hwnd_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL keys_ = nullptr;
    std::array<HWND, parts.size()> controls_{};
    HWND note_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT systemDpi_ = USER_DEFAULT_SCREEN_DPI;
    std::unique_ptr<Fonts> fonts_;
    HWND focus_ = nullptr;           // where the focus goes back to
    HWND selectOnRelease_ = nullptr; // a field entered by a click
    std::wstring textureFolder_;     // where the file dialog opens
    bool loaded_ = false;
    bool saved_ = false;
};

} // namespace win32
