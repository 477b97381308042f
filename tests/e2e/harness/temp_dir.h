// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes away (kept when the environment
// variable CORRIVEX_E2E_KEEP is set, for looking at a failed test).
#pragma once

#include <filesystem>
#include <string>

namespace corrivex::e2e {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "corrivex-e2e");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace corrivex::e2e
