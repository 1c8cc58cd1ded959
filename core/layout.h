// The calculator window's controls as every window that shows Varnel lays them
// out: names, captions and places in twips (1/1440 inch) from the top left
// corner of the client area, the rows of the lists, and (in `parts`) each
// control's kind, the order in which the windows create them, and so the Tab
// order.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace core::layout {

struct Box {
    int left, top, width, height;
};

struct Control {
    std::string_view name, text;
    Box box;
};

// A straight line between two points, width pixels wide.
struct Line {
    std::string_view name;
    int x1, y1, x2, y2;
    int width = 1;
};

inline constexpr std::string_view windowTitle = "Varnel";
inline constexpr int clientWidth = 7065;
inline constexpr int clientHeight = 6660;

// Floor/ceiling fields, copy buttons, size lists and alignment lists.
inline constexpr Control txtFCZ{"txtFCZ", "0", {6045, 1560, 795, 315}};
inline constexpr Control txtFCX{"txtFCX", "0", {6045, 975, 795, 315}};
inline constexpr Control txtFCTextZ{"txtFCTextZ", "0", {4290, 1560, 795, 315}};
inline constexpr Control txtFCTextX{"txtFCTextX", "0", {4290, 975, 795, 315}};
inline constexpr Control cmdFCCopyX{"cmdFCCopyX", "Copy", {6045, 2535, 795, 405}};
inline constexpr Control cmdFCCopyZ{"cmdFCCopyZ", "Copy", {6045, 3120, 795, 405}};
inline constexpr Control cmdCopyZ{"cmdCopyZ", "Copy", {2535, 6045, 795, 405}};
inline constexpr Control cmdCopyX{"cmdCopyX", "Copy", {2535, 5460, 795, 405}};
inline constexpr Control cmbWallZ{"cmbWallZ", "16", {2535, 4485, 795, 315}};
inline constexpr Control cmbWallX{"cmbWallX", "16", {2550, 3900, 795, 315}};
inline constexpr Control cmbTextZ{"cmbTextZ", "8", {780, 4485, 795, 315}};
inline constexpr Control cmbTextX{"cmbTextX", "8", {780, 3900, 795, 315}};
inline constexpr Control lstPosZ{"lstPosZ", "", {195, 2145, 3135, 1035}};
inline constexpr Control lstPosX{"lstPosX", "", {195, 780, 3135, 1035}};

// Headings (bold, underlined), section titles (centred), captions, the axis
// letters and results (in the larger font), and the lines between sections.
inline constexpr Control Label18{"Label18", "Floor/Ceiling Alignment", {3705, 195, 3135, 210}};
inline constexpr Control Label17{"Label17", "Wall Alignment", {195, 195, 3135, 210}};
inline constexpr Control Label16{"Label16", "Text X", {3705, 975, 600, 195}};
inline constexpr Control Label15{"Label15", "Text Z", {3705, 1560, 465, 195}};
inline constexpr Control Label14{"Label14", "Coordinates", {3705, 585, 3135, 210}};
inline constexpr Line Line6{"Line6", 3705, 1950, 6825, 1950};
inline constexpr Control Label13{"Label13", "Map X", {5460, 975, 465, 195}};
inline constexpr Control Label12{"Label12", "Map Z", {5460, 1560, 465, 195}};
inline constexpr Control lblFCX{"lblFCX", "0.00", {4095, 2535, 1770, 405}};
inline constexpr Control lblFCZ{"lblFCZ", "0.00", {4095, 3120, 1770, 405}};
inline constexpr Control Label6{"Label6", "X", {3705, 2535, 180, 300}};
inline constexpr Control Label4{"Label4", "Z", {3705, 3120, 180, 300}};
inline constexpr Control Label3{"Label3", "Offsets", {3705, 2145, 3135, 210}};
inline constexpr Line Line5{"Line5", 5265, 1950, 5265, 975};
inline constexpr Line Line4{"Line4", 3510, 6240, 3510, 195, 2};
inline constexpr Line Line3{"Line3", 1755, 4875, 1755, 3900};
inline constexpr Control Label8{"Label8", "Offsets", {195, 5070, 3135, 210}};
inline constexpr Control Label10{"Label10", "Z", {195, 6045, 180, 300}};
inline constexpr Control Label9{"Label9", "X", {195, 5460, 180, 300}};
inline constexpr Control lblZ{"lblZ", "0.00", {585, 6045, 1770, 405}};
inline constexpr Control lblX{"lblX", "0.00", {585, 5460, 1770, 405}};
inline constexpr Control lblWallZ{"lblWallZ", "Wall Z", {1950, 4485, 465, 195}};
inline constexpr Control lblWallX{"lblWallX", "Wall X", {1950, 3900, 465, 195}};
inline constexpr Line Line2{"Line2", 195, 4875, 3315, 4875};
inline constexpr Line Line1{"Line1", 195, 3315, 3315, 3315};
inline constexpr Control Label5{"Label5", "Sizes", {195, 3510, 3135, 210}};
inline constexpr Control lblTextZ{"lblTextZ", "Text Z", {195, 4485, 465, 195}};
inline constexpr Control lblTextX{"lblTextX", "Text X", {195, 3900, 600, 195}};
inline constexpr Control Label2{"Label2", "Z Position", {195, 1950, 3135, 210}};
inline constexpr Control Label1{"Label1", "X Position", {195, 585, 3135, 210}};

