// The list box on an 80 x 30 memory console, driven by scripted keys and
// mouse events.
#include "ct_pro/list_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "box_text.h"
#include "recording_host.h"

namespace corrivex::ctpro {
namespace {

using platform::CellPos;
using testing::cp437;
using testing::RecordingHost;
namespace vk = platform::vk;
namespace modifier = platform::modifier;
namespace mouse = platform::mouse;

std::string bytes(const char* text, std::size_t size) { return std::string(text, size); }

std::vector<std::string> numberedNames(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        std::string number = std::to_string(i);
        names.push_back("NAME" + std::string(4 - number.size(), '0') + number);
    }
    return names;
}

class ListBoxTest : public ::testing::Test {
protected:
    ListBoxTest() : layout(listBoxLayout({0, 0, 79, 29})) {}

    std::string run(std::vector<std::string> entries, std::string caption = "C:\\COURSE",
                    std::string hint = " <ctl> click for mult. selection") {
        return runListBox(host, ListBoxRequest{std::move(caption), std::move(hint), std::move(entries)});
    }
    // The screen position of the entry shown on list row `row`.
    CellPos rowPos(int row) const { return {layout.box.left + 10, layout.listTop + row}; }
    CellPos okPos() const { return {layout.okButton.left + 2, layout.okButton.top}; }
    CellPos cancelPos() const { return {layout.cancelButton.left + 2, layout.cancelButton.top}; }
    const std::string& listRow(int row) const { return host.last().rows[layout.listTop + row]; }
    const std::string& bottomBorder() const { return host.last().rows[layout.box.bottom]; }
    // Types `keys`: each character as its key (a byte beyond ASCII as its code page 437 glyph), a name in
    // braces as that key, with C- for Ctrl and S- for Shift: {Enter}, {S-Tab}, {C-a}, {S-Space}.
    void type(std::string_view keys) {
        static constexpr std::tuple<std::string_view, std::uint16_t, char32_t> kNamed[] = {
            {"Enter", vk::kReturn, '\r'}, {"Esc", vk::kEscape, 0x1B}, {"BS", vk::kBack, 0x08}, {"Tab", vk::kTab, '\t'},
            {"Space", vk::kSpace, ' '},   {"Up", vk::kUp, 0},         {"Down", vk::kDown, 0},  {"End", vk::kEnd, 0},
            {"F1", vk::kF1, 0},           {"a", 'A', 0x01},           {"c", 'C', 0x03}};  // a and c with Ctrl
        for (std::size_t at = 0; at < keys.size(); ++at) {
            if (keys[at] != '{') {
                host.pushTyped(std::u32string(1, platform::glyphCharOf(static_cast<unsigned char>(keys[at]))));
                continue;
            }
            std::string_view name = keys.substr(at + 1, keys.find('}', at) - at - 1);
            at += name.size() + 1;
            std::uint32_t held = 0;
            for (; name.size() > 2 && name[1] == '-'; name.remove_prefix(2))
                held |= name[0] == 'C' ? modifier::kLeftCtrl : modifier::kShift;
            const auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                            [&](const auto& n) { return std::get<0>(n) == name; });
            if (named == std::end(kNamed)) ADD_FAILURE() << "no key named " << name;
            else host.pushKey(std::get<1>(*named), std::get<2>(*named), held);
        }
    }

    RecordingHost host;
    ListBoxLayout layout;
    const std::vector<std::string> three{"ALPHA", "BETA", "GAMMA"};
};

// --- Layout and drawing ---------------------------------------------------

TEST_F(ListBoxTest, LeavesTheInstructionRowsAboveTheBoxReadable) {
    EXPECT_EQ(layout.box.top, 7);  // row 8 of the screen
    EXPECT_EQ(layout.box.bottom, 28);
    EXPECT_EQ(layout.box.left, 2);
    EXPECT_EQ(layout.box.right, 77);
    EXPECT_EQ(layout.listRows, 16);

    host.put(0, 0, "There are no .txt or .dat files in this directory!!", 0xFC);
    host.put(35, 4, "Make simultaneous choices ", 0xFD);
    host.put(35, 5, "with <ctrl> click, then press OK", 0xFD);
    run(three);
    const auto& screen = host.last().rows;
    EXPECT_EQ(screen[0].substr(0, 51), "There are no .txt or .dat files in this directory!!");
    EXPECT_EQ(screen[4].substr(35, 26), "Make simultaneous choices ");
    EXPECT_EQ(screen[5].substr(35, 32), "with <ctrl> click, then press OK");
    EXPECT_NE(screen[7].find("C:\\COURSE"), std::string::npos);
}

