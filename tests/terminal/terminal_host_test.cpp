// The terminal console host on a pseudo-terminal: size, modes, drawing,
// input, the hand-over around child processes, resizing and the end.
#include "terminal/terminal_console_host_posix.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "cell_printers.h"
#include "out_of_memory.h"
#include "pty_pair.h"
#include "terminal/terminal_modes_posix.h"
#include "vt_model.h"

namespace corrivex::platform {
namespace {

using testing::isRaw;
using testing::PtyPair;
using testing::sameSettings;
using testing::VtModel;

constexpr std::uint32_t kStartOutputMode = mode::kProcessedOutput | mode::kWrapAtEolOutput;

void write(ConsoleHost& host, CellPos at, std::string_view text, std::uint16_t attr) {
    std::vector<Cell> cells;
    for (unsigned char c : text) cells.push_back(Cell{c, attr});
    host.writeCells(at, static_cast<int>(cells.size()), 1, cells.data());
}

// The console preparation of the process start.
void prepare(ConsoleHost& host) {
    host.setOutputMode(kStartOutputMode);
    host.setInputMode(0);
}

std::u32string text(std::string_view ascii) { return std::u32string(ascii.begin(), ascii.end()); }

bool hasCursorPosition(const std::string& bytes) {
    // CSI digits/semicolons H
    for (std::size_t at = bytes.find("\x1b["); at != std::string::npos; at = bytes.find("\x1b[", at + 1)) {
        std::size_t i = at + 2;
        while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';')) ++i;
        if (i < bytes.size() && bytes[i] == 'H') return true;
    }
    return false;
}

TEST(TerminalHost, TheBufferStartsAsLargeAsTheTerminal) {
    PtyPair pty(100, 30);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    EXPECT_TRUE(host.hasOutput());
    ScreenBufferInfo info;
    ASSERT_TRUE(host.screenBufferInfo(info));
    EXPECT_EQ(info.size, (CellPos{100, 30}));
    EXPECT_EQ(info.window, (CellRect{0, 0, 99, 29}));
    EXPECT_EQ(host.terminalSize(), (CellPos{100, 30}));
}

TEST(TerminalHost, WithoutATerminalNothingIsShownAndInputIsClosed) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const int devNull = open("/dev/null", O_RDWR);
    for (auto [in, out] : {std::pair{-1, -1}, std::pair{fds[0], fds[1]}, std::pair{devNull, devNull}}) {
        TerminalConsoleHost host(in, out, false);
        EXPECT_FALSE(host.hasOutput());
        ScreenBufferInfo info;
        host.screenBufferInfo(info);
        EXPECT_EQ(info.size, (CellPos{80, 25}));
        prepare(host);
        write(host, {0, 0}, "invisible", 0x07);
        InputEvent event;
        EXPECT_FALSE(host.readInput(event));
        EXPECT_FALSE(host.readInput(event));
    }
    // Nothing went into the pipe.
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    char c;
    EXPECT_EQ(read(fds[0], &c, 1), -1);
    close(fds[0]);
    close(fds[1]);
    close(devNull);
}

TEST(TerminalHost, InputModesMapToTheLineDiscipline) {
    PtyPair pty(80, 25);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    EXPECT_FALSE(isRaw(pty.now()));
    prepare(host);
    EXPECT_TRUE(isRaw(pty.now()));
    EXPECT_EQ(pty.sent(), "");  // nothing to show yet

    host.setInputMode(mode::kMouseInput);
    EXPECT_TRUE(isRaw(pty.now()));
    EXPECT_EQ(pty.sent(), kMouseReportingOn);
    host.setInputMode(mode::kMouseInput);
    EXPECT_EQ(pty.sent(), "");
    host.setInputMode(0);
    EXPECT_EQ(pty.sent(), kMouseReportingOff);

    host.setInputMode(mode::kProcessedInput | mode::kLineInput | mode::kEchoInput);
    const termios cooked = pty.now();
    EXPECT_NE(cooked.c_lflag & ICANON, 0u);
    EXPECT_NE(cooked.c_lflag & ECHO, 0u);
    EXPECT_NE(cooked.c_lflag & ISIG, 0u);

    host.setOutputMode(mode::kProcessedOutput);
    EXPECT_EQ(pty.sent(), kAutowrapOff);
    host.setOutputMode(kStartOutputMode);
    EXPECT_EQ(pty.sent(), kAutowrapOn);
}

