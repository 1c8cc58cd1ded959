// Proves the calculator window's rules once, without a window: what each event
// changes, pastes, copies, the focus, texture files, what is saved and when,
// where a note goes, and the words and keys both windows are built from.
#include "core/calculator.h"
#include "core/commands.h"
#include "core/placement.h"
#include "core/window.h"

#include <gtest/gtest.h>

#include <set>

namespace {

namespace l = core::layout;
using core::Command;
using core::Model;
using core::Update;

// Both axes on Center, with inputs that give four different results.
Model Aligned() {
    core::Stored s;
    s.textX = "64", s.textZ = "32", s.wallX = "16", s.wallZ = "8";
    s.rowX = s.rowZ = 2;
    s.positionX = "1.5", s.mapX = "20", s.mapZ = "-3";
    return Model(s);
}

std::vector<std::string> Results(const Model& m) {
    return {m.Text(l::lblX), m.Text(l::lblZ), m.Text(l::lblFCX), m.Text(l::lblFCZ)};
}

struct EditRow {
    const char* name;
    const l::Control& field;
    const char* typed;
    std::vector<std::string> results;
};

void PrintTo(const EditRow& row, std::ostream* out) {
    *out << row.name;
}

class Edits : public testing::TestWithParam<EditRow> {};

// Each field recalculates its own result and no other; an emptied one becomes "0", selected.
TEST_P(Edits, RecalculateTheirOwnResult) {
    const EditRow& e = GetParam();
    Model m = Aligned();
    const Update u = m.Edited(e.field, e.typed);
    EXPECT_EQ(Results(m), e.results);
    ASSERT_EQ(u.results.size(), 1u);
    EXPECT_EQ(m.Text(e.field), *e.typed ? e.typed : "0");
    if (!*e.typed) {
        EXPECT_EQ(u.fields, (std::vector<core::FieldText>{{&e.field, "0", 0, 1}}));
    }
    EXPECT_EQ(m.Edited(e.field, m.Text(e.field)), Update{}); // the same text changes nothing
}

INSTANTIATE_TEST_SUITE_P(
    Model, Edits,
    testing::Values(EditRow{"textX", l::cmbTextX, "128", {"56", "12", "2.5", "5"}},
                    EditRow{"wallXEmptied", l::cmbWallX, "", {"32", "12", "2.5", "5"}},
                    EditRow{"textZ", l::cmbTextZ, "5", {"24", "-1.5", "2.5", "5"}},
                    EditRow{"wallZ", l::cmbWallZ, "2", {"24", "15", "2.5", "5"}},
                    EditRow{"positionXEmptied", l::txtFCTextX, "", {"24", "12", "4", "5"}},
                    EditRow{"mapX", l::txtFCX, "15.5", {"24", "12", "6", "5"}},
                    EditRow{"positionZ", l::txtFCTextZ, "abc", {"24", "12", "2.5", "Error"}},
                    EditRow{"mapZ", l::txtFCZ, "-7.6", {"24", "12", "2.5", "0.4000001"}}),
    [](const auto& row) { return std::string(row.param.name); });

// The default row disables the axis's sizes, captions, result, copy button and command,
// and shows 0 whatever the sizes hold; the sizes are kept, and come back with another row.
TEST(Model, TheDefaultRowDisablesItsAxis) {
    Model m = Aligned();
    m.Edited(l::cmbTextX, "abc");
    EXPECT_TRUE(m.Picked(l::lstPosX, core::defaultRow).enabling);
    EXPECT_EQ(m.Text(l::lblX), "0");
    for (const l::Control* c :
         {&l::cmdCopyX, &l::cmbTextX, &l::cmbWallX, &l::lblTextX, &l::lblWallX, &l::lblX})
        EXPECT_FALSE(m.Enabled(*c)) << c->name;
    EXPECT_FALSE(m.Enabled(Command::copyX));
    EXPECT_TRUE(m.Enabled(l::lstPosX) && m.Enabled(l::cmbTextZ) && m.Enabled(Command::copyZ));
    m.Edited(l::cmbTextX, "64");
    EXPECT_EQ(m.Text(l::lblX), "0");
    EXPECT_EQ(m.Picked(l::lstPosX, 3).results, std::vector{&l::lblX});
    EXPECT_EQ(m.Text(l::lblX), "48");
    EXPECT_TRUE(m.Enabled(l::cmbTextX) && m.Enabled(Command::copyX));
    EXPECT_EQ(m.PickedSize(l::cmbWallX, 4).fields.back().text, "32"); // the row's text
    EXPECT_EQ(m.Text(l::lblX), "32");
}

struct PasteRow {
    const char* name;
    const l::Control& field;
    std::optional<std::string> clipboard; // nothing: an image
    std::string holds;                    // "" for no change
    std::size_t caret;
    std::string note;
};

void PrintTo(const PasteRow& row, std::ostream* out) {
    *out << row.name;
}

class Pastes : public testing::TestWithParam<PasteRow> {};

// Into "12345678" with "3456" selected.
TEST_P(Pastes, GoInWholeOrNotAtAll) {
    const PasteRow& p = GetParam();
    Model m = Aligned();
    m.Edited(p.field, "12345678");
    const Update u = m.Paste(p.field, "12345678", 2, 6, p.clipboard);
    if (p.holds.empty()) {
        EXPECT_TRUE(u.fields.empty());
        EXPECT_EQ(m.Text(p.field), "12345678");
    } else {
        EXPECT_EQ(m.Text(p.field), p.holds);
        EXPECT_EQ(u.fields.back(), (core::FieldText{&p.field, p.holds, p.caret, p.caret}));
    }
    EXPECT_EQ(u.note ? u.note->text : "", p.note);
    EXPECT_TRUE(!u.note || u.note->beside == &p.field);
}

const std::string megabyte(1 << 20, '7');
INSTANTIATE_TEST_SUITE_P(
    Model, Pastes,
    testing::Values(PasteRow{"fits", l::txtFCX, " 9\r\n", "12978", 3, ""},
                    PasteRow{"fillsTheField", l::txtFCX, "-100", "12-10078", 6, ""},
                    PasteRow{"oneTooMany", l::txtFCX, "99999", "", 0, "At most 8 characters"},
                    PasteRow{"blanks", l::txtFCX, " \t\r\n ", "", 0, ""},
                    PasteRow{"empty", l::cmbTextX, "", "", 0, ""},
                    PasteRow{"anImage", l::cmbTextX, std::nullopt, "", 0, ""},
                    PasteRow{"sizeTakesMore", l::cmbTextX, "1234567890",
                             "121234567890"
                             "78",
                             12, ""},
                    PasteRow{"aMegabyte", l::cmbTextX, megabyte, "", 0, "At most 64 characters"},
                    // Counted in characters, not in bytes.
                    PasteRow{"twoByteCharacters", l::txtFCX, "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
                             "12\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
                             "78",
                             10, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct CopyRow {
    const char* name;
    Command command;
    bool defaultRow, fromKey;
    std::optional<std::string> clipboard;
    std::string note;
    const l::Control& beside;
};

void PrintTo(const CopyRow& row, std::ostream* out) {
    *out << row.name;
}

class Copies : public testing::TestWithParam<CopyRow> {};

TEST_P(Copies, CopyWhatIsShown) {
    const CopyRow& c = GetParam();
    Model m = Aligned();
    m.Edited(l::txtFCZ, "abc");
    if (c.defaultRow)
        m.Picked(l::lstPosZ, core::defaultRow);
    const Update u = m.Run(c.command, c.fromKey);
    EXPECT_EQ(u.clipboard, c.clipboard);
    EXPECT_EQ(u.note ? u.note->text : "", c.note);
    EXPECT_TRUE(!u.note || u.note->beside == &c.beside);
}

INSTANTIATE_TEST_SUITE_P(
    Model, Copies,
    testing::Values(
        CopyRow{"wallX", Command::copyX, false, true, "24", "Copied 24", l::cmdCopyX},
        CopyRow{"anError", Command::fcCopyZ, true, true, "Error", "Copied Error", l::cmdFCCopyZ},
        CopyRow{"keyOnDefaultRow", Command::copyZ, true, true, std::nullopt,
                "Nothing to copy: Z is on its default row", l::cmdCopyZ},
        CopyRow{"menuOnDefaultRow", Command::copyZ, true, false, std::nullopt, "", l::cmdCopyZ}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Model, TabSelectsAFieldAndAClickDoesNot) {
    const Model m = Aligned();
    for (const l::Control* field : {&l::cmbWallZ, &l::txtFCX}) {
        EXPECT_EQ(
            m.Entered(*field, true).fields,
            (std::vector<core::FieldText>{{field, m.Text(*field), 0, m.Text(*field).size()}}));
        EXPECT_EQ(m.Entered(*field, false), Update{});
    }
    EXPECT_EQ(m.Entered(l::lstPosX, true), Update{});
}

TEST(Model, TakesTextureSizesFromFiles) {
    Model m = Aligned();
    const Update u = m.TextureSizes(core::TextureSize{128, 256}, "brick.png");
    EXPECT_EQ(Results(m), (std::vector<std::string>{"56", "124", "2.5", "5"}));
    EXPECT_EQ(u.fields.size(), 2u);
    EXPECT_FALSE(u.note);
    EXPECT_EQ(m.TextureSizes(std::nullopt, "notes.txt").note->text,
              "Not an image Varnel can read: notes.txt");
    EXPECT_EQ(m.Text(l::cmbTextX), "128");
}

// The window reopens as it was left, rows first, and saves once, however the run ends.
TEST(Model, RestoresAndSavesOnce) {
    core::Stored stored;
    stored.textX = "256-48";
    stored.rowX = 4;
    stored.onTop = true;
    Model m(stored, false);
    const Update all = m.Everything();
    EXPECT_EQ(all.rows.front(), (std::pair{&l::lstPosX, 4}));
    EXPECT_EQ(all.fields.size(), 8u);
    EXPECT_EQ(m.Text(l::lblX), "-192");
    EXPECT_EQ(all.action, core::Action::none); // this desktop cannot keep it on top
    EXPECT_FALSE(m.Enabled(Command::onTop));
    EXPECT_EQ(m.Run(Command::onTop, true).action, core::Action::none);
    m.Edited(l::cmbWallX, "12.5");
    const auto saved = m.Unload(std::nullopt);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->wallX, "12.5");
    EXPECT_TRUE(saved->onTop);                // kept as it was
    EXPECT_EQ(saved->topTwips, 345.0f);       // an unknown place goes back as read
    EXPECT_FALSE(m.Unload({{10.0f, 20.0f}})); // only once
    EXPECT_EQ(Model().Unload({{10.0f, 20.0f}})->leftTwips, 20.0f);
}

struct NoteRow {
    const char* name;
    core::Rect beside;
    core::Point at;
};

void PrintTo(const NoteRow& row, std::ostream* out) {
    *out << row.name;
}

class NotePlaces : public testing::TestWithParam<NoteRow> {};

// A 100 x 20 note in a 300 x 200 window with two blocks in it.
TEST_P(NotePlaces, StandBesideTheirControl) {
    const core::Rect taken[] = {{0, 60, 300, 20}, {200, 100, 100, 100}};
    const core::Rect place = core::NotePlace(GetParam().beside, 100, 20, {0, 0, 300, 200}, taken);
    EXPECT_EQ((core::Point{place.left, place.top}), GetParam().at);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, NotePlaces,
    testing::Values(NoteRow{"below", {10, 10, 50, 20}, {10, 30}},
                    NoteRow{"belowFlushRight", {250, 10, 50, 20}, {200, 30}},
                    NoteRow{"aboveWhenBelowIsTaken", {10, 30, 50, 30}, {10, 10}},
                    NoteRow{"shiftedIntoTheWindow", {270, 30, 20, 10}, {200, 40}},
                    NoteRow{"toTheRight", {0, 80, 30, 120}, {30, 130}},
                    NoteRow{"leastCoveredWhenAllAre", {220, 120, 60, 60}, {120, 140}},
                    NoteRow{"aboveAtTheBottomEdge", {0, 180, 30, 20}, {0, 160}}),
    [](const auto& row) { return std::string(row.param.name); });

// Where every place covers as much, the first of them, just below, wins.
TEST(NotePlaces, FirstOfTheEquallyCoveredWins) {
    const core::Rect all[] = {{0, 0, 300, 200}};
    const core::Rect place = core::NotePlace({10, 10, 50, 20}, 100, 20, {0, 0, 300, 200}, all);
    EXPECT_EQ((core::Point{place.left, place.top}), (core::Point{10, 30}));
}

// Every shortcut is its own, every copy's words name its key, and the file dialog
// offers every suffix the texture reader knows.
TEST(Commands, KeysAndWordsComeFromOneTable) {
    std::set<char> keys;
    for (const core::CommandInfo& c : core::commands)
        EXPECT_TRUE(c.key == 0 || keys.insert(c.key).second) << c.name;
    for (const l::Control* button : {&l::cmdCopyX, &l::cmdFCCopyZ})
        EXPECT_NE(core::Tooltip(*button).find(core::ShortcutText(*core::CommandOf(*button))),
                  std::string::npos)
            << button->name;
    EXPECT_EQ(core::ShortcutText(Command::about), "");
    EXPECT_NE(core::Tooltip(l::cmbTextX).find("Ctrl+O"), std::string::npos);
    EXPECT_NE(core::Tooltip(l::txtFCX).find("Up to 8 characters"), std::string::npos);
    const auto patterns = core::ImagePatterns();
    for (const char* tga : {"*.tga", "*.icb", "*.vda", "*.vst"})
        EXPECT_NE(std::find(patterns.begin(), patterns.end(), tga), patterns.end()) << tga;
}

} // namespace

namespace {

// The run as its window shows it: rows of wall, length and offset; Copy Next from wall 1
// after any change, round again after the last; cells pasted one a line; wrap in both windows.
TEST(Model, RunsOfWalls) {
    core::Stored stored = Aligned().Unload(std::nullopt).value();
    stored.run.walls = "45;64; 45";
    stored.run.whole = false;
    Model m(stored);
    EXPECT_EQ(m.Text(l::txtRunWalls), "45\n64\n 45");
    EXPECT_EQ(m.Items(l::lstRunOffsets),
              (std::vector<std::string>{"1   45   0", "2   64   45", "3   45   109"}));
    EXPECT_EQ(m.Items(l::cmbRunOn).back(), "Wall 3");
    EXPECT_EQ(m.Spoken(1), "Wall 2, 64 long, offset 45");
    EXPECT_EQ(m.Row(l::lstRunOffsets), -1); // none copied yet
    for (const char* copied : {"Copied wall 1 of 3: 0", "Copied wall 2 of 3: 45"})
        EXPECT_EQ(m.Run(Command::copyNext, true).note->text, copied);
    EXPECT_EQ(m.Activated(l::lstRunOffsets, 2).clipboard, "109");
    EXPECT_EQ(m.Run(Command::copyNext, true).clipboard, "0"); // round again
    EXPECT_EQ(m.Run(Command::copyAll, true).clipboard, "0\n45\n109");
    const Update pasted = m.Paste(l::txtRunWalls, "45", 2, 2, "\t32\t16;8\r\n");
    EXPECT_EQ(m.Text(l::txtRunWalls), "4532\n16\n8");
    EXPECT_EQ(pasted.fields.back().selectTo, 9u);
    m.Edited(l::txtRunWalls, "45\n64\n45");
    m.Run(Command::copyNext, true);
    m.Picked(l::cmbRunOn, 2); // a change: Copy Next starts at wall 1 again
    EXPECT_EQ(m.Run(Command::copyNext, true).clipboard, "-45");
    EXPECT_TRUE(m.Run(Command::wrap, false).enabling);
    EXPECT_TRUE(m.Checked(l::chkRunWrap) && m.Checked(Command::wrap));
    EXPECT_EQ(m.Items(l::lstRunOffsets).front(), "1   45   19");
    m.Edited(l::cmbWallX, "80"); // 32 - 40 = -8, wrapped into 64
    EXPECT_EQ(m.Text(l::lblX), "56");
    EXPECT_EQ(m.Unload(std::nullopt)->run.walls, "45;64;45");
}

} // namespace
