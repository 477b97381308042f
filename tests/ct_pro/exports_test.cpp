// The ten entry points as the front end calls them: texts as BSTRs that
// pass to the library, results as fresh BSTRs. Run under the sanitizers, a
// string that is not freed, or freed twice, fails the test. The entry points
// find the console of the process with consoleHost(): this program defines
// it, as the test's recording host, where the program and CT_PRO.DLL link
// the real one.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "box_text.h"
#include "console_tools/ct_pro.h"
#include "out_of_memory.h"
#include "process_console/process_console.h"
#include "recording_host.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace corrivex::ctpro {
namespace {

using corrivex::testing::OutOfMemory;
using testing::RecordingHost;
namespace vk = platform::vk;

// The list box's rows on the recording host's 80 x 30 window.
constexpr int kListCaptionRow = 7;
constexpr int kListHintRow = 8;
constexpr int kListBottomRow = 28;

// The console of the test that runs.
RecordingHost* testConsole = nullptr;

BSTR bstr(std::string_view text) { return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size())); }

std::string bytesOf(BSTR text) { return std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text)); }

class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override { testConsole = &host; }
    void TearDown() override { testConsole = nullptr; }

    RecordingHost host;
};

TEST_F(ExportsTest, ListBoxTakesEveryStringAndReturnsAFreshResult) {
    std::array<BSTR, kCtProListSlots> slots{};
    // An entry holding a zero byte is taken up to it: one field per chosen entry.
    const std::string_view names[] = {"ALPHA", std::string_view("BETA\0X", 6), "GAMMA"};
    for (int i = 0; i < kCtProListSlots; ++i) slots[i] = bstr(i < 3 ? names[i] : "");
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kDown);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);

    BSTR result =
        ConsoleListBox(3, 0, 0, bstr("C:\\COURSE"), bstr(" <ctl> click for mult. selection"), slots.data(), 0, 1, 0);
    for (BSTR slot : slots) EXPECT_EQ(slot, nullptr);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(SysStringByteLen(result), 10u);
    EXPECT_EQ(bytesOf(result), std::string("BETA\0GAMMA", 10));
    EXPECT_EQ(reinterpret_cast<const char*>(result)[10], '\0');
    SysFreeString(result);

    const auto& screen = host.last().rows;
    EXPECT_NE(screen[kListCaptionRow].find(" C:\\COURSE "), std::string::npos);
    EXPECT_NE(screen[kListHintRow].find(" <ctl> click for mult. selection"), std::string::npos);
    EXPECT_NE(screen[kListBottomRow].find("/3 "), std::string::npos) << "only the filled slots are shown";
}

