// The terminal input decoder: every key and mouse sequence, in one piece and
// cut at every point, the lone Esc, Alt, UTF-8, and damaged input.
#include "terminal/terminal_input_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell_printers.h"

namespace corrivex::platform {
namespace {

using namespace modifier;

struct Key {
    std::uint16_t vk;
    char32_t ch;
    std::uint32_t modifiers;
};

std::vector<InputEvent> decodeAll(TerminalInputDecoder& decoder) {
    std::vector<InputEvent> events;
    InputEvent event;
    while (decoder.next(event)) events.push_back(event);
    return events;
}

// Everything `bytes` gives, the lone Esc wait included.
std::vector<InputEvent> decode(std::string_view bytes) {
    TerminalInputDecoder decoder;
    decoder.feed(bytes, 0);
    decoder.flush();
    return decodeAll(decoder);
}

std::string describe(const InputEvent& e) {
    char text[128];
    if (e.kind == InputEvent::Kind::Key) {
        std::snprintf(text, sizeof text, "key vk=%#x ch=%#x mod=%#x down=%d", e.key.virtualKey,
                      static_cast<unsigned>(e.key.ch), static_cast<unsigned>(e.key.modifiers), e.key.down ? 1 : 0);
    } else if (e.kind == InputEvent::Kind::Mouse) {
        std::snprintf(text, sizeof text, "mouse (%d,%d) buttons=%#x mod=%#x flags=%#x wheel=%d", e.mouse.pos.x,
                      e.mouse.pos.y, static_cast<unsigned>(e.mouse.buttons), static_cast<unsigned>(e.mouse.modifiers),
                      static_cast<unsigned>(e.mouse.flags), e.mouse.wheelDelta);
    } else {
        std::snprintf(text, sizeof text, "other");
    }
    return text;
}

std::string describe(const std::vector<InputEvent>& events) {
    std::string s;
    for (const InputEvent& e : events) s += describe(e) + "\n";
    return s;
}

void expectKeys(std::string_view bytes, const std::vector<Key>& keys) {
    const std::vector<InputEvent> events = decode(bytes);
    ASSERT_EQ(events.size(), keys.size()) << describe(events);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(events[i].kind, InputEvent::Kind::Key) << describe(events[i]);
        EXPECT_TRUE(events[i].key.down);
        EXPECT_EQ(events[i].key.repeat, 1);
        EXPECT_EQ(events[i].key.virtualKey, keys[i].vk) << "key " << i << ": " << describe(events[i]);
        EXPECT_EQ(events[i].key.ch, keys[i].ch) << "key " << i << ": " << describe(events[i]);
        EXPECT_EQ(events[i].key.modifiers, keys[i].modifiers) << "key " << i << ": " << describe(events[i]);
    }
}

struct Sequence {
    const char* name;
    std::string bytes;
    Key key;
};

// What a terminal sends for each key, and the key Windows reports for it.
const std::vector<Sequence>& keySequences() {
    constexpr std::uint32_t E = kEnhancedKey;
    static const std::vector<Sequence> table = {
        {"a", "a", {'A', 'a', 0}},
        {"Shift+A", "A", {'A', 'A', kShift}},
        {"7", "7", {'7', '7', 0}},
        {"space", " ", {vk::kSpace, ' ', 0}},
        {"comma", ",", {0xBC, ',', 0}},
        {"question mark", "?", {0xBF, '?', kShift}},
        {"exclamation mark", "!", {'1', '!', kShift}},
        {"Ctrl+A", "\x01", {'A', 0x01, kLeftCtrl}},
        {"Ctrl+C", "\x03", {'C', 0x03, kLeftCtrl}},
        {"Ctrl+J", "\x0a", {'J', 0x0A, kLeftCtrl}},
        {"Ctrl+Z", "\x1a", {'Z', 0x1A, kLeftCtrl}},
        {"Ctrl+Space", std::string(1, '\0'), {vk::kSpace, 0, kLeftCtrl}},
        {"Enter", "\r", {vk::kReturn, '\r', 0}},
        {"Tab", "\t", {vk::kTab, '\t', 0}},
        {"Shift+Tab", "\x1b[Z", {vk::kTab, '\t', kShift}},
        {"Backspace DEL", "\x7f", {vk::kBack, 0x08, 0}},
        {"Backspace BS", "\x08", {vk::kBack, 0x08, 0}},
        {"Up", "\x1b[A", {vk::kUp, 0, E}},
        {"Down", "\x1b[B", {vk::kDown, 0, E}},
        {"Right", "\x1b[C", {vk::kRight, 0, E}},
        {"Left", "\x1b[D", {vk::kLeft, 0, E}},
        {"Up SS3", "\x1bOA", {vk::kUp, 0, E}},
        {"Down SS3", "\x1bOB", {vk::kDown, 0, E}},
        {"Right SS3", "\x1bOC", {vk::kRight, 0, E}},
        {"Left SS3", "\x1bOD", {vk::kLeft, 0, E}},
        {"Home CSI H", "\x1b[H", {vk::kHome, 0, E}},
        {"End CSI F", "\x1b[F", {vk::kEnd, 0, E}},
        {"Home SS3", "\x1bOH", {vk::kHome, 0, E}},
        {"End SS3", "\x1bOF", {vk::kEnd, 0, E}},
        {"Home 1~", "\x1b[1~", {vk::kHome, 0, E}},
        {"Home 7~", "\x1b[7~", {vk::kHome, 0, E}},
        {"Insert", "\x1b[2~", {vk::kInsert, 0, E}},
        {"Delete", "\x1b[3~", {vk::kDelete, 0, E}},
        {"End 4~", "\x1b[4~", {vk::kEnd, 0, E}},
        {"End 8~", "\x1b[8~", {vk::kEnd, 0, E}},
        {"PgUp", "\x1b[5~", {vk::kPrior, 0, E}},
        {"PgDn", "\x1b[6~", {vk::kNext, 0, E}},
        {"Shift+Up", "\x1b[1;2A", {vk::kUp, 0, E | kShift}},
        {"Alt+Down", "\x1b[1;3B", {vk::kDown, 0, E | kLeftAlt}},
        {"Ctrl+Right", "\x1b[1;5C", {vk::kRight, 0, E | kLeftCtrl}},
        {"Ctrl+Shift+Left", "\x1b[1;6D", {vk::kLeft, 0, E | kLeftCtrl | kShift}},
        {"Ctrl+Alt+Shift+Home", "\x1b[1;8H", {vk::kHome, 0, E | kLeftCtrl | kLeftAlt | kShift}},
        {"Ctrl+End", "\x1b[1;5F", {vk::kEnd, 0, E | kLeftCtrl}},
        {"Shift+Delete", "\x1b[3;2~", {vk::kDelete, 0, E | kShift}},
        {"Ctrl+PgUp", "\x1b[5;5~", {vk::kPrior, 0, E | kLeftCtrl}},
        {"Alt+PgDn", "\x1b[6;3~", {vk::kNext, 0, E | kLeftAlt}},
        {"Ctrl+Insert", "\x1b[2;5~", {vk::kInsert, 0, E | kLeftCtrl}},
        {"Alt+x", "\x1bx", {'X', 'x', kLeftAlt}},
        {"Alt+Shift+X", "\x1bX", {'X', 'X', kLeftAlt | kShift}},
        {"Alt+Ctrl+C", "\x1b\x03", {'C', 0x03, kLeftAlt | kLeftCtrl}},
        {"Alt+Enter", "\x1b\r", {vk::kReturn, '\r', kLeftAlt}},
        {"Alt+Up rxvt", "\x1b\x1b[A", {vk::kUp, 0, E | kLeftAlt}},
        {"Alt+Delete rxvt", "\x1b\x1b[3~", {vk::kDelete, 0, E | kLeftAlt}},
        {"F1 SS3", "\x1bOP", {0x70, 0, 0}},
        {"F4 SS3", "\x1bOS", {0x73, 0, 0}},
        {"F5", "\x1b[15~", {0x74, 0, 0}},
        {"F12", "\x1b[24~", {0x7B, 0, 0}},
        {"Shift+F2", "\x1b[1;2Q", {0x71, 0, kShift}},
        {"keypad Enter", "\x1bOM", {vk::kReturn, '\r', E}},
        {"e acute", "\xc3\xa9", {0, U'é', 0}},
        {"box corner", "\xe2\x95\x94", {0, U'╔', 0}},
        {"euro, beyond code page 437", "\xe2\x82\xac", {0, U'€', 0}},
        {"emoji", "\xf0\x9f\x98\x80", {0, U'\U0001F600', 0}},
        {"Alt+u umlaut", "\x1b\xc3\xbc", {0, U'ü', kLeftAlt}},
        {"Esc that GNU screen kept back, before a status report", "\x1b\x1b[0n", {vk::kEscape, 0x1B, 0}},
    };
    return table;
}

TEST(TerminalInputDecoder, EveryKeySequence) {
    for (const Sequence& s : keySequences()) {
        SCOPED_TRACE(s.name);
        expectKeys(s.bytes, {s.key});
    }
}

TEST(TerminalInputDecoder, EverySequenceCutAtEveryPoint) {
    for (const Sequence& s : keySequences()) {
        SCOPED_TRACE(s.name);
        for (std::size_t cut = 1; cut < s.bytes.size(); ++cut) {
            TerminalInputDecoder decoder;
            decoder.feed(std::string_view(s.bytes).substr(0, cut), 0);
            EXPECT_FALSE(decoder.hasEvents()) << "cut at " << cut;
            EXPECT_TRUE(decoder.waiting()) << "cut at " << cut;
            decoder.feed(std::string_view(s.bytes).substr(cut), 10);
            EXPECT_FALSE(decoder.waiting());
            const std::vector<InputEvent> events = decodeAll(decoder);
            ASSERT_EQ(events.size(), 1u) << "cut at " << cut << "\n" << describe(events);
            EXPECT_EQ(events[0].key.virtualKey, s.key.vk);
            EXPECT_EQ(events[0].key.modifiers, s.key.modifiers);
            EXPECT_EQ(events[0].key.ch, s.key.ch);
        }
    }
}

TEST(TerminalInputDecoder, AStreamFedByteByByteGivesWhatItGivesWhole) {
    std::string stream;
    for (const Sequence& s : keySequences()) stream += s.bytes;
    stream += "\x1b[<0;5;6M\x1b[<0;5;6m\x1b[<64;1;1M\x1b[<16;80;25M\x1b[M !!";
    const std::vector<InputEvent> whole = decode(stream);
    ASSERT_EQ(whole.size(), keySequences().size() + 5);

    TerminalInputDecoder decoder;
    for (char c : stream) decoder.feed(std::string_view(&c, 1), 0);
    decoder.flush();
    EXPECT_EQ(describe(decodeAll(decoder)), describe(whole));
}

TEST(TerminalInputDecoder, ALoneEscIsTheEscKeyOnceTheWaitIsOver) {
    TerminalInputDecoder decoder;
    decoder.feed("\x1b", 0);
    EXPECT_FALSE(decoder.hasEvents());
    EXPECT_TRUE(decoder.waiting());
    decoder.flush();
    EXPECT_FALSE(decoder.waiting());
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].key.virtualKey, vk::kEscape);
    EXPECT_EQ(events[0].key.ch, 0x1B);
    EXPECT_EQ(events[0].key.modifiers, 0u);
}

