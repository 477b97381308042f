// The message box on a memory console, as the batch-mode gate uses it and
// with the other button sets.
#include "ct_pro/message_box.h"

#include <gtest/gtest.h>

#include <string>

#include "box_text.h"
#include "recording_host.h"

namespace corrivex::ctpro {
namespace {

using platform::CellPos;
using testing::cp437;
using testing::RecordingHost;
namespace vk = platform::vk;
namespace mouse = platform::mouse;

constexpr std::uint32_t kYesNoQuestion = 0x114;  // MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2
const std::string kText = "Yes to edit batchs.ini, no to exit";
const std::string kCaption = "First question in batchs.ini must be answered 'y'";

class MessageBoxTest : public ::testing::Test {
protected:
    MessageBoxTest() : host({80, 25}) {}

    int ask(std::uint32_t style = kYesNoQuestion, const std::string& text = kText) {
        return runMessageBox(host, MessageBoxRequest{text, kCaption, style, 32514});
    }
    // Where `label` stands on the screen as the box first showed it.
    CellPos find(const std::string& label) const {
        const auto& rows = host.last().rows;
        for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
            const auto x = rows[y].find(label);
            if (x != std::string::npos) return {static_cast<int>(x), y};
        }
        ADD_FAILURE() << label << " is not on the screen";
        return {-1, -1};
    }
    int rowOf(const std::string& text) const { return find(text).y; }

    RecordingHost host;
};

// The box is centred in the visible window, however small: at 30 x 8 all
// of it is inside.
TEST_F(MessageBoxTest, LiesInsideASmallVisibleWindow) {
    host.setWindow({0, 0, 29, 7});
    EXPECT_EQ(ask(), kIdNo);
    const CellPos yes = find("[ Yes ]");
    EXPECT_LE(yes.y, 7);
    EXPECT_LT(host.last().rows[yes.y].find_last_of(']'), 30u);  // the No button's end
    EXPECT_LE(rowOf("(?)"), 7);
}

TEST_F(MessageBoxTest, ShowsCaptionTextAndButtonsWithNoFocused) {
    EXPECT_EQ(ask(), kIdNo);  // input closed
    const auto& rows = host.snapshots().front().rows;
    const int top = rowOf(kCaption);
    EXPECT_NE(rows[top].find(cp437("╔═ ") + kCaption + cp437(" ═")), std::string::npos);
    EXPECT_EQ(rowOf(kText), top + 2);
    EXPECT_NE(rows[top + 2].find("(?) " + kText), std::string::npos);
    const int buttons = rowOf("[ Yes ]");
    EXPECT_EQ(buttons, top + 4);
    EXPECT_NE(rows[buttons].find("[>No <]"), std::string::npos);
    // In the middle of the window.
    const std::size_t left = rows[top].find(cp437("╔"));
    const std::size_t right = rows[top].rfind(cp437("╗"));
    EXPECT_NEAR(static_cast<double>(left), static_cast<double>(79 - right), 1.0);
    EXPECT_NEAR(top, 24 - (top + 5), 1);
    EXPECT_FALSE(host.snapshots().front().cursorVisible);
    EXPECT_EQ(host.snapshots().front().cursor, (CellPos{static_cast<int>(rows[buttons].find("[>No <]")) + 2, buttons}))
        << "the hidden cursor on the focused button";
}

TEST_F(MessageBoxTest, LettersAnswerInEitherCase) {
    for (unsigned char key : {'y', 'Y'}) {
        host.pushChar(key);
        EXPECT_EQ(ask(), kIdYes) << key;
    }
    for (unsigned char key : {'n', 'N'}) {
        host.pushChar(key);
        EXPECT_EQ(ask(), kIdNo) << key;
    }
    host.pushChar('x');  // no button begins with it
    host.pushChar('y');
    EXPECT_EQ(ask(), kIdYes);
}

TEST_F(MessageBoxTest, EnterPressesTheFocusedButton) {
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(), kIdNo);
    host.pushKey(vk::kLeft);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(), kIdYes);
    EXPECT_NE(host.last().rows[rowOf("[>Yes<]")].find("[ No  ]"), std::string::npos);
    host.pushKey(vk::kTab);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(), kIdYes);
    host.pushKey(vk::kLeft);
    host.pushKey(vk::kRight);
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(), kIdNo);
    host.pushKey(vk::kTab);
    host.pushKey(vk::kSpace, ' ');
    EXPECT_EQ(ask(), kIdYes);
}

TEST_F(MessageBoxTest, EscapeAndClosedInputAreNo) {
    host.pushKey(vk::kLeft);
    host.pushKey(vk::kEscape);
    EXPECT_EQ(ask(), kIdNo);
    host.pushKey(vk::kLeft);
    EXPECT_EQ(ask(), kIdNo);
}

