#include "program_under_test.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "run_command.h"

namespace corrivex::e2e {
namespace {

std::string setting(const char* variable, const char* builtIn) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
    return builtIn;
}

#ifndef CORRIVEX_E2E_NATIVE_PROGRAM_DEFAULT
#define CORRIVEX_E2E_NATIVE_PROGRAM_DEFAULT ""
#endif
#ifndef CORRIVEX_E2E_NATIVE_ENGINE_DIR_DEFAULT
#define CORRIVEX_E2E_NATIVE_ENGINE_DIR_DEFAULT ""
#endif
#ifndef CORRIVEX_E2E_WIN32_DIR_DEFAULT
#define CORRIVEX_E2E_WIN32_DIR_DEFAULT ""
#endif
#ifndef CORRIVEX_E2E_WINE_DEFAULT
#define CORRIVEX_E2E_WINE_DEFAULT "wine"
#endif

ProgramUnderTest nativeProgram() {
    ProgramUnderTest p;
    p.build = Build::Native;
    p.name = "native";
    p.program = setting("CORRIVEX_E2E_NATIVE_PROGRAM", CORRIVEX_E2E_NATIVE_PROGRAM_DEFAULT);
    p.engineDirectory = setting("CORRIVEX_E2E_NATIVE_ENGINE_DIR", CORRIVEX_E2E_NATIVE_ENGINE_DIR_DEFAULT);
    p.command = {p.program.string()};
    if (p.program.empty() || !std::filesystem::exists(p.program))
        p.unavailable = "the native program has not been built (" + p.program.string() + ")";
    return p;
}

// Whether Wine can run programs on this machine at all (a 64-bit kernel
// without 32-bit support cannot start the 32-bit loader). Asked once; the
// verdict of cmake/wine-prepare on the build directory counts first.
const std::string& wineProblem(const std::string& wine, const std::filesystem::path& win32BuildDir,
                               const std::vector<std::pair<std::string, std::string>>& environment) {
    static const std::string problem = [&] {
        if (std::ifstream verdict(win32BuildDir / "wine-unusable"); verdict) {
            std::string reason;
            std::getline(verdict, reason);
            return "wine cannot run here (" + reason + ")";
        }
        if (findInPath(wine).empty()) return std::string("wine is not installed");
        std::vector<EnvChange> env;
        for (const auto& [name, value] : environment) env.push_back({name, value});
        const CommandResult result = runCommand({wine, "--version"}, env);
        if (result.exitCode != 0)
            return "wine cannot run here (wine --version: exit " + std::to_string(result.exitCode) + ", " +
                   result.errors.substr(0, 200) + ")";
        return std::string();
    }();
    return problem;
}

ProgramUnderTest win32Program() {
    ProgramUnderTest p;
    p.build = Build::Win32;
    p.name = "win32";
    const std::filesystem::path dir = setting("CORRIVEX_E2E_WIN32_DIR", CORRIVEX_E2E_WIN32_DIR_DEFAULT);
    const std::string wine = setting("CORRIVEX_E2E_WINE", CORRIVEX_E2E_WINE_DEFAULT);
    p.program = dir / "corrivex.exe";
    p.engineDirectory = dir / "engine";
    p.environment = wineEnvironment(dir);
    p.command = {wine, p.program.string()};
    if (dir.empty() || !std::filesystem::exists(p.program))
        p.unavailable = "the win32 build has not been made (" + p.program.string() +
                        "; build it with the win32 preset, or point CORRIVEX_WIN32_BUILD_DIR at it)";
    else if (const std::string& problem = wineProblem(wine, dir, p.environment); !problem.empty())
        p.unavailable = problem;
    return p;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> wineEnvironment(const std::filesystem::path& win32BuildDir) {
    return {{"WINEPREFIX", (win32BuildDir / "wineprefix").string()},
            {"WINEDEBUG", "-all"},
            {"WINEDLLOVERRIDES", "mscoree,mshtml="},
            {"WINEARCH", "win32"}};
}

std::pair<std::string, std::string> engineSearchPath(const ProgramUnderTest& program) {
    if (program.build == Build::Win32) {
        std::string windowsPath = "Z:" + program.engineDirectory.string();
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        return {"WINEPATH", windowsPath};
    }
    const char* path = std::getenv("PATH");
    return {"PATH", program.engineDirectory.string() + (path != nullptr ? std::string(":") + path : std::string())};
}

ProgramUnderTest programUnderTest(Build build) { return build == Build::Native ? nativeProgram() : win32Program(); }

}  // namespace corrivex::e2e