TEST(TerminalInputDecoder, EscThenTheRestOfASequenceBeforeTheWaitIsOneKey) {
    TerminalInputDecoder decoder;
    decoder.feed("\x1b", 0);
    decoder.feed("[", 5);
    decoder.feed("B", 20);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].key.virtualKey, vk::kDown);
}

TEST(TerminalInputDecoder, TwoEscKeys) {
    expectKeys("\x1b\x1b", {{vk::kEscape, 0x1B, 0}, {vk::kEscape, 0x1B, 0}});
    expectKeys(
        "\x1b\x1b"
        "a",
        {{vk::kEscape, 0x1B, 0}, {'A', 'a', kLeftAlt}});
}

TEST(TerminalInputDecoder, AnUnfinishedSequenceAfterTheWaitIsAltAndItsKeys) {
    expectKeys("\x1b[", {{0xDB, '[', kLeftAlt}});
    expectKeys("\x1b[1;", {{0xDB, '[', kLeftAlt}, {'1', '1', 0}, {0xBA, ';', 0}});
    expectKeys("\x1bO", {{'O', 'O', kLeftAlt | kShift}});
}

TEST(TerminalInputDecoder, UnknownSequencesGiveNothing) {
    expectKeys("\x1b[99~x\x1b[?1;2cy\x1b[200~z\x1bOzw", {{'X', 'x', 0}, {'Y', 'y', 0}, {'Z', 'z', 0}, {'W', 'w', 0}});
    TerminalInputDecoder decoder;  // the status report: noted, no key
    decoder.feed("\x1b[0n", 0);
    EXPECT_TRUE(!decoder.hasEvents() && decoder.takeStatusReport() && !decoder.takeStatusReport());
}

