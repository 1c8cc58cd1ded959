#include "core/window.h"

#include "core/calculator.h"

#include <algorithm>

namespace core {
namespace {

namespace l = layout;

// A wall axis: its list, its two sizes and where they are stored, the
// controls its default row disables, and its copy command.
struct WallAxis {
    char letter;
    const Control &list, &texture, &wall, &textCaption, &wallCaption, &result, &copy;
    Command command;
    int Stored::*row;
    std::string Stored::*textureText;
    std::string Stored::*wallText;
};
constexpr WallAxis walls[] = {
    {'X', l::lstPosX, l::cmbTextX, l::cmbWallX, l::lblTextX, l::lblWallX, l::lblX, l::cmdCopyX,
     Command::copyX, &Stored::rowX, &Stored::textX, &Stored::wallX},
    {'Z', l::lstPosZ, l::cmbTextZ, l::cmbWallZ, l::lblTextZ, l::lblWallZ, l::lblZ, l::cmdCopyZ,
     Command::copyZ, &Stored::rowZ, &Stored::textZ, &Stored::wallZ},
};

struct FloorAxis {
    const Control &position, &map, &result, &copy;
    Command command;
    std::string Stored::*positionText;
    std::string Stored::*mapText;
};
constexpr FloorAxis floors[] = {
    {l::txtFCTextX, l::txtFCX, l::lblFCX, l::cmdFCCopyX, Command::fcCopyX, &Stored::positionX,
     &Stored::mapX},
    {l::txtFCTextZ, l::txtFCZ, l::lblFCZ, l::cmdFCCopyZ, Command::fcCopyZ, &Stored::positionZ,
     &Stored::mapZ},
};

// Which field holds which stored text, in the order they are restored: the
// sizes, then the floor/ceiling fields.
struct StoredText {
    const Control* field;
    std::string Stored::*text;
};
constexpr StoredText storedTexts[] = {
    {&l::cmbTextX, &Stored::textX},       {&l::cmbTextZ, &Stored::textZ},
    {&l::cmbWallX, &Stored::wallX},       {&l::cmbWallZ, &Stored::wallZ},
    {&l::txtFCTextX, &Stored::positionX}, {&l::txtFCX, &Stored::mapX},
    {&l::txtFCTextZ, &Stored::positionZ}, {&l::txtFCZ, &Stored::mapZ},
};

// The results in the order of results_.
constexpr const Control* resultControls[] = {&l::lblX, &l::lblZ, &l::lblFCX, &l::lblFCZ};

const WallAxis* WallOf(const Control& control) {
    for (const WallAxis& axis : walls)
        for (const Control* c : {&axis.list, &axis.texture, &axis.wall, &axis.textCaption,
                                 &axis.wallCaption, &axis.result, &axis.copy})
            if (c == &control)
                return &axis;
    return nullptr;
}

const FloorAxis* FloorOf(const Control& control) {
    for (const FloorAxis& axis : floors)
        if (&control == &axis.position || &control == &axis.map || &control == &axis.result)
            return &axis;
    return nullptr;
}

const StoredText* StoredTextOf(const Control& field) {
    for (const StoredText& s : storedTexts)
        if (s.field == &field)
            return &s;
    return nullptr;
}

std::size_t ResultIndex(const Control& result) {
    std::size_t i = 0;
    while (i < std::size(resultControls) && resultControls[i] != &result)
        ++i;
    return i;
}

// Characters as the toolkits count them: UTF-16 code units.
std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) // not a continuation byte
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// b's changes after a's.
Update Merged(Update a, Update b) {
    a.rows.insert(a.rows.end(), b.rows.begin(), b.rows.end());
    a.fields.insert(a.fields.end(), b.fields.begin(), b.fields.end());
    for (const Control* result : b.results)
        if (std::find(a.results.begin(), a.results.end(), result) == a.results.end())
            a.results.push_back(result);
    a.enabling = a.enabling || b.enabling;
    if (b.clipboard)
        a.clipboard = b.clipboard;
    if (b.note)
        a.note = b.note;
    if (b.action != Action::none)
        a.action = b.action;
    return a;
}

} // namespace

