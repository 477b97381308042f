#include "temp_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace corrivex::e2e {

TempDir::TempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a directory from " + pattern);
    // The canonical path: the program under test reports its current
    // directory with symbolic links resolved.
    path_ = std::filesystem::canonical(pattern);
}

TempDir::~TempDir() {
    if (std::getenv("CORRIVEX_E2E_KEEP") != nullptr) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace corrivex::e2e
