// The gate with batch mode off: the message box, the editor on the start
// directory's settings file, and the check again after the editor has ended.
// The box is drawn by the console tools library into the memory console and
// answered from its script: 'y' is Yes, 'n', Escape or closed input No.
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gate_fixture.h"
#include "primitives/length_limits.h"
#include "unprivileged.h"

namespace corrivex::settings {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::settingsWith;
using testing::writeBytes;

constexpr const char kBoxText[] = "Yes to edit batchs.ini, no to exit";
constexpr const char kBoxCaption[] = "First question in batchs.ini must be answered 'y'";

// An environment variable set for the life of the object, then put back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// What one run of the stand-in editor recorded.
struct EditorRun {
    std::vector<std::string> arguments;
    std::string held;
};

// A memory console that counts how often the message box appears on it.
class BoxWatchingHost : public platform::MemoryConsoleHost {
public:
    using MemoryConsoleHost::MemoryConsoleHost;
    int boxesShown = 0;
    bool captionShown = false;  // with the box

protected:
    void changed() override {
        bool shown = false;
        bool caption = false;
        for (int y = 0; y < size().y; ++y) {
            shown = shown || rowText(y).find(kBoxText) != std::string::npos;
            caption = caption || rowText(y).find(kBoxCaption) != std::string::npos;
        }
        if (shown && !showing_) ++boxesShown;
        captionShown = captionShown || (shown && caption);
        showing_ = shown;
    }

private:
    bool showing_ = false;
};

class EditLoopTest : public testing::GateTest {
protected:
    void SetUp() override {
        GateTest::SetUp();
        console::prepareConsole(boxHost);
        fs::create_directory(scratch.path() / "empty");
    }

    // The stand-in editor first on PATH, recording into editor.log, with
    // line 2 set to `answer` unless that is empty.
    void useStandInEditor(const std::string& answer = std::string()) {
        path_.emplace("PATH", std::string(CORRIVEX_STAND_IN_EDITOR_DIR) + ":" + getenv("PATH"));
        log_.emplace("CORRIVEX_EDITOR_LOG", logFile().string());
        if (!answer.empty()) answer_.emplace("CORRIVEX_EDITOR_ANSWER", answer);
    }
    // No editor to be found: PATH names an empty directory only.
    void useNoEditor() { path_.emplace("PATH", (scratch.path() / "empty").string()); }
    void editorDeletesTheFile() { delete_.emplace("CORRIVEX_EDITOR_DELETE", "1"); }

    fs::path logFile() const { return scratch.path() / "editor.log"; }
    std::vector<EditorRun> editorRuns() const {
        std::vector<EditorRun> runs;
        const std::string log = readBytes(logFile());
        std::size_t from = 0;
        for (std::size_t end = log.find('\n'); end != std::string::npos; end = log.find('\n', from)) {
            const std::string line = log.substr(from, end - from);
            from = end + 1;
            if (line == "run") runs.emplace_back();
            if (runs.empty()) continue;
            if (line.starts_with("arg=")) runs.back().arguments.push_back(line.substr(4));
            if (line.starts_with("held=")) runs.back().held = line.substr(5);
        }
        return runs;
    }

    // Yes at the box, once: the stand-in editor answers batch mode on, and
    // the gate goes on without a second box. The editor's runs.
    std::vector<EditorRun> answerYesOnce() {
        useStandInEditor("y");
        boxHost.pushChar('y');
        boxHost.pushChar('n');  // a second box would take this and end the run
        EXPECT_EQ(runGate(), GateResult::GoOn);
        EXPECT_EQ(boxHost.boxesShown, 1);
        return editorRuns();
    }