TEST(TerminalHost, TheFirstDrawingMakesRoomAndDrawsTheWindow) {
    PtyPair pty(60, 20);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    host.setInputMode(mode::kMouseInput);
    EXPECT_EQ(pty.sent(), kMouseReportingOn);

    // A screen the buffer passes through is never sent.
    host.fillAttribute(0x4F, 60 * 20, {0, 0});
    host.fillAttribute(0x2E, 60 * 20, {0, 0});
    EXPECT_EQ(pty.sent(), "");  // shown when the program waits
    host.present();
    const std::string first = pty.sent();
    EXPECT_EQ(first.find("41m"), std::string::npos) << first;
    // The title is saved and what the terminal showed goes up into its
    // scrollback first.
    std::string room = std::string(kTitleSave) + "\x1b[0m\x1b[20H";
    for (int i = 0; i < 20; ++i) room += "\r\n";
    ASSERT_EQ(first.substr(0, room.size()), room);

    VtModel model(60, 20);
    model.feed(first);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(model.at(x, y).fg, 93);
            ASSERT_EQ(model.at(x, y).bg, 42);
        }

    // Each later change sends only itself.
    write(host, {10, 5}, "abc", 0x2E);
    host.present();
    EXPECT_EQ(pty.sent(), "\x1b[6;11Habc\x1b[H");
}

TEST(TerminalHost, KeysArriveRawAndCtrlCIsAKey) {
    PtyPair pty(80, 25);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    pty.type(
        "\x03"
        "a\r\x1b[A");
    std::vector<KeyInput> keys;
    InputEvent event;
    while (keys.size() < 4 && host.readInput(event))
        if (event.kind == InputEvent::Kind::Key) keys.push_back(event.key);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].virtualKey, 'C');
    EXPECT_EQ(keys[0].ch, 3);
    EXPECT_EQ(keys[0].modifiers, modifier::kLeftCtrl);
    EXPECT_EQ(keys[1].ch, 'a');
    EXPECT_EQ(keys[2].virtualKey, vk::kReturn);
    EXPECT_EQ(keys[3].virtualKey, vk::kUp);
    // Nothing was echoed.
    EXPECT_EQ(pty.sent(), "");
}

TEST(TerminalHost, ALoneEscArrivesAfterAShortWait) {
    PtyPair pty(80, 25);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    pty.type("\x1b");
    InputEvent event;
    ASSERT_TRUE(host.readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Key);
    EXPECT_EQ(event.key.virtualKey, vk::kEscape);
}

TEST(TerminalHost, MouseReportsGiveBufferPositions) {
    PtyPair pty(80, 25);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    host.setInputMode(mode::kMouseInput);
    host.setBufferSize({80, 60});
    host.setWindow({0, 10, 79, 34});
    pty.type("\x1b[<16;3;4M");
    InputEvent event;
    ASSERT_TRUE(host.readInput(event));
    ASSERT_EQ(event.kind, InputEvent::Kind::Mouse);
    EXPECT_EQ(event.mouse.pos, (CellPos{2, 13}));
    EXPECT_EQ(event.mouse.modifiers, modifier::kLeftCtrl);
    EXPECT_EQ(event.mouse.buttons, mouse::kLeftButton);
}

TEST(TerminalHost, InputClosesWhenTheTerminalGoesAway) {
    PtyPair pty(80, 25);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    pty.closeMaster();
    InputEvent event;
    EXPECT_FALSE(host.readInput(event));
    EXPECT_FALSE(host.readInput(event));
}

