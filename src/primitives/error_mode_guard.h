// Windows only: keeps the system's own error boxes (critical errors, files
// that cannot be opened, a drive that is not ready) switched off for as long
// as a platform call runs, and puts the previous error mode back afterwards.
#pragma once

#include <windows.h>

namespace corrivex::native {

class ErrorModeGuard {
public:
    ErrorModeGuard() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~ErrorModeGuard() { SetErrorMode(previous_); }
    ErrorModeGuard(const ErrorModeGuard&) = delete;
    ErrorModeGuard& operator=(const ErrorModeGuard&) = delete;

private:
    UINT previous_;
};

}  // namespace corrivex::native