    BoxWatchingHost boxHost{platform::CellPos{80, 25}};

private:
    std::optional<ScopedVariable> path_;
    std::optional<ScopedVariable> log_;
    std::optional<ScopedVariable> answer_;
    std::optional<ScopedVariable> delete_;
};

TEST_F(EditLoopTest, FirstRunInAnEmptyDirectoryWritesTheDefaultAndAsks) {
    useStandInEditor("y");
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    const std::string written = readBytes(settings());
    EXPECT_EQ(written.size(), 513u);
    EXPECT_EQ(written.substr(0, 29), "Activate the batch mode?\r\nn\r\n");
    EXPECT_EQ(boxHost.boxesShown, 1);
    EXPECT_TRUE(boxHost.captionShown);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

// The style makes No the default button.
TEST_F(EditLoopTest, EnterTakesTheDefaultNo) {
    useStandInEditor("y");
    writeBytes(settings(), settingsWith("n", ""));
    boxHost.pushKey(platform::vk::kReturn, '\r');
    boxHost.pushChar('y');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_EQ(boxHost.boxesShown, 1);
}

class RefusedTest : public EditLoopTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RefusedTest, AsksAndNoEndsTheRunWithTheFileUnchanged) {
    useStandInEditor("y");
    writeBytes(settings(), GetParam());
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(readBytes(settings()), GetParam());
    EXPECT_EQ(boxHost.boxesShown, 1);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

INSTANTIATE_TEST_SUITE_P(LineTwo, RefusedTest,
                         ::testing::Values(settingsWith("n", "course"), settingsWith("N", ""), settingsWith(" y", ""),
                                           settingsWith("\ty", ""), settingsWith("", ""), settingsWith("no", ""),
                                           settingsWith("\x1Ay", ""), settingsWith(std::string("\0y", 2), ""),
                                           "Activate the batch mode?\ny\n" + std::string(26, '\n'), "y\r\n",
                                           std::string(), testing::crlfLines({"y", "n"})));

INSTANTIATE_TEST_SUITE_P(WholeFile, RefusedTest,
                         ::testing::Values(std::string(1 << 22, 'y'), std::string("\xFF\xFE\r\n\xFF\0\r\n", 8),
                                           std::string(5, '\x1A')));

TEST_F(EditLoopTest, ClosedInputEndsTheRun) {
    useStandInEditor("y");
    writeBytes(settings(), settingsWith("n", ""));
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_EQ(boxHost.boxesShown, 1);
}

TEST_F(EditLoopTest, EscapeEndsTheRun) {
    useStandInEditor("y");
    writeBytes(settings(), settingsWith("n", ""));
    boxHost.pushKey(platform::vk::kEscape);
    boxHost.pushChar('y');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_EQ(boxHost.boxesShown, 1);
}

TEST_F(EditLoopTest, EmptyLineGoesToTheConsoleBeforeTheBox) {
    writeBytes(settings(), settingsWith("n", ""));
    boxHost.setCursorPosition(platform::CellPos{0, 3});
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(boxHost.cursor(), (platform::CellPos{0, 4}));
}

// The editor is found along PATH: an `editor` in the start directory never runs.
TEST_F(EditLoopTest, YesRunsTheEditorOnTheStartDirectorysFileAndThePassingFileGoesOn) {
    const std::string before = settingsWith("n", "");
    writeBytes(settings(), before);
    writeBytes(scratch.path() / "editor", "#!/bin/sh\nexit 0\n");
    fs::permissions(scratch.path() / "editor", fs::perms::owner_all, fs::perm_options::add);
    const std::vector<EditorRun> runs = answerYesOnce();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].arguments.size(), 2u);
    EXPECT_EQ(runs[0].arguments[0], "editor");
    EXPECT_EQ(runs[0].arguments[1], StartDir + "/batchs.ini");
    EXPECT_EQ(runs[0].held, "no");

    std::string after = before;
    after[26] = 'y';
    EXPECT_EQ(readBytes(settings()), after);
    EXPECT_TRUE(testing::isCurrent(scratch.path()));
}

// As on Windows, the file is found whatever the letter case of its name: it
// is read and edited under its own name, and no other file is written; a
// directory of the exact name, which the existence test does not count, is none.
TEST_F(EditLoopTest, FileNamedInOtherLetterCaseIsReadAndEditedUnderItsOwnName) {
    fs::create_directory(scratch.path() / "course");
    fs::create_directory(settings());
    const fs::path upper = scratch.path() / "BATCHS.INI";
    writeBytes(upper, settingsWith("n", "course"));
    const std::vector<EditorRun> runs = answerYesOnce();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].arguments.size(), 2u);
    EXPECT_EQ(runs[0].arguments[1], StartDir + "/BATCHS.INI");
    EXPECT_TRUE(fs::is_empty(settings()));
    EXPECT_EQ(readBytes(upper).substr(26, 1), "y");
    EXPECT_TRUE(testing::isCurrent(scratch.path() / "course"));
}