// The rows of the alignment lists: row 1, "[Default]", needs no offset.
inline constexpr std::array<std::string_view, 5> rowsX{
    "Center - Left Edge of Wall", "Align Left [Default]", "Center", "Align Right",
    "Center - Right Edge of Wall"};
inline constexpr std::array<std::string_view, 5> rowsZ{"Center - Bottom Edge of Wall",
                                                       "Align Bottom [Default]", "Center",
                                                       "Align Top", "Center - Top Edge of Wall"};

// The rows of the four size lists, in numeric order: the powers of two a
// texture or a wall usually has.
inline constexpr std::array<std::string_view, 12> sizes{
    "2", "4", "8", "16", "32", "64", "128", "256", "512", "1024", "2048", "4096"};

// The About window: its title, its client area, and its controls in order of creation.
inline constexpr std::string_view aboutTitle = "About Varnel.exe";
inline constexpr int aboutWidth = 5730;
inline constexpr int aboutHeight = 3075;
inline constexpr int aboutLeft = 2340; // its place on the screen
inline constexpr int aboutTop = 1935;
inline constexpr Control picIcon{"picIcon", "", {240, 240, 540, 540}};
inline constexpr Control cmdOK{"cmdOK", "OK", {4245, 2535, 1260, 345}};
inline constexpr Control aboutLabel1{"Label1",
                                     "Free software under the MIT License.\n"
                                     "Provided as is, without warranty of any kind.",
                                     {1170, 1365, 3885, 540}};
inline constexpr Control lblDescription{
    "lblDescription", "Written by the Varnel developers", {1170, 975, 3885, 375}};
inline constexpr Control lblTitle{"lblTitle", "Varnel", {1170, 240, 3885, 360}};
// One engraved rule across the window above OK: a line in the shadow colour
// with one in the light colour right below it.
inline constexpr Line aboutRule{"Line1", 195, 2190, 5535, 2190};
// Shows "Version " and the program's version, which the build provides.
inline constexpr Control lblVersion{"lblVersion", "Version", {1170, 585, 3885, 225}};

// How a control looks and what it does.
enum class Kind {
    heading, // bold and underlined, centred
    title,   // a section's title, centred
    caption, // a field's caption
    letter,  // an axis letter, in the larger font
    result,  // a result, in the larger font, framed
    list,    // an alignment list
    size,    // an editable size list
    field,   // a floor/ceiling field
    button,  // a copy button
    choice,  // a drop-down list to pick from, not to type in
    check,   // a check box
    lines,   // a field of several lines
    offsets, // a list of results, one a row
};

struct Part {
    const Control* control;
    Kind kind;
};

// Whether a control of kind takes the focus, by Tab or by a click.
constexpr bool TakesFocus(Kind kind) {
    return kind == Kind::list || kind == Kind::size || kind == Kind::field ||
           kind == Kind::button || kind == Kind::choice || kind == Kind::check ||
           kind == Kind::lines || kind == Kind::offsets;
}

// Every control of the calculator window, in the order both windows create
// them. The ones that take the focus come in Tab order: the wall half first,
// down the texture sizes and then the wall sizes, then the floor/ceiling half.
// Each field's caption comes right before it, so that screen readers name the
// field by it. The lines are drawn, not made.
inline constexpr std::array parts{
    Part{&Label17, Kind::heading},  Part{&Label1, Kind::title},      Part{&lstPosX, Kind::list},
    Part{&Label2, Kind::title},     Part{&lstPosZ, Kind::list},      Part{&Label5, Kind::title},
    Part{&lblTextX, Kind::caption}, Part{&cmbTextX, Kind::size},     Part{&lblTextZ, Kind::caption},
    Part{&cmbTextZ, Kind::size},    Part{&lblWallX, Kind::caption},  Part{&cmbWallX, Kind::size},
    Part{&lblWallZ, Kind::caption}, Part{&cmbWallZ, Kind::size},     Part{&Label8, Kind::title},
    Part{&Label9, Kind::letter},    Part{&lblX, Kind::result},       Part{&cmdCopyX, Kind::button},
    Part{&Label10, Kind::letter},   Part{&lblZ, Kind::result},       Part{&cmdCopyZ, Kind::button},
    Part{&Label18, Kind::heading},  Part{&Label14, Kind::title},     Part{&Label16, Kind::caption},
    Part{&txtFCTextX, Kind::field}, Part{&Label15, Kind::caption},   Part{&txtFCTextZ, Kind::field},
    Part{&Label13, Kind::caption},  Part{&txtFCX, Kind::field},      Part{&Label12, Kind::caption},
    Part{&txtFCZ, Kind::field},     Part{&Label3, Kind::title},      Part{&Label6, Kind::letter},
    Part{&lblFCX, Kind::result},    Part{&cmdFCCopyX, Kind::button}, Part{&Label4, Kind::letter},
    Part{&lblFCZ, Kind::result},    Part{&cmdFCCopyZ, Kind::button},
};

