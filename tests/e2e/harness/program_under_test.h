// The builds of the program that the end-to-end tests drive: the native
// build, run directly, and the win32 build, run under Wine (where the kernel
// runs no 32-bit code, the tests run through scripts/with-win32). They are
// found through the build (compiled-in defaults) and may be overridden from
// the environment:
//   CORRIVEX_E2E_NATIVE_PROGRAM      the native program
//   CORRIVEX_E2E_NATIVE_ENGINE_DIR   the native stand-in engine's folder
//   CORRIVEX_E2E_WIN32_DIR           the win32 build directory (corrivex.exe,
//                                    CT_PRO.DLL, engine/, wineprefix/)
//   CORRIVEX_E2E_WINE                the wine program
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace corrivex::e2e {

enum class Build { Native, Win32 };

inline bool runsUnderWine(Build build) { return build != Build::Native; }
const char* buildName(Build build);

struct ProgramUnderTest {
    Build build = Build::Native;
    std::string name;                                              // "native" or "win32"
    std::vector<std::string> command;                              // the program, or wine and the program
    std::vector<std::pair<std::string, std::string>> environment;  // e.g. Wine's settings
    std::filesystem::path program;                                 // the executable itself
    std::filesystem::path engineDirectory;                         // the stand-in engine's folder (may be missing)
    std::string unavailable;                                       // why it cannot run here; empty when it can
};

ProgramUnderTest programUnderTest(Build build);

// The environment setting that puts the program's stand-in engine folder
// first on the program search path: PATH for the native build, WINEPATH (a
// Windows path on drive Z:) for the Windows builds.
std::pair<std::string, std::string> engineSearchPath(const ProgramUnderTest& program);

// The Wine settings for a Windows build directory: its own prefix, no debug
// output, no Mono or Gecko installers, 32-bit.
std::vector<std::pair<std::string, std::string>> wineEnvironment(const std::filesystem::path& buildDir);

}  // namespace corrivex::e2e