TEST(TerminalInputDecoder, ABrokenSequenceIsTakenKeyByKey) {
    // A control byte inside a sequence: it was no sequence.
    expectKeys("\x1b[1\x03", {{0xDB, '[', kLeftAlt}, {'1', '1', 0}, {'C', 0x03, kLeftCtrl}});
}

TEST(TerminalInputDecoder, AnOverlongSequenceIsDroppedWhole) {
    std::string bytes = "\x1b[";
    bytes.append(500, '1');
    bytes += "Aq";
    expectKeys(bytes, {{'Q', 'q', 0}});

    // Also when it arrives in pieces.
    TerminalInputDecoder decoder;
    for (std::size_t i = 0; i < bytes.size(); i += 7) decoder.feed(std::string_view(bytes).substr(i, 7), 0);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 1u) << describe(events);
    EXPECT_EQ(events[0].key.ch, 'q');
}

// Each stands for its code page 437 glyph, as such a byte of a name shows.
TEST(TerminalInputDecoder, BytesThatAreNotUtf8PassThrough) {
    expectKeys("\xe9x", {{0, U'Θ', 0}, {'X', 'x', 0}});
    expectKeys("\x80", {{0, U'Ç', 0}});
    expectKeys("\xc0\xaf", {{0, U'└', 0}, {0, U'»', 0}});                    // overlong
    expectKeys("\xed\xa0\x80", {{0, U'φ', 0}, {0, U'á', 0}, {0, U'Ç', 0}});  // surrogate
    // Cut off at the end, and the wait is over.
    expectKeys("\xc3", {{0, U'├', 0}});
}