Model::Model(const Stored& stored, bool canKeepOnTop)
    : stored_(stored), canKeepOnTop_(canKeepOnTop) {
    for (const Control* result : resultControls)
        Recalculated(*result);
}

const std::string& Model::Text(const Control& control) const {
    static const std::string none;
    if (const std::size_t i = ResultIndex(control); i < results_.size())
        return results_[i];
    const StoredText* s = StoredTextOf(control);
    return s != nullptr ? stored_.*(s->text) : none;
}

int Model::Row(const Control& list) const {
    const WallAxis* axis = WallOf(list);
    return axis != nullptr ? stored_.*(axis->row) : -1;
}

bool Model::Enabled(const Control& control) const {
    const WallAxis* axis = WallOf(control);
    return axis == nullptr || &control == &axis->list || AxisEnabled(stored_.*(axis->row));
}

bool Model::Enabled(Command command) const {
    for (const WallAxis& axis : walls)
        if (command == axis.command)
            return AxisEnabled(stored_.*(axis.row));
    return command != Command::onTop || canKeepOnTop_;
}

bool Model::Checked(Command command) const {
    return command == Command::onTop && stored_.onTop;
}

int Model::Limit(const Control& field) {
    const layout::Part* part = layout::PartOf(field);
    return part != nullptr && part->kind == layout::Kind::size ? sizeFieldLength : maxFieldLength;
}

Update Model::Everything() const {
    Update u;
    for (const WallAxis& axis : walls)
        u.rows.emplace_back(&axis.list, stored_.*(axis.row));
    for (const StoredText& s : storedTexts)
        u.fields.push_back({s.field, stored_.*(s.text)});
    u.results.assign(std::begin(resultControls), std::end(resultControls));
    u.enabling = true;
    if (canKeepOnTop_ && stored_.onTop)
        u.action = Action::keepOnTop;
    return u;
}

std::string& Model::Field(const Control& field) {
    return stored_.*(StoredTextOf(field)->text);
}

// Recalculates result; the update names it when its text changed.
Update Model::Recalculated(const Control& result) {
    std::string shown;
    if (const WallAxis* wall = WallOf(result))
        shown = WallResult(stored_.*(wall->row), stored_.*(wall->textureText),
                           stored_.*(wall->wallText));
    else if (const FloorAxis* floor = FloorOf(result))
        shown = FloorResult(stored_.*(floor->positionText), stored_.*(floor->mapText));
    std::string& text = results_[ResultIndex(result)];
    Update u;
    if (shown != text) {
        text = std::move(shown);
        u.results.push_back(&result);
    }
    return u;
}

// An emptied field becomes "0", selected, so that it counts as zero and the
// next key replaces it.
Update Model::Edited(const Control& field, std::string_view text) {
    if (StoredTextOf(field) == nullptr)
        return {};
    Update u;
    if (text.empty()) {
        text = emptyField;
        u.fields.push_back({&field, std::string(text), 0, text.size()});
    }
    if (Field(field) == text)
        return u;
    Field(field) = text;
    const WallAxis* wall = WallOf(field);
    return Merged(std::move(u),
                  Recalculated(wall != nullptr ? wall->result : FloorOf(field)->result));
}

Update Model::Picked(const Control& list, int row) {
    const WallAxis* axis = WallOf(list);
    if (axis == nullptr || &list != &axis->list || stored_.*(axis->row) == row)
        return {};
    stored_.*(axis->row) = row;
    Update u = Recalculated(axis->result);
    u.enabling = true;
    return u;
}