// Also when the last drawing finds no memory.
TEST(TerminalHost, TheEndGivesTheTerminalBack) {
    PtyPair pty(40, 10);
    auto host = std::make_unique<TerminalConsoleHost>(pty.slave(), pty.slave(), false);
    prepare(*host);
    host->setInputMode(mode::kMouseInput);
    host->setCursorInfo({25, false});
    host->fillAttribute(0x4E, 400, {0, 0});
    host->present();
    pty.sent();
    host->fillAttribute(0x1E, 400, {0, 0});
    {
        const corrivex::testing::OutOfMemory noMemory;
        host.reset();
    }
    EXPECT_EQ(pty.sent(), std::string(kTerminalRestore) + std::string(kTitleRestore));
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    VtModel model(40, 10);
    model.feed(kTerminalRestore);
    EXPECT_TRUE(model.cursorVisible());
    EXPECT_FALSE(model.privateMode(1000));
    EXPECT_FALSE(model.privateMode(1002));
    EXPECT_FALSE(model.privateMode(1006));
    EXPECT_EQ(model.pen(), testing::VtCell{});
}

TEST(TerminalHost, ARunThatDrawsNothingLeavesTheScreenAlone) {
    PtyPair pty(40, 10);
    {
        TerminalConsoleHost host(pty.slave(), pty.slave(), false);
        prepare(host);
        host.setTextAttribute(0x2E);
        host.setCursorPosition({0, 0});
    }
    EXPECT_EQ(pty.sent(), kTerminalRestore);
}

// Around a child process.
class TerminalHandOver : public ::testing::Test {
protected:
    TerminalHandOver() : pty(40, 12), host(std::make_unique<TerminalConsoleHost>(pty.slave(), pty.slave(), false)) {
        prepare(*host);
        host->setInputMode(mode::kMouseInput);
        host->setTextAttribute(0xF0);
        host->fillAttribute(0xF0, 40 * 12, {0, 0});
        write(*host, {0, 0}, "hello", 0xF0);
        host->setCursorPosition({5, 0});
        host->setTextAttribute(0xFD);  // light magenta on bright white, as after the instructions
        host->present();
        model.feed(pty.sent());
    }

    // Stands in for a child writing to the terminal.
    void child(std::string_view output) {
        [[maybe_unused]] auto n = ::write(pty.slave(), output.data(), output.size());
        model.feed(pty.sent());
    }

    PtyPair pty;
    std::unique_ptr<TerminalConsoleHost> host;
    VtModel model{40, 12};
};

TEST_F(TerminalHandOver, TheChildGetsTheStartModesTheColoursAndTheCursor) {
    host->beginChild();
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    const std::string bytes = pty.sent();
    model.feed(bytes);
    EXPECT_NE(bytes.find(kMouseReportingOff), std::string::npos);
    EXPECT_FALSE(model.privateMode(1000));
    EXPECT_TRUE(model.cursorVisible());
    EXPECT_EQ(model.cursorX(), 5);
    EXPECT_EQ(model.cursorY(), 0);
    EXPECT_EQ(model.pen().fg, 95);
    EXPECT_EQ(model.pen().bg, 107);

    child("ENGINE\n");
    EXPECT_EQ(model.row(0).substr(0, 11), text("helloENGINE"));
    EXPECT_EQ(model.at(5, 0).fg, 95);
    EXPECT_EQ(model.cursorY(), 1);
    EXPECT_EQ(model.cursorX(), 0);

    host->endChild();
    EXPECT_TRUE(isRaw(pty.now()));
    // Mouse reporting comes back; nothing is drawn yet.
    EXPECT_EQ(pty.sent(), kMouseReportingOn);
}