// The box lies in the visible window: all of it, buttons and counter, in
// an 80 x 24 one. In a window too small for it a note asks for a larger
// one, and the box comes back when the window has grown, keys meanwhile
// reaching it only as Esc.
TEST_F(ListBoxTest, IsPlacedInTheVisibleWindowAndWaitsForRoomInASmallOne) {
    const ListBoxLayout small = listBoxLayout({0, 0, 79, 23});
    EXPECT_TRUE(small.fits);
    EXPECT_EQ(small.box.bottom, 22);
    EXPECT_FALSE(listBoxLayout({0, 0, 29, 5}).fits);
    EXPECT_FALSE(listBoxLayout({0, 0, 20, 29}).fits);
    EXPECT_EQ(listBoxLayout({0, 0, 43, 14}).box.width(), 44);  // over the caller's rows: all the width

    host.setWindow({0, 0, 29, 5});
    const auto before = host.allCells();
    host.pushKey(vk::kDown);
    host.pushKey(vk::kReturn);
    host.pushResize({80, 24});
    host.pushKey(vk::kSpace);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "ALPHA");
    EXPECT_EQ(host.snapshots().front().rows[0].substr(0, 30), "Please make the window larger ");
    const auto& shown = host.last().rows;
    EXPECT_NE(shown[small.box.bottom].find(" 1 chosen - 1/3 "), std::string::npos);
    EXPECT_NE(shown[small.okButton.top].find("OK"), std::string::npos);
    EXPECT_EQ(shown[0].substr(0, 6), std::string(6, ' '));  // the note's row given back
    EXPECT_EQ(host.allCells(), before);
}

TEST_F(ListBoxTest, ShowsCaptionHintEntriesMarksAndButtons) {
    run(three);
    const auto& screen = host.last().rows;
    EXPECT_EQ(screen[7].substr(2, 14), cp437("┌─ C:\\COURSE ─"));
    EXPECT_EQ(screen[8].substr(2, 36), cp437("│  <ctl> click for mult. selection  "));
    EXPECT_EQ(listRow(0).substr(2, 13), cp437("│> [ ] ALPHA "));
    EXPECT_EQ(listRow(1).substr(2, 13), cp437("│  [ ] BETA  "));
    EXPECT_EQ(listRow(3).substr(2, 13), cp437("│            "));
    EXPECT_EQ(screen[layout.okButton.top].find('>'), std::string::npos) << "no button has the focus";
    EXPECT_EQ(screen[layout.okButton.top].substr(layout.okButton.left, 10), "[   OK   ]");
    EXPECT_EQ(screen[layout.cancelButton.top].substr(layout.cancelButton.left, 10), "[ Cancel ]");
    EXPECT_NE(bottomBorder().find(" 0 chosen - 1/3 "), std::string::npos);
    // The focused entry is told apart by its pointer, not only by colour.
    EXPECT_EQ(host.attrAt(host.last(), 10, layout.listTop), 0x1F);
    EXPECT_EQ(host.attrAt(host.last(), 10, layout.listTop + 1), 0x70);
    EXPECT_FALSE(host.last().cursorVisible);
    EXPECT_EQ(host.last().cursor, (CellPos{6, layout.listTop})) << "the hidden cursor on the focused entry's mark";
}

TEST_F(ListBoxTest, CutsLongCaptionsAtTheLeftAndLongNamesAtTheRight) {
    const std::string path = "C:\\" + std::string(100, 'p') + "\\LAST\\DIR";
    const std::string name = std::string(90, 'N') + "END";
    host.pushKey(vk::kDown);  // drawn again at the same width
    host.pushResize({60, 24});
    run({name}, path);
    const std::string& top = host.snapshots().front().rows[7];
    EXPECT_NE(top.find(" ...pppp"), std::string::npos);
    EXPECT_NE(top.find(cp437("\\LAST\\DIR ─┐")), std::string::npos);
    EXPECT_EQ(top.size(), 80u);
    // At 60 columns the name is cut anew, at the box's new border.
    EXPECT_EQ(listRow(0).substr(52, 6), cp437("N... │"));
    const std::string& row = host.snapshots()[1].rows[layout.listTop];
    EXPECT_EQ(row.substr(9, 3), "NNN");
    EXPECT_EQ(row.substr(72, 6), cp437("N... │"));
    EXPECT_EQ(row.find("END"), std::string::npos);
}

