// Discovery of 1000 and 10,000 data files, next to two floors measured in
// the same run:
//   - ListingFloor: the same directory listing (dirFirst/dirNext for *.txt
//     and *.dat, at most 1000 and 1001 names), upper-casing and a sort;
//   - ReaddirFloor: one readdir pass with the extension test, upper-casing
//     and a sort, without the listing's filter on file kinds.
// The directories hold half .txt and half .dat files with names in mixed
// letter case, so that every .dat listing is read to its end.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "console/console_state.h"
#include "memory_console_host.h"
#include "primitives/directory.h"
#include "selection/discovery.h"

namespace {

using corrivex::NameList;
using corrivex::Text;

// A directory of `count` data files, made once per size and removed at exit.
class DataDirectory {
public:
    explicit DataDirectory(int count) {
        std::string pattern = (std::filesystem::temp_directory_path() / "corrivex-bench.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
        std::mt19937 random(count);
        for (int i = 0; i < count; ++i) {
            std::string name = "set" + std::to_string(100000 + i) + (i % 2 == 0 ? ".txt" : ".dat");
            for (char& c : name)
                if (std::isalpha(static_cast<unsigned char>(c)) && random() % 2 == 0)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (std::FILE* file = std::fopen((path_ / name).c_str(), "wb")) std::fclose(file);
        }
    }
    ~DataDirectory() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& directoryOf(int count) {
    static std::map<int, std::unique_ptr<DataDirectory>> directories;
    auto& directory = directories[count];
    if (!directory) directory = std::make_unique<DataDirectory>(count);
    return directory->path();
}

// The current directory for the length of one benchmark.
class Inside {
public:
    explicit Inside(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~Inside() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

Text upper(Text name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

void BM_DiscoverDataFiles(benchmark::State& state) {
    const Inside inside(directoryOf(static_cast<int>(state.range(0))));
    corrivex::platform::MemoryConsoleHost host;
    corrivex::console::prepareConsole(host);
    auto FileNames = std::make_unique<NameList>();
    auto BaseNames = std::make_unique<NameList>();
    std::int16_t FileNameCount = 0;
    std::int16_t BaseNameCount = 0;
    for (auto _ : state) {
        corrivex::selection::discoverDataFiles(*FileNames, FileNameCount, *BaseNames, BaseNameCount);
        benchmark::DoNotOptimize(BaseNameCount);
    }
    state.counters["names"] = BaseNameCount;
}

void BM_ListingFloor(benchmark::State& state) {
    const Inside inside(directoryOf(static_cast<int>(state.range(0))));
    std::vector<Text> names;
    for (auto _ : state) {
        names.clear();
        const auto list = [&names](const Text& mask, std::size_t limit) {
            for (Text name = corrivex::dirFirst(mask, corrivex::attr::kNone); !name.empty();
                 name = corrivex::dirNext()) {
                names.push_back(upper(name));
                if (--limit == 0) break;
            }
        };
        list("*.txt", 1000);
        list("*.dat", 1001);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["names"] = static_cast<double>(names.size());
}

void BM_ReaddirFloor(benchmark::State& state) {
    const Inside inside(directoryOf(static_cast<int>(state.range(0))));
    std::vector<Text> names;
    for (auto _ : state) {
        names.clear();
        std::size_t texts = 0;
        std::size_t datas = 0;
        if (DIR* directory = opendir(".")) {
            while (const dirent* entry = readdir(directory)) {
                if (entry->d_type != DT_REG) continue;
                Text name = upper(entry->d_name);
                if (name.ends_with(".TXT") && texts < 1000) {
                    ++texts;
                } else if (name.ends_with(".DAT") && datas < 1001) {
                    ++datas;
                } else {
                    continue;
                }
                names.push_back(std::move(name));
            }
            closedir(directory);
        }
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["names"] = static_cast<double>(names.size());
}

}  // namespace

BENCHMARK(BM_DiscoverDataFiles)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListingFloor)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaddirFloor)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