// Mouse reports.

MouseInput onlyMouse(std::string_view bytes, CellPos origin = {0, 0}) {
    TerminalInputDecoder decoder;
    decoder.setWindowOrigin(origin);
    decoder.feed(bytes, 0);
    const std::vector<InputEvent> events = decodeAll(decoder);
    EXPECT_EQ(events.size(), 1u) << describe(events);
    if (events.empty()) return {};
    EXPECT_EQ(events[0].kind, InputEvent::Kind::Mouse);
    return events[0].mouse;
}

TEST(TerminalInputDecoder, SgrMousePressAndRelease) {
    TerminalInputDecoder decoder;
    decoder.feed("\x1b[<0;10;5M", 0);
    decoder.feed("\x1b[<0;10;5m", 100);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].mouse.pos, (CellPos{9, 4}));
    EXPECT_EQ(events[0].mouse.buttons, mouse::kLeftButton);
    EXPECT_EQ(events[0].mouse.flags, 0u);
    EXPECT_EQ(events[0].mouse.modifiers, 0u);
    EXPECT_EQ(events[1].mouse.pos, (CellPos{9, 4}));
    EXPECT_EQ(events[1].mouse.buttons, 0u);
    EXPECT_EQ(events[1].mouse.flags, 0u);
}

TEST(TerminalInputDecoder, MousePositionsAreBufferPositions) {
    EXPECT_EQ(onlyMouse("\x1b[<0;1;1M", {0, 0}).pos, (CellPos{0, 0}));
    EXPECT_EQ(onlyMouse("\x1b[<0;1;1M", {20, 100}).pos, (CellPos{20, 100}));
    EXPECT_EQ(onlyMouse("\x1b[<0;80;30M", {0, 0}).pos, (CellPos{79, 29}));
}