TEST_F(ListBoxTest, ShowsControlBytesOfNamesAsQuestionMarks) {
    const std::string name = bytes(
        "A\tB\x1b"
        "C",
        5);
    EXPECT_EQ(run({name}), "");
    EXPECT_EQ(listRow(0).substr(9, 5), "A?B?C");
}

TEST_F(ListBoxTest, PutsBackTheCellsTheCursorAndTheInputModeWhenItCloses) {
    for (int y = 0; y < 30; ++y) host.put(0, y, std::string(80, static_cast<char>('a' + y % 26)), 0xF0);
    host.setCursorPosition({5, 12});
    host.setInputMode(platform::mode::kMouseInput);
    const auto before = host.allCells();
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "ALPHA");
    EXPECT_EQ(host.last().inputMode,
              platform::mode::kExtendedFlags | platform::mode::kWindowInput | platform::mode::kMouseInput);
    EXPECT_TRUE(host.allCells() == before);
    EXPECT_EQ(host.cursor(), (CellPos{5, 12}));
    EXPECT_TRUE(host.currentCursorInfo().visible);
    EXPECT_EQ(host.currentInputMode(), platform::mode::kMouseInput);
}

TEST_F(ListBoxTest, RedrawsOnlyWhatAKeyChanges) {
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    run(numberedNames(1000));
    const auto& snapshots = host.snapshots();
    ASSERT_GE(snapshots.size(), 5u);
    const int boxCells = (layout.box.right - layout.box.left + 1) * (layout.box.bottom - layout.box.top + 1);
    EXPECT_EQ(static_cast<int>(snapshots[0].cellsWrittenBefore), boxCells);
    // Down: the two entry rows and the indicator; Space: one row and the count.
    EXPECT_LE(snapshots[1].cellsWrittenBefore, 3u * 74u);
    EXPECT_LE(snapshots[3].cellsWrittenBefore, 2u * 74u);
    EXPECT_GT(snapshots[3].cellsWrittenBefore, 0u);
    EXPECT_EQ(snapshots[2].cellsWrittenBefore, 0u) << "a key release changes nothing";
}

// --- Keys ------------------------------------------------------------------

TEST_F(ListBoxTest, SpaceTogglesAndEnterReturnsTheChosenInListOrder) {
    host.pushKey(vk::kDown);
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kUp);
    host.pushKey(vk::kUp);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kSpace, ' ');  // BETA off again
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), bytes("ALPHA\0GAMMA", 11));
    EXPECT_EQ(listRow(0).substr(2, 13), cp437("│  [x] ALPHA "));
    EXPECT_EQ(listRow(1).substr(2, 13), cp437("│> [ ] BETA  "));
    EXPECT_EQ(listRow(2).substr(2, 13), cp437("│  [x] GAMMA "));
    EXPECT_NE(bottomBorder().find(" 2 chosen - 2/3 "), std::string::npos);
}

TEST_F(ListBoxTest, EnterWithNothingChosenAndEscapeGiveTheEmptyText) {
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "");
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kEscape);
    EXPECT_EQ(run(three), "");
}

TEST_F(ListBoxTest, ClosedInputGivesTheEmptyText) {
    host.pushKey(vk::kSpace, ' ');
    EXPECT_EQ(run(three), "");
}

