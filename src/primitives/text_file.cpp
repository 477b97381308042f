// The table of open text files, the 128-byte read buffer and the line rules.
// native_file.h does the platform calls.
#include "primitives/text_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "primitives/directory.h"
#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/native_file.h"
#include "primitives/out_of_memory.h"
#include "primitives/temporary_name.h"

namespace corrivex {
namespace {

constexpr std::size_t kReadBlock = 128;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kLineEnd = "\r\n";

struct OpenFile {
    FileMode mode = FileMode::Input;
    native::FileHandle handle = native::kNoFile;
    bool disk = true;  // false: read one byte at a time
    std::array<char, kReadBlock> buffer{};
    std::size_t next = 0;    // first unread byte of the buffer
    std::size_t filled = 0;  // bytes held in the buffer
    bool ended = false;      // the end (or 0x1A) was reached: nothing more is read
};

// The open files of the process, by file number.
std::map<FileNumber, OpenFile> openFiles;

// Takes the next block into the buffer; false when no byte came.
bool refill(OpenFile& file) {
    if (file.ended) return false;
    const std::size_t got = native::readBytes(file.handle, file.buffer.data(), file.disk ? kReadBlock : 1);
    file.next = 0;
    file.filled = got;
    if (got == 0) file.ended = true;
    return got != 0;
}

bool hasByte(OpenFile& file) { return file.next < file.filled || refill(file); }

Text nextLine(OpenFile& file) {
    Text line;
    while (hasByte(file)) {
        const char* const begin = file.buffer.data() + file.next;
        const char* const end = file.buffer.data() + file.filled;
        const char* const stop =
            std::find_if(begin, end, [](char c) { return c == kCarriageReturn || c == kEndOfFile; });
        line.append(begin, stop);
        file.next += static_cast<std::size_t>(stop - begin);
        if (stop == end) continue;

        if (*stop == kEndOfFile) {
            // It and all that follows are never read.
            file.ended = true;
            file.next = file.filled;
            return line;
        }
        ++file.next;  // the CR
        if (hasByte(file) && file.buffer[file.next] == kLineFeed) ++file.next;
        return line;
    }
    return line;
}

// A name that can be handed to the platform as the name of one file.
bool acceptedFileName(const Text& name) {
    return !name.empty() && limits::fits(name, limits::kFileName) && !names::readsAsMask(name) &&
           !names::holdsNul(name);
}

}  // namespace

void openFile(FileNumber number, const Text& name, FileMode mode) {
    if (number < 0 || openFiles.contains(number) || !acceptedFileName(name)) return;

    OpenFile file;
    file.mode = mode;
    file.handle = mode == FileMode::Input ? native::openForReading(name) : native::openForWriting(name);
    if (file.handle == native::kNoFile) return;
    if (mode == FileMode::Input) {
        file.disk = native::isDiskFile(file.handle);
        refill(file);
    }
    // Without the memory to note the file, it is closed again: nothing is
    // opened.
    try {
        openFiles.emplace(number, file);
    } catch (const std::bad_alloc&) {
        native::closeFile(file.handle);
    }
}

Text readLine(FileNumber number) {
    const auto found = openFiles.find(number);
    if (found == openFiles.end() || found->second.mode != FileMode::Input) return Text();
    try {
        return nextLine(found->second);
    } catch (const std::bad_alloc&) {
        return Text();  // a line too long for the memory there is
    }
}

void writeLine(FileNumber number, const Text& text) {
    const auto found = openFiles.find(number);
    if (found == openFiles.end() || found->second.mode != FileMode::Output) return;
    if (!text.empty()) native::writeBytes(found->second.handle, text.data(), text.size());
    native::writeBytes(found->second.handle, kLineEnd.data(), kLineEnd.size());
}

void writeNewFile(const Text& name, std::span<const std::string_view> lines) {
    if (!acceptedFileName(name)) return;
    memory::orNothing([&] {
        Text contents;
        for (const std::string_view line : lines) {
            contents += line;
            contents += kLineEnd;
        }
        native::placeNewFile(name, contents);
    });
}

void removeLeftovers(const Text& name) {
    if (!acceptedFileName(name)) return;
    memory::orNothing([&] {
        const std::size_t start = temporary::entryStart(name);
        const Text directory = name.substr(0, start);
        const Text entry = name.substr(start);
        if (entry.empty()) return;
        // The listing takes its entries whole before any is removed.
        std::vector<Text> candidates;
        for (Text found = dirFirst(directory + temporary::commonStart(entry) + "*", attr::kHidden); !found.empty();
             found = dirNext())
            candidates.push_back(std::move(found));
        for (const Text& candidate : candidates) {
            const std::optional<temporary::ProcessId> owner = temporary::ownerOf(entry, candidate);
            if (owner && native::processHasEnded(*owner)) native::removeIfUnheld(directory + candidate);
        }
    });
}

void closeFile(FileNumber number) {
    const auto found = openFiles.find(number);
    if (found == openFiles.end()) return;
    if (found->second.mode == FileMode::Output) native::cutAtPosition(found->second.handle);
    native::closeFile(found->second.handle);
    openFiles.erase(found);
}

}  // namespace corrivex
