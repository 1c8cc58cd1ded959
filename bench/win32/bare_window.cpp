// The yardstick for varnel.exe's start-up: a window that makes what Varnel's
// calculator window makes, and does nothing of Varnel's own. It has the same
// frame, icon and manifest, the same two menus, and the same 39 child windows:
// the 18 controls (2 lists, 4 editable size lists with their 12 rows, 4
// fields, 4 buttons, 4 framed results), the 20 static captions and the hidden
// note, in the same order, places, texts, styles and fonts. It reads no
// settings file and calculates nothing, so that under Wine, where each native
// control takes its own time to make, the ratio tells the cost of Varnel's
// work rather than that of the controls.
#include "core/layout.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace {

namespace l = core::layout;

enum Kind { heading, title, caption, letter, result, list, size, field, button };

// Each kind's window class, styles and font (0 normal, 1 heading, 2 large).
struct Look {
    const wchar_t* type;
    DWORD style, extended;
    int font;
};
constexpr DWORD shown = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr Look looks[] = {
    {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0, 1},
    {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0, 0},
    {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0},
    {WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 2},
    {WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_STATICEDGE, 2},
    {WC_LISTBOXW, WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 0},
    {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0},
    {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0},
    {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0, 0},
};

struct Made {
    const l::Control& control;
    Kind kind;
};
// In varnel.exe's order of creation, which is its stacking order too.
constexpr Made made[] = {
    {l::Label17, heading},  {l::Label1, title},      {l::lstPosX, list},      {l::Label2, title},
    {l::lstPosZ, list},     {l::Label5, title},      {l::lblTextX, caption},  {l::cmbTextX, size},
    {l::lblTextZ, caption}, {l::cmbTextZ, size},     {l::lblWallX, caption},  {l::cmbWallX, size},
    {l::lblWallZ, caption}, {l::cmbWallZ, size},     {l::Label8, title},      {l::Label9, letter},
    {l::lblX, result},      {l::cmdCopyX, button},   {l::Label10, letter},    {l::lblZ, result},
    {l::cmdCopyZ, button},  {l::Label18, heading},   {l::Label14, title},     {l::Label16, caption},
    {l::txtFCTextX, field}, {l::Label15, caption},   {l::txtFCTextZ, field},  {l::Label13, caption},
    {l::txtFCX, field},     {l::Label12, caption},   {l::txtFCZ, field},      {l::Label3, title},
    {l::Label6, letter},    {l::lblFCX, result},     {l::cmdFCCopyX, button}, {l::Label4, letter},
    {l::lblFCZ, result},    {l::cmdFCCopyZ, button},
};

constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
UINT dpi = 96;

int Px(int twips) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::wstring Wide(std::string_view text) {
    return {text.begin(), text.end()}; // the layout's texts are all ASCII
}

// The fonts varnel.exe ends up with under Wine at 96 DPI, where its fitting
// of the captions into their places takes the dialog font at 10 pixels and
// the larger one at 16.
HFONT Font(int pixels, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(pixels, static_cast<int>(dpi), 96);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = bold;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HMENU Menus() {
    const HMENU calculator = CreatePopupMenu();
    for (const wchar_t* item :
         {L"Copy &X Offset (Wall)\tCtrl+X", L"Copy &Z Offset (Wall)\tCtrl+Z", L"",
          L"Copy &X Offset (F/C)\tCtrl+W", L"Copy &Z Offset (F/C)\tCtrl+Y", L"",
          L"Texture Sizes from &File...\tCtrl+O", L"Keep on &Top\tCtrl+T", L"", L"&Quit\tCtrl+Q"})
        AppendMenuW(calculator, *item != 0 ? MF_STRING : MF_SEPARATOR, 1,
                    *item != 0 ? item : nullptr);
    const HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 1, L"&About");
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(calculator), L"&Calculator");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

// The rows, row heights and margins varnel.exe gives a control of kind.
void Fill(HWND control, Kind kind, const l::Control& place) {
    if (kind == list) {
        for (const std::string_view row : &place == &l::lstPosX ? l::rowsX : l::rowsZ)
            SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
        RECT inside{};
        GetClientRect(control, &inside);
        SendMessageW(control, LB_SETITEMHEIGHT, 0, inside.bottom / 5);
        SendMessageW(control, LB_SETCURSEL, 1, 0); // the default row, as a first start has it
    } else if (kind == size) {
        RECT closed{};
        GetWindowRect(control, &closed);
        const auto item = SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     item + Px(place.box.height) - (closed.bottom - closed.top));
        for (const std::string_view row : l::sizes)
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
        SendMessageW(control, CB_SETMINVISIBLE, l::sizes.size(), 0);
        SetWindowTextW(control, Wide(place.text).c_str()); // a size list's text goes to its field
    } else if (kind == field) {
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(Px(15), Px(15)));
    }
}

void CreateControls(HWND window, HINSTANCE instance) {
    const HFONT fonts[] = {Font(10, false), Font(10, true), Font(16, false)};
    for (const Made& one : made) {
        const Look& look = looks[one.kind];
        const l::Box& box = one.control.box;
        const HWND control =
            CreateWindowExW(look.extended, look.type, Wide(one.control.text).c_str(),
                            shown | look.style, Px(box.left), Px(box.top), Px(box.width),
                            Px(box.height), window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[look.font]), FALSE);
        Fill(control, one.kind, one.control);
    }
    // The note that varnel.exe shows for a moment beside a control.
    CreateWindowExW(0, WC_STATICW, L"",
                    WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                    window, nullptr, instance, nullptr);
}

// The lines between the sections, as varnel.exe paints them.
void Paint(HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    for (const l::Line& line : {l::Line1, l::Line2, l::Line3, l::Line4, l::Line5, l::Line6}) {
        const int width = MulDiv(line.width, static_cast<int>(dpi), 96);
        const int left = Px(std::min(line.x1, line.x2)), top = Px(std::min(line.y1, line.y2));
        const RECT rect{left, top,
                        line.x1 == line.x2 ? left + width : Px(std::max(line.x1, line.x2)),
                        line.y1 == line.y2 ? top + width : Px(std::max(line.y1, line.y2))};
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_CTLCOLORSTATIC: { // the results on a field's colour, the captions on the window's
        const bool framed =
            GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_EXSTYLE) & WS_EX_STATICEDGE;
        const int colour = framed ? COLOR_WINDOW : COLOR_BTNFACE;
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(colour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = L"BareWindow";
    RegisterClassExW(&type);
    // Varnel's default place and its client area's size, at the system's DPI.
    dpi = GetDpiForSystem();
    RECT frame{0, 0, Px(l::clientWidth), Px(l::clientHeight)};
    AdjustWindowRectExForDpi(&frame, style, TRUE, 0, dpi);
    const HWND window = CreateWindowExW(
        WS_EX_ACCEPTFILES, L"BareWindow", L"BareWindow", style, Px(510), Px(345),
        frame.right - frame.left, frame.bottom - frame.top, nullptr, Menus(), instance, nullptr);
    CreateControls(window, instance);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
