// What the calculator window and the About window share: text converted
// between the program's UTF-8 and Windows' UTF-16, twips scaled to pixels at
// a monitor's DPI, and the fonts chosen for that DPI.
#pragma once

#include "core/placement.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

// text with each line break as Windows has it, CR LF; the program's lines end
// in LF, or in CR LF as typed here.
std::string Crlf(std::string_view text);

// The text of a window or control.
std::wstring Text(HWND window);

// The edit field inside a size list (an editable combo box).
HWND EditOf(HWND sizeList);

// A function of a system DLL that is loaded on first use rather than at
// start-up, or null when it cannot be had. The file dialog's and the shell's
// DLLs bring in many more, which would delay the window's first paint.
template <class Function> Function* Late(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadLibraryW(dll);
    // Through void (*)(), which converts to and from any function pointer.
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function*>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Twips (1/1440 inch) in pixels at dpi, rounded to the nearest.
inline int Px(int twips, UINT dpi) {
    return core::TwipsToPixels(twips, static_cast<int>(dpi));
}

// The fonts of one DPI: the dialog font, at most 8 pt, as large as lets every
// caption, list row and eight-character field fit its place; the headings'
// bold and underlined form of it; and the larger font, at most 12 pt, of the
// results and axis letters, as large as lets them fit; and a fixed-pitch font
// of the dialog font's height, which keeps the run's columns of lengths and
// offsets in line. Owns its fonts.
class Fonts {
  public:
    explicit Fonts(UINT dpi);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT normal = nullptr;
    HFONT heading = nullptr;
    HFONT large = nullptr;
    HFONT fixed = nullptr;
};

} // namespace win32
