// Text files under file numbers: line ends, 0x1A, the 128-byte read buffer,
// long lines, unbuffered writing, the cut at close, and every refusal.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "primitives/directory.h"
#include "primitives/length_limits.h"
#include "primitives/text_file.h"
#include "primitives_support.h"

namespace corrivex::test {
namespace {

using namespace std::string_literals;
using Lines = std::vector<Text>;

constexpr FileNumber kLargestFileNumber = std::numeric_limits<FileNumber>::max();

class TextFiles : public ScratchDirectory {
protected:
    // Every line of `name` read under file number 1, up to the first empty
    // text after the last byte; then checks that the end stays the end.
    Lines readAll(const Text& name, std::size_t expected) {
        openFile(1, name, FileMode::Input);
        Lines lines;
        for (std::size_t i = 0; i < expected; ++i) lines.push_back(readLine(1));
        EXPECT_EQ(readLine(1), "") << "past the end";
        EXPECT_EQ(readLine(1), "") << "past the end, again";
        closeFile(1);
        return lines;
    }
};

// --- reading ---

TEST_F(TextFiles, CrLfEndsALineAndALastLineNeedsNoEnd) {
    writeBytes("in.txt", "a\r\nb");
    EXPECT_EQ(readAll("in.txt", 2), (Lines{"a", "b"}));
}

TEST_F(TextFiles, ALoneLfStaysInTheLine) {
    writeBytes("in.txt", "one\ntwo\nthree\n");
    EXPECT_EQ(readAll("in.txt", 1), (Lines{"one\ntwo\nthree\n"}));
}

TEST_F(TextFiles, ALoneCrEndsALine) {
    writeBytes("in.txt", "a\rb\r\r\nc\n\rd");
    EXPECT_EQ(readAll("in.txt", 5), (Lines{"a", "b", "", "c\n", "d"}));
}

TEST_F(TextFiles, LfBeforeCrBelongsToTheLine) {
    writeBytes("in.txt", "x\n\r\ny");
    EXPECT_EQ(readAll("in.txt", 2), (Lines{"x\n", "y"}));
}

TEST_F(TextFiles, EmptyLinesReadAsEmptyTexts) {
    writeBytes("in.txt", "\r\n\r\nz\r\n");
    EXPECT_EQ(readAll("in.txt", 3), (Lines{"", "", "z"}));
}

TEST_F(TextFiles, AnEmptyFileReadsAsEmpty) {
    writeBytes("in.txt", "");
    EXPECT_EQ(readAll("in.txt", 0), Lines{});
}

TEST_F(TextFiles, Byte1AEndsTheFile) {
    writeBytes("in.txt",
               "ab\x1A"
               "cd\r\nef\r\n");
    EXPECT_EQ(readAll("in.txt", 1), (Lines{"ab"}));
    writeBytes("in.txt", "x\r\n\x1A\r\ny\r\n");
    EXPECT_EQ(readAll("in.txt", 1), (Lines{"x"}));
    writeBytes("in.txt",
               "\x1A"
               "after");
    EXPECT_EQ(readAll("in.txt", 0), Lines{});
}

TEST_F(TextFiles, Byte1AInALaterBlockEndsTheFile) {
    writeBytes("in.txt", Text(128, 'a') + "\x1A" + "rest\r\n");
    EXPECT_EQ(readAll("in.txt", 1), (Lines{Text(128, 'a')}));
    writeBytes("in.txt", Text(300, 'b') + "\r\n" + "c\x1A" + "rest\r\n");
    EXPECT_EQ(readAll("in.txt", 2), (Lines{Text(300, 'b'), "c"}));
}

TEST_F(TextFiles, NulBytesAreReadAsTheyStand) {
    writeBytes("in.txt", "a\0b\r\n\0\r\n"s);
    EXPECT_EQ(readAll("in.txt", 2), (Lines{"a\0b"s, "\0"s}));
}

// Lines around the 128-byte blocks: the CR and the LF of one line end may
// fall into two blocks.
TEST_F(TextFiles, LineEndsAtEveryPlaceOfTheReadBlocks) {
    for (const std::size_t length : {0u, 1u, 125u, 126u, 127u, 128u, 129u, 254u, 255u, 256u, 257u, 383u, 384u}) {
        const Text line(length, 'q');
        writeBytes("in.txt", line + "\r\n" + "tail\r\n" + "last");
        EXPECT_EQ(readAll("in.txt", 3), (Lines{line, "tail", "last"})) << "line of " << length;
    }
}

TEST_F(TextFiles, ACrAtTheEndOfTheFileEndsTheLastLine) {
    writeBytes("in.txt", Text(127, 'q') + "\r");
    EXPECT_EQ(readAll("in.txt", 1), (Lines{Text(127, 'q')}));
}

TEST_F(TextFiles, ALineOfThreeMegabytes) {
    Text line(3 * 1024 * 1024, ' ');
    for (std::size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char>('a' + i % 26);
    writeBytes("in.txt", line + "\r\nnext\r\n");
    EXPECT_EQ(readAll("in.txt", 2), (Lines{line, "next"}));
}

TEST_F(TextFiles, ReadingAStreamStopsAt1A) {
    ServedStream stream(
        "one\r\ntwo\r\nlast\x1A"
        "never read\r\n");
    openFile(4, stream.name(), FileMode::Input);
    EXPECT_EQ(readLine(4), "one");
    EXPECT_EQ(readLine(4), "two");
    EXPECT_EQ(readLine(4), "last");
    EXPECT_EQ(readLine(4), "");
    closeFile(4);
}

TEST_F(TextFiles, ReadingAStreamToItsEnd) {
    ServedStream stream("a\r\n" + Text(200, 'b') + "\r\nc");
    openFile(4, stream.name(), FileMode::Input);
    EXPECT_EQ(readLine(4), "a");
    EXPECT_EQ(readLine(4), Text(200, 'b'));
    EXPECT_EQ(readLine(4), "c");
    EXPECT_EQ(readLine(4), "");
    closeFile(4);
}

// --- writing ---

TEST_F(TextFiles, EveryLineGetsCrLfAndNothingElse) {
    openFile(111, "out.txt", FileMode::Output);
    writeLine(111, "abc");
    writeLine(111, "");
    writeLine(111, " x\ty ");
    writeLine(111, "n\0l"s);
    closeFile(111);
    EXPECT_EQ(readBytes("out.txt"), "abc\r\n\r\n x\ty \r\nn\0l\r\n"s);
}

TEST_F(TextFiles, AnEmptyLineWritesExactlyCrLf) {
    openFile(111, "out.txt", FileMode::Output);
    writeLine(111, "");
    closeFile(111);
    EXPECT_EQ(readBytes("out.txt"), "\r\n");
}

TEST_F(TextFiles, EachLineIsInTheFileWhenWriteLineReturns) {
    openFile(111, "out.txt", FileMode::Output);
    EXPECT_EQ(fs::file_size("out.txt"), 0u);
    writeLine(111, "first");
    EXPECT_EQ(fs::file_size("out.txt"), 7u);
    writeLine(111, Text(1000, 'z'));
    EXPECT_EQ(fs::file_size("out.txt"), 1009u);
    closeFile(111);
    EXPECT_EQ(fs::file_size("out.txt"), 1009u);
}

TEST_F(TextFiles, WritingOverALongerFileLeavesOnlyTheNewLines) {
    writeBytes("out.txt", Text(5000, 'o') + "\r\nold\r\n");
    openFile(111, "out.txt", FileMode::Output);
    writeLine(111, "new");
    closeFile(111);
    EXPECT_EQ(readBytes("out.txt"), "new\r\n");
}

TEST_F(TextFiles, OpeningForOutputAndClosingLeavesAnEmptyFile) {
    writeBytes("out.txt", "old contents\r\n");
    openFile(111, "out.txt", FileMode::Output);
    closeFile(111);
    EXPECT_TRUE(fs::exists("out.txt"));
    EXPECT_EQ(fs::file_size("out.txt"), 0u);
}

TEST_F(TextFiles, WrittenLinesReadBackUnchanged) {
    Lines written;
    for (int i = 0; i < 600; ++i) {
        Text line;
        for (int j = 0; j < (i * 37) % 400; ++j) {
            char c = static_cast<char>((i + j * 11) % 256);
            if (c == '\r' || c == '\x1A') c = 'r';
            line += c;
        }
        written.push_back(line);
    }
    openFile(111, "round.txt", FileMode::Output);
    for (const Text& line : written) writeLine(111, line);
    closeFile(111);
    EXPECT_EQ(readAll("round.txt", written.size()), written);
}

// --- what a writer of a new file left when it ended ---

// A process id that no process has: beyond every POSIX pid, and no Windows one.
constexpr unsigned long kEndedProcess = 2147483644;

// writeNewFile's temporary name for `name`: ".<name>.<process id>.<n>".
Text temporaryOf(const Text& name, unsigned long owner, const Text& n = "0") {
    return "." + name + "." + std::to_string(owner) + "." + n;
}

TEST_F(TextFiles, OnlyTheUnheldTemporaryFilesOfAnEndedWriterAreRemoved) {
    // clang-format off
    struct Row { Text name; bool removed; };
    const Row files[] = {
        {temporaryOf("out.ini", kEndedProcess), true}, {temporaryOf("out.ini", kEndedProcess, "99"), true},
        {temporaryOf("out.ini", processId()), false},  // a writer that still runs
        // names it never gives
        {temporaryOf("out.ini", kEndedProcess, "100"), false}, {temporaryOf("out.ini", kEndedProcess, "01"), false},
        {temporaryOf("out.ini", kEndedProcess) + ".tmp", false}, {temporaryOf("out.ini", 0), false},
        {temporaryOf("out.ini", 0) + "x", false}, {"out.ini." + std::to_string(kEndedProcess) + ".0", false},
        {temporaryOf("other.ini", kEndedProcess), false}, {"cvx1A2B.tmp", false},
    };
    // clang-format on
    for (const Row& file : files) writeBytes(file.name, "left");
    const Text held = temporaryOf("out.ini", kEndedProcess, "7"),
               directory = temporaryOf("out.ini", kEndedProcess, "8"),
               link = temporaryOf("out.ini", kEndedProcess, "9");
    writeBytes(held, "held");
    fs::create_directory(directory);
    std::error_code noLink;  // Windows makes links for administrators alone
    fs::create_symlink(temporaryOf("out.ini", kEndedProcess), link, noLink);
    const std::function<void()> release = holdAsWriter(held);

    fs::create_directory("sub");
    writeBytes("sub/" + files[0].name, "left");
    removeLeftovers("sub/out.ini");  // that directory's alone
    EXPECT_FALSE(fs::exists("sub/" + files[0].name));
    EXPECT_TRUE(fs::exists(files[0].name));
    removeLeftovers("out.ini");
    release();
    for (const Row& file : files) EXPECT_EQ(fs::exists(file.name), !file.removed) << file.name;
    EXPECT_EQ(readBytes(held), "held");
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_TRUE(noLink || fs::is_symlink(link));
}

// --- the file table ---

TEST_F(TextFiles, AnInputAndAnOutputFileAtOnce) {
    writeBytes("in.txt", "1\r\n2\r\n");
    openFile(1, "in.txt", FileMode::Input);
    openFile(111, "copy.txt", FileMode::Output);
    for (Text line = readLine(1); !line.empty(); line = readLine(1)) writeLine(111, line + line);
    closeFile(111);
    closeFile(1);
    EXPECT_EQ(readBytes("copy.txt"), "11\r\n22\r\n");
}

TEST_F(TextFiles, NumbersZeroAndTheLargestAreUsable) {
    writeBytes("zero.txt", "z\r\n");
    writeBytes("top.txt", "t\r\n");
    openFile(0, "zero.txt", FileMode::Input);
    openFile(kLargestFileNumber, "top.txt", FileMode::Input);
    EXPECT_EQ(readLine(kLargestFileNumber), "t");
    EXPECT_EQ(readLine(0), "z");
    closeFile(0);
    closeFile(kLargestFileNumber);
}

TEST_F(TextFiles, ANegativeNumberIsRefused) {
    openFile(-1, "neg.txt", FileMode::Output);
    openFile(-32768, "neg.txt", FileMode::Output);
    writeLine(-1, "x");
    closeFile(-1);
    EXPECT_FALSE(fs::exists("neg.txt"));
}

TEST_F(TextFiles, ANumberAlreadyOpenIsRefused) {
    writeBytes("first.txt", "first\r\n");
    writeBytes("second.txt", "second\r\n");
    openFile(1, "first.txt", FileMode::Input);
    openFile(1, "second.txt", FileMode::Input);
    openFile(1, "third.txt", FileMode::Output);
    EXPECT_EQ(readLine(1), "first");
    closeFile(1);
    EXPECT_FALSE(fs::exists("third.txt"));
}

// On Windows '*' and '?' make a mask, never a file name; on POSIX systems
// they are bytes of a name like any other.
TEST_F(TextFiles, EmptyNamesAreRefusedAndWildcardsAreMasksOnlyOnWindows) {
    openFile(2, "", FileMode::Output);
    writeLine(2, "x");
    closeFile(2);
    openFile(3, "w*.txt", FileMode::Output);
    writeLine(3, "x");
    closeFile(3);
    openFile(5, "w?.txt", FileMode::Output);
    writeLine(5, "x");
    closeFile(5);
#ifdef _WIN32
    EXPECT_TRUE(fs::is_empty(root()));
#else
    EXPECT_EQ(readBytes("w*.txt"), "x\r\n");
    EXPECT_EQ(readBytes("w?.txt"), "x\r\n");
    openFile(3, "w?.txt", FileMode::Input);
    EXPECT_EQ(readLine(3), "x");
#endif
}

#ifdef _WIN32
TEST_F(TextFiles, ARefusedWildcardNameLeavesTheNumberFree) {
    writeBytes("wx.txt", "w\r\n");
    openFile(3, "w?.txt", FileMode::Input);
    EXPECT_EQ(readLine(3), "");
    openFile(3, "wx.txt", FileMode::Input);
    EXPECT_EQ(readLine(3), "w");
}
#endif

TEST_F(TextFiles, ANameHoldingNulIsRefused) {
    openFile(6, "nul.txt\0tail"s, FileMode::Output);
    writeLine(6, "x");
    closeFile(6);
    EXPECT_TRUE(fs::is_empty(root()));
}

// Cut, the name would name another file: here the one its first
// `kFileName` bytes name.
TEST_F(TextFiles, ANameBeyondTheLimitIsRefusedNotCut) {
    Text name;
    for (std::size_t i = 0; i < (limits::kFileName - 5) / 2; ++i) name += "." + pathSeparator();
    name += "f.txt";
    ASSERT_EQ(name.size(), limits::kFileName);
    openFile(7, name + "x", FileMode::Output);
    writeLine(7, "cut");
    closeFile(7);
    EXPECT_TRUE(fs::is_empty(root()));
    openFile(7, name, FileMode::Output);
    writeLine(7, "whole");
    closeFile(7);
    EXPECT_EQ(readBytes("f.txt"), "whole\r\n");
}

TEST_F(TextFiles, AMissingInputFileIsNeitherOpenedNorMade) {
    openFile(1, "missing.txt", FileMode::Input);
    EXPECT_EQ(readLine(1), "");
    EXPECT_FALSE(fs::exists("missing.txt"));
    writeBytes("present.txt", "p\r\n");
    openFile(1, "present.txt", FileMode::Input);
    EXPECT_EQ(readLine(1), "p");
}

TEST_F(TextFiles, ADirectoryIsNoInputFile) {
    fs::create_directory("c.txt");
    openFile(1, "c.txt", FileMode::Input);
    EXPECT_EQ(readLine(1), "");
    writeBytes("real.txt", "r\r\n");
    openFile(1, "real.txt", FileMode::Input);
    EXPECT_EQ(readLine(1), "r");
}

TEST_F(TextFiles, OutputToADirectoryNameWritesNothing) {
    fs::create_directory("d.txt");
    openFile(111, "d.txt", FileMode::Output);
    writeLine(111, "x");
    closeFile(111);
    EXPECT_TRUE(fs::is_directory("d.txt"));
    EXPECT_TRUE(fs::is_empty("d.txt"));
    openFile(111, "ok.txt", FileMode::Output);  // the number was not taken
    writeLine(111, "y");
    closeFile(111);
    EXPECT_EQ(readBytes("ok.txt"), "y\r\n");
}

TEST_F(TextFiles, NumbersThatAreNotOpenReadEmptyAndWriteNothing) {
    EXPECT_EQ(readLine(42), "");
    writeLine(42, "lost");
    closeFile(42);
    closeFile(42);
    EXPECT_TRUE(fs::is_empty(root()));
}

TEST_F(TextFiles, AClosedNumberReadsEmpty) {
    writeBytes("in.txt", "a\r\nb\r\n");
    openFile(1, "in.txt", FileMode::Input);
    EXPECT_EQ(readLine(1), "a");
    closeFile(1);
    EXPECT_EQ(readLine(1), "");
}

TEST_F(TextFiles, ModesAreKeptApart) {
    writeBytes("in.txt", "keep\r\n");
    openFile(1, "in.txt", FileMode::Input);
    writeLine(1, "written to an input file");
    openFile(111, "out.txt", FileMode::Output);
    EXPECT_EQ(readLine(111), "");
    writeLine(111, "out");
    EXPECT_EQ(readLine(1), "keep");
    closeFile(1);
    closeFile(111);
    EXPECT_EQ(readBytes("in.txt"), "keep\r\n");
    EXPECT_EQ(readBytes("out.txt"), "out\r\n");
}

TEST_F(TextFiles, AnOpenFileIsNotSharedWhereThePlatformCanRefuse) {
    writeBytes("in.txt", "x\r\n");
    openFile(1, "in.txt", FileMode::Input);
    EXPECT_EQ(otherReaderCanOpen("in.txt"), !kOpenFilesAreExclusive);
    closeFile(1);
    EXPECT_TRUE(otherReaderCanOpen("in.txt"));
    openFile(111, "out.txt", FileMode::Output);
    EXPECT_EQ(otherReaderCanOpen("out.txt"), !kOpenFilesAreExclusive);
    closeFile(111);
    EXPECT_TRUE(otherReaderCanOpen("out.txt"));
}

}  // namespace
}  // namespace corrivex::test
