# For the fuzzers' own CMake projects (tests/*/fuzz): C++20, the project's
# source tree (CORRIVEX_SOURCE_DIR), and fuzz_flags, libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer. Stops with "libFuzzer is
# not available" where clang has none, which skips the test.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CORRIVEX_SOURCE_DIR "" CACHE PATH "The project's source tree")

set(fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer,address,undefined")
set(CMAKE_REQUIRED_LINK_OPTIONS "-fsanitize=fuzzer,address,undefined")
check_cxx_source_compiles([[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }
]] CORRIVEX_HAVE_LIBFUZZER)
if(NOT CORRIVEX_HAVE_LIBFUZZER)
  message(FATAL_ERROR "libFuzzer is not available with ${CMAKE_CXX_COMPILER} (Debian: libclang-rt-14-dev)")
endif()
