#include "program_under_test.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

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

// Whether Wine can run the programs of a build directory on this machine at
// all (a 64-bit kernel without 32-bit support cannot start the 32-bit
// loader, unless the tests run through scripts/with-win32). Asked once per
// directory; the verdict of cmake/wine-prepare on the directory counts first.
std::string wineProblem(const std::string& wine, const std::filesystem::path& buildDir,
                        const std::vector<std::pair<std::string, std::string>>& environment) {
    static std::map<std::filesystem::path, std::string> verdicts;
    if (const auto known = verdicts.find(buildDir); known != verdicts.end()) return known->second;
    std::string problem;
    if (std::ifstream verdict(buildDir / "wine-unusable"); verdict) {
        std::string reason;
        std::getline(verdict, reason);
        problem = "wine cannot run here (" + reason + ")";
    } else if (findInPath(wine).empty()) {
        problem = wine + " is not installed";
    } else {
        std::vector<EnvChange> env;
        for (const auto& [name, value] : environment) env.push_back({name, value});
        const CommandResult result = runCommand({wine, "--version"}, env);
        if (result.exitCode != 0)
            problem = "wine cannot run here (" + wine + " --version: exit " + std::to_string(result.exitCode) + ", " +
                      result.errors.substr(0, 200) + ")";
    }
    verdicts.emplace(buildDir, problem);
    return problem;
}

ProgramUnderTest windowsProgram() {
    ProgramUnderTest p;
    p.build = Build::Win32;
    p.name = buildName(Build::Win32);
    const std::filesystem::path dir = setting("CORRIVEX_E2E_WIN32_DIR", CORRIVEX_E2E_WIN32_DIR_DEFAULT);
    const std::string wine = setting("CORRIVEX_E2E_WINE", CORRIVEX_E2E_WINE_DEFAULT);
    p.program = dir / "corrivex.exe";
    p.engineDirectory = dir / "engine";
    p.environment = wineEnvironment(dir);
    p.command = {wine, p.program.string()};
    if (dir.empty() || !std::filesystem::exists(p.program))
        p.unavailable = std::string("the ") + p.name + " build has not been made (" + p.program.string() +
                        "; build it with the win32 preset, or point CORRIVEX_WIN32_BUILD_DIR at it)";
    else if (const std::string problem = wineProblem(wine, dir, p.environment); !problem.empty())
        p.unavailable = problem;
    return p;
}

}  // namespace

const char* buildName(Build build) {
    switch (build) {
        case Build::Native: return "native";
        case Build::Win32: return "win32";
    }
    return "?";
}

std::vector<std::pair<std::string, std::string>> wineEnvironment(const std::filesystem::path& buildDir) {
    return {{"WINEPREFIX", (buildDir / "wineprefix").string()},
            {"WINEDEBUG", "-all"},
            {"WINEDLLOVERRIDES", "mscoree,mshtml="},
            {"WINEARCH", "win32"}};
}

std::pair<std::string, std::string> engineSearchPath(const ProgramUnderTest& program) {
    if (runsUnderWine(program.build)) {
        std::string windowsPath = "Z:" + program.engineDirectory.string();
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        return {"WINEPATH", windowsPath};
    }
    const char* path = std::getenv("PATH");
    return {"PATH", program.engineDirectory.string() + (path != nullptr ? std::string(":") + path : std::string())};
}

ProgramUnderTest programUnderTest(Build build) { return build == Build::Native ? nativeProgram() : windowsProgram(); }

}  // namespace corrivex::e2e