TEST_F(ListBoxTest, TabMovesBetweenListAndButtons) {
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kTab);
    host.pushKey(vk::kReturn);  // OK
    EXPECT_EQ(run(three), "ALPHA");
    EXPECT_EQ(host.last().rows[layout.okButton.top].substr(layout.okButton.left, 10), "[>  OK  <]");
    EXPECT_EQ(host.last().cursor, (CellPos{layout.okButton.left + 4, layout.okButton.top}));
    EXPECT_EQ(listRow(0).substr(2, 13), cp437("│  [x] ALPHA ")) << "no pointer while a button has the focus";

    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kTab);
    host.pushKey(vk::kTab);
    host.pushKey(vk::kReturn);  // Cancel
    EXPECT_EQ(run(three), "");
    EXPECT_EQ(host.last().rows[layout.cancelButton.top].substr(layout.cancelButton.left, 10), "[>Cancel<]");

    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kTab, 0, modifier::kShift);  // back to Cancel
    host.pushKey(vk::kLeft);                      // OK
    host.pushKey(vk::kSpace, ' ');                // presses OK
    EXPECT_EQ(run(three), "ALPHA");

    host.pushKey(vk::kTab);
    host.pushKey(vk::kRight);  // Cancel
    host.pushKey(vk::kTab);    // list
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "ALPHA");
}

TEST_F(ListBoxTest, ALetterJumpsToTheNextEntryBeginningWithIt) {
    host.pushChar('b');
    host.pushKey(vk::kSpace, ' ');
    host.pushChar('B');
    host.pushKey(vk::kSpace, ' ');
    host.pushChar('b');  // round again to Beta
    host.pushChar('z');  // no such entry: stays
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run({"alpha", "Beta", "charlie", "bravo"}), "bravo");
    type("br {Enter}");  // letters typed one soon after another: one prefix
    EXPECT_EQ(run({"alpha", "Beta", "charlie", "bravo"}), "bravo");
}

