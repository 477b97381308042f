#include "primitives/child_console.h"

namespace corrivex {
namespace {

// The console of the process, for the whole process.
platform::ConsoleHost* givenConsole = nullptr;

}  // namespace

void setChildConsole(platform::ConsoleHost* console) { givenConsole = console; }

void handOverConsole() {
    if (givenConsole != nullptr) givenConsole->beginChild();
}

void takeBackConsole() {
    if (givenConsole != nullptr) givenConsole->endChild();
}

}  // namespace corrivex
