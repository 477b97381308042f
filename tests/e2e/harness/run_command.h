// Running a tool (tmux, wine, stty) to its end and collecting its
// output, without a shell in between: every argument passes as it stands.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace corrivex::e2e {

struct CommandResult {
    int exitCode = -1;   // -1 when the program could not be started or was killed
    std::string output;  // standard output
    std::string errors;  // standard error
};

// One change to the environment of a command: sets `name` to `value`, or
// removes `name` when `remove` is set.
struct EnvChange {
    std::string name;
    std::string value;
    bool remove = false;
};

// Runs argv[0] (searched in PATH) with the given arguments, standard input
// from /dev/null, and waits for it to end.
CommandResult runCommand(const std::vector<std::string>& argv, const std::vector<EnvChange>& env = {});

// The full path of `program` found in PATH, or empty.
std::string findInPath(const std::string& program);

}  // namespace corrivex::e2e