TEST_F(ListBoxTest, MarkAndFilterKeys) {
    const std::vector<std::string> four{"ALPHA", "BETA", "GAMMA", "GOLF"};
    const std::string aRa = platform::keyText(platform::glyphCharOf(0x8E)) + "RA";
    const std::vector<std::string> umlaut{"ALPHA", aRa, "BETA"};
    struct Row {
        const char* keys;
        std::vector<std::string> chosen;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"+{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},
        {"{C-a}{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},
        {" *{Enter}", {"BETA", "GAMMA", "GOLF"}, four},
        {"+-{Enter}", {}, four},
        {"{Tab}+{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},  // back to the list
        {"/go{Enter} {Enter}", {"GOLF"}, four},
        {"+/G{Enter}*{Enter}", {"ALPHA", "BETA"}, four},  // the hidden marks stay
        {"/gx{BS}{Enter}+{Enter}", {"GAMMA", "GOLF"}, four},
        {"/go{Esc}+{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},          // Esc while typing clears
        {"/go{Enter}/{Esc}+{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},  // and later too
        {"+/go{Enter}{Esc}{Enter}", {"ALPHA", "BETA", "GAMMA", "GOLF"}, four},   // Esc clears a kept filter,
        {"+/go{Enter}{Esc}{Esc}{Enter}", {}, four},                              // the next one is Cancel
        {"+{C-c}{Enter}", {}, four},                                             // Ctrl+C is Esc
        {"/b+ -{Enter}{Enter}", {}, four},                                       // typed, not acted on
        {"/zz{Enter}+ {Enter}", {}, four},                                       // nothing shown: nothing marked
        {"/xyz{Enter}ab{End} {Enter}", {}, four},                                // nor found
        {"ab{Down}{S-Tab}{S-Tab} {Enter}", {}, {}},                              // in an empty list
        {"ab {Enter}", {"ALPHA"}, {"ALPHA"}},
        // A typed character outside ASCII (code page 437 in the key event)
        // moves to, and filters by, the names as the console holds them:
        // UTF-8 on a terminal, where Backspace takes off its bytes together.
        {"\x8E {Enter}", {aRa}, umlaut},
        {"/\x8E{Enter} {Enter}", {aRa}, umlaut},
        {"/\x8E{BS}\x8E{Enter} {Enter}", {aRa}, umlaut},
        {"/b\x8E{BS}{BS}{Enter}+{Enter}", {"ALPHA", aRa, "BETA"}, umlaut},
    };
    for (const Row& row : rows) {
        if (aRa == "RA" && row.names == umlaut) continue;  // the code page cannot spell \u00C4
        SCOPED_TRACE(row.keys);
        type(row.keys);
        std::string expected;
        for (const std::string& name : row.chosen) expected += (expected.empty() ? "" : std::string(1, '\0')) + name;
        EXPECT_EQ(run(row.names), expected);
        host.clearInput();  // the keys after a Cancel
    }
}

TEST_F(ListBoxTest, TheFilterLineAndTheBorderShowTheFilter) {
    type(" /gO");
    run({"ALPHA", "BETA", "GAMMA", "GOLF"});
    EXPECT_EQ(host.last().rows[8].substr(2, 15), cp437("│ Filter: gO   "));
    EXPECT_EQ(host.attrAt(host.last(), 14, 8), 0x1F) << "the place of the next letter";
    EXPECT_EQ(listRow(0).substr(2, 13), cp437("│> [ ] GOLF  "));
    EXPECT_EQ(listRow(1).substr(2, 13), cp437("│            "));
    EXPECT_NE(bottomBorder().find(" 1 chosen - 1/1 - /gO "), std::string::npos);

    type("/gO{Enter}");
    run({"ALPHA", "BETA", "GAMMA", "GOLF"});
    EXPECT_NE(host.last().rows[8].find("<ctl> click"), std::string::npos) << "the hint is back";
    EXPECT_NE(bottomBorder().find(" 0 chosen - 1/1 - /gO "), std::string::npos);

    type("/zz");
    run({"ALPHA"});
    EXPECT_NE(listRow(0).find("(no match)"), std::string::npos);
    EXPECT_NE(bottomBorder().find(" 0 chosen - 0/0 - /zz "), std::string::npos);
}

TEST_F(ListBoxTest, F1ShowsTheHelpUntilAKeyClosesIt) {
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kF1);
    host.pushKey(vk::kSpace, ' ');  // closes the help, marks nothing
    host.pushKey(vk::kF1);
    host.pushClick(cancelPos());  // closes the help, presses nothing
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "ALPHA");
    const auto& snapshots = host.snapshots();
    auto shown = std::find_if(snapshots.begin(), snapshots.end(), [](const auto& snapshot) {
        return snapshot.rows[8].find("Keys and mouse") != std::string::npos;
    });
    ASSERT_NE(shown, snapshots.end());
    const auto& help = shown->rows;
    EXPECT_EQ(help[8].substr(4, 20), cp437("╔═ Keys and mouse ══"));
    // The row below the help's last line; `unshown`: the first line not whole on a row, keys before what they do.
    const auto lastRow = [](const std::vector<std::string>& rows, std::string& unshown) {
        std::size_t below = 0;
        for (const ListBoxHelpLine& line : listBoxHelp()) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const std::string& text) {
                const std::size_t keys = text.find(std::string(line.keys) + " ");
                return keys != std::string::npos && text.find(line.does, keys) != std::string::npos;
            });
            if (row == rows.end()) unshown = std::string(line.keys) + ": " + std::string(line.does);
            if (row == rows.end()) return below;
            below = std::max(below, static_cast<std::size_t>(row - rows.begin()) + 1);
        }
        return below;
    };
    std::string unshown;
    EXPECT_NE(help[lastRow(help, unshown)].find(cp437("╚═ Any key closes this help ═")), std::string::npos);
    EXPECT_EQ(unshown, "") << "this help line does not fit at 80 x 30";
    EXPECT_EQ(host.last().rows[8].find("Keys and mouse"), std::string::npos);
    EXPECT_EQ(listRow(0).substr(2, 13), cp437("│> [x] ALPHA "));

    for (const bool whole : {true, false}) {  // whole at 80 x 24; at 50 x 20 its last row is the cut mark
        RecordingHost other(whole ? CellPos{80, 24} : CellPos{50, 20});
        other.pushKey(vk::kF1);
        runListBox(other, ListBoxRequest{"C:\\COURSE", "hint", three});
        const std::string text = std::accumulate(other.last().rows.begin(), other.last().rows.end(), std::string());
        std::string cut;
        lastRow(other.last().rows, cut);
        EXPECT_EQ(cut.empty(), whole) << "this help line does not fit at 80 x 24: " << cut;
        EXPECT_EQ(text.find(cp437("║ ...")) == std::string::npos, whole);
    }

    // On a small window the help is cut within the box's frame.
    RecordingHost small({34, 12});
    small.pushKey(vk::kF1);
    runListBox(small, ListBoxRequest{"C:\\COURSE", "hint", three});
    const auto& rows = small.last().rows;
    EXPECT_EQ(rows[1].substr(0, 9), cp437("│ ╔═ Keys"));
    for (int y = 1; y < 11; ++y) {
        EXPECT_NE(cp437("╗║╝").find(rows[y][31]), std::string::npos) << y;
        EXPECT_EQ(rows[y][32], ' ') << y;
        EXPECT_NE(cp437("│┤").find(rows[y][33]), std::string::npos) << y;
    }
}

