// What the calculator window asks of Windows besides its own controls: the
// clipboard, texture files (opened, dropped or read) and the monitors.
#pragma once

#include "core/placement.h"
#include "core/texture_header.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// The clipboard's text, or nothing when it holds no text (an image, say).
std::optional<std::string> ClipboardText(HWND owner);
void PutOnClipboard(HWND owner, std::string_view text);

// A texture's size from its file's header, or nothing for a file that gives
// none or is not a file on disk.
std::optional<core::TextureSize> TextureFileSize(const std::wstring& file);

// The file picked in the texture file dialog, which opens in folder (empty:
// wherever the system likes), or an empty name when none was picked.
std::wstring PickTextureFile(HWND owner, const std::wstring& folder);

// The first of the files dropped; the drop is then done with.
std::wstring DroppedFile(HDROP drop);

// The work areas of the monitors, in screen pixels.
std::vector<core::Rect> WorkAreas();

} // namespace win32
