#include "core/window.h"

#include "core/calculator.h"

#include <algorithm>
#include <tuple>

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

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos
               ? std::string()
               : std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
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
    // The walls are kept joined by ";" and shown one a line.
    for (const std::string& wall : WallsOf(stored.run.walls))
        runWalls_ += (runWalls_.empty() ? "" : "\n") + wall;
    RecalculatedAll();
}

const std::string& Model::Text(const Control& control) const {
    static const std::string none;
    if (const std::size_t i = ResultIndex(control); i < results_.size())
        return results_[i];
    const std::string* text = const_cast<Model*>(this)->FieldOf(control);
    return text != nullptr ? *text : none;
}

int Model::Row(const Control& list) const {
    if (&list == &l::lstRunAlign)
        return stored_.run.row;
    if (&list == &l::cmbRunOn)
        return stored_.run.on;
    if (&list == &l::lstRunOffsets)
        return copied_;
    const WallAxis* axis = WallOf(list);
    return axis != nullptr ? stored_.*(axis->row) : -1;
}

std::vector<std::string> Model::Items(const Control& list) const {
    if (&list == &l::lstPosX || &list == &l::lstRunAlign)
        return {l::rowsX.begin(), l::rowsX.end()};
    if (&list == &l::lstPosZ)
        return {l::rowsZ.begin(), l::rowsZ.end()};
    const std::vector<std::string>& lengths = runLengths_;
    std::vector<std::string> items;
    if (&list == &l::cmbRunOn)
        items.emplace_back("The whole run");
    for (std::size_t i = 0; i < lengths.size() && i < runResults_.size(); ++i) {
        const std::string wall = std::to_string(i + 1);
        items.push_back(&list == &l::cmbRunOn ? "Wall " + wall
                                              : wall + "   " + lengths[i] + "   " + runResults_[i]);
    }
    return items;
}

std::string Model::Spoken(int row) const {
    const auto i = static_cast<std::size_t>(row);
    if (row < 0 || i >= runResults_.size() || i >= runLengths_.size())
        return {};
    return "Wall " + std::to_string(i + 1) + ", " + runLengths_[i] + " long, offset " +
           runResults_[i];
}

bool Model::Checked(const Control& check) const {
    return &check == &l::chkRunWhole ? stored_.run.whole : &check == &l::chkRunWrap && stored_.wrap;
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
    return (command == Command::onTop && stored_.onTop) ||
           (command == Command::wrap && stored_.wrap);
}