TEST_F(ListBoxTest, ThousandEntriesScrollPageAndShowTheirPosition) {
    host.pushKey(vk::kNext);  // focus and view a page down
    EXPECT_EQ(run(numberedNames(1000)), "");
    EXPECT_EQ(listRow(0).substr(2, 15), cp437("│> [ ] NAME0017"));
    EXPECT_NE(bottomBorder().find(" 17/1000 "), std::string::npos);

    host.pushKey(vk::kEnd);
    run(numberedNames(1000));
    EXPECT_EQ(listRow(15).substr(2, 15), cp437("│> [ ] NAME1000"));
    EXPECT_EQ(listRow(0).substr(9, 8), "NAME0985");
    EXPECT_NE(bottomBorder().find(" 1000/1000 "), std::string::npos);

    host.pushKey(vk::kEnd);
    host.pushKey(vk::kPrior);
    host.pushKey(vk::kHome);
    host.pushKey(vk::kDown);
    run(numberedNames(1000));
    EXPECT_EQ(listRow(0).substr(9, 8), "NAME0001");
    EXPECT_NE(bottomBorder().find(" 2/1000 "), std::string::npos);

    for (int i = 0; i < 20; ++i) host.pushKey(vk::kDown);  // past the bottom row
    host.pushKey(vk::kNext);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(numberedNames(1000)), "NAME0037");
    EXPECT_EQ(listRow(15).substr(2, 15), cp437("│> [x] NAME0037"));
}

TEST_F(ListBoxTest, AnEmptyListShowsNoEntriesAndReturnsNothing) {
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kEnd);
    host.pushChar('a');
    host.pushClick(rowPos(0));
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run({}), "");
    EXPECT_NE(listRow(0).find("(no entries)"), std::string::npos);
    EXPECT_NE(bottomBorder().find(" 0 chosen - 0/0 "), std::string::npos);
}

TEST_F(ListBoxTest, EmptyEntriesAreShownButNeverChosen) {
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');  // the empty entry: nothing
    host.pushClick(rowPos(0));
    host.pushClick(rowPos(2), modifier::kShift);  // the range skips it
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run({"ALPHA", "", "GAMMA"}), bytes("ALPHA\0GAMMA", 11));
    EXPECT_EQ(listRow(1).substr(2, 13), cp437("│            "));
}

// --- Mouse -----------------------------------------------------------------

TEST_F(ListBoxTest, AClickChoosesThatEntryAlone) {
    host.pushClick(rowPos(0));
    host.pushClick(rowPos(2));
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(three), "GAMMA");
    EXPECT_EQ(listRow(2).substr(2, 13), cp437("│> [x] GAMMA "));
}

TEST_F(ListBoxTest, CtrlClickTogglesEntries) {
    host.pushClick(rowPos(0), modifier::kLeftCtrl);
    host.pushClick(rowPos(2), modifier::kRightCtrl);
    host.pushClick(rowPos(1), modifier::kLeftCtrl);
    host.pushClick(rowPos(1), modifier::kLeftCtrl);
    host.pushClick(okPos());
    EXPECT_EQ(run(three), bytes("ALPHA\0GAMMA", 11));
}

TEST_F(ListBoxTest, ShiftClickChoosesTheRangeFromTheLastClickedEntry) {
    const auto names = numberedNames(10);
    host.pushClick(rowPos(2));
    host.pushClick(rowPos(4), modifier::kShift);
    host.pushClick(okPos());
    EXPECT_EQ(run(names), bytes("NAME0003\0NAME0004\0NAME0005", 26));

    host.pushClick(rowPos(6));
    host.pushClick(rowPos(4), modifier::kShift);
    host.pushClick(rowPos(9), modifier::kLeftCtrl);                     // moves the anchor
    host.pushClick(rowPos(8), modifier::kShift | modifier::kLeftCtrl);  // adds 8..9
    host.pushClick(okPos());
    EXPECT_EQ(run(names), bytes("NAME0005\0NAME0006\0NAME0007\0NAME0009\0NAME0010", 44));
}

