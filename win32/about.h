// The About window: the program's icon, name, version and terms, and OK.
#pragma once

#include <windows.h>

namespace win32 {

// Shows the About window over owner, in font, and returns once it is closed.
// It is modal: owner takes no input while it is open.
void ShowAbout(HWND owner, HFONT font);

} // namespace win32
