// The windows' parts as Win32 controls: how each kind is made and fitted to a
// DPI, and what Win32 does not draw by itself: the lines between the sections
// and a focused alignment list's frame; and the windows' frames.
#pragma once

#include "core/layout.h"
#include "win32/look.h"

#include <windows.h>

#include <span>

namespace win32 {

// Makes part of a window's layout in window at dpi, with id: an alignment
// list with its rows, a frame while it has the focus, a size list with its
// rows and the model's limit, turned by the wheel only while it has the
// focus, a field with the model's limit.
HWND MakePart(HWND window, const core::layout::Part& part, int id, UINT dpi);

// Gives control, made for part, its font from fonts, and what the font
// decides at dpi: the row heights of an alignment list, which shows its five
// rows in full, the height of a closed drop-down list, and a field's margins.
void FitPart(HWND control, const core::layout::Part& part, const Fonts& fonts, UINT dpi);

// Moves each of controls, made for parts, to its place at dpi, and fits it.
void LayOut(std::span<const HWND> controls, std::span<const core::layout::Part> parts,
            const Fonts& fonts, UINT dpi);

// Both windows' frames: a caption and a close box; neither is sized.
inline constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// A window's frame, with a menu bar or without, for a client area of width
// by height twips at dpi, its top left corner at left, top (pixels).
RECT Frame(int left, int top, int width, int height, bool menu, UINT dpi);

// Registers the window class name, with proc, the program's icon and the
// system's colours.
void Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc);

// Draws the lines between the window's sections at dpi.
void DrawLines(HDC dc, UINT dpi);

} // namespace win32
