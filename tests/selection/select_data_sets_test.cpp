// The selection step with the console tools library's list box, driven by
// scripted keys on a memory console: Space marks the focused entry, Down
// moves, Enter presses OK, Esc cancels.
#include "selection/select_data_sets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/console_state.h"
#include "memory_console_host.h"
#include "scratch_directory.h"

namespace corrivex::selection {
namespace {

using namespace std::string_literals;
namespace vk = platform::vk;

// A memory console that keeps what the screen showed when the list box first
// asked for input, and can do something at that moment.
class WatchingHost : public platform::MemoryConsoleHost {
public:
    WatchingHost() : MemoryConsoleHost({80, 30}) {}
    bool readInput(platform::InputEvent& event) override {
        if (!asked_) {
            asked_ = true;
            for (int y = 0; y < size().y; ++y) shown_.push_back(rowText(y));
            if (onFirstInput) onFirstInput();
        }
        return MemoryConsoleHost::readInput(event);
    }
    bool shown(const std::string& text) const {
        for (const std::string& row : shown_)
            if (row.find(text) != std::string::npos) return true;
        return false;
    }
    bool asked() const { return asked_; }

    std::function<void()> onFirstInput;

private:
    bool asked_ = false;
    std::vector<std::string> shown_;
};

class SelectDataSetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        console::prepareConsole(host_);
        inside_ = std::make_unique<testing::CurrentDirectoryScope>(course_.path());
    }
    void TearDown() override { inside_.reset(); }

    void offer(const std::vector<Text>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) BaseNames[i] = names[i];
        BaseNameCount = static_cast<std::int16_t>(names.size());
    }
    void key(std::uint16_t virtualKey, unsigned char ch = 0) { host_.pushKey(virtualKey, ch); }
    // Marks the first entry and the third, then presses OK.
    void markFirstAndThird() {
        key(vk::kSpace, ' ');
        key(vk::kDown);
        key(vk::kDown);
        key(vk::kSpace, ' ');
        key(vk::kReturn, '\r');
    }
    void select() { selectDataSets(BaseNames, BaseNameCount, Selection, ChosenNames, ChosenCount); }
    std::vector<Text> chosen() const { return {ChosenNames.begin(), ChosenNames.begin() + ChosenCount}; }
    bool screenBlank() const {
        for (int y = 0; y < host_.size().y; ++y)
            if (host_.rowText(y).find_first_not_of(' ') != std::string::npos) return false;
        return host_.cursor() == platform::CellPos{0, 0};
    }

    WatchingHost host_;
    testing::ScratchDirectory course_;
    std::unique_ptr<testing::CurrentDirectoryScope> inside_;
    NameList BaseNames{};
    std::int16_t BaseNameCount = 1;
    Text Selection = "STALE";
    NameList ChosenNames{};
    std::int16_t ChosenCount = -1;
};

TEST_F(SelectDataSetsTest, ShowsTheNamesThePathAndTheHint) {
    offer({"ALPHA", "BETA", "GAMMA"});
    key(vk::kEscape);
    select();
    ASSERT_TRUE(host_.asked());
    EXPECT_TRUE(host_.shown("ALPHA"));
    EXPECT_TRUE(host_.shown("GAMMA"));
    EXPECT_TRUE(host_.shown("<ctl> click for mult. selection"));
    EXPECT_TRUE(host_.shown(course_.path().filename().string()));
}

TEST_F(SelectDataSetsTest, MarkedEntriesBecomeTheChosenNamesInOrder) {
    offer({"ALPHA", "BETA", "GAMMA"});
    markFirstAndThird();
    select();
    EXPECT_EQ(Selection, "ALPHA\0GAMMA"s);
    EXPECT_EQ(ChosenCount, 2);
    EXPECT_EQ(chosen(), (std::vector<Text>{"ALPHA", "GAMMA"}));
    EXPECT_EQ(ChosenNames[2], "");
}

TEST_F(SelectDataSetsTest, ScreenIsClearedAfterTheListBox) {
    offer({"ALPHA"});
    key(vk::kSpace, ' ');
    key(vk::kReturn, '\r');
    select();
    EXPECT_EQ(chosen(), (std::vector<Text>{"ALPHA"}));
    EXPECT_TRUE(screenBlank());
}

TEST_F(SelectDataSetsTest, CancelChoosesNothing) {
    offer({"ALPHA", "BETA"});
    key(vk::kSpace, ' ');
    key(vk::kEscape);
    select();
    EXPECT_EQ(ChosenCount, 0);
    EXPECT_EQ(ChosenNames[0], "");
    EXPECT_TRUE(screenBlank());
}

TEST_F(SelectDataSetsTest, ClosedInputChoosesNothing) {
    offer({"ALPHA", "BETA"});
    select();  // the script is empty: input reads as closed
    EXPECT_EQ(ChosenCount, 0);
}

TEST_F(SelectDataSetsTest, EmptyListChoosesNothing) {
    BaseNameCount = 1;  // an empty directory: one empty slot
    key(vk::kSpace, ' ');
    key(vk::kReturn, '\r');
    select();
    EXPECT_EQ(ChosenCount, 0);
}

TEST_F(SelectDataSetsTest, BlankEntryChosenWithOthersLeavesNoGap) {
    offer({"  ", "BETA", "GAMMA"});
    markFirstAndThird();
    select();
    EXPECT_EQ(chosen(), (std::vector<Text>{"GAMMA"}));
}

TEST_F(SelectDataSetsTest, CourseDirectoryDeletedWhileTheBoxIsOpen) {
    offer({"ALPHA", "BETA"});
    host_.onFirstInput = [this] {
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(course_.path());
    };
    key(vk::kDown);
    key(vk::kSpace, ' ');
    key(vk::kReturn, '\r');
    select();
    EXPECT_EQ(chosen(), (std::vector<Text>{"BETA"}));
}

}  // namespace
}  // namespace corrivex::selection