inline constexpr std::array lines{&Line1, &Line2, &Line3, &Line4, &Line5, &Line6};

// The control that has the focus when the window opens.
inline constexpr const Control* firstFocus = &lstPosX;

// The Run of Walls window: its title, its client area, and its controls, in
// the order both windows create them, which is also the Tab order.
inline constexpr std::string_view runTitle = "Run of Walls";
inline constexpr int runWidth = 4560;
inline constexpr int runHeight = 6300;
inline constexpr Control lblRunTexture{"lblRunTexture", "Texture", {195, 240, 900, 195}};
inline constexpr Control cmbRunTexture{"cmbRunTexture", "64", {1170, 195, 1000, 315}};
inline constexpr Control lblRunAlign{"lblRunAlign", "Align", {195, 645, 900, 195}};
inline constexpr Control lstRunAlign{"lstRunAlign", "", {1170, 645, 3195, 1035}};
inline constexpr Control lblRunOn{"lblRunOn", "On", {195, 1830, 900, 195}};
inline constexpr Control cmbRunOn{"cmbRunOn", "", {1170, 1785, 1800, 315}};
inline constexpr Control lblRunAdd{"lblRunAdd", "Add", {195, 2250, 900, 195}};
inline constexpr Control txtRunAdd{"txtRunAdd", "0", {1170, 2205, 1000, 315}};
inline constexpr Control chkRunWhole{"chkRunWhole", "Whole Units", {2370, 2205, 1995, 315}};
inline constexpr Control chkRunWrap{
    "chkRunWrap", "Wrap Offsets into the Texture", {195, 2625, 4170, 315}};
inline constexpr Control lblRunWalls{"lblRunWalls", "Walls", {195, 3060, 1300, 195}};
inline constexpr Control txtRunWalls{"txtRunWalls", "", {195, 3285, 1300, 2250}};
inline constexpr Control lblRunOffsets{"lblRunOffsets", "Offsets", {1695, 3060, 2670, 195}};
inline constexpr Control lstRunOffsets{"lstRunOffsets", "", {1695, 3285, 2670, 2250}};
inline constexpr Control cmdCopyNext{"cmdCopyNext", "Copy &Next", {195, 5700, 2000, 405}};
inline constexpr Control cmdCopyAll{"cmdCopyAll", "Copy &All", {2365, 5700, 2000, 405}};

inline constexpr std::array runParts{
    Part{&lblRunTexture, Kind::caption}, Part{&cmbRunTexture, Kind::size},
    Part{&lblRunAlign, Kind::caption},   Part{&lstRunAlign, Kind::list},
    Part{&lblRunOn, Kind::caption},      Part{&cmbRunOn, Kind::choice},
    Part{&lblRunAdd, Kind::caption},     Part{&txtRunAdd, Kind::field},
    Part{&chkRunWhole, Kind::check},     Part{&chkRunWrap, Kind::check},
    Part{&lblRunWalls, Kind::caption},   Part{&txtRunWalls, Kind::lines},
    Part{&lblRunOffsets, Kind::caption}, Part{&lstRunOffsets, Kind::offsets},
    Part{&cmdCopyNext, Kind::button},    Part{&cmdCopyAll, Kind::button},
};

// The run window opens with the focus at the end of its walls, so that the
// next wall can be typed at once.
inline constexpr const Control* runFirstFocus = &txtRunWalls;

// A caption without its "&": "Copy Next" for "Copy &Next".
inline std::string PlainCaption(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // "&&" stands for "&"
        plain += caption[i];
    }
    return plain;
}

// The part of control, in either window, or nothing for another control.
constexpr const Part* PartOf(const Control& control) {
    for (const std::span<const Part> table :
         {std::span<const Part>(parts), std::span<const Part>(runParts)})
        for (const Part& part : table)
            if (part.control == &control)
                return &part;
    return nullptr;
}

} // namespace core::layout