// The run's fields take as much as a size field; its walls, as many walls as count.
int Model::Limit(const Control& field) {
    const layout::Part* part = layout::PartOf(field);
    if (part != nullptr && part->kind == layout::Kind::lines)
        return static_cast<int>(maxRunWalls) * (sizeFieldLength + 1);
    const bool small =
        part != nullptr && part->kind == layout::Kind::field && &field != &l::txtRunAdd;
    return small ? maxFieldLength : sizeFieldLength;
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

Update Model::RunEverything() const {
    Update u;
    u.rows = {{&l::lstRunAlign, stored_.run.row}, {&l::cmbRunOn, stored_.run.on}};
    for (const Control* field : {&l::cmbRunTexture, &l::txtRunAdd})
        u.fields.push_back({field, Text(*field)});
    u.fields.push_back({&l::txtRunWalls, runWalls_, runWalls_.size(), runWalls_.size()});
    u.results = {&l::cmbRunOn, &l::lstRunOffsets};
    u.enabling = true;
    return u;
}

Update Model::RunClosed() {
    stored_.run.open = false;
    return {};
}

core::Run Model::CurrentRun() const {
    const StoredRun& r = stored_.run;
    return {r.row, r.on, r.texture, r.add, WallsOf(runWalls_), stored_.wrap, r.whole};
}

// The run's offsets again; Copy Next starts at wall 1 after any change.
Update Model::RecalculatedRun() {
    const core::Run run = CurrentRun();
    runResults_ = RunResults(run);
    runLengths_ = CountedWalls(run);
    for (std::string& length : runLengths_)
        length = Trimmed(length);
    next_ = 0;
    copied_ = -1;
    Update u;
    u.results = {&l::cmbRunOn, &l::lstRunOffsets};
    std::string note = RunNote(run);
    if (note != runNote_ && !note.empty())
        u.note = Note{&l::txtRunWalls, note};
    runNote_ = std::move(note);
    return u;
}

Update Model::RecalculatedAll() {
    Update u = RecalculatedRun();
    for (const Control* result : resultControls)
        u = Merged(std::move(u), Recalculated(*result));
    return u;
}

// The text a field holds, or nothing for another control.
std::string* Model::FieldOf(const Control& field) {
    if (&field == &l::cmbRunTexture)
        return &stored_.run.texture;
    if (&field == &l::txtRunAdd)
        return &stored_.run.add;
    if (&field == &l::txtRunWalls)
        return &runWalls_;
    const StoredText* s = StoredTextOf(field);
    return s != nullptr ? &(stored_.*(s->text)) : nullptr;
}

// Recalculates result; the update names it when its text changed.
Update Model::Recalculated(const Control& result) {
    std::string shown;
    if (const WallAxis* wall = WallOf(result))
        shown = WallResult(stored_.*(wall->row), stored_.*(wall->textureText),
                           stored_.*(wall->wallText), stored_.wrap);
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
    if (FieldOf(field) == nullptr)
        return {};
    Update u;
    if (text.empty() && &field != &l::txtRunWalls) { // no walls are no walls, not "0"
        text = emptyField;
        u.fields.push_back({&field, std::string(text), 0, text.size()});
    }
    if (Field(field) == text)
        return u;
    Field(field) = text;
    const WallAxis* wall = WallOf(field);
    const FloorAxis* floor = FloorOf(field);
    if (wall == nullptr && floor == nullptr)
        return Merged(std::move(u), RecalculatedRun());
    return Merged(std::move(u), Recalculated(wall != nullptr ? wall->result : floor->result));
}

Update Model::Picked(const Control& list, int row) {
    if (&list == &l::lstRunAlign || &list == &l::cmbRunOn) {
        int& picked = &list == &l::lstRunAlign ? stored_.run.row : stored_.run.on;
        if (picked == row || row < 0)
            return {};
        picked = row;
        return RecalculatedRun();
    }
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
// click places the caret, as everywhere. The run's walls keep the caret where
// it is, as the next wall is typed at their end.
Update Model::Entered(const Control& field, bool byKey) const {
    const layout::Part* part = layout::PartOf(field);
    if (!byKey || part == nullptr ||
        (part->kind != layout::Kind::size && part->kind != layout::Kind::field))
        return {};
    Update u;
    u.fields.push_back({&field, Text(field), 0, Text(field).size()});
    return u;
}

// A paste goes in whole or not at all, and one that leaves nothing to paste
// changes nothing: not even the selection goes.
Update Model::Paste(const Control& field, std::string_view text, std::size_t from, std::size_t to,
                    const std::optional<std::string>& clipboard) {
    std::string pasted = clipboard ? Pasted(*clipboard) : std::string();
    if (&field == &l::txtRunWalls && !pasted.empty()) { // cells, a row of them, or a list
        pasted.clear();
        for (const std::string& wall : WallsOf(Trimmed(*clipboard)))
            pasted += (pasted.empty() ? "" : "\n") + Trimmed(wall);
    }
    if (pasted.empty() || FieldOf(field) == nullptr || from > to || to > text.size())
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

Update Model::Activated(const Control& list, int row) {
    if (&list != &l::lstRunOffsets || row < 0 ||
        static_cast<std::size_t>(row) >= runResults_.size())
        return {};
    return CopyWall(static_cast<std::size_t>(row));
}

Update Model::Toggled(const Control& check, bool on) {
    if (Checked(check) == on || (&check != &l::chkRunWhole && &check != &l::chkRunWrap))
        return {};
    (&check == &l::chkRunWhole ? stored_.run.whole : stored_.wrap) = on;
    Update u = RecalculatedAll();
    u.enabling = true;
    return u;
}

// Copies wall's offset and marks its row; Copy Next goes on from the wall after it.
Update Model::CopyWall(std::size_t wall) {
    Update u;
    if (runResults_.empty()) {
        u.note = Note{&l::cmdCopyNext, "No walls to copy: type their lengths"};
        return u;
    }
    u.clipboard = runResults_[wall];
    u.note = Note{&l::cmdCopyNext, "Copied wall " + std::to_string(wall + 1) + " of " +
                                       std::to_string(runResults_.size()) + ": " + *u.clipboard};
    copied_ = static_cast<int>(wall);
    u.rows.emplace_back(&l::lstRunOffsets, copied_);
    next_ = (wall + 1) % runResults_.size();
    return u;
}

// One offset a line; each window writes its own platform's line breaks.
Update Model::CopyAll() {
    Update u;
    std::string all;
    for (const std::string& offset : runResults_)
        all += (all.empty() ? "" : "\n") + offset;
    u.clipboard = all;
    u.note = Note{&l::cmdCopyAll, runResults_.empty()
                                      ? "No walls to copy: type their lengths"
                                      : "Copied " + std::to_string(runResults_.size()) +
                                            (runResults_.size() == 1 ? " offset" : " offsets")};
    if (runResults_.empty())
        u.clipboard.reset();
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
    case Command::runOfWalls:
        stored_.run.open = true;
        u.action = Action::openRun;
        break;
    case Command::wrap:
        return Toggled(l::chkRunWrap, !stored_.wrap);
    case Command::copyNext:
        return CopyWall(next_ < runResults_.size() ? next_ : 0);
    case Command::copyAll:
        return CopyAll();
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

std::optional<Stored> Model::Unload(std::optional<std::pair<float, float>> place,
                                    std::optional<std::pair<float, float>> runPlace) {
    if (unloaded_)
        return std::nullopt;
    unloaded_ = true;
    if (place)
        std::tie(stored_.topTwips, stored_.leftTwips) = *place;
    if (runPlace)
        std::tie(stored_.run.topTwips, stored_.run.leftTwips) = *runPlace;
    stored_.run.walls.clear();
    for (const std::string& wall : WallsOf(runWalls_))
        stored_.run.walls += (stored_.run.walls.empty() ? "" : ";") + wall;
    return stored_;
}

std::vector<std::string> ImagePatterns() {
    std::vector<std::string> patterns;
    for (const std::string_view suffix : textureSuffixes)
        patterns.push_back("*." + std::string(suffix));
    return patterns;
}

} // namespace core