TEST(TerminalInputDecoder, MouseButtonsHeldTogether) {
    TerminalInputDecoder decoder;
    decoder.feed("\x1b[<0;3;3M\x1b[<2;3;3M\x1b[<1;3;3M\x1b[<0;3;3m\x1b[<2;3;3m\x1b[<1;3;3m", 0);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].mouse.buttons, mouse::kLeftButton);
    EXPECT_EQ(events[1].mouse.buttons, mouse::kLeftButton | mouse::kRightButton);
    EXPECT_EQ(events[2].mouse.buttons, mouse::kLeftButton | mouse::kRightButton | mouse::kMiddleButton);
    EXPECT_EQ(events[3].mouse.buttons, mouse::kRightButton | mouse::kMiddleButton);
    EXPECT_EQ(events[4].mouse.buttons, mouse::kMiddleButton);
    EXPECT_EQ(events[5].mouse.buttons, 0u);
}

TEST(TerminalInputDecoder, MouseModifiers) {
    EXPECT_EQ(onlyMouse("\x1b[<16;4;4M").modifiers, kLeftCtrl);
    EXPECT_EQ(onlyMouse("\x1b[<4;4;4M").modifiers, kShift);
    EXPECT_EQ(onlyMouse("\x1b[<8;4;4M").modifiers, kLeftAlt);
    EXPECT_EQ(onlyMouse("\x1b[<28;4;4M").modifiers, kLeftCtrl | kShift | kLeftAlt);
    const MouseInput ctrlClick = onlyMouse("\x1b[<16;4;4M");
    EXPECT_EQ(ctrlClick.buttons, mouse::kLeftButton);
    EXPECT_EQ(ctrlClick.flags, 0u);
}

TEST(TerminalInputDecoder, MouseWheel) {
    const MouseInput up = onlyMouse("\x1b[<64;7;8M");
    EXPECT_EQ(up.flags, mouse::kWheeled);
    EXPECT_GT(up.wheelDelta, 0);
    EXPECT_EQ(up.wheelDelta, 120);
    EXPECT_EQ(up.pos, (CellPos{6, 7}));
    const MouseInput down = onlyMouse("\x1b[<65;7;8M");
    EXPECT_EQ(down.flags, mouse::kWheeled);
    EXPECT_EQ(down.wheelDelta, -120);
    const MouseInput ctrlDown = onlyMouse("\x1b[<81;7;8M");
    EXPECT_EQ(ctrlDown.modifiers, kLeftCtrl);
    EXPECT_EQ(ctrlDown.wheelDelta, -120);
    // Sideways wheels are not reported.
    EXPECT_EQ(decode("\x1b[<66;7;8M").size(), 0u);

    // One notch: reports of one direction within a few ms (alacritty sends three).
    const std::pair<std::vector<std::int64_t>, std::size_t> bursts[] = {
        {{0, 0, 0}, 1}, {{0, 5, 9}, 1}, {{0, 10, 30}, 3}};
    for (const auto& [times, notches] : bursts) {
        TerminalInputDecoder decoder;
        for (const std::int64_t ms : times) decoder.feed("\x1b[<65;7;8M", ms);
        EXPECT_EQ(decodeAll(decoder).size(), notches) << times[1];
    }
}

TEST(TerminalInputDecoder, MouseDragIsAMove) {
    TerminalInputDecoder decoder;
    decoder.feed("\x1b[<0;2;2M\x1b[<32;3;2M\x1b[<35;9;9M", 0);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].mouse.flags, mouse::kMoved);
    EXPECT_EQ(events[1].mouse.buttons, mouse::kLeftButton);
    EXPECT_EQ(events[1].mouse.pos, (CellPos{2, 1}));
    EXPECT_EQ(events[2].mouse.flags, mouse::kMoved);
    EXPECT_EQ(events[2].mouse.buttons, 0u);
}

TEST(TerminalInputDecoder, X10MouseReports) {
    // CSI M, then 32 + button, 32 + column, 32 + row.
    TerminalInputDecoder decoder;
    decoder.feed("\x1b[M *%\x1b[M#*%", 0);
    const std::vector<InputEvent> events = decodeAll(decoder);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].mouse.pos, (CellPos{9, 4}));
    EXPECT_EQ(events[0].mouse.buttons, mouse::kLeftButton);
    EXPECT_EQ(events[1].mouse.buttons, 0u);
}

