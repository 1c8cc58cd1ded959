// The tooltips of a window: each control's own words from the core, and over
// each row of an alignment list that row's formula.
#pragma once

#include "core/layout.h"

#include <windows.h>

#include <span>

namespace win32 {

// Makes the tooltips for controls, made for the window's parts in their
// order, and fits them to dpi.
HWND CreateTips(HWND window, std::span<const HWND> controls,
                std::span<const core::layout::Part> parts, UINT dpi);

// Fits the tooltips to dpi: the width they wrap at, and the places of the
// list rows, which move with the layout.
void FitTips(HWND tips, std::span<const HWND> controls, std::span<const core::layout::Part> parts,
             UINT dpi);

} // namespace win32