TEST_F(MessageBoxTest, AClickOnAButtonPressesIt) {
    ask();
    const CellPos yes = find("[ Yes ]");
    const CellPos no = find("[>No <]");
    host.pushClick({yes.x, yes.y});
    EXPECT_EQ(ask(), kIdYes);
    host.pushClick({yes.x + 6, yes.y});
    EXPECT_EQ(ask(), kIdYes);
    host.pushClick({no.x + 3, no.y});
    EXPECT_EQ(ask(), kIdNo);
    host.pushClick({yes.x, yes.y - 1});  // above the button: nothing
    host.pushClick({yes.x - 1, yes.y});  // beside it: nothing
    host.pushMouse({yes.x, yes.y}, 0, mouse::kMoved);
    host.pushMouse({yes.x, yes.y}, 0);  // a release without a press: nothing
    host.pushKey(vk::kLeft);
    EXPECT_EQ(ask(), kIdNo);  // closed
    EXPECT_NE(host.last().rows[yes.y].find("[>Yes<]"), std::string::npos);
}

TEST_F(MessageBoxTest, PutsBackTheCellsTheCursorAndTheInputMode) {
    for (int y = 0; y < 25; ++y) host.put(0, y, std::string(80, static_cast<char>('A' + y)), 0x2E);
    host.setCursorPosition({0, 3});
    host.setInputMode(platform::mode::kMouseInput);
    const auto before = host.allCells();
    host.pushChar('y');
    EXPECT_EQ(ask(), kIdYes);
    EXPECT_EQ(host.snapshots().front().inputMode,
              platform::mode::kExtendedFlags | platform::mode::kWindowInput | platform::mode::kMouseInput);
    EXPECT_TRUE(host.allCells() == before);
    EXPECT_EQ(host.cursor(), (CellPos{0, 3}));
    EXPECT_TRUE(host.currentCursorInfo().visible);
    EXPECT_EQ(host.currentInputMode(), platform::mode::kMouseInput);
}

TEST_F(MessageBoxTest, LongTextsWrapWithinTheScreen) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + " ";
    ask(kYesNoQuestion, text);
    const auto& rows = host.snapshots().front().rows;
    std::string shown;
    int lines = 0;
    for (const std::string& row : rows) {
        const auto left = row.find(cp437("║ "));
        const auto right = row.rfind(cp437(" ║"));
        if (left == std::string::npos || right == std::string::npos || right <= left) continue;
        if (row.find("word") == std::string::npos) continue;
        ++lines;
        shown += row.substr(left + 1, right - left) + " ";
    }
    EXPECT_GT(lines, 3);
    for (int i = 0; i < 60; ++i) EXPECT_NE(shown.find(" word" + std::to_string(i) + " "), std::string::npos) << i;
}

TEST_F(MessageBoxTest, TextsTooLongForTheScreenAreCut) {
    std::string text(5000, 'x');
    const std::string caption(200, 'c');
    EXPECT_EQ(runMessageBox(host, MessageBoxRequest{text, caption, kYesNoQuestion, 0}), kIdNo);
    const auto& rows = host.last().rows;
    int top = -1, lastText = -1, bottom = -1;
    for (int y = 0; y < 25; ++y) {
        if (top < 0 && rows[y].find("ccc") != std::string::npos) top = y;
        if (rows[y].find("xxx") != std::string::npos) lastText = y;
        if (rows[y].find(cp437("╚═══")) != std::string::npos) bottom = y;
    }
    ASSERT_GE(top, 0);
    EXPECT_NE(rows[top].find(cp437("c... ═╗")), std::string::npos);
    EXPECT_EQ(rows[top].find(cp437("╔")), 1u);
    ASSERT_GT(lastText, top);
    EXPECT_NE(rows[lastText].find("x... "), std::string::npos) << "the last text row ends with the cut mark";
    EXPECT_EQ(bottom, lastText + 3) << "the buttons and the bottom border stay on the screen";
}

TEST_F(MessageBoxTest, OtherStylesHaveTheirButtonsAndDefaults) {
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(0x00), kIdOk);  // MB_OK
    host.pushKey(vk::kEscape);
    EXPECT_EQ(ask(0x01), kIdCancel);  // MB_OKCANCEL
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(0x203), kIdCancel);  // MB_YESNOCANCEL | MB_DEFBUTTON3
    host.pushChar('i');
    EXPECT_EQ(ask(0x02), kIdIgnore);  // MB_ABORTRETRYIGNORE
    host.pushKey(vk::kEscape);
    EXPECT_EQ(ask(0x04), kIdNo);  // MB_YESNO, Yes the default
    host.pushKey(vk::kReturn);
    EXPECT_EQ(ask(0x04), kIdYes);
}

}  // namespace
}  // namespace corrivex::ctpro
