// What Varnel keeps from one run to the next, and how it is kept in
// Varnel.ini: the last texture and wall sizes, the window's place, whether it
// keeps on top, the alignment rows and the floor/ceiling fields.
#pragma once

#include "core/calculator.h"
#include "settings/profile.h"

#include <string>

namespace core {

// The Run of Walls window as it was left.
struct StoredRun {
    std::string texture = "64";
    int row = defaultRow;
    int on = 0;
    std::string add = "0";
    bool whole = true; // level formats store whole offsets
    std::string walls; // the lengths as typed, joined by ";"
    bool open = false;
    float topTwips = 345;
    float leftTwips = 7800;
    bool operator==(const StoredRun&) const = default;
};

struct Stored {
    // The texts of the four size fields.
    std::string textX = "8";
    std::string textZ = "8";
    std::string wallX = "16";
    std::string wallZ = "16";
    // The window's outer top left corner, in twips from the screen's.
    float topTwips = 345;
    float leftTwips = 510;
    bool onTop = false;
    // The alignment rows of the two wall axes, 0 to 4.
    int rowX = defaultRow;
    int rowZ = defaultRow;
    // The texts of the floor/ceiling fields: texture positions and map coordinates.
    std::string positionX = "0";
    std::string mapX = "0";
    std::string positionZ = "0";
    std::string mapZ = "0";
    // Wall results reduced into 0 up to their texture size.
    bool wrap = false;
    StoredRun run;

    bool operator==(const Stored&) const = default;
};

// What file holds, each missing or unusable key giving its default. A size
// stored with a fraction or an exponent ("48.5", "0.3333333") comes back as
// that text; any other size is read as a whole number, as hand-edited files
// have always been read ("12abc" as 12). A row outside 0 to 4, or a
// floor/ceiling text longer than its field takes, gives the default. Never
// throws.
Stored Load(const settings::Path& file);

// Writes everything to file, each key in place, in this order: the sizes, the
// position, keep-on-top, the rows, the floor/ceiling fields, wrap, the run. A size typed as
// arithmetic is written as its value ("256-48" as 208), so it reads back as
// the number the field showed; any other text is written as typed. Each key is
// written on its own, so a write that fails leaves that key as it was and is
// ignored; the keys written before it keep their new values, and the ones
// after it are still tried. Makes the file's folder first if it is missing.
void Save(const settings::Path& file, const Stored& stored);

} // namespace core
