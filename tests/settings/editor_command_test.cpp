// The editor's command line on each platform's form of the start directory.
#include <gtest/gtest.h>

#include "primitives/directory.h"
#include "primitives/process.h"
#include "settings/editor_command.h"

namespace corrivex::settings {
namespace {

TEST(EditorCommand, WindowsDirectory) {
    EXPECT_EQ(editorCommand("notepad", "\\", "C:\\courses\\stat101"), "notepad  C:\\courses\\stat101\\batchs.ini");
}

TEST(EditorCommand, WindowsDriveRootGivesOneBackslash) {
    EXPECT_EQ(editorCommand("notepad", "\\", "C:\\"), "notepad  C:\\batchs.ini");
}

TEST(EditorCommand, PosixDirectoryAndRoot) {
    EXPECT_EQ(editorCommand("editor", "/", "/home/teacher/course"), "editor  /home/teacher/course/batchs.ini");
    EXPECT_EQ(editorCommand("editor", "/", "/"), "editor  /batchs.ini");
}

TEST(EditorCommand, TwoPassesCollapseRunsOfUpToFour) {
    EXPECT_EQ(editorCommand("notepad", "\\", "C:\\a\\\\b\\\\\\c\\\\\\\\d"), "notepad  C:\\a\\b\\c\\d\\batchs.ini");
    // A run of five is left as two: the two passes go no further.
    EXPECT_EQ(editorCommand("notepad", "\\", "C:\\a\\\\\\\\\\b"), "notepad  C:\\a\\\\b\\batchs.ini");
}

TEST(EditorCommand, PathIsNotQuotedAndBlanksStay) {
    EXPECT_EQ(editorCommand("notepad", "\\", "C:\\my courses"), "notepad  C:\\my courses\\batchs.ini");
}

TEST(EditorCommand, NetworkPathKeepsItsLeadingPair) {
    EXPECT_EQ(editorCommand("notepad", "\\", "\\\\server\\share\\\\dir"),
              "notepad  \\\\server\\share\\dir\\batchs.ini");
    EXPECT_EQ(editorCommand("notepad", "\\", "\\\\server\\share\\"), "notepad  \\\\server\\share\\batchs.ini");
    // Three at the start are no network path: they collapse like any run.
    EXPECT_EQ(editorCommand("notepad", "\\", "\\\\\\x"), "notepad  \\x\\batchs.ini");
}

TEST(EditorCommand, ThisPlatformsEditorAndSeparator) {
#ifdef _WIN32
    EXPECT_EQ(textEditor(), "notepad");
    EXPECT_EQ(pathSeparator(), "\\");
#else
    EXPECT_EQ(textEditor(), "editor");
    EXPECT_EQ(pathSeparator(), "/");
#endif
}

}  // namespace
}  // namespace corrivex::settings
