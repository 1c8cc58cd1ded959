// The note: a word for a moment beside the control it speaks of, in the
// colours of a tooltip.
#pragma once

#include "core/layout.h"

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace win32 {

// Makes the window's note, hidden, with id. It takes no click, so that a
// click meant for what lies below it gets there.
HWND CreateNote(HWND window, int id);

// Shows text in note, in font, beside the control beside, where
// core::NotePlace puts it among controls (made for the window's parts, in
// their order), their caption texts and the window's lines at dpi; for
// milliseconds, or until the next note when 0. An empty text hides the note.
// Screen readers are told of each note.
void ShowNote(HWND note, HWND beside, std::string_view text, int milliseconds,
              std::span<const HWND> controls, std::span<const core::layout::Part> parts, HFONT font,
              UINT dpi);

// name as it fits width pixels in font: a long one loses its middle, so that
// a note that shows it stays a note.
std::wstring Shortened(HWND window, HFONT font, const std::wstring& name, int width);

} // namespace win32