TEST_F(TerminalHandOver, WhatTheChildWroteStaysUntilTheScreenChanges) {
    host->beginChild();
    model.feed(pty.sent());
    child("first engine run\n");
    host->endChild();
    model.feed(pty.sent());

    // Operations that change nothing shown draw nothing.
    host->setTextAttribute(0xFD);
    host->setInputMode(mode::kMouseInput);
    host->setCursorPosition({5, 0});
    ScreenBufferInfo info;
    host->screenBufferInfo(info);
    EXPECT_EQ(pty.sent(), "");
    EXPECT_EQ(model.row(0).substr(0, 21), text("hellofirst engine run"));
    // A line goes below it as text, in its colours.
    const Cell line[] = {{U'n', 0xFC}, {U'o', 0xFC}};
    host->beginLine();
    host->endLine(line, 2);
    model.feed(pty.sent());
    EXPECT_EQ(model.row(1).substr(0, 3), text("no "));
    EXPECT_EQ(model.at(1, 1).fg, 91);

    // The next change draws everything again: the child's text is gone.
    write(*host, {0, 3}, "x", 0xF0);
    host->present();
    model.feed(pty.sent());
    EXPECT_EQ(model.row(0), text("hello") + std::u32string(35, U' '));
    EXPECT_EQ(model.row(1), std::u32string(40, U' '));
    EXPECT_EQ(model.at(0, 3).ch, U'x');
    EXPECT_EQ(model.at(39, 11).bg, 107);
    EXPECT_EQ(model.cursorX(), 5);
    EXPECT_EQ(model.cursorY(), 0);
}

TEST_F(TerminalHandOver, ASecondChildGoesOnWhereTheFirstStopped) {
    host->beginChild();
    model.feed(pty.sent());
    child("first\n");
    host->endChild();
    model.feed(pty.sent());

    host->beginChild();
    const std::string bytes = pty.sent();
    EXPECT_FALSE(hasCursorPosition(bytes)) << bytes;
    model.feed(bytes);
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
    child("second\n");
    host->endChild();
    model.feed(pty.sent());

    EXPECT_EQ(model.row(0).substr(0, 10), text("hellofirst"));
    EXPECT_EQ(model.row(1).substr(0, 6), text("second"));
}

TEST_F(TerminalHandOver, TheEndAfterAChildLeavesItsOutput) {
    host->beginChild();
    model.feed(pty.sent());
    child("result line\n");
    host->endChild();
    model.feed(pty.sent());
    host.reset();
    const std::string bytes = pty.sent();
    EXPECT_EQ(bytes, std::string(kTerminalRestore) + std::string(kTitleRestore));
    model.feed(bytes);
    EXPECT_EQ(model.row(0).substr(0, 16), text("helloresult line"));
    EXPECT_TRUE(sameSettings(pty.now(), pty.start()));
}

TEST(TerminalHost, AResizeRedrawsAndIsReported) {
    PtyPair pty(40, 12);
    TerminalConsoleHost host(pty.slave(), pty.slave(), false);
    prepare(host);
    host.fillAttribute(0x1F, 40 * 12, {0, 0});
    write(host, {0, 0}, "top left", 0x1F);
    write(host, {30, 11}, "far corner", 0x1F);
    pty.sent();

    pty.resize(25, 8);
    host.terminalResized();
    InputEvent event;
    ASSERT_TRUE(host.readInput(event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Resize);
    EXPECT_EQ(event.newSize, (CellPos{25, 8}));
    EXPECT_EQ(host.terminalSize(), (CellPos{25, 8}));

    VtModel model(25, 8);
    model.feed("\x1b[Hleft over from before the resize");
    model.feed(pty.sent());
    EXPECT_EQ(model.row(0), text("top left") + std::u32string(17, U' '));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 25; ++x) ASSERT_EQ(model.at(x, y).bg, 44) << x << "," << y;
    EXPECT_TRUE(model.unknown().empty());
}

}  // namespace
}  // namespace corrivex::platform