TEST(TerminalInputDecoder, MouseReportsCutAtEveryPoint) {
    const std::string report = "\x1b[<16;12;7M";
    for (std::size_t cut = 1; cut < report.size(); ++cut) {
        TerminalInputDecoder decoder;
        decoder.feed(std::string_view(report).substr(0, cut), 0);
        EXPECT_FALSE(decoder.hasEvents());
        decoder.feed(std::string_view(report).substr(cut), 1);
        const std::vector<InputEvent> events = decodeAll(decoder);
        ASSERT_EQ(events.size(), 1u) << "cut at " << cut;
        EXPECT_EQ(events[0].mouse.pos, (CellPos{11, 6}));
        EXPECT_EQ(events[0].mouse.modifiers, kLeftCtrl);
    }
}

std::vector<MouseInput> clicks(const std::vector<std::pair<std::string, std::int64_t>>& feeds) {
    TerminalInputDecoder decoder;
    for (const auto& [bytes, time] : feeds) decoder.feed(bytes, time);
    std::vector<MouseInput> out;
    for (const InputEvent& e : decodeAll(decoder)) out.push_back(e.mouse);
    return out;
}

TEST(TerminalInputDecoder, ASecondLeftPressOnTheSameCellSoonIsADoubleClick) {
    const auto events = clicks({{"\x1b[<0;5;5M", 1000},
                                {"\x1b[<0;5;5m", 1080},
                                {"\x1b[<0;5;5M", 1400},
                                {"\x1b[<0;5;5m", 1450},
                                {"\x1b[<0;5;5M", 1600}});
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].flags, 0u);
    EXPECT_EQ(events[2].flags, mouse::kDoubleClick);
    EXPECT_EQ(events[2].buttons, mouse::kLeftButton);
    EXPECT_EQ(events[3].flags, 0u);
    // A third press starts again.
    EXPECT_EQ(events[4].flags, 0u);
}

TEST(TerminalInputDecoder, NoDoubleClickWhenTooLateOnAnotherCellOrAnotherButton) {
    auto second = [](std::string first, std::int64_t t1, std::string then, std::int64_t t2) {
        const auto events = clicks({{first, t1}, {then, t2}});
        return events.size() == 2 ? events[1].flags : 0xFFFFu;
    };
    EXPECT_EQ(second("\x1b[<0;5;5M", 0, "\x1b[<0;5;5M", 500), mouse::kDoubleClick);
    EXPECT_EQ(second("\x1b[<0;5;5M", 0, "\x1b[<0;5;5M", 501), 0u);
    EXPECT_EQ(second("\x1b[<0;5;5M", 0, "\x1b[<0;6;5M", 100), 0u);
    EXPECT_EQ(second("\x1b[<2;5;5M", 0, "\x1b[<0;5;5M", 100), 0u);
    EXPECT_EQ(second("\x1b[<0;5;5M", 0, "\x1b[<2;5;5M", 100), 0u);
    // With Ctrl held it is still a double click, as Windows reports it.
    EXPECT_EQ(second("\x1b[<16;5;5M", 0, "\x1b[<16;5;5M", 100), mouse::kDoubleClick);
}

TEST(TerminalInputDecoder, DamagedMouseReportsGiveNothing) {
    EXPECT_EQ(decode("\x1b[<0;0;5M").size(), 0u);
    EXPECT_EQ(decode("\x1b[<0;5M").size(), 0u);
    EXPECT_EQ(decode("\x1b[<0;5;5;5M").size(), 0u);
    EXPECT_EQ(decode("\x1b[<1:2;5;5M").size(), 0u);
    EXPECT_EQ(decode("\x1b[<128;5;5M").size(), 0u);
    EXPECT_EQ(decode("\x1b[<0;99999999999;5M").size(), 1u);  // clamped, not overflowed
}

TEST(TerminalInputDecoder, AnEscBeforeAMouseReportIsTheEscKey) {
    const std::vector<InputEvent> events = decode("\x1b\x1b[<0;2;2M");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, InputEvent::Kind::Key);
    EXPECT_EQ(events[0].key.virtualKey, vk::kEscape);
    EXPECT_EQ(events[1].kind, InputEvent::Kind::Mouse);
}

}  // namespace
}  // namespace corrivex::platform
