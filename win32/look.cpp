#include "win32/look.h"

#include "core/layout.h"

#include <span>
#include <vector>

namespace win32 {

std::wstring Wide(std::string_view text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string Narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                    nullptr, 0, nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(),
                        static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
}

std::string Crlf(std::string_view text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            lines += '\r';
        lines += text[i];
    }
    return lines;
}

std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND EditOf(HWND sizeList) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(sizeList, &info);
    return info.hwndItem;
}

namespace {

// A text and the room it has, in pixels.
struct Room {
    std::wstring text;
    int width, height;
};

// The largest font of face like style, at most pixels high, in which every
// text fits its room: its width and its line's full height.
HFONT Fitted(LOGFONTW style, int pixels, std::span<const Room> rooms) {
    const HDC dc = GetDC(nullptr);
    HFONT font = nullptr;
    for (; pixels > 1; --pixels) {
        style.lfHeight = -pixels;
        font = CreateFontIndirectW(&style);
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        bool fits = true;
        for (const Room& room : rooms) {
            SIZE size{};
            GetTextExtentPoint32W(dc, room.text.c_str(), static_cast<int>(room.text.size()), &size);
            fits = fits && size.cx <= room.width && metrics.tmHeight <= room.height;
        }
        SelectObject(dc, old);
        if (fits)
            break;
        DeleteObject(font);
        font = nullptr;
    }
    ReleaseDC(nullptr, dc);
    return font != nullptr ? font : CreateFontIndirectW(&style);
}

// The rooms each font's texts need at dpi: the normal font's, the headings'
// and the larger font's.
struct Rooms {
    std::vector<Room> normal, heading, large;
};

Rooms RoomsAt(UINT dpi) {
    namespace l = core::layout;
    using l::Kind;
    const auto px = [dpi](int twips) { return Px(twips, dpi); };
    const int frame = px(90); // the frames and margins of lists, fields and result boxes
    Rooms rooms;
    for (const l::Part& part : l::parts) {
        const l::Box& box = part.control->box;
        const Room room{Wide(part.control->text), px(box.width), px(box.height)};
        switch (part.kind) {
        case Kind::heading:
            rooms.heading.push_back(room);
            break;
        case Kind::title:
        case Kind::caption:
        case Kind::button:
            rooms.normal.push_back(room);
            break;
        case Kind::letter:
            rooms.large.push_back(room);
            break;
        case Kind::result: // the longest text a result shows
            rooms.large.push_back({L"-1.234567E+07", room.width - frame, room.height - frame});
            break;
        case Kind::list: // five rows without scrolling
            for (const auto* rows : {&l::rowsX, &l::rowsZ})
                for (const std::string_view row : *rows)
                    rooms.normal.push_back(
                        {Wide(row), room.width - frame, (room.height - frame) / 5});
            break;
        case Kind::size:
        case Kind::field: // eight characters in full
            rooms.normal.push_back({L"-0000000", room.width - frame, room.height - frame});
            break;
        default: // the Run of Walls window's kinds
            break;
        }
    }
    return rooms;
}

} // namespace

Fonts::Fonts(UINT dpi) {
    const Rooms rooms = RoomsAt(dpi);
    LOGFONTW style{};
    style.lfCharSet = DEFAULT_CHARSET;
    style.lfQuality = CLEARTYPE_QUALITY;
    // The dialog font's alias, which Windows and Wine both map to Tahoma.
    lstrcpynW(style.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    style.lfWeight = FW_NORMAL;
    normal = Fitted(style, MulDiv(8, static_cast<int>(dpi), 72), rooms.normal);
    LOGFONTW chosen{};
    GetObjectW(normal, sizeof chosen, &chosen);
    chosen.lfWeight = FW_BOLD;
    chosen.lfUnderline = TRUE;
    heading = Fitted(chosen, -chosen.lfHeight, rooms.heading);
    large = Fitted(style, MulDiv(12, static_cast<int>(dpi), 72), rooms.large);
    // Any fixed-pitch face the system has, at the dialog font's height.
    chosen.lfWeight = FW_NORMAL;
    chosen.lfUnderline = FALSE;
    chosen.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(chosen.lfFaceName, L"Consolas", LF_FACESIZE);
    fixed = CreateFontIndirectW(&chosen);
}

Fonts::~Fonts() {
    for (HFONT font : {normal, heading, large, fixed})
        DeleteObject(font);
}

} // namespace win32