Update Model::PickedSize(const Control& field, int row) {
    if (row < 0 || row >= static_cast<int>(layout::sizes.size()))
        return {};
    const std::string_view size = layout::sizes[static_cast<std::size_t>(row)];
    Update u = Edited(field, size);
    u.fields.push_back({&field, std::string(size), size.size(), size.size()});
    return u;
}

// Tab into a field selects all its text, so the next key replaces it; a
// click places the caret, as everywhere.
Update Model::Entered(const Control& field, bool byKey) const {
    if (!byKey || StoredTextOf(field) == nullptr)
        return {};
    Update u;
    u.fields.push_back({&field, Text(field), 0, Text(field).size()});
    return u;
}

// A paste goes in whole or not at all, and one that leaves nothing to paste
// changes nothing: not even the selection goes.
Update Model::Paste(const Control& field, std::string_view text, std::size_t from, std::size_t to,
                    const std::optional<std::string>& clipboard) {
    const std::string pasted = clipboard ? Pasted(*clipboard) : std::string();
    if (pasted.empty() || StoredTextOf(field) == nullptr || from > to || to > text.size())
        return {};
    const std::string result =
        std::string(text.substr(0, from)) + pasted + std::string(text.substr(to));
    Update u;
    if (Utf16Length(result) > static_cast<std::size_t>(Limit(field))) {
        u.note = Note{&field, TooLongNote(Limit(field))};
        return u;
    }
    u = Edited(field, result);
    u.fields.push_back({&field, result, from + pasted.size(), from + pasted.size()});
    return u;
}

Update Model::Copy(const Control& result, const Control& button, char axis, bool on, bool fromKey) {
    Update u;
    if (on) {
        u.clipboard = Text(result);
        u.note = Note{&button, CopiedNote(Text(result))};
    } else if (fromKey) {
        // The key of a copy that is off does nothing but say so.
        u.note = Note{&button, NothingToCopyNote(axis)};
    }
    return u;
}

Update Model::Run(Command command, bool fromKey) {
    for (const WallAxis& axis : walls)
        if (command == axis.command)
            return Copy(axis.result, axis.copy, axis.letter, Enabled(command), fromKey);
    for (const FloorAxis& axis : floors)
        if (command == axis.command)
            return Copy(axis.result, axis.copy, 0, true, fromKey);
    Update u;
    switch (command) {
    case Command::textureFile:
        u.action = Action::openTextureFile;
        break;
    case Command::onTop:
        if (canKeepOnTop_) {
            stored_.onTop = !stored_.onTop;
            u.action = Action::keepOnTop;
        }
        break;
    case Command::quit:
        u.action = Action::quit;
        break;
    default:
        u.action = Action::about;
        break;
    }
    return u;
}

// The sizes go in as if typed; a file that gives none leaves them as they were.
Update Model::TextureSizes(const std::optional<TextureSize>& size, std::string_view name) {
    Update u;
    if (!size) {
        u.note = Note{&l::lblTextX, NotAnImageNote(name)};
        return u;
    }
    for (const auto& [field, value] :
         {std::pair{&l::cmbTextX, size->width}, std::pair{&l::cmbTextZ, size->height}}) {
        const std::string text = std::to_string(value);
        u = Merged(std::move(u), Edited(*field, text));
        u.fields.push_back({field, text});
    }
    return u;
}

Update Model::Hovering(bool over) {
    Update u;
    u.note = Note{&l::lblTextX, over ? "Drop to take Text X and Text Z from this texture" : "", 0};
    return u;
}

std::optional<Stored> Model::Unload(std::optional<std::pair<float, float>> place) {
    if (unloaded_)
        return std::nullopt;
    unloaded_ = true;
    if (place) {
        stored_.topTwips = place->first;
        stored_.leftTwips = place->second;
    }
    return stored_;
}

std::vector<std::string> ImagePatterns() {
    std::vector<std::string> patterns;
    for (const std::string_view suffix : textureSuffixes)
        patterns.push_back("*." + std::string(suffix));
    return patterns;
}

} // namespace core
