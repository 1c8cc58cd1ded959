// What Varnel keeps from one run to the next, and how it is kept in
// Varnel.ini: the last texture and wall sizes, the window's place and whether
// it keeps on top.
#pragma once

#include <filesystem>
#include <string>

namespace core {

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
};

// What file holds, each missing key giving its default. A size is read as a
// whole number, as hand-edited files have always been read. Never throws.
Stored Load(const std::filesystem::path& file);

// Writes everything to file, each key in place, in this order: the sizes, the
// position, then keep-on-top. A size typed as arithmetic is written as its
// value ("256-48" as 208), so it reads back as the number the field showed;
// any other text is written as typed. A write that fails is ignored: the
// file stays as it was. Makes the file's folder first if it is missing.
void Save(const std::filesystem::path& file, const Stored& stored);

} // namespace core