TEST_F(ExportsTest, ListBoxReadsNullStringsAsEmpty) {
    std::array<BSTR, kCtProListSlots> slots{};
    slots[4] = bstr("EPSILON");
    host.pushKey(vk::kEnd);
    host.pushKey(vk::kSpace, ' ');
    host.pushKey(vk::kReturn);
    BSTR result = ConsoleListBox(3, 0, 0, nullptr, nullptr, slots.data(), 0, 1, 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(bytesOf(result), "EPSILON");
    SysFreeString(result);
    EXPECT_NE(host.last().rows[kListBottomRow].find(" 5/5 "), std::string::npos);

    result = ConsoleListBox(3, 0, 0, bstr("C:\\"), bstr(""), nullptr, 0, 1, 0);
    ASSERT_NE(result, nullptr) << "the empty result is a string too";
    EXPECT_EQ(SysStringByteLen(result), 0u);
    SysFreeString(result);
}

TEST_F(ExportsTest, MessageBoxTakesItsTextsAndAnswers) {
    host.pushChar('y');
    EXPECT_EQ(ConsoleMessageBox(bstr("Yes to edit batchs.ini, no to exit"), 0x114,
                                bstr("First question in batchs.ini must be answered 'y'"), 32514, 0x8000),
              6);
    const auto& screen = host.last().rows;
    int captionRow = -1, textRow = -1;
    for (int y = 0; y < static_cast<int>(screen.size()); ++y) {
        if (screen[y].find(testing::cp437("╔═ First question in batchs.ini must be answered 'y' ═")) !=
            std::string::npos)
            captionRow = y;
        if (screen[y].find("Yes to edit batchs.ini, no to exit") != std::string::npos) textRow = y;
    }
    EXPECT_GE(captionRow, 0);
    EXPECT_EQ(textRow, captionRow + 2);

    EXPECT_EQ(ConsoleMessageBox(nullptr, 0x114, nullptr, 32514, 0x8000), 7) << "input closed";
}

TEST_F(ExportsTest, TitleSetsTheTitleAndReturnsAFreshCopy) {
    BSTR result = ConsoleTitle(bstr("Welcome to the Corrivex: good luck"));
    EXPECT_EQ(host.title(), "Welcome to the Corrivex: good luck");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(bytesOf(result), "Welcome to the Corrivex: good luck");
    SysFreeString(result);

    result = ConsoleTitle(nullptr);
    EXPECT_EQ(host.title(), "");
    ASSERT_NE(result, nullptr);
    SysFreeString(result);
}

TEST_F(ExportsTest, WhereMemoryRunsOutTheCallsFreeWhatTheyAreGivenAndDoNothing) {
    std::array<BSTR, kCtProListSlots> slots{};
    for (BSTR& slot : slots) slot = bstr("A NAME TOO LONG TO BE KEPT IN PLACE");
    BSTR text = bstr("Yes to edit batchs.ini, no to exit");
    BSTR caption = bstr("First question in batchs.ini must be answered 'y'");
    BSTR title = bstr("Welcome to the Corrivex: good luck");
    BSTR listResult = nullptr;
    BSTR titleResult = nullptr;
    std::int32_t answer = -1;
    {
        const OutOfMemory out;
        listResult = ConsoleListBox(3, 0, 0, bstr("C:\\"), bstr(""), slots.data(), 0, 1, 0);
        answer = ConsoleMessageBox(text, 0x114, caption, 32514, 0x8000);
        titleResult = ConsoleTitle(title);
    }
    EXPECT_EQ(listResult, nullptr);
    for (BSTR slot : slots) EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(answer, 0) << "no button";
    EXPECT_EQ(titleResult, nullptr);
    EXPECT_TRUE(host.snapshots().empty()) << "no dialog was shown";
}

TEST_F(ExportsTest, WindowOperationsActOnlyOnAConsoleWindow) {
    host.put(0, 0, "unchanged", 0xF0);
    const auto before = host.allCells();
#ifdef _WIN32
    const std::int32_t expected = GetConsoleWindow() != nullptr ? 1 : 0;
#else
    const std::int32_t expected = 0;  // a terminal has no window to act on
#endif
    std::int32_t reference = 0;
    EXPECT_EQ(InitConsoleTools(nullptr, 128, 32, 3, &reference, 0), expected);
    EXPECT_EQ(reference, 0);
    EXPECT_EQ(ConsoleToolBar(0, 99), 0);
    EXPECT_EQ(ConsoleMove(32767, 32767), expected);
    EXPECT_EQ(ConsoleIcon(32516), expected);
    EXPECT_EQ(ConsoleIcon(1), 0) << "no such system icon";
    EXPECT_EQ(DeleteWindowMenuItem(0xF030), expected);
    EXPECT_EQ(DefaultWindowMenu(), expected);
    if (expected == 0) {
        EXPECT_EQ(ConsoleToTop(), 0);
    }
    EXPECT_TRUE(host.allCells() == before);
    EXPECT_EQ(host.pendingEvents(), 0u);
}

}  // namespace
}  // namespace corrivex::ctpro

corrivex::platform::ConsoleHost& corrivex::platform::consoleHost() { return *corrivex::ctpro::testConsole; }
