// Course files in the teachers' languages, from discovery through the list box (typed keys find one) to the
// engine's command line. Rows run where the system's code page spells them.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console/console_state.h"
#include "ct_pro/list_box.h"
#include "launch/launch_engine.h"
#include "memory_console_host.h"
#include "platform/console_text.h"
#include "platform_text.h"
#include "scratch_directory.h"
#include "selection/chosen_names.h"
#include "selection/discovery.h"

namespace corrivex::selection {
namespace {

using testing::platformText;

// A memory console that keeps the screen as the list box first shows it.
class FirstFrameHost : public platform::MemoryConsoleHost {
public:
    FirstFrameHost() : MemoryConsoleHost({80, 30}) {}
    bool readInput(platform::InputEvent& event) override {
        if (!frame) frame.emplace(static_cast<const MemoryConsoleHost&>(*this));
        return MemoryConsoleHost::readInput(event);
    }
    std::u32string shown(int y, int left, int right) const {
        std::u32string text;
        for (int x = left; x <= right; ++x)
            if ((frame->at(x, y).attr & platform::kTrailingHalf) == 0) text += frame->at(x, y).ch;
        return text;
    }
    std::optional<platform::MemoryConsoleHost> frame;
};

// The files of one data set; keys typed before Space and Enter; the name as
// shown; the name on the engine's command line, none where nothing is chosen.
// clang-format off
struct Row { const char* files; std::u32string keys, shown; const char* engine; };
const Row kRows[] = {
    {"Übung1.txt übung1.dat", U"ü", U"ÜBUNG1", "ÜBUNG1"}, {"„Faust“.txt", U"„", U"„FAUST“", "„FAUST“"},
    {"café.txt", U"/é\r", U"CAFÉ", "CAFÉ"}, {"Preis¤.dat", U"/¤\r", U"PREIS¤", "PREIS¤"},
    {"тест.txt", U"/ест\r", U"тест", "тест"}, {"тест.txt", U"Т", U"тест", "тест"},
    {"ιστορία.txt", U"Ι", U"ιστορία", "ιστορία"}, {"şarkı.txt", U"Ş", U"şARKı", "şARKı"},
    {"İğne.dat", U"/Ğ\r", U"İğNE", "İğNE"}, {"łódź.txt", U"Ł", U"łóDź", "łóDź"},
    {"テスト1.txt", U"テ", U"テスト1", "テスト1"},
    {"テスト1.txt", U"/x\r", U"テスト1", ""},  // no match through a trail byte
    {"テスト1.txt", U"ス", U"テスト1", "ALPHA"},  // nor from a character inside the name
    {"しけん.txt", U"/けん\r", U"しけん", "しけん"}, {"数学テスト.txt", U"/学\r", U"数学テスト", "数学テスト"},
    {"ソフト.dat", U"ソ", U"ソフト", "ソフト"}, {"數學.txt", U"/學\r", U"數學", "數學"},
    {"王喆.dat", U"王", U"王喆", "王喆"}, {"갇힌.txt", U"/힌\r", U"갇힌", "갇힌"},
    {"똠방.dat", U"똠", U"똠방", "똠방"},
};
// clang-format on

TEST(TeacherNames, AsListedShownAndRun) {
    if (const std::string other = testing::codePageNotAsked(); !other.empty()) GTEST_SKIP() << other;
    int ran = 0;
    for (const Row& row : kRows) {
        const auto engineName = platformText(row.engine[0] ? row.engine : "x");
        if (!engineName) continue;
        SCOPED_TRACE(row.files);
        testing::ScratchDirectory course;
        testing::CurrentDirectoryScope inside(course.path());
        std::istringstream names(row.files);
        bool made = true;
        for (std::string name; made && names >> name;)
            made = platformText(name) && testing::writeFile(*platformText(name), "x");
        if (!made) continue;
        ++ran;
        FirstFrameHost host;
        console::prepareConsole(host);
        NameList FileNames{}, BaseNames{}, ChosenNames{};
        std::int16_t FileNameCount = 0, BaseNameCount = 0, ChosenCount = 0;
        discoverDataFiles(FileNames, FileNameCount, BaseNames, BaseNameCount);
        ASSERT_EQ(BaseNameCount, 1) << "one data set";

        host.pushTyped(row.keys + U" \r");
        const Text selection = ctpro::runListBox(host, {course.text(), "", {"ALPHA", BaseNames[0]}});
        splitSelection(selection, 2, ChosenNames, ChosenCount);

        const ctpro::ListBoxLayout layout = ctpro::listBoxLayout({0, 0, 79, 29});
        const int y = layout.listTop + 1, right = layout.box.right;
        EXPECT_NE(host.shown(y, layout.box.left + 1, right - 1).find(row.shown), std::u32string::npos);
        EXPECT_EQ(host.shown(y, right, right), host.shown(y - 1, right, right)) << "the border in its column";
        ASSERT_EQ(ChosenCount, row.engine[0] ? 1 : 0);
        if (ChosenCount == 1) {
            EXPECT_EQ(launch::engineCommand(ChosenNames[0]), launch::engineCommand(*engineName));
        }
    }
    EXPECT_GT(ran, 0) << "no row that this code page spells";
}

}  // namespace
}  // namespace corrivex::selection
