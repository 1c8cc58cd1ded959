// The calculator window's parts as Win32 controls: how each kind is made and
// fitted to a DPI, and what Win32 does not draw by itself: the lines between
// the sections and a focused alignment list's frame.
#pragma once

#include "win32/look.h"

#include <windows.h>

#include <cstddef>

namespace win32 {

// Makes part i of the layout (core::layout::parts) in window at dpi, with the
// id firstId + i: a list with its rows, a frame while it has the focus, a
// size list with its rows and the model's limit, turned by the wheel only
// while it has the focus, a field with the model's limit.
HWND MakePart(HWND window, std::size_t i, UINT dpi);

// Gives control, part i, its font from fonts, and what the font decides at
// dpi: the row heights of a list, which shows its five rows in full, the
// height of a closed size list, and a field's margins.
void FitPart(HWND control, std::size_t i, const Fonts& fonts, UINT dpi);

// Draws the lines between the window's sections at dpi.
void DrawLines(HDC dc, UINT dpi);

} // namespace win32
