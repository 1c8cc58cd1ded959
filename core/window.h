// The calculator window as a model, whichever toolkit draws it: the texts of
// its fields, the rows of its lists, its results, what is enabled, and what
// each event does. A window forwards each event here and draws the Update it
// gets back; it decides nothing of its own.
#pragma once

#include "core/commands.h"
#include "core/layout.h"
#include "core/run.h"
#include "core/stored.h"
#include "core/texture_header.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

using layout::Control;

// The most characters a size field takes: far above any real size, so that
// nothing typed or pasted is ever cut short, and what a field shows is what
// is saved.
inline constexpr int sizeFieldLength = 64;

// How long a note stays, in milliseconds.
inline constexpr int noteMilliseconds = 1500;

// A field's text as the model set it, with the selection from byte selectFrom
// to byte selectTo of text (the caret where they are equal).
struct FieldText {
    const Control* field = nullptr;
    std::string text;
    std::size_t selectFrom = 0, selectTo = 0;
    bool operator==(const FieldText&) const = default;
};

// A note beside a control for milliseconds (0: until the next note); an empty
// text hides the note that shows.
struct Note {
    const Control* beside = nullptr;
    std::string text;
    int milliseconds = noteMilliseconds;
    bool operator==(const Note&) const = default;
};

// What the window does besides drawing texts: the toolkit's own part.
enum class Action { none, openTextureFile, keepOnTop, quit, about, openRun };

// What changed, for the window to draw, in this order: list rows, field
// texts, results, the enabled state of everything, the clipboard, the note,
// and an action.
struct Update {
    std::vector<std::pair<const Control*, int>> rows;
    std::vector<FieldText> fields;
    std::vector<const Control*> results; // read each one's text, or a list's Items, again
    bool enabling = false;               // read Enabled() for every control and command
    std::optional<std::string> clipboard;
    std::optional<Note> note;
    Action action = Action::none;
    bool operator==(const Update&) const = default;
};

class Model {
  public:
    // The window as stored: rows, sizes, floor/ceiling fields, keep-on-top.
    // canKeepOnTop is false where the desktop cannot keep a window on top;
    // Keep on Top is then off, and the stored choice goes back unchanged.
    explicit Model(const Stored& stored = {}, bool canKeepOnTop = true);

    // The text of a field or a result; empty for any other control.
    const std::string& Text(const Control& control) const;
    // The selected row of an alignment list.
    int Row(const Control& list) const;
    bool Enabled(const Control& control) const;
    bool Enabled(Command command) const;
    bool Checked(Command command) const;
    // The most characters field takes.
    static int Limit(const Control& field);
    // The rows of a list: an alignment list's, the run's choice of wall, or the
    // run's offsets ("3   45   109").
    std::vector<std::string> Items(const Control& list) const;
    // What a screen reader says for row of the run's offsets: "Wall 2, 64
    // long, offset 45".
    std::string Spoken(int row) const;
    // Whether a check box is ticked.
    bool Checked(const Control& check) const;
    // What would be saved now, before the places of the windows.
    const Stored& Kept() const { return stored_; }
    // Whether the Run of Walls window is open.
    bool RunOpen() const { return stored_.run.open; }

    // Everything, for the window's first drawing: rows first, then the
    // fields they enable, then the results.
    Update Everything() const;

    // The user (or the toolkit) changed a field's text.
    Update Edited(const Control& field, std::string_view text);
    // A row of a list was chosen: an alignment, the run's wall to align on.
    Update Picked(const Control& list, int row);
    // A row of the run's offsets was clicked, or Enter pressed on it: copies it.
    Update Activated(const Control& list, int row);
    // A check box was ticked or cleared.
    Update Toggled(const Control& check, bool on);
    // The Run of Walls window, for its first drawing, and its closing.
    Update RunEverything() const;
    Update RunClosed();
    // Row of a size list's drop-down part was picked.
    Update PickedSize(const Control& field, int row);
    // The focus came into field, by a key (Tab) or by a click.
    Update Entered(const Control& field, bool byKey) const;
    // Pasting into field, which holds text with bytes from to to selected;
    // clipboard is nothing when it holds no text.
    Update Paste(const Control& field, std::string_view text, std::size_t from, std::size_t to,
                 const std::optional<std::string>& clipboard);
    // A command from its menu item or button, or from its shortcut key.
    Update Run(Command command, bool fromKey);
    // A texture file's sizes, or nothing for a file that gave none; name is the
    // file's name as the note may show it.
    Update TextureSizes(const std::optional<TextureSize>& size, std::string_view name);
    // A file is carried over the window, or no longer.
    static Update Hovering(bool over);

    // What to save, the first time only: every end of a run saves once.
    // place is the window's top and left in twips, or nothing where the
    // desktop does not tell it: the stored place then goes back unchanged.
    // runPlace is the same for the Run of Walls window, or nothing when it is
    // closed or its place is unknown.
    std::optional<Stored> Unload(std::optional<std::pair<float, float>> place,
                                 std::optional<std::pair<float, float>> runPlace = std::nullopt);

  private:
    std::string* FieldOf(const Control& field);
    std::string& Field(const Control& field) { return *FieldOf(field); }
    core::Run CurrentRun() const;
    Update RecalculatedRun();
    Update RecalculatedAll();
    Update CopyWall(std::size_t wall);
    Update CopyAll();
    Update Recalculated(const Control& result);
    Update Copy(const Control& result, const Control& button, char axis, bool on, bool fromKey);

    Stored stored_;
    bool canKeepOnTop_;
    std::array<std::string, 4> results_;
    bool unloaded_ = false;
    // The run: its walls' field as typed, its offsets and note, the wall Copy
    // Next copies next, and the row it copied last (-1 for none).
    std::string runWalls_;
    std::vector<std::string> runResults_;
    std::vector<std::string> runLengths_; // of the walls that count, trimmed
    std::string runNote_;
    std::size_t next_ = 0;
    int copied_ = -1;
};

// The patterns of the image files the texture reader knows: "*.png", ...
std::vector<std::string> ImagePatterns();

} // namespace core