TEST_F(ListBoxTest, ADoubleClickChoosesThatEntryAloneAndConfirms) {
    host.pushClick(rowPos(0), modifier::kLeftCtrl);
    host.pushClick(rowPos(1));
    host.pushMouse(rowPos(1), mouse::kLeftButton, mouse::kDoubleClick);
    host.pushMouse(rowPos(1), 0);
    EXPECT_EQ(run(three), "BETA");
}

TEST_F(ListBoxTest, ADragFromAnEntryMarksTheRange) {
    const auto names = numberedNames(100);
    host.pushMouse(rowPos(0), mouse::kLeftButton);
    host.pushMouse(rowPos(1), mouse::kLeftButton, mouse::kMoved);
    host.pushMouse(rowPos(3), mouse::kLeftButton, mouse::kMoved);
    host.pushMouse(rowPos(2), mouse::kLeftButton, mouse::kMoved);
    host.pushMouse(rowPos(2), 0);
    host.pushMouse(rowPos(6), 0, mouse::kMoved);  // the button is up: no drag
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(names), bytes("NAME0001\0NAME0002\0NAME0003", 26));

    // Below the list the drag scrolls on, one entry per move.
    host.pushMouse(rowPos(14), mouse::kLeftButton);
    for (int i = 0; i < 3; ++i) host.pushMouse({10, layout.box.bottom}, mouse::kLeftButton, mouse::kMoved);
    host.pushMouse(rowPos(0), 0);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(names), bytes("NAME0015\0NAME0016\0NAME0017\0NAME0018\0NAME0019", 44));
    EXPECT_EQ(listRow(15).substr(2, 15), cp437("│> [x] NAME0019"));

    // A key ends the drag.
    host.pushMouse(rowPos(0), mouse::kLeftButton);
    host.pushMouse(rowPos(2), mouse::kLeftButton, mouse::kMoved);
    type(" {Enter}");  // the third entry unmarked again
    host.pushMouse(rowPos(5), mouse::kLeftButton, mouse::kMoved);
    EXPECT_EQ(run(names), bytes("NAME0001\0NAME0002", 17));
    host.clearInput();

    // A press outside the entries starts no drag.
    host.pushKey(vk::kSpace, ' ');
    host.pushMouse({layout.box.left, layout.listTop}, mouse::kLeftButton);
    host.pushMouse(rowPos(4), mouse::kLeftButton, mouse::kMoved);
    host.pushMouse(rowPos(4), 0);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(names), "NAME0001");
}

TEST_F(ListBoxTest, ClicksOnTheButtons) {
    host.pushClick(rowPos(1));
    host.pushClick(cancelPos());
    EXPECT_EQ(run(three), "");
    host.pushClick(rowPos(1));
    host.pushClick({layout.box.left, layout.listTop});  // the border: nothing
    host.pushClick({0, 0});                             // outside: nothing
    host.pushClick(okPos());
    EXPECT_EQ(run(three), "BETA");
}

TEST_F(ListBoxTest, TheWheelScrollsTheViewButLeavesTheFocus) {
    host.pushMouse(rowPos(3), 0, mouse::kWheeled, 0, -120);
    host.pushMouse(rowPos(3), 0, mouse::kWheeled, 0, -120);
    host.pushMouse(rowPos(3), 0, mouse::kWheeled, 0, 120);
    EXPECT_EQ(run(numberedNames(100)), "");
    EXPECT_EQ(listRow(0).substr(2, 15), cp437("│  [ ] NAME0004"));
    EXPECT_NE(bottomBorder().find(" 1/100 "), std::string::npos);

    host.pushMouse(rowPos(3), 0, mouse::kWheeled, 0, -120);
    host.pushClick(rowPos(0));  // rows are counted from the view's first entry
    host.pushKey(vk::kReturn);
    EXPECT_EQ(run(numberedNames(100)), "NAME0004");
}

}  // namespace
}  // namespace corrivex::ctpro