TEST_F(EditLoopTest, CoursePathOfTheEditedFileIsMadeCurrent) {
    useStandInEditor("Y");
    fs::create_directory(scratch.path() / "course");
    writeBytes(settings(), settingsWith("n", "  course "));
    boxHost.pushChar('y');
    EXPECT_EQ(runGate(), GateResult::GoOn);
    EXPECT_EQ(boxHost.boxesShown, 1);
    EXPECT_TRUE(testing::isCurrent(scratch.path() / "course"));
}

TEST_F(EditLoopTest, NoAfterYesEndsTheRun) {
    useStandInEditor();
    const std::string before = settingsWith("n", "");
    writeBytes(settings(), before);
    boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(editorRuns().size(), 1u);
    EXPECT_EQ(boxHost.boxesShown, 2);
    EXPECT_EQ(readBytes(settings()), before);
}

TEST_F(EditLoopTest, TheLoopAsksAsOftenAsTheAnswerStaysNo) {
    useStandInEditor("nope");
    writeBytes(settings(), settingsWith("n", ""));
    for (int i = 0; i < 3; ++i) boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(editorRuns().size(), 3u);
    EXPECT_EQ(boxHost.boxesShown, 4);
}

TEST_F(EditLoopTest, FileDeletedInTheEditorIsNotWrittenAgainAndTheBoxComesBack) {
    useStandInEditor();
    editorDeletesTheFile();
    writeBytes(settings(), settingsWith("n", ""));
    boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(editorRuns().size(), 1u);
    EXPECT_FALSE(fs::exists(settings()));
    EXPECT_EQ(boxHost.boxesShown, 2);
}

TEST_F(EditLoopTest, MissingEditorRunsNothingAndTheBoxComesBack) {
    useNoEditor();
    const std::string before = settingsWith("n", "");
    writeBytes(settings(), before);
    boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(readBytes(settings()), before);
    EXPECT_EQ(boxHost.boxesShown, 2);
}

// A start directory the editor command cannot name the file by: one so long
// that the command would be cut inside the file name (the editor would open
// some other file), or none, as when it could not be read (batchs.ini would
// be looked for at the root of the file system). No editor runs, and the box
// comes back.
class UnusableStartDirectoryTest : public EditLoopTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnusableStartDirectoryTest, TheEditorIsNotRun) {
    useStandInEditor("y");
    const std::string before = settingsWith("n", "");
    writeBytes(settings(), before);
    if (GetParam()) StartDir += "/" + std::string(limits::kCommandLine, 'd');
    else StartDir.clear();
    boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_TRUE(editorRuns().empty());
    EXPECT_EQ(boxHost.boxesShown, 2);
    EXPECT_EQ(readBytes(settings()), before);
}

INSTANTIATE_TEST_SUITE_P(StartDir, UnusableStartDirectoryTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "CommandBeyondTheLimit" : "NoStartDirectory";
                         });

TEST_F(EditLoopTest, EditorCommandOfExactlyTheLimitIsRun) {
    useStandInEditor("y");
    writeBytes(settings(), settingsWith("n", ""));
    // "editor  " + StartDir + "/batchs.ini" is as long as a command line
    // may be; the stand-in gets a path that does not exist and changes
    // nothing.
    const std::size_t room = limits::kCommandLine - 8 - 11;
    ASSERT_LT(StartDir.size() + 1, room);
    StartDir += "/" + std::string(room - StartDir.size() - 1, 'd');
    boxHost.pushChar('y');
    boxHost.pushChar('n');
    EXPECT_EQ(runGate(), GateResult::End);
    EXPECT_EQ(boxHost.boxesShown, 2);
    const std::vector<EditorRun> runs = editorRuns();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].arguments.size(), 2u);
    EXPECT_EQ(runs[0].arguments[1], StartDir + "/batchs.ini");
}

TEST_F(EditLoopTest, UnreadableFileAsksAgainAfterEveryEdit) {
    corrivex::testing::runUnprivileged([&] {
        useStandInEditor("y");
        const std::string before = settingsWith("y", "");
        writeBytes(settings(), before);
        fs::permissions(settings(), fs::perms::none);
        if (!readBytes(settings()).empty()) GTEST_SKIP() << "this user may read unreadable files";
        boxHost.pushChar('y');
        boxHost.pushChar('n');
        EXPECT_EQ(runGate(), GateResult::End);
        EXPECT_EQ(boxHost.boxesShown, 2);
        fs::permissions(settings(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(readBytes(settings()), before);
    });
}

}  // namespace
}  // namespace corrivex::settings
