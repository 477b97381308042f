// Test support (POSIX): a part of a test that permission bits must bind, as
// they bind a user of the program, also where the tests run as root.
//
// As root, the part runs in a child process that first gives up every
// capability and may regain none by starting a program (no_new_privs), so
// that its user ID, still root's, carries no privilege: a file or directory
// without a permission refuses it as it refuses its owner. A user namespace
// that maps no other user (as the one the win32 route makes) leaves no other
// user to become. The child reports failures and skips through its exit
// status; its messages go to the test's output as usual.
//
// Otherwise the part runs in place.
#pragma once

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>

namespace corrivex::testing {

// Gives up every capability of this process and of the programs it starts.
inline bool dropPrivileges() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3] = {};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && syscall(SYS_capset, &header, none) == 0;
}

inline void runUnprivileged(const std::function<void()>& part) {
    if (geteuid() != 0) {
        part();
        return;
    }
    enum : int { Passed, Failed, Skipped, NoDrop };
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_NE(child, -1) << "cannot start a child process";
    if (child == 0) {
        int status = NoDrop;
        if (dropPrivileges()) {
            try {
                part();
            } catch (const std::exception& error) {
                ADD_FAILURE() << "exception: " << error.what();
            } catch (...) {
                ADD_FAILURE() << "an exception";
            }
            status = ::testing::Test::HasFailure() ? Failed : ::testing::Test::IsSkipped() ? Skipped : Passed;
        }
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged part ended by signal " << WTERMSIG(status);
    switch (WEXITSTATUS(status)) {
        case Passed: return;
        case Skipped: GTEST_SKIP() << "skipped without privileges (above)";
        case NoDrop: FAIL() << "cannot give up root's privileges here";
        default: FAIL() << "failed without privileges (above)";
    }
}

}  // namespace corrivex::testing
